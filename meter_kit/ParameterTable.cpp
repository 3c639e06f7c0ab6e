#include "ParameterTable.h"

#include "DecibelText.h"

namespace vyrkit
{
juce::String holdModeText(float mode)
{
    return mode == 2.0f ? "On" : (mode == 1.0f ? "Infinity" : "Off");
}

juce::String latencyText(int ms) { return juce::String(ms) + " ms"; }

juce::String trimText(float targetGain, int trimEnabled)
{
    if (trimEnabled == 0)
        return "-";
    float d = targetGain > 0.0f ? 20.0f * std::log10(targetGain) : -100.0f;
    if (! (d > -100.0f))
        d = -100.0f;
    return decibelsToString(d, 1, -100.0).trimCharactersAtStart("+");
}

juce::String activeText(int trimEnabled) { return trimEnabled == 0 ? "Inactive" : "Active"; }
} // namespace vyrkit
