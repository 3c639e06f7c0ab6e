// The four host parameters: names, defaults, derived values and display texts.
#include "VyrTarvoMAudioProcessor.h"

#include "ParameterTable.h"

#include <cmath>

namespace vyrtarvom
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")

int VyrTarvoMAudioProcessor::getNumParameters() { return numParameters; }

const juce::String VyrTarvoMAudioProcessor::getParameterName(int index)
{
    switch (index)
    {
        case holdParameter: return "Hold";
        case latencyParameter: return "Latency Compensation";
        case trimParameter: return "Trim";
        case activeParameter: return "Active";
        default: return {};
    }
}

float VyrTarvoMAudioProcessor::getParameterDefaultValue(int index)
{
    return index == trimParameter ? 0.5f : 0.0f;
}

float VyrTarvoMAudioProcessor::getParameter(int index)
{
    switch (index)
    {
        case holdParameter: return holdModeValue;
        case latencyParameter: return latencyValue;
        case trimParameter: return trimValue;
        case activeParameter: return activeValue;
        default: return 0.0f;
    }
}

bool VyrTarvoMAudioProcessor::storeParameter(int index, float v)
{
    switch (index)
    {
        case holdParameter:
            // "Off" and "On" restart the hold; "Infinity" keeps what it has held.
            if (vyrkit::storeHold<double>(v, holdModeValue, holdMode) != 1.0f)
                resetPeakHold();
            break;
        case latencyParameter: vyrkit::storeLatency(v, latencyValue, latencyMs); break;
        case trimParameter: vyrkit::storeTrim<double>(v, trimValue, trimDb, trimTargetGain); break;
        case activeParameter: vyrkit::storeActive(v, activeValue, trimEnabled); break;
        default:
            // Nothing is stored, but the editor still hears of it (and ignores it).
            break;
    }
    return true;
}

const juce::String VyrTarvoMAudioProcessor::getParameterText(int index)
{
    switch (index)
    {
        case holdParameter: return getSettingText(0);
        case latencyParameter: return vyrkit::latencyText(latencyMs);
        case trimParameter: return vyrkit::trimText(trimTargetGain, trimEnabled);
        case activeParameter: return vyrkit::activeText(trimEnabled);
        default: return {};
    }
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
} // namespace vyrtarvom
