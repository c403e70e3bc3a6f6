#pragma once

// One second of a receiver hearing GPS, GLONASS, Galileo and BeiDou, twelve satellites each,
// in NMEA 4.10: GN fixes, a GSA per system with its system ID, GSV groups per system and
// signal (four signals of GPS, three of the others). More than 3000 bytes.
//
// The signals are numbered 1 to 4 (or 3), or, as many bytes, chosen so that every satellite is
// heard on two bands: GPS 1, 2, 3 (L1) and 7 (L5), GLONASS 1, 2 (L1) and 3 (L2), Galileo 7, 6
// (E1) and 1 (E5a), BeiDou 1, 2 (B1I, B1Q) and 5 (B2a).

#include "support/nmea_sentence.h"

#include <cstdio>
#include <string>
#include <vector>

namespace norvane::test {

enum class SecondSignals { Numbered, TwoBands };

inline std::string fourSystemSecond(SecondSignals heard = SecondSignals::Numbered)
{
    struct System {
        const char* talker;
        int systemId;
        int firstPrn;
        std::vector<int> numbered;
        std::vector<int> twoBands;
    };
    const System systems[] = {{"GP", 1, 1, {1, 2, 3, 4}, {1, 2, 3, 7}},
                              {"GL", 2, 65, {1, 2, 3}, {1, 2, 3}},
                              {"GA", 3, 1, {1, 2, 3}, {7, 6, 1}},
                              {"GB", 4, 1, {1, 2, 3}, {1, 2, 5}}};
    std::string second = nmeaLine("GNGGA,120000.000,2459.2057,N,12130.1234,E,1,24,0.7,56.3,M,15.2,M,,");
    for (const System& s : systems) {
        std::string body = "GNGSA,A,3";
        for (int i = 0; i < 12; ++i)
            body += "," + std::to_string(s.firstPrn + i * 2);
        second += nmeaLine(body + ",1.2,0.7,0.9," + std::to_string(s.systemId));
    }
    for (const System& s : systems) {
        const std::vector<int>& ids = heard == SecondSignals::Numbered ? s.numbered : s.twoBands;
        for (int band = 1; band <= static_cast<int>(ids.size()); ++band) {
            for (int m = 1; m <= 3; ++m) {
                std::string body = std::string(s.talker) + "GSV,3," + std::to_string(m) + ",12";
                for (int k = 0; k < 4; ++k) {
                    const int i = (m - 1) * 4 + k;
                    char satellite[40];
                    std::snprintf(satellite, sizeof satellite, ",%02d,%02d,%03d,%02d", s.firstPrn + i * 2,
                                  10 + i * 6, i * 30, 45 - band * 3 - i);
                    body += satellite;
                }
                second += nmeaLine(body + "," + std::to_string(ids[static_cast<std::size_t>(band - 1)]));
            }
        }
    }
    return second + nmeaLine("GNRMC,120000.000,A,2459.2057,N,12130.1234,E,0.00,0.00,191007,,,A,V");
}

} // namespace norvane::test
