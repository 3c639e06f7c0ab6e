// The display read-out the editor's timer uses under the callback lock: the
// needle and hold values of this moment, interpolated within the last block or
// taken from the history ring when a display delay is set.
#include "VyrTarvoAudioProcessor.h"

#include <cmath>
#include <limits>

namespace vyrtarvo
{
namespace
{
constexpr int ringSize = VyrTarvoAudioProcessor::ringSize;

// The display delay in ring steps, read once: at most 999, never negative.
int displayDelay(int latencyMs) noexcept { return juce::jlimit(0, 999, latencyMs); }

int wrapIndex(int index) noexcept
{
    index %= ringSize;
    return index < 0 ? index + ringSize : index;
}

int slotBefore(int index) noexcept { return index == 0 ? ringSize - 1 : index - 1; }

float glide(float start, double live, float fraction) noexcept
{
    const float fromStart = (1.0f - fraction) * start;
    return static_cast<float>(static_cast<double>(fromStart) + static_cast<double>(fraction) * live);
}
} // namespace

void VyrTarvoAudioProcessor::updateDisplayIndex() noexcept
{
    displayIndex = wrapIndex(ringWriteIndex - displayDelay(latencyMs));
}

float VyrTarvoAudioProcessor::getDisplayLevel(int channel, float x) noexcept
{
    const int c = channel & 1;
    float result;
    if (latencyMs <= 0)
    {
        const double live = needleLevel[c];
        const float start = needleLevelAtBlockStart[c];
        result = live > start ? static_cast<float>(live) : glide(start, live, x);
    }
    else
    {
        const float cur = levelRing[c][(size_t) displayIndex];
        const float prev = levelRing[c][(size_t) slotBefore(displayIndex)];
        result = cur > prev ? cur : (1.0f - x) * prev + cur * x;
    }
    shownLevel[c] = result;
    return result;
}

float VyrTarvoAudioProcessor::getDisplayHold(int channel, float x) noexcept
{
    const int c = channel & 1;
    float result;
    if (latencyMs <= 0)
    {
        const double live = holdNeedle[c];
        const float start = holdNeedleAtBlockStart[c];
        result = live > start ? static_cast<float>(live) : glide(start, live, x);
    }
    else
    {
        const float cur = holdRing[c][(size_t) displayIndex];
        const float prev = holdRing[c][(size_t) slotBefore(displayIndex)];
        result = cur > prev ? cur : (1.0f - x) * prev + cur * x;
    }
    shownHold[c] = result;

    if (holdMode == 1.0f)
    {
        if (static_cast<double>(shownHold[c]) > infinityHold[c])
            infinityHold[c] = shownHold[c];
        else
            shownHold[c] = static_cast<float>(infinityHold[c]);
    }
    return shownHold[c];
}

double VyrTarvoAudioProcessor::readOverCount(int channel) noexcept
{
    const int c = channel & 1;
    overReadout[c].beginRead(displayIndex, displayDelay(latencyMs));
    if (latencyMs <= 0)
        return overSamples[c];
    // The largest count among the slots passed since the previous read.
    return static_cast<double>(overReadout[c].largestCount(overRing[c].data()));
}

void VyrTarvoAudioProcessor::setOverCount(int channel, double count) noexcept
{
    const int c = channel & 1;
    if (latencyMs <= 0)
    {
        overSamples[c] = count;
        return;
    }
    overReadout[c].setCount(overRing[c].data(), static_cast<float>(count));
}

void VyrTarvoAudioProcessor::resetPeakHold()
{
    // Host threads reset the holds while blocks may be processed.
    const juce::ScopedLock lock(getCallbackLock());
    for (int c = 0; c < 2; ++c)
    {
        holdCounter[c] = 0;
        holdNeedle[c] = needleLevel[c];
        infinityHold[c] = needleLevel[c];
    }
}

float VyrTarvoAudioProcessor::getDisplayFraction(double nowSeconds) const noexcept
{
    if (! (blockDuration > 0.0))
        return 0.0f;
    const double fraction = (nowSeconds - lastBlockTime) / blockDuration;
    if (! std::isfinite(fraction) || fraction < 0.0)
        return 0.0f;
    // Unlimited in principle (a needle keeps falling while no blocks arrive), but
    // kept within the float range.
    return static_cast<float>(juce::jmin(fraction, static_cast<double>(std::numeric_limits<float>::max())));
}
} // namespace vyrtarvo
