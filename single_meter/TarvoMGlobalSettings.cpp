// The processor's operations on the process-wide settings: setting one from a
// normalised value, reading it back, and the display texts.
#include "VyrTarvoMAudioProcessor.h"

#include "ParameterTable.h"
#include "SafeNumbers.h"
#include "TarvoMSettings.h"

#include <cmath>

namespace vyrtarvom
{
void VyrTarvoMAudioProcessor::setGlobalSetting(int index, float value)
{
    const int kitIndex = kitSettingIndex(index);
    if (kitIndex < 0 || ! std::isfinite(value))
        return;

    // A new measurement mode moves this instance's processing rate at once and
    // clears its history; a new time gives it new coefficients for its own rate.
    // Every other instance takes the change up at its next block.
    if (vyrkit::peak_programme::applySetting(processWideSettings(), kitIndex, value))
        updateProcessingRate();
    else
        followSettingsNow();
}

float VyrTarvoMAudioProcessor::getGlobalSetting(int index) noexcept
{
    const auto& s = processWideSettings();
    switch (index)
    {
        case referenceSetting: return static_cast<float>(s.referenceValue.load());
        case integrationSetting: return static_cast<float>(s.integrationValue.load());
        case holdTimeSetting: return static_cast<float>(s.holdValue.load());
        case fallBackSetting: return static_cast<float>(s.returnValue.load());
        case overCountSetting: return s.oversValue;
        case overReferenceSetting: return s.overReferenceValue;
        case measurementSetting: return s.measureValue;
        default: return 0.0f;
    }
}

double VyrTarvoMAudioProcessor::getOverCount() noexcept
{
    return processWideSettings().overCount;
}

juce::String VyrTarvoMAudioProcessor::getSettingText(int index) const
{
    const auto& s = processWideSettings();
    switch (index)
    {
        case 0:
            return vyrkit::holdModeText(holdMode);
        case 5:
        case 6:
        case 7:
        case 8:
            return vyrkit::peak_programme::settingText(s, kitSettingIndex(index - firstSettingTextIndex));
        case 9:
            return juce::String(vyrkit::truncToInt(s.overCount.load()));
        case 10:
        {
            const double selector = s.overReferenceSelector;
            if (selector < 0.25)
                return "+8.15dBu";
            if (selector < 0.5)
                return "-3dBFS";
            if (selector < 0.75)
                return "-1dBFS";
            return "0dBFS";
        }
        case 11:
            return s.oversamplingOn != 0 ? "Precise" : "CPU Safe";
        default:
            return {};
    }
}
} // namespace vyrtarvom
