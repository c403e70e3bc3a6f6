#include "survey/signal_figures.h"

#include "text/json_object.h"
#include "text/number_format.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace norvane {

namespace {

constexpr std::size_t kTopCount = 4;

// The C/N0 of one band's satellites heard with a C/N0 above 0, taken one at a time: their mean and
// that of the four strongest. Kept as a sum and the four strongest so far: taken at every epoch of
// a long recording, where a list to sort would cost more than the rest of the figures.
class BandCn0 {
public:
    void add(int cn0)
    {
        sum_ += cn0;
        ++count_;
        if (cn0 <= top_.back())
            return;
        for (int& place : top_) { // without a branch: which is stronger is anyone's guess
            const int stronger = std::max(cn0, place);
            cn0 = std::min(cn0, place);
            place = stronger;
        }
    }
    std::optional<double> mean() const
    {
        return count_ > 0 ? std::optional<double>(sum_ / count_) : std::nullopt;
    }
    std::optional<double> top4Mean() const
    {
        if (count_ == 0)
            return std::nullopt;
        const int strongest = std::min(count_, static_cast<int>(kTopCount));
        return std::accumulate(top_.begin(), top_.begin() + strongest, 0.0) / strongest;
    }

private:
    double sum_ = 0;
    int count_ = 0;
    std::array<int, kTopCount> top_{}; // the strongest first
};

// A band's C/N0 of a satellite, when it was heard on it with one above 0.
std::optional<int> cn0On(const ShownSatellite& s, Band band)
{
    const int cn0 = s.bandSnr[static_cast<int>(band)];
    return s.heardOn(band) && cn0 > 0 ? std::optional<int>(cn0) : std::nullopt;
}

} // namespace

EpochSignal epochSignal(const SatelliteShowing& showing)
{
    EpochSignal epoch;
    BandCn0 l1, l5;
    std::array<double, kGnssSystemCount> sum = {};
    std::array<int, kGnssSystemCount> heard = {};
    for (const ShownSatellite& s : showing.satellites) {
        const int system = static_cast<int>(s.system);
        ++epoch.inView[system];
        if (s.status != kSatInView)
            ++epoch.used[system];
        if (const auto cn0 = cn0On(s, Band::L1)) {
            l1.add(*cn0);
            sum[system] += *cn0;
            ++heard[system];
        }
        if (const auto cn0 = cn0On(s, Band::L5))
            l5.add(*cn0);
    }
    epoch.cn0Mean = l1.mean();
    epoch.cn0Top4Mean = l1.top4Mean();
    epoch.cn0L5Mean = l5.mean();
    epoch.cn0L5Top4Mean = l5.top4Mean();
    for (int system = 0; system < kGnssSystemCount; ++system) {
        if (heard[system] > 0)
            epoch.systemCn0Mean[system] = sum[system] / heard[system];
    }
    return epoch;
}

void SignalFigures::addEpoch(const SatelliteShowing& showing)
{
    // Until the views show a satellite, an epoch says nothing of the receiver, only that its
    // satellites have not been reported yet.
    if (epochs_ == 0 && showing.satellites.empty())
        return;
    const EpochSignal epoch = epochSignal(showing);
    ++epochs_;
    cn0_.add(epoch.cn0Mean);
    cn0Top4_.add(epoch.cn0Top4Mean);
    cn0L5_.add(epoch.cn0L5Mean);
    cn0L5Top4_.add(epoch.cn0L5Top4Mean);
    for (int system = 0; system < kGnssSystemCount; ++system) {
        inView_[system] += epoch.inView[system];
        used_[system] += epoch.used[system];
        systemCn0_[system].add(epoch.systemCn0Mean[system]);
        if (epoch.inView[system] > 0)
            systemsShown_ |= systemBit(static_cast<GnssSystem>(system));
    }
}

SignalSummary SignalFigures::summary() const
{
    SignalSummary summary;
    summary.epochs = epochs_;
    summary.cn0Mean = cn0_.mean();
    summary.cn0Top4Mean = cn0Top4_.mean();
    summary.cn0L5Mean = cn0L5_.mean();
    summary.cn0L5Top4Mean = cn0L5Top4_.mean();
    for (int system = 0; system < kGnssSystemCount; ++system) {
        if ((systemsShown_ & systemBit(static_cast<GnssSystem>(system))) == 0)
            continue;
        summary.systems[system] =
            SystemSignal{static_cast<double>(inView_[system]) / epochs_,
                         static_cast<double>(used_[system]) / epochs_, systemCn0_[system].mean()};
    }
    return summary;
}

std::vector<Figure> signalFigureList(const SignalSummary& summary)
{
    return {
        {"cn0_mean", "C/N0 mean (L1)", summary.cn0Mean, 1, "dB-Hz"},
        {"cn0_top4_mean", "C/N0 top-4 mean (L1)", summary.cn0Top4Mean, 1, "dB-Hz"},
        {"cn0_l5_mean", "C/N0 mean (L5)", summary.cn0L5Mean, 1, "dB-Hz"},
        {"cn0_l5_top4_mean", "C/N0 top-4 mean (L5)", summary.cn0L5Top4Mean, 1, "dB-Hz"},
    };
}

std::string systemsJson(const SignalSummary& summary)
{
    JsonObject systems;
    for (int system = 0; system < kGnssSystemCount; ++system) {
        const auto& s = summary.systems[system];
        if (!s)
            continue;
        JsonObject figures;
        figures.addNumber("in_view_mean", s->inViewMean, 1);
        figures.addNumber("used_mean", s->usedMean, 1);
        figures.addNumber("cn0_mean", s->cn0Mean, 1);
        systems.addRaw(std::string(1, systemLetter(static_cast<GnssSystem>(system))), figures.text());
    }
    return systems.text();
}

std::vector<std::string> systemSummaryLines(const SignalSummary& summary)
{
    std::vector<std::string> lines;
    for (int system = 0; system < kGnssSystemCount; ++system) {
        const auto& s = summary.systems[system];
        if (!s)
            continue;
        const std::string cn0 = s->cn0Mean ? fixedText(*s->cn0Mean, 1) + " dB-Hz" : std::string("-");
        lines.push_back(formatText("%c  in view %s  used %s  C/N0 %s",
                                   systemLetter(static_cast<GnssSystem>(system)), fixedText(s->inViewMean, 1),
                                   fixedText(s->usedMean, 1), cn0));
    }
    return lines;
}

} // namespace norvane
