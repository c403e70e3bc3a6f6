#pragma once

#include <QLabel>

namespace norvane {

// A label of one line whose text may be wider than the label: while it does not fit, the label
// shows its start with an ellipsis, and the whole text is its tooltip and its accessible
// description. A label whose text stands for something longer (a file's name for its path)
// gives that instead, always, with setWholeText().
class ElidingLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    // What the label shows.
    QString shownText() const;
    void setWholeText(const QString& whole);
    // Any width will do: the text elides.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void describeWholeText();

    QString whole_;
};

} // namespace norvane
