#pragma once

class QWidget;

namespace norvane {

// Lets the events that wait run now (a click on Off or Upgrade is handled in the middle of a
// receive-loop tick) but holds the window's own repaint back to the next pass of the event
// loop. A tick that lets events run several times then paints what it changed once, after it,
// instead of painting the window each time.
void processEventsRepaintingLater(QWidget* window);

} // namespace norvane
