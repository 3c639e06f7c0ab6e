// The instance state the host saves with its project: the four host parameters,
// the track name and the window size, as the element "VYRKELSOMsettings".
#include "VyrKelsoMAudioProcessor.h"

#include "MeterStateChunk.h"
#include "VyrKelsoMAudioProcessorEditor.h"

namespace vyrkelsom
{
namespace
{
using P = VyrKelsoMAudioProcessor;
// Active before Trim, so that the trim text shown is that of the restored state.
const vyrkit::MeterStateLayout<4> stateLayout {
    "VYRKELSOMsettings",
    { { { "hold", P::holdParameter },
        { "trim", P::trimParameter },
        { "active", P::activeParameter },
        { "latency", P::latencyParameter } } },
    3,
    { P::activeParameter, P::trimParameter, P::latencyParameter, P::holdParameter },
};
} // namespace

void VyrKelsoMAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    destData = vyrkit::writeMeterState(*this, stateLayout);
}

void VyrKelsoMAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    restoreState(stateLayout, data, sizeInBytes);
}
} // namespace vyrkelsom
