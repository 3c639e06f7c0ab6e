// The display read-out the editor's timer uses under the callback lock: the
// needle and hold values of this moment, interpolated within the last block or
// taken from the history ring when a display delay is set. updateDisplayIndex
// reads the delay once for the tick under way; the other reads show what it
// chose.
#include "VyrKelsoMAudioProcessor.h"

#include "NeedleReadout.h"

namespace vyrkelsom
{
using namespace vyrkit::readout;

void VyrKelsoMAudioProcessor::updateDisplayIndex() noexcept
{
    vyrkit::readout::updateDisplayIndex(historyPosition, latencyMs);
}

float VyrKelsoMAudioProcessor::getDisplayLevel(float x) noexcept
{
    shownLevel = showsHistory(historyPosition) ? fromRing(history.level, historyPosition.displayIndex, x)
                                               : follow(needleLevel, needleLevelAtBlockStart, x);
    return shownLevel;
}

float VyrKelsoMAudioProcessor::getDisplayHold(float x) noexcept
{
    shownHold = showsHistory(historyPosition) ? fromRing(history.hold, historyPosition.displayIndex, x)
                                              : follow(holdNeedle, holdNeedleAtBlockStart, x);
    // In hold mode Infinity the shown hold never falls until it is reset.
    if (holdMode == 1.0f)
        shownHold = holdInInfinity(shownHold, infinityHold);
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

// The callback lock is held: the display read-out uses the maximum under it.
void VyrKelsoMAudioProcessor::restartHold()
{
    infinityHold = -0.05;
}

double VyrKelsoMAudioProcessor::readOverCount() noexcept
{
    // The slots read are then marked as read, so that no over is shown twice.
    return vyrkit::readout::readOverCount(history, historyPosition, overSamples, &overReadMark);
}

void VyrKelsoMAudioProcessor::setOverCount(double count) noexcept
{
    vyrkit::readout::setOverCount(history, historyPosition, overSamples, count);
}
} // namespace vyrkelsom
