// The four host parameters: names, defaults, derived values and display texts.
#include "VyrKelsoMAudioProcessor.h"

#include "ParameterTable.h"
#include "VyrKelsoMAudioProcessorEditor.h"

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

void VyrKelsoMAudioProcessor::setParameter(int index, float v)
{
    // Values outside 0..1 go through the formulas unclamped; a value that is not a
    // number at all is not taken.
    if (! std::isfinite(v))
        return;

    switch (index)
    {
        case holdParameter:
        {
            holdValue = v;
            const float mode = vyrkit::holdModeFor<float>(v);
            holdMode = mode;
            if (mode != 1.0f)
            {
                // The display read-out uses the maximum under the callback lock.
                const juce::ScopedLock lock(getCallbackLock());
                infinityHold = -0.05;
            }
            break;
        }
        case latencyParameter:
            latencyValue = v;
            latencyMs = vyrkit::latencyMsFor(v);
            break;
        case trimParameter:
        {
            trimValue = v;
            const auto step = vyrkit::trimStepFor<float>(v);
            trimDb = step.db;
            trimTargetGain = step.targetGain;
            break;
        }
        case activeParameter:
            activeValue = v;
            trimEnabled = vyrkit::trimEnabledFor(v);
            break;
        default:
            // Nothing is stored, but the editor still hears of the call.
            break;
    }

    callEditor([index, v](VyrKelsoMAudioProcessorEditor& editor) { editor.updateControl(index, v); });
}

const juce::String VyrKelsoMAudioProcessor::getParameterText(int index)
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
            return " ";
    }
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
} // namespace vyrkelsom
