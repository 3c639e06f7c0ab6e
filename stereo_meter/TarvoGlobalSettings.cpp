// The processor's operations on the process-wide settings: setting one from a
// normalised value, reading them back, and their display texts.
#include "VyrTarvoAudioProcessor.h"

#include "VyrTarvoAudioProcessorEditor.h"

#include <cmath>

namespace vyrtarvo
{
void VyrTarvoAudioProcessor::setGlobalSetting(int index, float value)
{
    if (! std::isfinite(value) || index < 6 || index > 13)
        return;

    auto& s = processWideSettings();
    // A new measurement mode moves this instance's processing rate at once and
    // clears its history; a new time gives it new coefficients for its own rate.
    // Every other instance takes the change up at its next block.
    if (applySetting(s, index, value))
        updateProcessingRate();
    else
        followSettingsNow();

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
    return settingText(processWideSettings(), index);
}
} // namespace vyrtarvo
