// The display read-out the editor's timer uses under the callback lock: the
// needle and hold values of this moment, interpolated within the last block or
// taken from the history ring when a display delay is set.
#include "VyrTarvoAudioProcessor.h"

#include "NeedleReadout.h"

namespace vyrtarvo
{
using namespace vyrkit::readout;

void VyrTarvoAudioProcessor::updateDisplayIndex() noexcept
{
    vyrkit::readout::updateDisplayIndex(historyPosition, latencyMs);
}

float VyrTarvoAudioProcessor::getDisplayLevel(int channel, float x) noexcept
{
    const int c = channel & 1;
    shownLevel[c] = latencyMs <= 0 ? follow(needleLevel[c], needleLevelAtBlockStart[c], x)
                                   : fromRing(history[c].level, historyPosition.displayIndex, x);
    return shownLevel[c];
}

float VyrTarvoAudioProcessor::getDisplayHold(int channel, float x) noexcept
{
    const int c = channel & 1;
    shownHold[c] = latencyMs <= 0 ? follow(holdNeedle[c], holdNeedleAtBlockStart[c], x)
                                  : fromRing(history[c].hold, historyPosition.displayIndex, x);
    if (holdMode == 1.0f)
        shownHold[c] = holdInInfinity(shownHold[c], infinityHold[c]);
    return shownHold[c];
}

double VyrTarvoAudioProcessor::readOverCount(int channel) noexcept
{
    const int c = channel & 1;
    return vyrkit::readout::readOverCount(history[c], historyPosition, latencyMs, overSamples[c]);
}

void VyrTarvoAudioProcessor::setOverCount(int channel, double count) noexcept
{
    const int c = channel & 1;
    vyrkit::readout::setOverCount(history[c], latencyMs, overSamples[c], count);
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
    return displayFraction(nowSeconds, lastBlockTime, blockDuration);
}
} // namespace vyrtarvo
