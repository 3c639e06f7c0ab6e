// The display read-out the editor's timer uses under the callback lock: the
// needle and hold values of this moment, interpolated within the last block or
// taken from the history ring when a display delay is set. The delay is the one
// updateDisplayIndex read for the tick under way.
#include "VyrTarvoAudioProcessor.h"

namespace vyrtarvo
{
float VyrTarvoAudioProcessor::getDisplayLevel(int channel, float x) noexcept
{
    return meter.displayLevel(channel & 1, x);
}

float VyrTarvoAudioProcessor::getDisplayHold(int channel, float x) noexcept
{
    return meter.displayHold(channel & 1, x, holdMode == 1.0f);
}

double VyrTarvoAudioProcessor::readOverCount(int channel) noexcept
{
    // The largest count among the slots passed since the previous read.
    return meter.readOverCount(channel & 1);
}

void VyrTarvoAudioProcessor::setOverCount(int channel, double count) noexcept
{
    meter.setOverCount(channel & 1, count);
}
} // namespace vyrtarvo
