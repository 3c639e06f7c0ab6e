// The display read-out the editor's timer uses under the callback lock: the
// needle and hold values of this moment, interpolated within the last block or
// taken from the history ring when a display delay is set.
#include "VyrKelsoMAudioProcessor.h"

#include <cmath>
#include <limits>

namespace vyrkelsom
{
namespace
{
constexpr int ringSize = VyrKelsoMAudioProcessor::ringSize;

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

// A rising needle jumps to its newest value; a falling one moves from the older
// value towards the newer by the elapsed fraction of the block.
float follow(float newer, float older, float x) noexcept
{
    return newer > older ? newer : (1.0f - x) * older + x * newer;
}
} // namespace

void VyrKelsoMAudioProcessor::updateDisplayIndex() noexcept
{
    displayIndex = wrapIndex(ringWriteIndex - displayDelay(latencyMs));
}

float VyrKelsoMAudioProcessor::getDisplayLevel(float x) noexcept
{
    if (latencyMs > 0)
    {
        const int slot = wrapIndex(displayIndex);
        shownLevel = follow(levelRing[(std::size_t) slot], levelRing[(std::size_t) slotBefore(slot)], x);
    }
    else
        shownLevel = follow(needleLevel, needleLevelAtBlockStart, x);
    return shownLevel;
}

float VyrKelsoMAudioProcessor::getDisplayHold(float x) noexcept
{
    if (latencyMs > 0)
    {
        const int slot = wrapIndex(displayIndex);
        shownHold = follow(holdRing[(std::size_t) slot], holdRing[(std::size_t) slotBefore(slot)], x);
    }
    else
        shownHold = follow(holdNeedle, holdNeedleAtBlockStart, x);

    // In hold mode Infinity the shown hold never falls until it is reset.
    if (holdMode == 1.0f)
    {
        if (static_cast<double>(shownHold) > infinityHold)
            infinityHold = shownHold;
        else
            shownHold = static_cast<float>(infinityHold);
    }
    return shownHold;
}

void VyrKelsoMAudioProcessor::resetPeakHold(float x)
{
    // Re-entrant: the editor's timer already holds the lock.
    const juce::ScopedLock lock(getCallbackLock());
    if (holdMode != 1.0f)
        return;
    if (infinityHold != -0.05)
        infinityHold = getDisplayLevel(x);
    holdCounter = 0.0f;
    holdNeedle = static_cast<float>(infinityHold);
}

double VyrKelsoMAudioProcessor::readOverCount() noexcept
{
    overReadout.beginRead(displayIndex, displayDelay(latencyMs));
    if (latencyMs <= 0)
        return overSamples;
    // The largest count among the slots passed since the previous read; they are
    // then marked as read, so that no over is shown twice.
    return static_cast<double>(overReadout.largestCount(overRing.data(), readMark));
}

void VyrKelsoMAudioProcessor::setOverCount(double count) noexcept
{
    if (latencyMs <= 0)
    {
        overSamples = count;
        return;
    }
    overReadout.setCount(overRing.data(), static_cast<float>(count));
}

float VyrKelsoMAudioProcessor::getDisplayFraction(double nowSeconds) const noexcept
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
} // namespace vyrkelsom
