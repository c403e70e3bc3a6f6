#include "desktop/ui/eliding_line_edit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace norvane {

namespace {

// The room a line edit leaves between its contents' edge and its text.
constexpr int kTextMargin = 2;

} // namespace

ElidingLineEdit::ElidingLineEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &ElidingLineEdit::describeWholeText);
}

QRect ElidingLineEdit::textArea() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .marginsRemoved(textMargins())
        .adjusted(kTextMargin, 0, -kTextMargin, 0);
}

QString ElidingLineEdit::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, textArea().width());
}

// A text that fits is painted by the line edit itself, exactly as before.
void ElidingLineEdit::paintEvent(QPaintEvent* event)
{
    const QString shown = shownText();
    if (hasFocus() || shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(textArea(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

void ElidingLineEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    describeWholeText();
}

void ElidingLineEdit::describeWholeText()
{
    const QString whole = shownText() == text() ? QString() : text();
    setToolTip(whole);
    setAccessibleDescription(whole);
}

} // namespace norvane
