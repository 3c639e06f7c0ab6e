// The five host parameters: names, defaults, derived values and display texts.
#include "VyrTarvoAudioProcessor.h"

#include "DecibelText.h"
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
            const float mode = static_cast<float>(truncToInt(static_cast<double>(v) * 2.0 + 0.5));
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
            latencyMs = truncToInt(v * 1000.0f + 0.5f);
            break;
        case trimParameter:
        {
            trimValue = v;
            const int n = truncToInt(static_cast<double>(v * 400.0f) + 0.5);
            const float db = static_cast<float>(n) * 0.1f - 20.0f;
            trimDb = db;
            // An absurd restored value must not give an infinite gain.
            const float gain = static_cast<float>(std::pow(10.0, static_cast<double>(db * 0.05f)));
            trimTargetGain = std::isfinite(gain) ? gain : std::numeric_limits<float>::max();
            break;
        }
        case activeParameter:
            activeValue = v;
            trimEnabled = truncToInt(v + 0.5f);
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
        {
            const float mode = holdMode;
            return mode == 2.0f ? "On" : (mode == 1.0f ? "Infinity" : "Off");
        }
        case lrmsParameter:
            return midSideFlag >= 0.5 ? " MS " : " LR ";
        case latencyParameter:
            return juce::String(latencyMs.load()) + " ms";
        case trimParameter:
        {
            if (trimEnabled == 0)
                return "-";
            const float g = trimTargetGain;
            float d = g > 0.0f ? 20.0f * std::log10(g) : -100.0f;
            if (d <= -100.0f)
                d = -100.0f;
            return vyrkit::decibelsToString(d, 1, -100.0).trimCharactersAtStart("+");
        }
        case activeParameter:
            return trimEnabled == 0 ? "Inactive" : "Active";
        default:
            return {};
    }
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
} // namespace vyrtarvo
