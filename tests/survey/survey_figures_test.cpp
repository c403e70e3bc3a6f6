// The survey's figures on five fixes worked out by hand, about a surveyed point and about their
// own mean, and the rules that decide which sentences are epochs.
#include "support/nmea_sentence.h"
#include "survey/survey.h"
#include "text/number_format.h"

#include <cmath>
#include <gtest/gtest.h>

namespace norvane::test {
namespace {

// On the equator at the prime meridian a metre east is 1 / a radians of longitude and a metre
// north 1 / (a (1 - e^2)) radians of latitude, to a micrometre over a few metres.
constexpr double kEastRadius = 6378137.0;
constexpr double kNorthRadius = 6335439.327083;
constexpr double kDegree = 3.14159265358979323846 / 180;

// A GGA sentence of a fix `east`, `north` metres from 0 N 0 E and `up` above it (altitude plus
// the geoid separation of 10 m), minutes with eleven decimals.
std::string ggaAt(int second, double east, double north, double up)
{
    const double minutesNorth = north / kNorthRadius / kDegree * 60;
    const double minutesEast = east / kEastRadius / kDegree * 60;
    return nmea(formatText("GPGGA,1200%02d.00,%015.11f,%c,%016.11f,%c,1,08,0.9,%.3f,M,10.0,M,,", second,
                           std::fabs(minutesNorth), minutesNorth < 0 ? 'S' : 'N', std::fabs(minutesEast),
                           minutesEast < 0 ? 'W' : 'E', up - 10)) +
           "\n";
}

// The five fixes (east, north, up): r = 5, 0, 10, 1, 1 about 0 N 0 E.
Survey surveyOfFiveFixes()
{
    const double fixes[5][3] = {{3, 4, 1}, {0, 0, -2}, {-6, 8, 3}, {0, -1, 0}, {1, 0, -4}};
    Survey survey;
    for (int i = 0; i < 5; ++i)
        survey.sentenceDecoded("GGA", ggaAt(i, fixes[i][0], fixes[i][1], fixes[i][2]));
    return survey;
}

struct Expected {
    double biasEast, biasNorth, biasUp, cep50, r95, r99, max, drms2, v50, v95;
};

void expectFigures(const SurveyFigures& f, const Expected& e)
{
    constexpr double kTolerance = 1e-4;
    EXPECT_EQ(f.epochs, 5);
    EXPECT_EQ(f.fixes, 5);
    EXPECT_NEAR(*f.availabilityPercent, 100, 1e-9);
    EXPECT_NEAR(*f.durationSeconds, 4, 1e-9);
    EXPECT_NEAR(*f.biasEast, e.biasEast, kTolerance);
    EXPECT_NEAR(*f.biasNorth, e.biasNorth, kTolerance);
    EXPECT_NEAR(*f.biasUp, e.biasUp, kTolerance);
    // The deviations do not depend on the reference: sqrt(45.2 / 4), sqrt(56.8 / 4), sqrt(29.2 / 4).
    EXPECT_NEAR(*f.sigmaEast, 3.361547263, kTolerance);
    EXPECT_NEAR(*f.sigmaNorth, 3.768288736, kTolerance);
    EXPECT_NEAR(*f.sigmaUp, 2.701851217, kTolerance);
    EXPECT_NEAR(*f.cepFormula, 0.589 * (3.361547263 + 3.768288736), kTolerance);
    EXPECT_NEAR(*f.cep50, e.cep50, kTolerance);
    EXPECT_NEAR(*f.r95, e.r95, kTolerance);
    EXPECT_NEAR(*f.r99, e.r99, kTolerance);
    EXPECT_NEAR(*f.maxHorizontal, e.max, kTolerance);
    EXPECT_NEAR(*f.drms2, e.drms2, kTolerance);
    EXPECT_NEAR(*f.v50, e.v50, kTolerance);
    EXPECT_NEAR(*f.v95, e.v95, kTolerance);
    EXPECT_NEAR(*f.hdopMean, 0.9, 1e-9);
    EXPECT_NEAR(*f.satsUsedMean, 8, 1e-9);
    EXPECT_FALSE(f.gstSigmaLatitude);
}

TEST(SurveyFigures, FiveFixesAboutASurveyedPoint)
{
    Survey survey = surveyOfFiveFixes();
    survey.useFixedReference({0, 0, 0});
    survey.refresh();
    // r sorted 0 1 1 5 10: ranks 2, 3.8 and 3.96; 2DRMS = 2 sqrt(127 / 5); |u| sorted 0 1 2 3 4.
    expectFigures(survey.figures(), {-0.4, 2.2, -0.4, 1, 9, 9.8, 10, 2 * std::sqrt(25.4), 2, 3.8});
    const auto points = survey.points();
    ASSERT_EQ(points.size(), 5u);
    EXPECT_NEAR(points[2].east, -6, 1e-4);
    EXPECT_NEAR(points[2].north, 8, 1e-4);
    EXPECT_NEAR(points[2].up, 3, 1e-4);
    EXPECT_NEAR(points[4].utcSeconds, 12 * 3600 + 4, 1e-2);
}

TEST(SurveyFigures, FiveFixesAboutTheirMeanAndTheMeanFrozen)
{
    Survey survey = surveyOfFiveFixes();
    survey.refresh();
    // About the mean (-0.4, 2.2, -0.4): r^2 = 14.8, 5, 65, 10.4, 6.8; |u| = 1.4 1.6 3.4 0.4 3.6.
    const Expected aboutMean{0, 0, 0, std::sqrt(10.4), std::sqrt(14.8) + 0.8 * (std::sqrt(65) - std::sqrt(14.8)),
                             std::sqrt(14.8) + 0.96 * (std::sqrt(65) - std::sqrt(14.8)), std::sqrt(65),
                             2 * std::sqrt(20.4), 1.6, 3.56};
    expectFigures(survey.figures(), aboutMean);
    EXPECT_EQ(survey.figures().referenceMode, ReferenceMode::Mean);
    const Geodetic mean = *survey.figures().reference;
    EXPECT_NEAR(mean.latitude * kDegree * kNorthRadius, 2.2, 1e-4);
    EXPECT_NEAR(mean.longitude * kDegree * kEastRadius, -0.4, 1e-4);
    EXPECT_NEAR(mean.height, -0.4, 1e-4);

    // Frozen, the mean stays put while a sixth fix moves the figures.
    ASSERT_TRUE(survey.freezeMean());
    const auto rows = survey.sentenceDecoded("GGA", ggaAt(5, -0.4 + 30, 2.2 + 40, -0.4));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NEAR(rows[0].offset->east, 30, 1e-3);
    EXPECT_NEAR(rows[0].offset->north, 40, 1e-3);
    survey.refresh();
    EXPECT_EQ(survey.figures().referenceMode, ReferenceMode::Fixed);
    EXPECT_NEAR(*survey.figures().maxHorizontal, 50, 1e-3);
    EXPECT_NEAR(*survey.figures().biasNorth, 40.0 / 6, 1e-3);
}

TEST(SurveyFigures, RefreshesAtMostOnceASecondAndOnlyAfterAChange)
{
    Survey survey;
    EXPECT_FALSE(survey.refreshIfDue(0)); // nothing yet
    survey.sentenceDecoded("GGA", ggaAt(0, 1, 0, 0));
    EXPECT_TRUE(survey.refreshIfDue(1000));
    survey.sentenceDecoded("GGA", ggaAt(1, 2, 0, 0));
    EXPECT_FALSE(survey.refreshIfDue(1999));
    EXPECT_EQ(survey.figures().fixes, 1);
    EXPECT_TRUE(survey.refreshIfDue(2000));
    EXPECT_EQ(survey.figures().fixes, 2);
    EXPECT_FALSE(survey.refreshIfDue(5000)); // no new epoch
}

TEST(SurveyEpochs, WhichSentencesGiveEpochsAndFixes)
{
    const std::string gga = nmea("GPGGA,120000.00,2459.2057,N,12130.1234,E,1,08,0.9,56.3,M,15.2,M,,") + "\n";
    const std::string ggaNoFix = nmea("GPGGA,120001.00,,,,,0,00,,,M,,M,,") + "\n";
    const std::string ggaNoSeparation = nmea("GPGGA,235959.80,2459.2057,S,12130.1234,W,2,08,0.9,56.3,M,,M,,") + "\n";
    const std::string rmc = nmea("GPRMC,120000.00,A,2459.2057,N,12130.1234,E,0.0,0.0,191007,,,A") + "\n";
    const std::string rmcVoid = nmea("GPRMC,120000.00,V,,,,,,,191007,,,N") + "\n";
    const std::string gns = nmea("GNGNS,120000.00,2459.2057,N,12130.1234,E,NAN,10,0.8,56.3,15.2,,,V") + "\n";
    const std::string gst = nmea("GPGST,120000.00,2.0,1.5,1.0,30.0,1.2,1.4,2.6") + "\n";
    const std::string ggaAfterMidnight = nmea("GPGGA,000000.20,2459.2057,S,12130.1234,W,1,08,0.9,56.3,M,,M,,") + "\n";
    const struct {
        const char* what;
        std::vector<std::pair<const char*, std::string>> sentences;
        int epochs, fixes;
        bool vertical; // vertical figures present
        double durationSeconds;
    } cases[] = {
        {"GGA with and without a fix", {{"GGA", gga}, {"GGA", ggaNoFix}, {"GSA", gga}}, 2, 1, true, 0},
        {"GGA after RMC in each burst", {{"RMC", rmc}, {"GGA", gga}, {"RMC", rmc}, {"GGA", gga}}, 2, 2, true, 0},
        {"RMC alone, the last one taken at the end", {{"RMC", rmc}, {"RMC", rmcVoid}, {"RMC", rmc}}, 3, 2, false, 0},
        {"GNS before RMC", {{"GNS", gns}, {"RMC", rmc}, {"GNS", gns}, {"RMC", rmc}}, 2, 2, true, 0},
        {"GST is not an epoch", {{"GST", gst}, {"GGA", ggaNoSeparation}}, 1, 1, true, 0},
        {"across midnight", {{"GGA", ggaNoSeparation}, {"GGA", ggaAfterMidnight}}, 2, 2, true, 0.4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Survey survey;
        for (const auto& [type, sentence] : c.sentences)
            survey.sentenceDecoded(type, sentence);
        survey.finish();
        survey.refresh();
        EXPECT_EQ(survey.figures().epochs, c.epochs);
        EXPECT_EQ(survey.figures().fixes, c.fixes);
        EXPECT_EQ(survey.figures().v95.has_value(), c.vertical);
        EXPECT_NEAR(survey.figures().durationSeconds.value_or(-1), c.durationSeconds, 1e-9);
    }
}

TEST(SurveyEpochs, FieldsOfEachSentence)
{
    const SurveyEpoch gga =
        epochOfGga(nmea("GPGGA,235959.80,2459.2057,S,12130.1234,W,2,08,0.9,56.3,M,15.2,M,,") + "\n");
    EXPECT_EQ(gga.utcMsOfDay, 86399800);
    EXPECT_EQ(gga.quality, 2);
    EXPECT_EQ(gga.satsUsed, 8);
    EXPECT_NEAR(gga.latitude, -24.986762, 1e-6);
    EXPECT_NEAR(gga.longitude, -121.502057, 1e-6);
    EXPECT_NEAR(*gga.height, 71.5, 1e-9);
    EXPECT_NEAR(*epochOfGga(nmea("GPGGA,1,2459.2057,N,12130.1234,E,1,08,0.9,56.3,M,,M,,") + "\n").height, 56.3, 1e-9);
    const SurveyEpoch gns = epochOfGns(nmea("GNGNS,120000.00,2459.2057,N,12130.1234,E,NDA,10,0.8,56.3,15.2,,,V") + "\n");
    EXPECT_EQ(gns.quality, 2);
    EXPECT_NEAR(*gns.height, 71.5, 1e-9);
    EXPECT_FALSE(epochOfGns(nmea("GNGNS,120000.00,2459.2057,N,12130.1234,E,NN,10,0.8,56.3,15.2,,,V") + "\n").fix);
    const SurveyEpoch rmc = epochOfRmc(nmea("GPRMC,120000.00,A,2459.2057,N,12130.1234,E,0.0,0.0,191007,,") + "\n");
    EXPECT_TRUE(rmc.fix);
    EXPECT_FALSE(rmc.height);
    const GstClaim gst = claimOfGst(nmea("GPGST,120000.00,2.0,1.5,1.0,30.0,1.2,1.4,2.6") + "\n");
    EXPECT_EQ(gst.sigmaLatitude, 1.2);
    EXPECT_EQ(gst.sigmaLongitude, 1.4);
    EXPECT_EQ(gst.sigmaAltitude, 2.6);
}

} // namespace
} // namespace norvane::test
