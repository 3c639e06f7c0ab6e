// The instance state the host saves with its project: the four host parameters,
// the track name and the window size, as the element "VYRTARVOMsettings".
#include "VyrTarvoMAudioProcessor.h"

#include "MeterStateChunk.h"
#include "VyrTarvoMAudioProcessorEditor.h"

namespace vyrtarvom
{
namespace
{
using P = VyrTarvoMAudioProcessor;
const vyrkit::MeterStateLayout<4> stateLayout {
    "VYRTARVOMsettings",
    { { { "hold", P::holdParameter },
        { "trim", P::trimParameter },
        { "active", P::activeParameter },
        { "latency", P::latencyParameter } } },
    3,
    { P::activeParameter, P::trimParameter, P::latencyParameter, P::holdParameter },
};
} // namespace

void VyrTarvoMAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    destData = vyrkit::writeMeterState(*this, stateLayout);
}

void VyrTarvoMAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    restoreState(stateLayout, data, sizeInBytes);
}
} // namespace vyrtarvom
