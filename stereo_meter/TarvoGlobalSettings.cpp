// The processor's operations on the process-wide settings: setting one from a
// normalised value, reading them back, and their display texts.
#include "VyrTarvoAudioProcessor.h"

#include "DecibelText.h"
#include "SafeNumbers.h"
#include "VyrTarvoAudioProcessorEditor.h"

#include <cmath>

namespace vyrtarvo
{
using vyrkit::truncToInt;

void VyrTarvoAudioProcessor::setGlobalSetting(int index, float value)
{
    if (! std::isfinite(value))
        return;

    auto& s = processWideSettings();
    switch (index)
    {
        case 6:
        {
            s.referenceValue = static_cast<double>(value);
            const double gain = std::pow(10.0, (s.referenceValue * 24.0 - 24.0) * static_cast<double>(0.05f));
            if (gain != s.referenceGain)
            {
                s.referenceGain = gain;
                s.inverseReferenceGain = 1.0 / gain;
            }
            break;
        }
        case 7:
        {
            s.integrationValue = quantiseTimeSetting(value);
            const float c = mapIntegrationPosition(static_cast<float>(s.integrationValue * 20.0));
            const float exponent = static_cast<float>(c * 0.05);
            s.integrationMs = std::pow(101.0, static_cast<double>(exponent)) - 1.0;
            s.attackCoefficient = attackCoefficientFor(s.integrationMs, processingRate);
            break;
        }
        case 8:
        {
            s.holdValue = quantiseTimeSetting(value);
            const float c = mapTimePosition(static_cast<float>(s.holdValue * 20.0));
            s.holdMs = std::pow(100.0, static_cast<double>(static_cast<float>(c * 0.05))) * 100.0;
            s.holdSamples = holdSamplesFor(s.holdMs, processingRate);
            break;
        }
        case 9:
        {
            s.returnValue = quantiseTimeSetting(value);
            const float c = mapTimePosition(static_cast<float>(s.returnValue * 20.0));
            s.returnMs = std::pow(100.0, static_cast<double>(static_cast<float>(c * 0.05))) * 100.0;
            s.releaseCoefficient = releaseCoefficientFor(s.returnMs * processingRate * 0.001);
            break;
        }
        case 10:
            s.oversValue = value;
            s.overCount = static_cast<double>(truncToInt(static_cast<double>(value * 9.0f) + 0.5) + 1);
            break;
        case 11:
            s.overReferenceValue = value;
            s.overReferenceSelector = truncToInt(static_cast<double>(value * 3.0f) + 0.5) / 3.0;
            break;
        case 12:
            s.midValue = static_cast<double>(value);
            break;
        case 13:
        {
            s.measureValue = value;
            const int on = truncToInt(static_cast<double>(value) + 0.5);
            if (on != s.oversamplingOn)
            {
                s.oversamplingOn = on;
                s.oversamplingFactor = 0;
                updateProcessingRate();
            }
            break;
        }
        default:
            return;
    }

    callEditor([index, value](VyrTarvoAudioProcessorEditor& editor) { editor.updateControl(index, value); });
    s.globalChangeCounter.fetchAdd(1);
}

float VyrTarvoAudioProcessor::getGlobalSetting(int slot) noexcept
{
    const auto& s = processWideSettings();
    switch (slot)
    {
        case 0: return static_cast<float>(s.referenceValue.load());
        case 1: return static_cast<float>(s.integrationValue.load());
        case 2: return static_cast<float>(s.holdValue.load());
        case 3: return static_cast<float>(s.returnValue.load());
        case 4: return s.oversValue;
        case 5: return s.overReferenceValue;
        case 6: return static_cast<float>(s.midValue.load());
        case 7: return s.measureValue;
        default: return 0.0f;
    }
}

int VyrTarvoAudioProcessor::getGlobalChangeCounter() noexcept
{
    return processWideSettings().globalChangeCounter;
}

juce::String VyrTarvoAudioProcessor::getSettingText(int index)
{
    const auto& s = processWideSettings();
    switch (index)
    {
        case 6:
        {
            const double gain = s.referenceGain;
            float d = gain > 0.0 ? static_cast<float>(20.0 * std::log10(gain)) : -100.0f;
            if (d <= -100.0f)
                d = -100.0f;
            return vyrkit::decibelsWithUnit(d, 1, "dBFS");
        }
        case 7:
            return vyrkit::decibelsWithUnit(s.integrationMs, 1, "ms");
        case 8:
            return vyrkit::decibelsWithUnit(s.holdMs * static_cast<double>(0.001f), 2, "s");
        case 9:
            return vyrkit::decibelsWithUnit(s.returnMs * static_cast<double>(0.001f), 2, "s");
        default:
            return {};
    }
}
} // namespace vyrtarvo
