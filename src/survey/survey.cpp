#include "survey/survey.h"

#include "text/percentile.h"

#include <algorithm>
#include <cmath>

namespace norvane {

namespace {

constexpr std::int64_t kDayMs = 86400000;
// A time of day more than half a day before the previous epoch's is the next day's.
constexpr std::int64_t kMidnightJumpMs = kDayMs / 2;
// The textbook factor of CEP from the two deviations when the errors are nearly circular.
constexpr double kCepFormulaFactor = 0.589;

std::optional<double> sampleDeviation(double comoment, double n)
{
    if (n < 2)
        return std::nullopt;
    return std::sqrt(std::max(0.0, comoment / (n - 1)));
}

} // namespace

void Survey::Moments::add(const std::array<double, 3>& value)
{
    n += 1;
    std::array<double, 3> before{};
    for (std::size_t i = 0; i < 3; ++i) {
        before[i] = value[i] - mean[i];
        mean[i] += before[i] / n;
    }
    const std::array<double, 3> after{value[0] - mean[0], value[1] - mean[1], value[2] - mean[2]};
    comoment[0] += before[0] * after[0];
    comoment[1] += before[1] * after[1];
    comoment[2] += before[2] * after[2];
    comoment[3] += before[0] * after[1];
    comoment[4] += before[0] * after[2];
    comoment[5] += before[1] * after[2];
}

const std::vector<SurveyRow>& Survey::sentenceDecoded(std::string_view type, std::string_view sentence)
{
    completed_.clear();
    if (isSentenceType(type, "GST")) {
        const GstClaim claim = claimOfGst(sentence);
        gstLatitude_.add(claim.sigmaLatitude);
        gstLongitude_.add(claim.sigmaLongitude);
        gstAltitude_.add(claim.sigmaAltitude);
        changed_ = true;
        return completed_;
    }
    for (const SurveyEpoch& epoch : selector_.take(type, sentence))
        completed_.push_back(addEpoch(epoch));
    return completed_;
}

std::optional<SurveyRow> Survey::finish()
{
    if (const auto waiting = selector_.flush())
        return addEpoch(*waiting);
    return std::nullopt;
}

double Survey::continuousUtcSeconds(std::int64_t msOfDay)
{
    if (lastMsOfDay_ && msOfDay < *lastMsOfDay_ - kMidnightJumpMs)
        dayOffsetMs_ += kDayMs;
    lastMsOfDay_ = msOfDay;
    return static_cast<double>(dayOffsetMs_ + msOfDay) / 1000;
}

SurveyRow Survey::addEpoch(const SurveyEpoch& epoch)
{
    ++epochs_;
    changed_ = true;
    std::optional<double> utc;
    if (epoch.utcMsOfDay)
        utc = continuousUtcSeconds(*epoch.utcMsOfDay);
    SurveyRow row{epoch, std::nullopt};
    if (!epoch.fix)
        return row;

    // A fix without a height (RMC) is placed at the last height known, so that it lands on the
    // others' horizon; its vertical error is never used.
    if (epoch.height)
        lastKnownHeight_ = epoch.height;
    else
        ++fixesWithoutHeight_;
    const Ecef ecef = toEcef({epoch.latitude, epoch.longitude, lastKnownHeight_.value_or(0.0)});
    if (!origin_)
        origin_ = ecef;
    const std::array<double, 3> offset{ecef.x - origin_->x, ecef.y - origin_->y, ecef.z - origin_->z};
    moments_.add(offset);
    fixes_.dx.push_back(static_cast<float>(offset[0]));
    fixes_.dy.push_back(static_cast<float>(offset[1]));
    fixes_.dz.push_back(static_cast<float>(offset[2]));
    fixes_.utcSeconds.push_back(static_cast<float>(utc.value_or(lastFixUtc_.value_or(0.0))));
    fixes_.hasHeight.push_back(epoch.height.has_value());
    hdop_.add(epoch.hdop);
    satsUsed_.add(epoch.satsUsed ? std::optional<double>(*epoch.satsUsed) : std::nullopt);
    if (utc) {
        if (!firstFixUtc_)
            firstFixUtc_ = utc;
        lastFixUtc_ = utc;
    }
    row.offset = rowOffset(ecef);
    return row;
}

Enu Survey::rowOffset(const Ecef& fix)
{
    if (mode_ == ReferenceMode::Fixed) {
        if (!rowFrame_)
            rowFrame_.emplace(fixedReference_);
        return rowFrame_->toEnu(fix);
    }
    const Ecef mean{origin_->x + moments_.mean[0], origin_->y + moments_.mean[1], origin_->z + moments_.mean[2]};
    const Ecef* turnedAt = rowFrame_ ? &rowFrame_->originEcef() : nullptr;
    if (!turnedAt || std::hypot(mean.x - turnedAt->x, mean.y - turnedAt->y, mean.z - turnedAt->z) > 1.0)
        rowFrame_.emplace(toGeodetic(mean));
    return rowFrame_->rotate(fix.x - mean.x, fix.y - mean.y, fix.z - mean.z);
}

void Survey::useMeanReference()
{
    mode_ = ReferenceMode::Mean;
    rowFrame_.reset();
    changed_ = true;
}

void Survey::useFixedReference(const Geodetic& reference)
{
    mode_ = ReferenceMode::Fixed;
    fixedReference_ = reference;
    rowFrame_.reset();
    changed_ = true;
}

std::optional<Geodetic> Survey::freezeMean()
{
    if (!origin_)
        return std::nullopt;
    const Geodetic mean = toGeodetic({origin_->x + moments_.mean[0], origin_->y + moments_.mean[1],
                                      origin_->z + moments_.mean[2]});
    useFixedReference(mean);
    return mean;
}

std::optional<Geodetic> Survey::reference() const
{
    if (mode_ == ReferenceMode::Fixed)
        return fixedReference_;
    if (!origin_)
        return std::nullopt;
    return toGeodetic({origin_->x + moments_.mean[0], origin_->y + moments_.mean[1], origin_->z + moments_.mean[2]});
}

std::optional<LocalFrame> Survey::currentFrame() const
{
    const auto point = reference();
    if (!point)
        return std::nullopt;
    return LocalFrame(*point);
}

Ecef Survey::ecefOf(std::size_t fix) const
{
    return {origin_->x + fixes_.dx[fix], origin_->y + fixes_.dy[fix], origin_->z + fixes_.dz[fix]};
}

bool Survey::refreshIfDue(std::int64_t nowMs)
{
    if (!changed_ || (lastRefreshMs_ && nowMs - *lastRefreshMs_ < kRefreshIntervalMs))
        return false;
    lastRefreshMs_ = nowMs;
    refresh();
    return true;
}

void Survey::refresh()
{
    changed_ = false;
    SurveyFigures figures;
    figures.epochs = epochs_;
    figures.fixes = static_cast<int>(fixes_.size());
    if (epochs_ > 0)
        figures.availabilityPercent = 100.0 * figures.fixes / epochs_;
    if (firstFixUtc_)
        figures.durationSeconds = *lastFixUtc_ - *firstFixUtc_;
    figures.referenceMode = mode_;
    figures.reference = reference();
    figures.hdopMean = hdop_.mean();
    figures.satsUsedMean = satsUsed_.mean();
    figures.gstSigmaLatitude = gstLatitude_.mean();
    figures.gstSigmaLongitude = gstLongitude_.mean();
    figures.gstSigmaAltitude = gstAltitude_.mean();
    figuresFrame_ = currentFrame();
    if (figuresFrame_ && !fixes_.empty()) {
        computeMoments(figures, *figuresFrame_);
        computePercentiles(figures, *figuresFrame_);
    }
    figures_ = figures;
}

// Bias and deviations from the running moments, rotated into the reference's frame: the mean
// offset is the rotated mean, and the covariance R C R^T, of which only the diagonal is needed.
void Survey::computeMoments(SurveyFigures& figures, const LocalFrame& frame) const
{
    const Ecef& reference = frame.originEcef();
    const Enu bias = frame.rotate(origin_->x + moments_.mean[0] - reference.x,
                                  origin_->y + moments_.mean[1] - reference.y,
                                  origin_->z + moments_.mean[2] - reference.z);
    const auto& c = moments_.comoment;
    const auto spread = [&c](const Enu& axis) {
        // axis^T C axis for one row of the rotation.
        return axis.east * axis.east * c[0] + axis.north * axis.north * c[1] + axis.up * axis.up * c[2] +
               2 * (axis.east * axis.north * c[3] + axis.east * axis.up * c[4] + axis.north * axis.up * c[5]);
    };
    // The rows of the rotation are the images of the unit vectors under its transpose: rotating
    // each Earth-centred axis gives the columns, so gather them into rows.
    const Enu ex = frame.rotate(1, 0, 0), ey = frame.rotate(0, 1, 0), ez = frame.rotate(0, 0, 1);
    const Enu eastRow{ex.east, ey.east, ez.east};
    const Enu northRow{ex.north, ey.north, ez.north};
    const Enu upRow{ex.up, ey.up, ez.up};
    const double n = moments_.n;
    const double eastSpread = spread(eastRow), northSpread = spread(northRow), upSpread = spread(upRow);

    const bool vertical = fixesWithoutHeight_ == 0;
    figures.biasEast = bias.east;
    figures.biasNorth = bias.north;
    figures.sigmaEast = sampleDeviation(eastSpread, n);
    figures.sigmaNorth = sampleDeviation(northSpread, n);
    if (vertical) {
        figures.biasUp = bias.up;
        figures.sigmaUp = sampleDeviation(upSpread, n);
    }
    // mean of r^2 = |bias|^2 + population variances of east and north.
    const double meanSquare = bias.east * bias.east + bias.north * bias.north + (eastSpread + northSpread) / n;
    figures.drms2 = 2 * std::sqrt(std::max(0.0, meanSquare));
    if (figures.sigmaEast && figures.sigmaNorth)
        figures.cepFormula = kCepFormulaFactor * (*figures.sigmaEast + *figures.sigmaNorth);
}

void Survey::computePercentiles(SurveyFigures& figures, const LocalFrame& frame)
{
    // Every fix is the first fix plus its offset: one rotation of the first fix's difference to
    // the reference, and the rotation of each offset, in the loops over a day of fixes. The frame
    // is copied in, so that the compiler knows the values they write leave it unchanged.
    const Ecef& reference = frame.originEcef();
    const Enu first = frame.rotate(origin_->x - reference.x, origin_->y - reference.y, origin_->z - reference.z);
    const float *dx = fixes_.dx.data(), *dy = fixes_.dy.data(), *dz = fixes_.dz.data();
    const auto rotated = [=](std::size_t start, auto count, double* squares, double* ups) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t f = start + i;
            const Enu offset = frame.rotate(dx[f], dy[f], dz[f]);
            const double east = first.east + offset.east, north = first.north + offset.north;
            squares[i] = east * east + north * north;
            ups[i] = std::fabs(first.up + offset.up);
        }
    };
    // One pass over the fixes for both: the radii, and the heights when every fix has one.
    const bool vertical = fixesWithoutHeight_ == 0;
    radii_.startPass();
    heights_.startPass();
    forEachBlock(fixes_.size(), [&](std::size_t start, auto count) {
        double squares[kVectorBlock], ups[kVectorBlock];
        rotated(start, count, squares, ups);
        radii_.countBlock(squares, count);
        if (vertical)
            heights_.countBlock(ups, count);
    });
    // Worked out again only when a series has to be kept whole.
    const auto radii = radii_.finish(fixes_.size(), [&](std::size_t start, auto count, double* squares) {
        double ups[kVectorBlock];
        rotated(start, count, squares, ups);
    });
    figures.cep50 = radii[0];
    figures.r95 = radii[1];
    figures.r99 = radii[2];
    figures.maxHorizontal = radii[3];
    if (!vertical)
        return;
    const auto heights = heights_.finish(fixes_.size(), [&](std::size_t start, auto count, double* ups) {
        double squares[kVectorBlock];
        rotated(start, count, squares, ups);
    });
    figures.v50 = heights[0];
    figures.v95 = heights[1];
}

std::vector<SurveyPoint> Survey::points(std::size_t first) const
{
    std::vector<SurveyPoint> result;
    if (!figuresFrame_ || first >= fixes_.size())
        return result;
    result.reserve(fixes_.size() - first);
    for (std::size_t i = first; i < fixes_.size(); ++i) {
        const Enu enu = figuresFrame_->toEnu(ecefOf(i));
        result.push_back({fixes_.utcSeconds[i], enu.east, enu.north, enu.up, fixes_.hasHeight[i]});
    }
    return result;
}

} // namespace norvane
