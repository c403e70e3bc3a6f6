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
    if (!gpsOnly(options.systems))
        constellations_.emplace(options.systems, options.nmea410, options.seed);
}

std::vector<std::string> ReceiverModel::startupLines() const
{
    if (!options_.banners || replay_)
        return {};
    std::vector<std::string> lines = bannerLines(options_.datedVersionLine);
    if (options_.okInBanner)
        lines.push_back(bootTextSentence());
    return lines;
}

std::vector<std::string> ReceiverModel::burst(long second)
{
    if (replay_)
        return replay_->nextBurst();
    BurstInput input;
    input.talker = options_.talker;
    input.time = addSeconds(start_, second);
    input.fixMode = timeline_.fixModeAt(static_cast<double>(second));
    input.position = {options_.latitude, options_.latHemisphere, options_.longitude, options_.lonHemisphere,
                      options_.altitude};
    double at = static_cast<double>(second);
    if (constellations_)
        return constellations_->burst(input, at);
    input.sky = input.fixMode == '1' ? sky_.searchingAt(at) : sky_.at(at);
    return nmeaBurst(input);
}

void ReceiverModel::skipBurst()
{
    if (replay_)
        replay_->nextBurst();
}

double ReceiverModel::secondsToNextBurst() const
{
    return replay_ ? replay_->secondsToNextBurst() : 1.0;
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
