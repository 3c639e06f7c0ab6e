// The instance state the host saves with its project: the five host parameters,
// the track name and the window size, as the element "VYRTARVOsettings".
#include "VyrTarvoAudioProcessor.h"

#include "MeterStateChunk.h"
#include "VyrTarvoAudioProcessorEditor.h"

namespace vyrtarvo
{
namespace
{
using P = VyrTarvoAudioProcessor;
const vyrkit::MeterStateLayout<5> stateLayout {
    "VYRTARVOsettings",
    { { { "hold", P::holdParameter },
        { "LRMS", P::lrmsParameter },
        { "trim", P::trimParameter },
        { "active", P::activeParameter },
        { "latency", P::latencyParameter } } },
    4,
    { P::activeParameter, P::trimParameter, P::latencyParameter, P::holdParameter, P::lrmsParameter },
};
} // namespace

void VyrTarvoAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    destData = vyrkit::writeMeterState(*this, stateLayout);
}

void VyrTarvoAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    restoreState(stateLayout, data, sizeInBytes);
}
} // namespace vyrtarvo
