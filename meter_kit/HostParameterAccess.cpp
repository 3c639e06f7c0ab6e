#include "HostParameterAccess.h"

namespace vyrkit
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
float parameterValue(juce::AudioProcessor& processor, int index) { return processor.getParameter(index); }

juce::String parameterText(juce::AudioProcessor& processor, int index) { return processor.getParameterText(index); }

void setParameterNotifyingHost(juce::AudioProcessor& processor, int index, double value)
{
    processor.setParameterNotifyingHost(index, static_cast<float>(value));
}
JUCE_END_IGNORE_WARNINGS_GCC_LIKE
} // namespace vyrkit
