#include "view/ui/selectable_label.h"

#include <QPainter>
#include <QStyle>

namespace norvane {

SelectableLabel::SelectableLabel(QWidget* parent) : QLabel(parent)
{
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void SelectableLabel::paintEvent(QPaintEvent* event)
{
    if (hasSelectedText() || hasFocus()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(),
                          text(), foregroundRole());
}

} // namespace norvane
