// The five host parameters: names, defaults, derived values and display texts.
#include "VyrTarvoAudioProcessor.h"

#include "ParameterTable.h"
#include "SafeNumbers.h"

#include <cmath>

namespace vyrtarvo
{
using vyrkit::truncToInt;

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")

int VyrTarvoAudioProcessor::getNumParameters() { return numParameters; }

const juce::String VyrTarvoAudioProcessor::getParameterName(int index)
{
    switch (index)
    {
        case holdParameter: return "Hold";
        case lrmsParameter: return " LR/MS ";
        case latencyParameter: return "Latency Compensation";
        case trimParameter: return "Trim";
        case activeParameter: return "Active";
        default: return {};
    }
}

float VyrTarvoAudioProcessor::getParameterDefaultValue(int index)
{
    return index == trimParameter ? 0.5f : 0.0f;
}

float VyrTarvoAudioProcessor::getParameter(int index)
{
    switch (index)
    {
        case holdParameter: return holdModeValue;
        case lrmsParameter: return static_cast<float>(lrmsValue.load());
        case latencyParameter: return latencyValue;
        case trimParameter: return trimValue;
        case activeParameter: return activeValue;
        default: return 0.0f;
    }
}

bool VyrTarvoAudioProcessor::storeParameter(int index, float v)
{
    switch (index)
    {
        case holdParameter:
            if (vyrkit::storeHold<double>(v, holdModeValue, holdMode) != 1.0f)
                resetPeakHold();
            break;
        case lrmsParameter:
            lrmsValue = static_cast<double>(v);
            midSideFlag = static_cast<double>(truncToInt(static_cast<double>(v) + 0.5));
            break;
        case latencyParameter: vyrkit::storeLatency(v, latencyValue, latencyMs); break;
        case trimParameter: vyrkit::storeTrim<double>(v, trimValue, trimDb, trimTargetGain); break;
        case activeParameter: vyrkit::storeActive(v, activeValue, trimEnabled); break;
        default:
            return false;
    }
    return true;
}

const juce::String VyrTarvoAudioProcessor::getParameterText(int index)
{
    switch (index)
    {
        case holdParameter: return vyrkit::holdModeText(holdMode);
        case lrmsParameter: return midSideFlag >= 0.5 ? " MS " : " LR ";
        case latencyParameter: return vyrkit::latencyText(latencyMs);
        case trimParameter: return vyrkit::trimText(trimTargetGain, trimEnabled);
        case activeParameter: return vyrkit::activeText(trimEnabled);
        default: return {};
    }
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
} // namespace vyrtarvo
