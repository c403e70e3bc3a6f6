#include "desktop/ui/growing_window.h"

#include <QWidget>

namespace norvane {

void growFrom(QWidget& window, QSize start)
{
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window.setMinimumSize(start);
    window.resize(window.size().expandedTo(start));
}

void StartSize::apply(QWidget& window, QSize start)
{
    const bool resizedSince = given_.isValid() && window.size() != given_;
    growFrom(window, start);
    // Only a size given here counts: a user's size kept once is still the user's at the next
    // apply, however many resets come.
    if (!resizedSince) {
        window.resize(start);
        given_ = window.size();
    }
}

} // namespace norvane
