#pragma once

#include "log/log_sinks.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <optional>
#include <string>

namespace norvane {

// Memo1, the program's message log: read-only, one line per sentence or message, the newest in
// view. It counts its lines as an edit control does, where a log holding one empty line differs
// from an empty one.
class MessageLogWidget : public QPlainTextEdit, public MessageLog {
    Q_OBJECT

public:
    // Lines added while a batch is open are laid out together when it closes. A tick adds a
    // line per sentence, and laying out each one alone, with the line before it again, is the
    // larger part of a tick's work.
    class LineBatch {
    public:
        explicit LineBatch(MessageLogWidget& log);
        ~LineBatch();
        LineBatch(const LineBatch&) = delete;
        LineBatch& operator=(const LineBatch&) = delete;

    private:
        MessageLogWidget& log_;
        bool opened_;
    };

    explicit MessageLogWidget(QWidget* parent = nullptr);

    int memoLineCount() override;
    void memoClear() override;
    void memoAddLine(const std::string& line) override;

private:
    void openBatch();
    void closeBatch();

    bool holdsEmptyLine_ = false;
    std::optional<QTextCursor> batch_;
};

} // namespace norvane
