#pragma once

#include <QSize>

class QWidget;

namespace norvane {

// A window starts at the size it was designed for and may be enlarged, but never made smaller
// than that: `start` (its client size as designed) becomes its minimum, any maximum or fixed
// size goes, and a window still smaller is brought up to `start`. The room it gains is the
// window's to hand out (layouts do it; a window placed by hand does it on resize).
void growFrom(QWidget& window, QSize start);

// A start size that the program gives a window again and again (the main window at every reset,
// the test window at every opening), as it always has, except to a window the user has resized
// since: that one keeps its size, never below the start size.
class StartSize {
public:
    void apply(QWidget& window, QSize start);

private:
    QSize given_; // the size apply() last gave the window
};

} // namespace norvane
