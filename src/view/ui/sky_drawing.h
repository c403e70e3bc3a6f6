#pragma once

#include "decode/receiver_state.h"
#include "view/shown_satellites.h"

#include <QImage>

namespace norvane {

// The grid layer: a white square with a black outline, the horizon and 45-degree rings, the
// cross and the compass letters. Meant for a layer whose white is see-through.
void paintSkyGrid(QImage& grid);

// The sky layer without satellites: a sky-blue square with a black outline.
void paintEmptySky(QImage& sky);

// The sky layer with one disc per satellite in view, coloured by its status.
void paintSkyPlot(QImage& sky, const ReceiverState& state);
// The same from the satellites as shown: from a single talker's table each disc as it always
// was; with several systems each outlined by its system, under a legend.
void paintSkyPlot(QImage& sky, const SatelliteShowing& showing);

} // namespace norvane
