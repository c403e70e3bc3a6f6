#pragma once

namespace norvane {

// Room left of, right of and below the Position Accuracy window's plots for their numbers and axis
// titles: the same in both, so that the scatter and the error-over-time plot line up.
inline constexpr int kPlotLeftRoom = 52;
inline constexpr int kPlotRightRoom = 12;
inline constexpr int kPlotBottomRoom = 34;

} // namespace norvane
