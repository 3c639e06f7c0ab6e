// The display read-out the editor's timer uses under the callback lock: the
// needle and hold values of this moment, interpolated within the last block or
// taken from the history ring when a display delay is set, and the over count.
// The delay is the one updateDisplayIndex read for the tick under way.
#include "VyrTarvoMAudioProcessor.h"

namespace vyrtarvom
{
float VyrTarvoMAudioProcessor::getDisplayLevel(float x) noexcept { return meter.displayLevel(0, x); }

float VyrTarvoMAudioProcessor::getDisplayHold(float x) noexcept
{
    return meter.displayHold(0, x, holdMode == 1.0f);
}

double VyrTarvoMAudioProcessor::readOverCount() noexcept
{
    // The largest count among the slots passed since the previous read; each
    // slot is then marked as read.
    return meter.readOverCount(0, &vyrkit::readout::overReadMark);
}

void VyrTarvoMAudioProcessor::setOverCount(double count) noexcept { meter.setOverCount(0, count); }

float VyrTarvoMAudioProcessor::getRingSlot(int ring, int slot) const noexcept
{
    if (slot < 0 || slot >= ringSize)
        return 0.0f;
    const auto s = (size_t) slot;
    const auto& history = meter.history[0];
    switch (ring)
    {
        case 0: return history.level[s];
        case 1: return history.hold[s];
        case 2: return history.over[s];
        default: return 0.0f;
    }
}
} // namespace vyrtarvom
