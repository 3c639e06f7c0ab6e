// The display read-out the editor's timer uses under the callback lock: the
// needle and hold values of this moment, interpolated within the last block or
// taken from the history ring when a display delay is set, and the over count.
#include "VyrTarvoMAudioProcessor.h"

#include "NeedleReadout.h"

namespace vyrtarvom
{
using namespace vyrkit::readout;

namespace
{
// A slot the editor has read holds this until the history overwrites it, so
// that no over is counted twice.
constexpr float readMark = -1.0f;
} // namespace

void VyrTarvoMAudioProcessor::updateDisplayIndex() noexcept
{
    vyrkit::readout::updateDisplayIndex(historyPosition, latencyMs);
}

float VyrTarvoMAudioProcessor::getDisplayLevel(float x) noexcept
{
    shownLevel = latencyMs <= 0 ? follow(needleLevel, needleLevelAtBlockStart, x)
                                : fromRing(history.level, historyPosition.displayIndex, x);
    return shownLevel;
}

float VyrTarvoMAudioProcessor::getDisplayHold(float x) noexcept
{
    shownHold = latencyMs <= 0 ? follow(holdNeedle, holdNeedleAtBlockStart, x)
                               : fromRing(history.hold, historyPosition.displayIndex, x);
    if (holdMode == 1.0f)
        shownHold = holdInInfinity(shownHold, infinityHold);
    return shownHold;
}

double VyrTarvoMAudioProcessor::readOverCount() noexcept
{
    // Each slot read is then marked as read.
    return vyrkit::readout::readOverCount(history, historyPosition, latencyMs, overSamples, &readMark);
}

void VyrTarvoMAudioProcessor::setOverCount(double count) noexcept
{
    vyrkit::readout::setOverCount(history, latencyMs, overSamples, count);
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
    return displayFraction(nowSeconds, lastBlockTime, blockDuration);
}

float VyrTarvoMAudioProcessor::getRingSlot(int ring, int slot) const noexcept
{
    if (slot < 0 || slot >= ringSize)
        return 0.0f;
    const auto s = (size_t) slot;
    switch (ring)
    {
        case 0: return history.level[s];
        case 1: return history.hold[s];
        case 2: return history.over[s];
        default: return 0.0f;
    }
}
} // namespace vyrtarvom
