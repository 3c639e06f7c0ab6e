#include "DelayedOverReadout.h"

// The history ring is this read-out's ring, so its slots wrap as the ring's do.
#include "NeedleReadout.h"

#include <algorithm>

namespace vyrkit
{
namespace
{
constexpr int ringSize = DelayedOverReadout::ringSize;
using readout::wrapIndex;
} // namespace

void DelayedOverReadout::beginRead(int displayIndex, int delay) noexcept
{
    const int to = wrapIndex(displayIndex);
    int span = wrapIndex(to - readTo);
    continuesPreviousRead = span != 0 && span <= maximumSpan;
    if (! continuesPreviousRead)
        span = 1;
    // The shown slot and the 1000 - delay slots before it still hold delayed
    // history; the writer has already overwritten those before them.
    span = std::min(span, ringSize - std::clamp(delay, 0, ringSize - 2));
    readFrom = wrapIndex(to - span);
    readTo = to;
}

float DelayedOverReadout::largest(float* ring, const float* mark) noexcept
{
    const int span = wrapIndex(readTo - readFrom);
    float result = ring[wrapIndex(readFrom + 1)];
    for (int i = 1; i <= span; ++i)
    {
        float& slot = ring[wrapIndex(readFrom + i)];
        result = std::max(result, slot);
        if (mark != nullptr)
            slot = *mark;
    }
    // What the writer carried belongs to slots between the previous read and
    // this one; after a fresh start it is older than that and forgotten.
    if (continuesPreviousRead)
        result = std::max(result, carried);
    carried = 0.0f;
    carriedAge = 0;
    return result;
}

float DelayedOverReadout::largestCount(float* ring) noexcept { return largest(ring, nullptr); }

float DelayedOverReadout::largestCount(float* ring, float mark) noexcept { return largest(ring, &mark); }

void DelayedOverReadout::setCount(float* ring, float count) noexcept
{
    const int span = wrapIndex(readTo - readFrom);
    for (int i = 1; i <= span; ++i)
        ring[wrapIndex(readFrom + i)] = count;
}

void DelayedOverReadout::clear() noexcept
{
    readFrom = readTo = 0;
    continuesPreviousRead = false;
    carried = 0.0f;
    carriedAge = 0;
}
} // namespace vyrkit
