// The instance state the host saves with its project: the four host parameters,
// the track name and the window size, as the element "VYRKELSOMsettings".
#include "VyrKelsoMAudioProcessor.h"

#include "SafeNumbers.h"
#include "StateChunk.h"
#include "VyrKelsoMAudioProcessorEditor.h"

#include <cmath>
#include <utility>

namespace vyrkelsom
{
namespace
{
const char* const stateTag = "VYRKELSOMsettings";
}

void VyrKelsoMAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    juce::XmlElement element(stateTag);
    element.setAttribute("hold", vyrkit::formatGeneral20(static_cast<double>(holdValue.load())));
    element.setAttribute("trim", vyrkit::formatGeneral20(static_cast<double>(trimValue.load())));
    element.setAttribute("active", vyrkit::formatGeneral20(static_cast<double>(activeValue.load())));
    element.setAttribute("signature", getSignature());
    element.setAttribute("latency", vyrkit::formatGeneral20(static_cast<double>(latencyValue.load())));
    element.setAttribute("size", juce::String(sizeFlag.load()));
    destData = vyrkit::makeStateChunk(element);
}

void VyrKelsoMAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    const auto element = vyrkit::parseStateChunk(data, sizeInBytes);
    if (element == nullptr || ! vyrkit::tagNameMatches(*element, stateTag))
        return;

    // Each attribute falls back to the current value when it is missing; a text
    // without a number reads as 0.
    const auto read = [&element](const char* name, double current) {
        return vyrkit::numberAttribute(*element, name, current);
    };
    const float hold = static_cast<float>(read("hold", holdValue.load()));
    const float trim = static_cast<float>(read("trim", trimValue.load()));
    const float active = static_cast<float>(read("active", activeValue.load()));
    const float latency = static_cast<float>(read("latency", latencyValue.load()));
    // The window has two sizes: any other stored number means the large one.
    const int size = vyrkit::intAttribute(*element, "size", sizeFlag.load()) != 0 ? 1 : 0;
    sizeFlag = size;
    if (element->hasAttribute("signature"))
        setSignature(element->getStringAttribute("signature"));

    // A finite number too large for a float is no value either.
    const auto finite = [](float v) { return std::isfinite(v) ? v : 0.0f; };
    // Active before Trim, so that the trim text shown is that of the restored state.
    const std::pair<int, float> order[] = {
        { activeParameter, finite(active) },
        { trimParameter, finite(trim) },
        { latencyParameter, finite(latency) },
        { holdParameter, finite(hold) },
    };

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    for (const auto& [index, value] : order)
    {
        setParameter(index, value);
        sendParamChangeMessageToListeners(index, value);
    }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    callEditor([name = getSignature(), size](VyrKelsoMAudioProcessorEditor& editor) {
        editor.setSizeMode(name, size);
    });
}
} // namespace vyrkelsom
