// The processor's operations on the process-wide settings: setting one from a
// normalised value, reading them back, their texts, and the needle ballistics
// that follow the VU type and the integration time.
#include "VyrKelsoMAudioProcessor.h"

#include "KelsoSettings.h"
#include "ParameterTable.h"
#include "VyrKelsoMAudioProcessorEditor.h"

#include <cmath>

namespace vyrkelsom
{
void VyrKelsoMAudioProcessor::setGlobalSetting(int index, float value)
{
    if (! std::isfinite(value))
        return;

    auto& s = processWideSettings();
    const bool modeChanged = settings::apply(s, index, value);
    if (index == integrationSetting)
        updateBallistics();
    else if (index == holdTimeSetting)
    {
        const juce::ScopedLock lock(getCallbackLock());
        holdLength = static_cast<float>(s.holdTimeMs * 0.001 * processingRate);
    }
    else if (modeChanged)
        updateProcessingRate();

    callEditor([index, value](VyrKelsoMAudioProcessorEditor& editor) { editor.updateControl(index, value); });
}

float VyrKelsoMAudioProcessor::getGlobalSetting(int slot) noexcept
{
    const auto& s = processWideSettings();
    switch (slot)
    {
        case 0: return s.vuType;
        case 1: return static_cast<float>(s.referenceValue.load());
        case 2: return static_cast<float>(s.integrationValue.load());
        case 3: return static_cast<float>(s.backlightValue.load());
        case 4: return s.holdSetting;
        case 5: return s.overValue;
        case 6: return s.overReferenceValue;
        case 7: return s.oversamplingValue;
        default: return 0.0f;
    }
}

juce::String VyrKelsoMAudioProcessor::getSettingText(int index) const
{
    if (index == 0)
        return vyrkit::holdModeText(holdMode);
    if (index >= vuTypeSetting && index <= measurementSetting)
        return settings::text(processWideSettings(), index);
    return " ";
}

double VyrKelsoMAudioProcessor::getOverCountLimit() noexcept { return processWideSettings().overCount; }
double VyrKelsoMAudioProcessor::getNeedleCutoff() noexcept { return processWideSettings().needleCutoff; }
int VyrKelsoMAudioProcessor::getOversamplingFactor() noexcept { return processWideSettings().oversamplingFactor; }

void VyrKelsoMAudioProcessor::updateBallistics()
{
    auto& s = processWideSettings();
    const bool typeB = ! (s.vuType < 0.5f);
    const double d = s.integrationMs * (typeB ? 350.0 : 310.0);
    const double cutoff = 857.6 / (d / 300.0);
    s.needleCutoff = cutoff;

    // The bank is redesigned between blocks, never while a sample is filtered.
    const juce::ScopedLock lock(getCallbackLock());
    needleBank.setQStart(typeB ? 0.85 : 0.68);
    needleBank.setQEnd(typeB ? 0.43 : 0.55);
    needleBank.setFrequency(cutoff);
    needleBank.applyQRamp();
}
} // namespace vyrkelsom
