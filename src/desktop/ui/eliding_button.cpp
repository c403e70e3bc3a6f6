#include "desktop/ui/eliding_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace norvane {

namespace {

// The gap a style leaves between a button's picture and its caption.
constexpr int kIconSpacing = 4;

} // namespace

ElidingButton::ElidingButton(QWidget* parent) : QPushButton(parent) {}

QString ElidingButton::shownText() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    int room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width();
    if (!icon().isNull())
        room -= iconSize().width() + kIconSpacing;
    return fontMetrics().elidedText(text(), Qt::ElideRight, room);
}

// Drawn as a push button draws itself, with the caption it has room for.
void ElidingButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = shownText();
    describeWholeCaption(option.text);
    painter.drawControl(QStyle::CE_PushButton, option);
}

// Captions change with the program's state (Start and Off, SaveLog and StopSave), so the
// description is brought up to date whenever the button is drawn.
void ElidingButton::describeWholeCaption(const QString& shown)
{
    const QString whole = shown == text() ? QString() : text();
    if (toolTip() != whole)
        setToolTip(whole);
    if (accessibleDescription() != whole)
        setAccessibleDescription(whole);
}

} // namespace norvane
