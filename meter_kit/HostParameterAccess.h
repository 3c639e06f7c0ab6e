#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace vyrkit
{
// The editors address the host parameters by index, through JUCE's older
// index-based calls, which JUCE 7 marks deprecated.

// The processor's getParameter.
float parameterValue(juce::AudioProcessor& processor, int index);
// The processor's getParameterText.
juce::String parameterText(juce::AudioProcessor& processor, int index);
// setParameterNotifyingHost with the value in float: the processor's
// setParameter, then the host is told, which records it as automation.
void setParameterNotifyingHost(juce::AudioProcessor& processor, int index, double value);
} // namespace vyrkit
