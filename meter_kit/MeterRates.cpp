#include "MeterRates.h"

#include "SafeNumbers.h"

#include <cmath>

namespace vyrkit
{
double usableSampleRate(double rate) noexcept
{
    return (std::isfinite(rate) && rate > 0.0) ? rate : 44100.0;
}

int ringStepFor(double processingRate) noexcept
{
    return truncToInt(processingRate * static_cast<double>(0.001f));
}

float trimSmoothingFor(double rate) noexcept
{
    const float coefficient = static_cast<float>(static_cast<double>(trimGlideConstant) / rate);
    return coefficient > 1.0f ? 1.0f : coefficient;
}

int oversamplingFactorFor(double meterRate) noexcept
{
    if (meterRate > 100000.0)
        return 0;
    return meterRate > 88200.0 ? 2 : 4;
}
} // namespace vyrkit
