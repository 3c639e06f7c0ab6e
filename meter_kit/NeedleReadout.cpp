#include "NeedleReadout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vyrkit::readout
{
float displayFraction(double nowSeconds, double lastBlockTime, double blockDuration) noexcept
{
    if (! (blockDuration > 0.0))
        return 0.0f;
    const double fraction = (nowSeconds - lastBlockTime) / blockDuration;
    if (! std::isfinite(fraction) || fraction < 0.0)
        return 0.0f;
    return static_cast<float>(std::min(fraction, static_cast<double>(std::numeric_limits<float>::max())));
}
} // namespace vyrkit::readout
