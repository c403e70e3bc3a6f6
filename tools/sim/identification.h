// What the simulated receiver says about itself: the banner lines it prints when it starts and
// the binary version reply to the second family's revision query.
#pragma once

#include <string>
#include <vector>

namespace norvane::sim {

// The receiver's name (the word between '$' and the first ',' of its name line), kernel and
// version numbers, as the program cuts them out of the banner lines.
constexpr char kReceiverName[] = "SkyWren";
constexpr char kKernelVersion[] = "1.2.04";
constexpr char kFirmwareVersion[] = "1.4.27";
constexpr char kFirmwareRevision[] = "07101912"; // yymmddhh
// The 12-character version text of the version reply and the dated version line.
constexpr char kPlatformVersion[] = "PLN2.03-1019";

// Name, kernel and version line, and the dated version line when asked for; each ends in CR LF
// and none carries a '*' checksum.
std::vector<std::string> bannerLines(bool datedVersionLine);

// A text sentence holding "OK", which a tool waiting for its download reply must not take
// for one.
std::string bootTextSentence();

// The answer to the revision query. Carries no '$', so it travels glued to the sentence sent
// before it. With flowControlBytes the release date and the CRC are made of 0x11 and 0x13, the
// bytes a line with software flow control left on would swallow.
std::string versionReply(bool flowControlBytes = false);

} // namespace norvane::sim
