#pragma once

#include "log/log_sinks.h"

#include <QPlainTextEdit>
#include <string>

namespace norvane {

// Memo1, the program's message log: read-only, one line per sentence or message, the newest in
// view. It counts its lines as an edit control does, where a log holding one empty line differs
// from an empty one.
class MessageLogWidget : public QPlainTextEdit, public MessageLog {
    Q_OBJECT

public:
    explicit MessageLogWidget(QWidget* parent = nullptr);

    int memoLineCount() override;
    void memoClear() override;
    void memoAddLine(const std::string& line) override;

private:
    bool holdsEmptyLine_ = false;
};

} // namespace norvane
