// The four host parameters: names, defaults, derived values and display texts.
#include "VyrKelsoMAudioProcessor.h"

#include "ParameterTable.h"

#include <cmath>

namespace vyrkelsom
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")

int VyrKelsoMAudioProcessor::getNumParameters() { return numParameters; }

const juce::String VyrKelsoMAudioProcessor::getParameterName(int index)
{
    switch (index)
    {
        case holdParameter: return "Hold";
        case latencyParameter: return "Latency Compensation";
        case trimParameter: return "Trim";
        case activeParameter: return "Active";
        default: return " ";
    }
}

float VyrKelsoMAudioProcessor::getParameterDefaultValue(int index)
{
    return index == trimParameter ? 0.5f : 0.0f;
}

float VyrKelsoMAudioProcessor::getParameter(int index)
{
    switch (index)
    {
        case holdParameter: return holdValue;
        case latencyParameter: return latencyValue;
        case trimParameter: return trimValue;
        case activeParameter: return activeValue;
        default: return 0.0f;
    }
}

bool VyrKelsoMAudioProcessor::storeParameter(int index, float v)
{
    switch (index)
    {
        case holdParameter:
        {
            const float mode = vyrkit::storeHold<float>(v, holdValue, holdMode);
            if (mode != 1.0f)
            {
                // The display read-out uses the maximum under the callback lock.
                const juce::ScopedLock lock(getCallbackLock());
                infinityHold = -0.05;
            }
            break;
        }
        case latencyParameter: vyrkit::storeLatency(v, latencyValue, latencyMs); break;
        case trimParameter: vyrkit::storeTrim<float>(v, trimValue, trimDb, trimTargetGain); break;
        case activeParameter: vyrkit::storeActive(v, activeValue, trimEnabled); break;
        default:
            // Nothing is stored, but the editor still hears of the call.
            break;
    }
    return true;
}

const juce::String VyrKelsoMAudioProcessor::getParameterText(int index)
{
    switch (index)
    {
        case holdParameter: return getSettingText(0);
        case latencyParameter: return vyrkit::latencyText(latencyMs);
        case trimParameter: return vyrkit::trimText(trimTargetGain, trimEnabled);
        case activeParameter: return vyrkit::activeText(trimEnabled);
        default: return " ";
    }
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
} // namespace vyrkelsom
