#pragma once

#include "decode/receiver_state.h"
#include "view/shown_satellites.h"
#include "view/view_colours.h"

#include <QImage>

namespace norvane {

// Each in the colours given; the light palette's (the program's own) unless said otherwise.

// The grid layer: a white square with an outline, the horizon and 45-degree rings, the cross
// and the compass letters, all in the sky's line colour. Meant for a layer whose white is
// see-through.
void paintSkyGrid(QImage& grid, const ViewColours& colours = lightViewColours());

// The sky layer without satellites: a square of the sky's colour with an outline.
void paintEmptySky(QImage& sky, const ViewColours& colours = lightViewColours());

// The sky layer with one disc per satellite in view, coloured by its status.
void paintSkyPlot(QImage& sky, const ReceiverState& state, const ViewColours& colours = lightViewColours());
// The same from the satellites as shown: from a single talker's table each disc as it always
// was; with several systems each outlined by its system, under a legend.
void paintSkyPlot(QImage& sky, const SatelliteShowing& showing,
                  const ViewColours& colours = lightViewColours());

} // namespace norvane
