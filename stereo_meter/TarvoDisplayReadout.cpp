// The display read-out the editor's timer uses under the callback lock: the
// needle and hold values of this moment, interpolated within the last block or
// taken from the history ring when a display delay is set.
#include "VyrTarvoAudioProcessor.h"

namespace vyrtarvo
{
void VyrTarvoAudioProcessor::updateDisplayIndex() noexcept { meter.updateDisplayIndex(latencyMs); }

float VyrTarvoAudioProcessor::getDisplayLevel(int channel, float x) noexcept
{
    return meter.displayLevel(channel & 1, x, latencyMs);
}

float VyrTarvoAudioProcessor::getDisplayHold(int channel, float x) noexcept
{
    return meter.displayHold(channel & 1, x, latencyMs, holdMode == 1.0f);
}

double VyrTarvoAudioProcessor::readOverCount(int channel) noexcept
{
    // The largest count among the slots passed since the previous read.
    return meter.readOverCount(channel & 1, latencyMs);
}

void VyrTarvoAudioProcessor::setOverCount(int channel, double count) noexcept
{
    meter.setOverCount(channel & 1, latencyMs, count);
}

void VyrTarvoAudioProcessor::resetPeakHold()
{
    // Host threads reset the holds while blocks may be processed.
    const juce::ScopedLock lock(getCallbackLock());
    meter.resetPeakHold();
}

float VyrTarvoAudioProcessor::getDisplayFraction(double nowSeconds) const noexcept
{
    return vyrkit::readout::displayFraction(nowSeconds, lastBlockTime, blockDuration);
}
} // namespace vyrtarvo
