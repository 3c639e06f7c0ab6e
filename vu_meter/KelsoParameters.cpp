// The four host parameters: names, defaults, derived values and display texts.
#include "VyrKelsoMAudioProcessor.h"

#include "DecibelText.h"
#include "SafeNumbers.h"
#include "VyrKelsoMAudioProcessorEditor.h"

#include <cmath>
#include <limits>

namespace vyrkelsom
{
using vyrkit::truncToInt;

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
            const float mode = static_cast<float>(truncToInt(v * 2.0f + 0.5f));
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
            latencyMs = truncToInt(v * 1000.0f + 0.5f);
            break;
        case trimParameter:
        {
            trimValue = v;
            const int k = truncToInt(v * 400.0f + 0.5f);
            const float db = static_cast<float>(k) * 0.1f - 20.0f;
            trimDb = db;
            // An absurd restored value must not give an infinite gain.
            const float gain = std::pow(10.0f, db * 0.05f);
            trimTargetGain = std::isfinite(gain) ? gain : std::numeric_limits<float>::max();
            break;
        }
        case activeParameter:
            activeValue = v;
            trimEnabled = truncToInt(v + 0.5f);
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
            return juce::String(latencyMs.load()) + " ms";
        case trimParameter:
        {
            if (trimEnabled == 0)
                return "-";
            const float g = trimTargetGain;
            float d = g > 0.0f ? 20.0f * std::log10(g) : -100.0f;
            if (! (d > -100.0f))
                d = -100.0f;
            return vyrkit::decibelsToString(d, 1, -100.0).trimCharactersAtStart("+");
        }
        case activeParameter:
            return trimEnabled == 0 ? "Inactive" : "Active";
        default:
            return " ";
    }
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
} // namespace vyrkelsom
