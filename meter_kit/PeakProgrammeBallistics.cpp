#include "PeakProgrammeBallistics.h"

#include "MeterRates.h"

#include <cmath>

namespace vyrkit::peak_programme
{
double attackCoefficientFor(double integrationMs, double processingRate) noexcept
{
    if (integrationMs > 0.05)
        return 1.0 - std::pow(0.01, 1.0 / (integrationMs * processingRate * 0.001));
    return 1.0;
}

// The steps in the fall-back time are formed as processingRate x returnMs x
// 0.001; the setter's returnMs x processingRate x 0.001 is the same number, since
// the first product does not depend on the order of its two factors.
double releaseCoefficientFor(double returnMs, double processingRate) noexcept
{
    return 1.0 - std::pow(0.0625, 1.0 / (processingRate * returnMs * 0.001));
}

double holdSamplesFor(double holdMs, double processingRate) noexcept
{
    return holdMs * 0.001 * processingRate;
}

PeakProgrammeBallistics ballisticsFor(const PeakProgrammeSettings& s, double meterRate) noexcept
{
    PeakProgrammeBallistics b;
    // Read first: a change made while the values below are read moves it on, and
    // the next check takes the values again.
    b.settingsGeneration = s.ballisticsGeneration.load(std::memory_order_acquire);

    b.processingRate = meterRate;
    b.oversamplingFactor = 0;
    if (s.oversamplingOn == 1)
    {
        b.oversamplingFactor = oversamplingFactorFor(meterRate);
        if (b.oversamplingFactor != 0)
            b.processingRate = b.oversamplingFactor * meterRate;
    }

    b.attackCoefficient = attackCoefficientFor(s.integrationMs, b.processingRate);
    b.releaseCoefficient = releaseCoefficientFor(s.returnMs, b.processingRate);
    b.holdSamples = holdSamplesFor(s.holdMs, b.processingRate);
    b.ringStep = ringStepFor(b.processingRate);
    return b;
}

bool isCurrent(const PeakProgrammeBallistics& b, const PeakProgrammeSettings& s) noexcept
{
    return b.settingsGeneration == s.ballisticsGeneration.load(std::memory_order_acquire);
}

void chooseBallistics(PeakProgrammeBallistics& b, const PeakProgrammeSettings& s, double meterRate,
                      InterpolationHistory& history) noexcept
{
    b = ballisticsFor(s, meterRate);
    history.restart(b.oversamplingFactor);
}

void followSettings(PeakProgrammeBallistics& b, const PeakProgrammeSettings& s, double meterRate,
                    InterpolationHistory& history) noexcept
{
    if (isCurrent(b, s))
        return;
    const int factorBefore = b.oversamplingFactor;
    b = ballisticsFor(s, meterRate);
    if (b.oversamplingFactor != factorBefore)
        history.restart(b.oversamplingFactor);
}
} // namespace vyrkit::peak_programme
