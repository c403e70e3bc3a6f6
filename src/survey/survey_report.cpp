#include "survey/survey_report.h"

#include "text/number_format.h"

#include <algorithm>

namespace norvane {

std::vector<Figure> surveyFigureList(const SurveyFigures& f)
{
    const auto reference = [&f](double Geodetic::*member) {
        return f.reference ? std::optional<double>((*f.reference).*member) : std::nullopt;
    };
    return {
        {"epochs", "epochs", f.epochs, 0, ""},
        {"fixes", "fixes", f.fixes, 0, ""},
        {"availability", "availability", f.availabilityPercent, 1, "%"},
        {"duration_s", "duration", f.durationSeconds, 1, "s"},
        {"ref_lat", f.referenceMode == ReferenceMode::Mean ? "reference (mean) latitude" : "reference latitude",
         reference(&Geodetic::latitude), 9, "deg"},
        {"ref_lon", "reference longitude", reference(&Geodetic::longitude), 9, "deg"},
        {"ref_h", "reference height", reference(&Geodetic::height), 3, "m"},
        {"bias_e_m", "bias east", f.biasEast, 3, "m"},
        {"bias_n_m", "bias north", f.biasNorth, 3, "m"},
        {"bias_u_m", "bias up", f.biasUp, 3, "m"},
        {"sigma_e_m", "sigma east (n-1)", f.sigmaEast, 3, "m"},
        {"sigma_n_m", "sigma north (n-1)", f.sigmaNorth, 3, "m"},
        {"sigma_u_m", "sigma up (n-1)", f.sigmaUp, 3, "m"},
        {"cep50_m", "CEP50", f.cep50, 3, "m"},
        {"r95_m", "R95", f.r95, 3, "m"},
        {"r99_m", "R99", f.r99, 3, "m"},
        {"max_m", "max horizontal", f.maxHorizontal, 3, "m"},
        {"drms2_m", "2DRMS", f.drms2, 3, "m"},
        {"v50_m", "V50 |up|", f.v50, 3, "m"},
        {"v95_m", "V95 |up|", f.v95, 3, "m"},
        {"cep_formula_m", "formula 0.589 (sigma E + sigma N)", f.cepFormula, 3, "m"},
        {"hdop_mean", "HDOP mean", f.hdopMean, 2, ""},
        {"sats_used_mean", "satellites used mean", f.satsUsedMean, 1, ""},
        {"gst_sigma_lat_m", "GST claimed sigma latitude", f.gstSigmaLatitude, 3, "m"},
        {"gst_sigma_lon_m", "GST claimed sigma longitude", f.gstSigmaLongitude, 3, "m"},
        {"gst_sigma_alt_m", "GST claimed sigma altitude", f.gstSigmaAltitude, 3, "m"},
    };
}

std::string figureText(const Figure& figure)
{
    if (!figure.value)
        return "-";
    const std::string number = decimalText(*figure.value, figure.decimals);
    return figure.unit.empty() ? number : number + " " + figure.unit;
}

namespace {

std::size_t labelWidth(const std::vector<Figure>& figures)
{
    std::size_t width = 0;
    for (const Figure& figure : figures)
        width = std::max(width, figure.label.size());
    return width;
}

} // namespace

std::string summaryText(const std::string& title, const std::vector<Figure>& figures)
{
    const int width = static_cast<int>(labelWidth(figures));
    std::string text = title + "\n";
    for (const Figure& figure : figures)
        text += formatText("  %-*s  %s\n", width, figure.label, figureText(figure));
    return text;
}

std::string sideBySideText(const std::vector<std::string>& titles, const std::vector<std::vector<Figure>>& figures)
{
    if (figures.empty())
        return {};
    const int width = static_cast<int>(labelWidth(figures.front()));
    std::vector<int> columns;
    for (std::size_t r = 0; r < titles.size(); ++r) {
        std::size_t column = titles[r].size();
        for (const Figure& figure : figures[r])
            column = std::max(column, figureText(figure).size());
        columns.push_back(static_cast<int>(column));
    }
    std::string text = formatText("  %-*s", width, "");
    for (std::size_t r = 0; r < titles.size(); ++r)
        text += formatText("  %*s", columns[r], titles[r]);
    text += "\n";
    for (std::size_t i = 0; i < figures.front().size(); ++i) {
        text += formatText("  %-*s", width, figures.front()[i].label);
        for (std::size_t r = 0; r < figures.size(); ++r)
            text += formatText("  %*s", columns[r], i < figures[r].size() ? figureText(figures[r][i]) : "-");
        text += "\n";
    }
    return text;
}

JsonObject figuresJson(const std::string& nameKey, const std::string& name, const std::vector<Figure>& figures)
{
    JsonObject json;
    json.addText(nameKey, name);
    for (const Figure& figure : figures) {
        if (figure.decimals == 0 && figure.value)
            json.addInteger(figure.key, static_cast<long long>(*figure.value));
        else
            json.addNumber(figure.key, figure.value, figure.decimals);
    }
    return json;
}

namespace {

std::string metresText(const std::optional<double>& value)
{
    return value ? fixedText(*value, 2) : std::string("-");
}

} // namespace

std::string progressLine(const std::string& name, const SurveyFigures& f)
{
    return formatText("%s: %d epochs, %d fixes, CEP50 %s m, R95 %s m", name, f.epochs, f.fixes, metresText(f.cep50),
                      metresText(f.r95));
}

std::string scatterDescription(const SurveyFigures& f)
{
    return formatText("%d fixes, CEP50 %s m, R95 %s m, 2DRMS %s m, V95 %s m", f.fixes, metresText(f.cep50),
                      metresText(f.r95), metresText(f.drms2), metresText(f.v95));
}

} // namespace norvane
