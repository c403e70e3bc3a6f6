#pragma once

#include <QPushButton>

namespace norvane {

// A button whose caption may be wider than the button: while it does not fit beside the
// button's picture, the button shows its start with an ellipsis, and the whole caption is its
// tooltip and its accessible description. The caption itself (text()) stays whole, as the
// program reads its state from it.
class ElidingButton : public QPushButton {
    Q_OBJECT

public:
    explicit ElidingButton(QWidget* parent = nullptr);

    // The caption as the button shows it.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describeWholeCaption(const QString& shown);
};

} // namespace norvane
