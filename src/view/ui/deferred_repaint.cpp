#include "view/ui/deferred_repaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace norvane {

namespace {

// Puts off the first repaint request the window gets and posts it again, so that it is
// handled by the next pass of the event loop. Only the first: a handler that runs a loop of
// its own (a message box) still sees the window repaint.
class RepaintPostponer : public QObject {
public:
    explicit RepaintPostponer(QWidget* window) : window_(window) { window_->installEventFilter(this); }
    ~RepaintPostponer() override
    {
        // A handler that ran meanwhile may have closed and deleted the window.
        if (!postponed_ && window_)
            window_->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (postponed_ || watched != window_ || event->type() != QEvent::UpdateRequest)
            return false;
        postponed_ = true;
        window_->removeEventFilter(this);
        // The toolkit posts no new request while it holds one pending: this one must reach the
        // window, or the window would stop painting.
        QCoreApplication::postEvent(window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
        return true;
    }

private:
    QPointer<QWidget> window_;
    bool postponed_ = false;
};

} // namespace

void processEventsRepaintingLater(QWidget* window)
{
    RepaintPostponer postponer(window);
    QCoreApplication::processEvents();
}

} // namespace norvane
