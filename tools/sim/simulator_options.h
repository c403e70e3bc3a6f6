// Everything the simulated receiver can be told when it is started.
#pragma once

#include "sim/download_responder.h"
#include "sim/position_noise.h"

#include <string>
#include <vector>

namespace norvane::sim {

struct SimulatorOptions {
    int rate = 9600;                        // the only line rate at which the receiver is understood
    std::string talker = "GP";              // "GP" or "GN"
    std::vector<std::string> systems{"GP"}; // talkers of the systems heard; more than GP: GN sentences
    bool nmea410 = true;                    // system IDs in GSA, signal IDs in GSV (with several systems)
    std::vector<std::string> bands;         // "L1", "L5": every satellite on each, NMEA 4.11 signal IDs
    double latitude = 2459.2057;            // ddmm.mmmm
    char latHemisphere = 'N';
    double longitude = 12130.1234; // dddmm.mmmm
    char lonHemisphere = 'E';
    double altitude = 56.3;   // metres above mean sea level
    bool pacing = true;       // ten bit times a byte in both directions
    double speed = 1.0;       // the receiver's clock runs this many times faster than real time;
                              // bursts, re-acquisition and line pacing all follow it
    std::string replayFile;   // when set, its sentences are sent instead of generated ones
    std::string linkPath;     // when set, a symbolic link to the slave device is made here
    unsigned seed = 1;        // the sky and the spread of the re-acquisition times
    bool answerFrames = true; // false: command frames are ignored (no acknowledgement, no restart)
    double coldSeconds = 30, warmSeconds = 20, hotSeconds = 3; // re-acquisition, simulator seconds
    double coldSpread = -1, warmSpread = -1, hotSpread = -1;   // "mean:spread"; -1: a tenth either way
    bool banners = true;                           // identification lines at start and after each restart
    bool datedVersionLine = false;                 // adds the "$PLC" line to the banners
    bool okInBanner = false;                       // adds a text sentence holding "OK" to the banners
    bool flowControlVersion = false;               // the version reply's date and CRC bytes are 0x11 and 0x13
    bool softwareFlowControl = false;              // the line starts with XON/XOFF on, as a fresh serial port
    std::string startTime = "2007-10-19 12:00:00"; // UTC of the first burst; empty: the real time
    NoiseOptions noise;                            // position error; none by default
    bool gst = false;                              // a GST sentence with the noise's sigmas after each fix
    int fixRate = 1;                               // GGA, GSA and RMC this many times a second
    DownloadOptions download;
};

} // namespace norvane::sim
