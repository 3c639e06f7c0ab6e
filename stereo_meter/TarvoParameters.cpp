// The stereo meter's own host parameter, the LR/MS switch: its name, value,
// derived flag and display text. The kit's processor has the other four.
#include "VyrTarvoAudioProcessor.h"

#include "SafeNumbers.h"

namespace vyrtarvo
{
juce::String VyrTarvoAudioProcessor::ownParameterName(int index)
{
    return index == lrmsParameter ? " LR/MS " : juce::String();
}

float VyrTarvoAudioProcessor::ownParameterValue(int index)
{
    return index == lrmsParameter ? static_cast<float>(lrmsValue.load()) : 0.0f;
}

bool VyrTarvoAudioProcessor::storeOwnParameter(int index, float v)
{
    // Any other index stores nothing, and the editor does not hear of it.
    if (index != lrmsParameter)
        return false;
    lrmsValue = static_cast<double>(v);
    midSideFlag = static_cast<double>(vyrkit::truncToInt(static_cast<double>(v) + 0.5));
    return true;
}

juce::String VyrTarvoAudioProcessor::ownParameterText(int index)
{
    if (index != lrmsParameter)
        return {};
    return midSideFlag >= 0.5 ? " MS " : " LR ";
}
} // namespace vyrtarvo
