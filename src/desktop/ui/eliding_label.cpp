#include "desktop/ui/eliding_label.h"

#include <QPainter>

namespace norvane {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {}

QString ElidingLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void ElidingLabel::setWholeText(const QString& whole)
{
    whole_ = whole;
    describeWholeText();
}

QSize ElidingLabel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

// A text that fits is painted by the label itself, selectable as before.
void ElidingLabel::paintEvent(QPaintEvent* event)
{
    const QString shown = shownText();
    describeWholeText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

void ElidingLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    describeWholeText();
}

// The text changes without a signal, so the description is brought up to date whenever the
// label is drawn or resized.
void ElidingLabel::describeWholeText()
{
    const QString whole = !whole_.isEmpty() ? whole_ : shownText() == text() ? QString() : text();
    if (toolTip() != whole)
        setToolTip(whole);
    if (accessibleDescription() != whole)
        setAccessibleDescription(whole);
}

} // namespace norvane
