// The four host parameters: names, defaults, derived values and display texts.
#include "VyrTarvoMAudioProcessor.h"

#include "ParameterTable.h"
#include "VyrTarvoMAudioProcessorEditor.h"

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

void VyrTarvoMAudioProcessor::setParameter(int index, float v)
{
    // Values outside 0..1 go through the formulas unclamped; a value that is not a
    // number at all is not taken.
    if (! std::isfinite(v))
        return;

    switch (index)
    {
        case holdParameter:
        {
            holdModeValue = v;
            const float mode = vyrkit::holdModeFor<double>(v);
            holdMode = mode;
            // "Off" and "On" restart the hold; "Infinity" keeps what it has held.
            if (mode != 1.0f)
                resetPeakHold();
            break;
        }
        case latencyParameter:
            latencyValue = v;
            latencyMs = vyrkit::latencyMsFor(v);
            break;
        case trimParameter:
        {
            trimValue = v;
            const auto step = vyrkit::trimStepFor<double>(v);
            trimDb = step.db;
            trimTargetGain = step.targetGain;
            break;
        }
        case activeParameter:
            activeValue = v;
            trimEnabled = vyrkit::trimEnabledFor(v);
            break;
        default:
            // Nothing is stored, but the editor still hears of it (and ignores it).
            break;
    }

    callEditor([index, v](VyrTarvoMAudioProcessorEditor& editor) { editor.updateControl(index, v); });
}

const juce::String VyrTarvoMAudioProcessor::getParameterText(int index)
{
    switch (index)
    {
        case holdParameter:
            return getSettingText(0);
        case latencyParameter:
            return vyrkit::latencyText(latencyMs);
        case trimParameter:
            return vyrkit::trimText(trimTargetGain, trimEnabled);
        case activeParameter:
            return vyrkit::activeText(trimEnabled);
        default:
            return {};
    }
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
} // namespace vyrtarvom
