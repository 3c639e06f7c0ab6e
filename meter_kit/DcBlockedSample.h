#pragma once

#include "IirFilter.h"

#include <cmath>

namespace vyrkit
{
// The largest DC-blocked value a meter takes in: about 600 dB above full scale,
// far beyond any audio, and far enough below the float range that no
// interpolation, channel sum, reference gain or needle step formed from it
// later can overflow.
constexpr double largestMeteredSample = 1.0e30;

// One input sample through a meter's DC blocker, for the meter only: the audio
// never passes here. A sample that is not finite (NaN, an infinity), or whose
// filtered value passes largestMeteredSample, never enters the meter state:
// the blocker, whose history it has spoilt, starts again from rest, and the
// meter takes 0 for this sample. Otherwise one bad sample would leave the
// needle NaN, or pinned, for the rest of the session. The test is a comparison
// on the filtered value and a branch that normal audio never takes; it is not
// part of the filter's recursion.
inline float dcBlockedSample(IirFilter& blocker, float sample) noexcept
{
    const double filtered = blocker.processSample(static_cast<double>(sample));
    // A NaN fails the comparison too.
    if (__builtin_expect(! (std::abs(filtered) <= largestMeteredSample), 0))
    {
        blocker.reset();
        return 0.0f;
    }
    return static_cast<float>(filtered);
}
} // namespace vyrkit
