// The main window enlarged: where each control of the table goes with the room gained.

#include "app/Mpgs.h"

#include <QResizeEvent>
#include <algorithm>

namespace norvane {

namespace {

// The room gained over the start size, shared out: the sky plot's row takes up to half the
// height gained (no more than the width gained, so that the plot stays square), the plot
// growing with it; the message log begins where the plot's square ends, as designed (its top
// covers the strip of the picture below the square); the log and the SNR chart share the rest
// of the height. The plot, the log and the chart take all the width.
struct Room {
    QSize gained;
    QRect sky;     // both layers of the sky plot
    int skyRows;   // rows the log and the chart have moved down by
    int logRows;   // rows the log has grown by
    int chartRows; // rows the chart has grown by
};

Room roomFor(QSize gained, const QRect& designedSky)
{
    Room room{gained, {}, 0, 0, 0};
    const int skyRoom = std::min(gained.height() / 2, gained.width());
    const double scale = double(designedSky.height() + skyRoom) / designedSky.height();
    const QSize size(qRound(designedSky.width() * scale), designedSky.height() + skyRoom);
    const int left = (designedSky.width() + gained.width() - size.width()) / 2;
    room.sky = QRect(designedSky.topLeft() + QPoint(left, 0), size);
    room.skyRows = size.width() - designedSky.width();
    room.logRows = (gained.height() - room.skyRows) / 2;
    room.chartRows = gained.height() - room.skyRows - room.logRows;
    return room;
}

QRect grownPlace(const QRect& designed, ControlGrowth growth, const Room& room, int windowWidth)
{
    switch (growth) {
    case ControlGrowth::Stays:
        break;
    case ControlGrowth::BesideSky:
    case ControlGrowth::OutOfSight:
        return designed.translated(room.gained.width(), 0);
    case ControlGrowth::Sky:
        return room.sky;
    case ControlGrowth::SkyCorner:
        return designed.translated(0, room.skyRows);
    case ControlGrowth::Log:
        // As designed it runs past the window's right edge; once the window is wider, to the edge.
        return QRect(designed.left(), designed.top() + room.skyRows, std::max(designed.width(), windowWidth),
                     designed.height() + room.logRows);
    case ControlGrowth::Chart:
        return designed.adjusted(0, room.skyRows + room.logRows, room.gained.width(),
                                 room.skyRows + room.logRows + room.chartRows);
    }
    return designed;
}

} // namespace

void Tgpsw::placeGrowingControls()
{
    const auto sky = std::find_if(placed_.begin(), placed_.end(),
                                  [](const PlacedControl& p) { return p.growth == ControlGrowth::Sky; });
    if (sky == placed_.end())
        return;
    const Room room = roomFor((size() - minimumSize()).expandedTo(QSize(0, 0)), sky->designed);
    for (const PlacedControl& placed : placed_)
        placed.control->setGeometry(grownPlace(placed.designed, placed.growth, room, width()));
}

void Tgpsw::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeGrowingControls();
}

} // namespace norvane
