#pragma once

#include <QLineEdit>

namespace norvane {

// A field whose text may be longer than the field: while it does not fit, the field shows its
// start with an ellipsis ("$Kernel: 1.2.04,20…"), and the whole text is its tooltip and its
// accessible description. Given the focus it shows and edits the text as any field does.
class ElidingLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit ElidingLineEdit(QWidget* parent = nullptr);

    // What the field shows while it has no focus.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect textArea() const;
    void describeWholeText();
};

} // namespace norvane
