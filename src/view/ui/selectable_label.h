#pragma once

#include <QLabel>

namespace norvane {

// A label whose text can be selected and copied, painted as a plain label's text while it has
// neither a selection nor the keyboard focus (with the focus, its text cursor shows). A label that
// can be selected otherwise lays its text out as a document whenever the text changes, and is
// painted twice for it: for figures that change every second, more work than the rest of their
// window's refresh.
class SelectableLabel : public QLabel {
public:
    explicit SelectableLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace norvane
