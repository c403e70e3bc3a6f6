#include "sim/receiver_model.h"

#include "sim/identification.h"
#include "sim/nmea_burst.h"

namespace norvane::sim {

ReceiverModel::ReceiverModel(const SimulatorOptions& options, UtcTime start,
                             std::optional<ReplaySource> replay)
    : options_(options), start_(start), replay_(std::move(replay)), sky_(options.seed),
      timeline_({options.coldSeconds, options.warmSeconds, options.hotSeconds, options.coldSpread,
                 options.warmSpread, options.hotSpread},
                options.seed)
{
    if (!gpsOnly(options.systems) || !options.bands.empty())
        constellations_.emplace(options.systems, options.nmea410, options.seed, options.bands);
    if (options.noise.horizontal > 0)
        noise_.emplace(options.noise, 1.0 / options.fixRate, options.seed * 7919 + 17);
}

namespace {

bool isGsv(const std::string& line)
{
    return line.size() > 6 && line.compare(3, 3, "GSV") == 0;
}

} // namespace

std::vector<std::string> ReceiverModel::startupLines() const
{
    if (!options_.banners || replay_)
        return {};
    std::vector<std::string> lines = bannerLines(options_.datedVersionLine);
    if (options_.okInBanner)
        lines.push_back(bootTextSentence());
    return lines;
}

std::vector<std::string> ReceiverModel::burst(long slot)
{
    if (replay_)
        return replay_->nextBurst();
    const int rate = options_.fixRate;
    const long second = slot / rate;
    BurstInput input;
    input.talker = options_.talker;
    input.time = addSeconds(start_, second);
    input.time.millisecond = static_cast<int>(slot % rate) * 1000 / rate;
    const double at = static_cast<double>(slot) / rate;
    input.fixMode = timeline_.fixModeAt(at);
    input.position = {options_.latitude, options_.latHemisphere, options_.longitude, options_.lonHemisphere,
                      options_.altitude};
    if (noise_) {
        input.position = noise_->next(input.position);
        input.angleDecimals = 7;
        input.altitudeDecimals = 3;
    }
    std::vector<std::string> lines;
    if (constellations_) {
        lines = constellations_->burst(input, at);
    } else {
        input.sky = input.fixMode == '1' ? sky_.searchingAt(at) : sky_.at(at);
        lines = nmeaBurst(input);
    }
    if (slot % rate != 0)
        std::erase_if(lines, isGsv);
    if (options_.gst && input.fixMode >= '2')
        lines.push_back(gstSentence(constellations_ ? "GN" : options_.talker, input.time, options_.noise));
    return lines;
}

void ReceiverModel::skipBurst()
{
    if (replay_)
        replay_->nextBurst();
}

double ReceiverModel::secondsToNextBurst() const
{
    return replay_ ? replay_->secondsToNextBurst() : 1.0 / options_.fixRate;
}

CommandAnswer ReceiverModel::answer(const Command& command, double now)
{
    CommandAnswer answer;
    switch (command.kind) {
    case CommandKind::Restart:
        // The first family confirms before it reboots; the second reboots without a word.
        if (command.family == FrameFamily::Vexa)
            answer.reply = vexaAcknowledgement(command.messageId);
        timeline_.restart(command.restart, now);
        answer.restarted = true;
        ++restarts_;
        break;
    case CommandKind::Query:
        answer.reply = vexaAcknowledgement(command.messageId);
        break;
    case CommandKind::RevisionQuery:
        answer.reply = versionReply(options_.flowControlVersion);
        break;
    case CommandKind::Unknown:
        if (command.family == FrameFamily::Vexa)
            answer.reply = vexaRefusal(command.messageId);
        break;
    case CommandKind::Rejected:
        break;
    }
    return answer;
}

} // namespace norvane::sim
