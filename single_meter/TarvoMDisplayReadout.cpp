// The display read-out the editor's timer uses under the callback lock: the
// needle and hold values of this moment, interpolated within the last block or
// taken from the history ring when a display delay is set, and the over count.
#include "VyrTarvoMAudioProcessor.h"

#include <cmath>
#include <limits>

namespace vyrtarvom
{
namespace
{
constexpr int ringSize = VyrTarvoMAudioProcessor::ringSize;

// The display delay in ring steps, read once: at most 999, never negative.
int displayDelay(int latencyMs) noexcept { return juce::jlimit(0, 999, latencyMs); }

int wrapIndex(int index) noexcept
{
    index %= ringSize;
    return index < 0 ? index + ringSize : index;
}

int slotBefore(int index) noexcept { return index == 0 ? ringSize - 1 : index - 1; }

// A slot the editor has read holds this until the history overwrites it, so
// that no over is counted twice.
constexpr float readMark = -1.0f;

float glide(float start, double live, float fraction) noexcept
{
    const float fromStart = (1.0f - fraction) * start;
    return static_cast<float>(static_cast<double>(fromStart) + static_cast<double>(fraction) * live);
}

float fromRing(const std::array<float, ringSize>& ring, int index, float x) noexcept
{
    const float cur = ring[(size_t) index];
    const float prev = ring[(size_t) slotBefore(index)];
    return cur > prev ? cur : (1.0f - x) * prev + cur * x;
}
} // namespace

void VyrTarvoMAudioProcessor::updateDisplayIndex() noexcept
{
    displayIndex = wrapIndex(ringWriteIndex - displayDelay(latencyMs));
}

float VyrTarvoMAudioProcessor::getDisplayLevel(float x) noexcept
{
    float result;
    if (latencyMs <= 0)
    {
        const double live = needleLevel;
        const float start = needleLevelAtBlockStart;
        result = live > start ? static_cast<float>(live) : glide(start, live, x);
    }
    else
    {
        result = fromRing(levelRing, displayIndex, x);
    }
    shownLevel = result;
    return result;
}

float VyrTarvoMAudioProcessor::getDisplayHold(float x) noexcept
{
    if (latencyMs <= 0)
    {
        const double live = holdNeedle;
        const float start = holdNeedleAtBlockStart;
        shownHold = live > start ? static_cast<float>(live) : glide(start, live, x);
    }
    else
    {
        shownHold = fromRing(holdRing, displayIndex, x);
    }

    if (holdMode == 1.0f)
    {
        if (static_cast<double>(shownHold) > infinityHold)
            infinityHold = shownHold;
        else
            shownHold = static_cast<float>(infinityHold);
    }
    return shownHold;
}

double VyrTarvoMAudioProcessor::readOverCount() noexcept
{
    overReadout.beginRead(displayIndex, displayDelay(latencyMs));
    if (latencyMs <= 0)
        return overSamples;
    // The largest count among the slots passed since the previous read; each
    // slot is then marked as read.
    return static_cast<double>(overReadout.largestCount(overRing.data(), readMark));
}

void VyrTarvoMAudioProcessor::setOverCount(double count) noexcept
{
    if (latencyMs <= 0)
    {
        overSamples = count;
        return;
    }
    overReadout.setCount(overRing.data(), static_cast<float>(count));
}

void VyrTarvoMAudioProcessor::resetPeakHold()
{
    // Host threads reset the hold while blocks may be processed.
    const juce::ScopedLock lock(getCallbackLock());
    holdCounter = 0;
    holdNeedle = needleLevel;
    infinityHold = needleLevel;
}

float VyrTarvoMAudioProcessor::getDisplayFraction(double nowSeconds) const noexcept
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

float VyrTarvoMAudioProcessor::getRingSlot(int ring, int slot) const noexcept
{
    if (slot < 0 || slot >= ringSize)
        return 0.0f;
    const auto s = (size_t) slot;
    switch (ring)
    {
        case 0: return levelRing[s];
        case 1: return holdRing[s];
        case 2: return overRing[s];
        default: return 0.0f;
    }
}
} // namespace vyrtarvom
