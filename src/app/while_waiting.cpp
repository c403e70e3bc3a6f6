#include "app/while_waiting.h"

#include "serial/clock.h"

#include <QCoreApplication>
#include <QEvent>

namespace norvane {

void paintWindowsWhileWaiting()
{
    setWhileWaiting([] {
        // Laid out first, so that nothing is painted where it no longer stands.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    });
}

} // namespace norvane
