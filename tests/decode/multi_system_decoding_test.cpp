// Satellites of several systems: what the decoders keep of real receivers' GSV and GSA lines,
// read back as the views show them.
#include "decode/loop_rig.h"
#include "decode/nmea_decoders.h"
#include "sim/constellations.h"
#include "view/satellite_description.h"
#include "view/shown_satellites.h"
#include "view/snr_bars.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace norvane::test {
namespace {

std::string held(const char* line)
{
    return std::string(line) + "\n";
}

void decodeAll(ReceiverState& state, const std::vector<const char*>& lines)
{
    for (const char* line : lines) {
        const std::string text = held(line);
        if (text.compare(3, 3, "GSV") == 0)
            decodeGsv(state, text);
        else if (text.compare(3, 3, "GSA") == 0)
            decodeGsa(state, text);
        else if (text.compare(3, 3, "RMC") == 0)
            decodeRmc(state, text);
    }
}

std::string shown(const ReceiverState& state)
{
    return satelliteDescription(shownSatellites(state));
}

struct Case {
    const char* what;
    std::vector<const char*> lines;
    const char* expected;
};

TEST(MultiSystemDecoding, RealReceiversLinesGiveEachSystemsSatellites)
{
    const Case cases[] = {
        {"a trailing signal ID after two satellites is no third one",
         {"$GBGSV,2,2,06,14,55,175,46,40,29,043,18,B*06"},
         "2 in view, 0 used; C14 el 55 az 175 snr 46 in view; C40 el 29 az 43 snr 18 in view"},
        {"four satellites and a signal ID; an empty group of another system adds nothing",
         {"$GPGSV,3,1,11,02,07,130,20,06,21,090,24,12,75,223,30,17,21,042,27,1*6E", "$GLGSV,1,1,00*65"},
         "4 in view, 0 used; G02 el 7 az 130 snr 20 in view; G06 el 21 az 90 snr 24 in view; "
         "G12 el 75 az 223 snr 30 in view; G17 el 21 az 42 snr 27 in view"},
        {"a satellite on two bands is one with both SNRs; one heard on L5 alone has its one SNR",
         {"$GPGSV,1,1,02,06,21,090,19,24,56,151,,8*00", "$GPGSV,1,1,01,06,21,090,35,1*00",
          "$GLGSV,1,1,01,76,10,300,,1*00"},
         "3 in view, 0 used; G06 el 21 az 90 snr L1 35 L5 19 in view; G24 el 56 az 151 snr 0 in view; "
         "R12 el 10 az 300 snr 0 in view"},
        {"two signals of one band give the SNR of the lower signal ID, whichever comes first",
         {"$GPGSV,1,1,01,06,21,090,30,2*00", "$GPGSV,1,1,01,06,21,090,35,1*00",
          "$GPGSV,1,1,01,06,21,090,41,8*00", "$GPGSV,1,1,01,06,21,090,39,7*00"},
         "1 in view, 0 used; G06 el 21 az 90 snr L1 35 L5 39 in view"},
        {"Galileo's E1 (signal 7) is its L1 band, E5a (signal 1) its L5; BeiDou B1I and B2a, L2 between",
         {"$GAGSV,1,1,01,05,40,100,44,1*00", "$GAGSV,1,1,01,05,40,100,38,7*00",
          "$GBGSV,1,1,01,19,30,200,33,5*00", "$GBGSV,1,1,01,19,30,200,36,1*00",
          "$GLGSV,1,1,01,70,10,020,25,3*00", "$GLGSV,1,1,01,70,10,020,31,1*00"},
         "3 in view, 0 used; R06 el 10 az 20 snr L1 31 L2 25 in view; E05 el 40 az 100 snr L1 38 L5 44 in "
         "view; "
         "C19 el 30 az 200 snr L1 36 L5 33 in view"},
        {"a GSA with system ID 1 covers GPS and the QZSS numbers within it",
         {"$GPGSV,1,1,03,06,40,100,41,30,50,200,38,15,10,010,22,1*00",
          "$GQGSV,1,1,02,195,60,150,40,199,30,250,35,1*00",
          "$GNGSA,A,3,06,199,30,195,19,03,07,,,,,,1.15,0.60,0.98,1*06"},
         "5 in view, 4 used; G06 el 40 az 100 snr 41 used; G15 el 10 az 10 snr 22 in view; "
         "G30 el 50 az 200 snr 38 used; J03 el 60 az 150 snr 40 used; J07 el 30 az 250 snr 35 used"},
        {"GPS 30 and BeiDou 30 are two satellites, each used by its own system's GSA",
         {"$GPGSV,1,1,01,30,50,200,38,1*00", "$GBGSV,1,1,01,30,20,100,33,1*00",
          "$GNGSA,A,3,30,,,,,,,,,,,,1.0,0.6,0.8,1*00", "$GNGSA,A,3,30,,,,,,,,,,,,1.0,0.6,0.8,4*00"},
         "2 in view, 2 used; G30 el 50 az 200 snr 38 used; C30 el 20 az 100 snr 33 used"},
        {"a BeiDou GSA that was in use does not make GPS 30 used",
         {"$GPGSV,1,1,01,30,50,200,38,1*00", "$GBGSV,1,1,01,30,20,100,33,1*00",
          "$GNGSA,A,3,30,,,,,,,,,,,,1.0,0.6,0.8,4*00"},
         "2 in view, 1 used; G30 el 50 az 200 snr 38 in view; C30 el 20 az 100 snr 33 used"},
        {"two consecutive BeiDou GSA add up to fourteen used satellites",
         {"$GBGSV,1,1,02,42,30,030,30,60,40,040,31,1*00", "$GBGSV,1,1,01,02,50,050,32,5*00",
          "$GNGSA,M,3,02,03,05,07,08,10,13,14,23,25,33,38,1.7,0.9,1.5,4*33",
          "$GNGSA,M,3,42,60,,,,,,,,,,,1.7,0.9,1.5,4*33"},
         "3 in view, 3 used; C02 el 50 az 50 snr 32 used; C42 el 30 az 30 snr 30 used; C60 el 40 az 40 snr "
         "31 used"},
        {"an RMC between them makes the second GSA replace the first",
         {"$GBGSV,1,1,02,42,30,030,30,02,50,050,32,1*00",
          "$GNGSA,M,3,02,03,05,07,08,10,13,14,23,25,33,38,1.7,0.9,1.5,4*33",
          "$GNRMC,003303.00,A,5121.22740,N,01159.45948,E,0.049,,030119,,,A,V*1C",
          "$GNGSA,M,3,42,60,,,,,,,,,,,1.7,0.9,1.5,4*33"},
         "2 in view, 1 used; C02 el 50 az 50 snr 32 in view; C42 el 30 az 30 snr 30 used"},
        {"a GN GSA without system ID tells GLONASS by its numbers and leaves GPS alone",
         {"$GPGSV,1,1,01,05,40,100,41*00", "$GLGSV,1,1,02,75,20,200,30,81,50,300,33*00",
          "$GNGSA,A,3,05,,,,,,,,,,,,1.0,0.6,0.8*00",
          "$GNGSA,A,3,81,79,82,78,88,80,69,,,,,,1.56,0.75,1.37*1C"},
         "3 in view, 2 used; G05 el 40 az 100 snr 41 used; R11 el 20 az 200 snr 30 in view; "
         "R17 el 50 az 300 snr 33 used"},
        {"a GLONASS GSA by system ID; SBAS keeps its own number",
         {"$GPGSV,1,1,01,44,30,200,36*00", "$GLGSV,1,1,01,75,20,200,30*00",
          "$GNGSA,A,3,75,,,,,,,,,,,,1.97,1.01,1.68,2*00"},
         "2 in view, 1 used; S131 el 30 az 200 snr 36 in view; R11 el 20 az 200 snr 30 used"},
    };
    for (const Case& c : cases) {
        ReceiverState state;
        decodeAll(state, c.lines);
        EXPECT_EQ(shown(state), c.expected) << c.what;
    }
}

TEST(MultiSystemDecoding, TheTrailingSignalIdIsNeverStoredInTheTable)
{
    ReceiverState state;
    state.sat_prn[6] = 77;
    decodeGsv(state, held("$GBGSV,2,2,06,14,55,175,46,40,29,043,18,B*06"));
    EXPECT_EQ(state.sat_prn[4], 14);
    EXPECT_EQ(state.sat_snr[5], 18);
    EXPECT_EQ(state.sat_prn[6], 77);

    decodeGsv(state, held("$GPGSV,1,1,03,10,,,25,12,,,28,15,,,16,,,,*76"));
    EXPECT_EQ(state.sat_prn[2], 15) << "without a signal ID the empty fourth satellite is as before";
    EXPECT_EQ(state.sat_prn[3], 0);
}

TEST(MultiSystemDecoding, OneTalkerWithoutIdsIsShownFromTheTableInItsOrder)
{
    ReceiverState state;
    decodeAll(state, {"$GPGSV,1,1,03,30,50,200,38,05,40,100,41,44,30,200,36*00",
                      "$GPGSA,A,3,05,44,,,,,,,,,,,1.0,0.6,0.8*00"});
    markUsedSatellites(state);
    const SatelliteShowing showing = shownSatellites(state);
    EXPECT_TRUE(showing.tableOrder);
    EXPECT_FALSE(showing.severalSystems) << "SBAS numbers in a GPS receiver's table are shown as ever";
    EXPECT_EQ(satelliteDescription(showing), "3 in view, 2 used; G30 el 50 az 200 snr 38 in view; "
                                             "G05 el 40 az 100 snr 41 used; S131 el 30 az 200 snr 36 used");
}

TEST(MultiSystemDecoding, ASystemWhoseGroupsStopWhileOthersComeDropsOutAfterTenTicks)
{
    LoopRig rig;
    rig.tick(nmeaLine("GLGSV,1,1,01,75,20,200,30,1") + nmeaLine("GPGSV,1,1,01,05,40,100,41,1") + "$");
    for (int t = 0; t < 10; ++t)
        rig.tick(nmeaLine("GPGSV,1,1,01,05,40,100,41,1") + "$");
    EXPECT_EQ(shownSatellites(rig.receiver.state).satellites.size(), 2u) << "ten ticks without GLONASS";
    rig.tick(nmeaLine("GPGSV,1,1,01,05,40,100,41,1") + "$");
    EXPECT_EQ(shown(rig.receiver.state), "1 in view, 0 used; G05 el 40 az 100 snr 41 in view");

    for (int t = 0; t < 30; ++t)
        rig.tick();
    EXPECT_EQ(shownSatellites(rig.receiver.state).satellites.size(), 1u) << "a lone system stays";
}

TEST(MultiSystemDecoding, MoreGroupsThanTheSkyHoldsWriteNothingPastIt)
{
    ReceiverState state;
    for (int signal = 0; signal < 16; ++signal) {
        for (const char* talker : {"GP", "GL", "GA", "GB", "GQ"}) {
            char hex[2] = {"0123456789ABCDEF"[signal], 0};
            for (int m = 1; m <= 12; ++m) {
                const std::string line = std::string("$") + talker + "GSV,12," + std::to_string(m) +
                                         ",48,01,10,010,30,02,20,020,31,03,30,030,32,04,40,040,33," + hex +
                                         "*00";
                decodeGsv(state, held(line.c_str()));
            }
        }
    }
    const auto satellites = shownSatellites(state).satellites;
    EXPECT_GE(satellites.size(), 4u * 5u);
    EXPECT_EQ(satellites.front().system, GnssSystem::Gps);
}

std::vector<std::string> fieldsOf(const std::string& sentence)
{
    std::vector<std::string> fields;
    std::istringstream in(sentence.substr(1, sentence.find('*') - 1));
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    return fields;
}

// The simulator's four systems, with and without IDs: every satellite its GSV sentences name is
// shown once under its system's letter, used exactly when its system's GSA lists it.
TEST(MultiSystemDecoding, TheSimulatorsFourSystemsAreToldApartWithAndWithoutIds)
{
    for (const bool nmea410 : {true, false}) {
        const sim::Constellations sky({"GP", "GL", "GA", "GB"}, nmea410, 4);
        sim::BurstInput input;
        ReceiverState state;
        std::set<std::string> named, used;
        std::vector<std::set<int>> listed;
        for (const std::string& line : sky.burst(input, 100)) {
            const std::string text = line.substr(0, line.size() - 2) + "\n";
            const auto f = fieldsOf(line);
            if (f[0] == "GNGSA") {
                decodeGsa(state, text);
                listed.emplace_back();
                for (int i = 3; i < 15; ++i)
                    if (!f[i].empty())
                        listed.back().insert(std::stoi(f[i]));
            } else if (f[0].compare(2, 3, "GSV") == 0) {
                decodeGsv(state, text);
                const std::size_t system = std::string("PLAB").find(f[0][1]);
                const char letter = "GREC"[system];
                for (std::size_t i = 4; i + 3 < f.size(); i += 4) {
                    const int prn = std::stoi(f[i]);
                    const int number = letter == 'R' ? prn - 64 : prn; // Galileo 301 stays E301
                    char label[8];
                    std::snprintf(label, sizeof label, "%c%02d", letter, number);
                    named.insert(label);
                    if (listed.at(system).count(prn) != 0)
                        used.insert(label);
                }
            }
        }
        const SatelliteShowing showing = shownSatellites(state);
        EXPECT_TRUE(showing.severalSystems);
        std::set<std::string> shownLabels, shownUsed;
        for (const ShownSatellite& s : showing.satellites) {
            shownLabels.insert(satelliteLabel(s.system, s.prn));
            if (s.status != kSatInView)
                shownUsed.insert(satelliteLabel(s.system, s.prn));
        }
        EXPECT_EQ(showing.satellites.size(), named.size()) << nmea410;
        EXPECT_EQ(shownLabels, named) << nmea410;
        EXPECT_EQ(shownUsed, used) << nmea410;
        EXPECT_GE(used.size(), 24u) << nmea410;
    }
}

} // namespace
} // namespace norvane::test
