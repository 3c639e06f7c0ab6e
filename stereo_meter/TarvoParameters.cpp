// The five host parameters: names, defaults, derived values and display texts.
#include "VyrTarvoAudioProcessor.h"

#include "ParameterTable.h"
#include "SafeNumbers.h"
#include "VyrTarvoAudioProcessorEditor.h"

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

void VyrTarvoAudioProcessor::setParameter(int index, float v)
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
            if (mode != 1.0f)
                resetPeakHold();
            break;
        }
        case lrmsParameter:
            lrmsValue = static_cast<double>(v);
            midSideFlag = static_cast<double>(truncToInt(static_cast<double>(v) + 0.5));
            break;
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
            return;
    }

    callEditor([index, v](VyrTarvoAudioProcessorEditor& editor) { editor.updateControl(index, v); });
}

const juce::String VyrTarvoAudioProcessor::getParameterText(int index)
{
    switch (index)
    {
        case holdParameter:
            return vyrkit::holdModeText(holdMode);
        case lrmsParameter:
            return midSideFlag >= 0.5 ? " MS " : " LR ";
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
} // namespace vyrtarvo
