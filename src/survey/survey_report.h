#pragma once

#include "survey/survey_figures.h"
#include "text/json_object.h"

#include <optional>
#include <string>
#include <vector>

namespace norvane {

// One figure as the summary, the side-by-side table, the JSON line and the window show it. The
// list is open: other measurements of the same run append their own figures to it.
struct Figure {
    std::string key;   // the JSON key, "cep50_m"
    std::string label; // the summary's and the window's label, "CEP50"
    std::optional<double> value;
    int decimals = 2;
    std::string unit; // "m", "%", "s" or empty
};

// Every figure of a survey in the order they are shown, each key as --json gives it.
std::vector<Figure> surveyFigureList(const SurveyFigures& figures);

// "2.36 m", or "-" when absent.
std::string figureText(const Figure& figure);

// One receiver's summary: a title line, then "label  value" lines.
std::string summaryText(const std::string& title, const std::vector<Figure>& figures);
// Several receivers side by side: a row per figure, a column per receiver. Every list must hold
// the same figures in the same order.
std::string sideBySideText(const std::vector<std::string>& titles, const std::vector<std::vector<Figure>>& figures);

// The JSON object of one receiver: its name under `nameKey` ("port" or "log"), then the figures.
JsonObject figuresJson(const std::string& nameKey, const std::string& name, const std::vector<Figure>& figures);

// The progress line of a running survey: "COM5: 600 epochs, 598 fixes, CEP50 2.36 m, R95 4.90 m".
std::string progressLine(const std::string& name, const SurveyFigures& figures);

// "N fixes, CEP50 X m, R95 Y m, 2DRMS Z m, V95 W m": the scatter's description, two decimals.
std::string scatterDescription(const SurveyFigures& figures);

} // namespace norvane
