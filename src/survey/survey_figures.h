#pragma once

#include "survey/geodesy.h"

#include <optional>

namespace norvane {

enum class ReferenceMode {
    Mean,  // the point whose Earth-centred position is the mean of the fixes' so far
    Fixed, // a surveyed point, or the mean frozen at one moment
};

// The figures of a survey, all computed together at one refresh from the same fixes about the
// same reference, so that they agree with one another. Metres unless said; absent where there is
// nothing to compute them from.
struct SurveyFigures {
    int epochs = 0; // position sentences taken as epochs
    int fixes = 0;  // of which had a fix; every figure below is computed from these
    std::optional<double> availabilityPercent; // fixes / epochs * 100
    std::optional<double> durationSeconds;     // UTC of the first to the last fix, across midnight

    ReferenceMode referenceMode = ReferenceMode::Mean;
    std::optional<Geodetic> reference; // what east/north/up are measured from

    // Mean offset of the fixes from the reference (zero about the mean).
    std::optional<double> biasEast, biasNorth, biasUp;
    // Sample standard deviations (n - 1) of east, north and up; from two fixes on.
    std::optional<double> sigmaEast, sigmaNorth, sigmaUp;

    // Horizontal error r = sqrt(e^2 + n^2) about the reference: its 50th, 95th and 99th
    // percentiles (PERCENTILE.INC), its largest value, and 2DRMS = 2 * sqrt(mean of r^2).
    std::optional<double> cep50, r95, r99, maxHorizontal, drms2;
    // 50th and 95th percentiles of the vertical error |u|; absent when a fix has no height.
    std::optional<double> v50, v95;
    // 0.589 * (sigmaEast + sigmaNorth): the textbook approximation of CEP for nearly circular
    // errors, kept apart from the measured CEP50.
    std::optional<double> cepFormula;

    std::optional<double> hdopMean, satsUsedMean; // over the fixes that carry them

    // Means of what the receiver's GST sentences claimed, beside sigmaNorth, sigmaEast and sigmaUp.
    std::optional<double> gstSigmaLatitude, gstSigmaLongitude, gstSigmaAltitude;
};

} // namespace norvane
