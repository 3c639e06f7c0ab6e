// The VU meter's outputs over the fixed programme and settings matrix. Its
// settings come from its key of the settings store, which every instance reads.
#include "Meter.h"
#include "NeedleMeterState.h"

#include "KelsoCommandIds.h"
#include "RegistryStore.h"
#include "VyrKelsoMAudioProcessor.h"
#include "VyrKelsoMAudioProcessorEditor.h"

namespace
{
using vyrfp::exact;
using vyrkelsom::VyrKelsoMAudioProcessor;
using Editor = vyrkelsom::VyrKelsoMAudioProcessorEditor;

VyrKelsoMAudioProcessor& kelso(juce::AudioProcessor& p) { return static_cast<VyrKelsoMAudioProcessor&>(p); }
Editor& window(juce::AudioProcessorEditor& e) { return static_cast<Editor&>(e); }

// The stored values of settings 5 to 12.
const char* const valueNames[] = { "vuType", "vuReference", "vuIntegration", "vuBacklit",
                                   "vuHold", "vuOver", "vuOverRef", "vuOverSampling" };

class KelsoMeter : public vyrfp::Meter
{
public:
    KelsoMeter()
    {
        name = "vu";
        tickPeriodMs = Editor::timerPeriodMs;
        holdParameter = VyrKelsoMAudioProcessor::holdParameter;
        latencyParameter = VyrKelsoMAudioProcessor::latencyParameter;
        trimParameter = VyrKelsoMAudioProcessor::trimParameter;
        activeParameter = VyrKelsoMAudioProcessor::activeParameter;
        measurementSetting = VyrKelsoMAudioProcessor::measurementSetting;
        showFrontCommand = vyrkelsom::CommandId::showFrontPanel;
        showBackCommand = vyrkelsom::CommandId::showBackPanel;
        defaultSettings = { { 5, 0.0f }, { 6, 0.25f }, { 7, 0.5f },  { 8, 0.5f },
                            { 9, 0.5f }, { 10, 0.222f }, { 11, 1.0f }, { 12, 0.0f } };
        settingAxes = { { 5, "type", {}, true }, { 6, "reference", {} }, { 7, "integration", {} },
                        { 8, "backlight", {}, true }, { 9, "holdtime", {} }, { 10, "overcount", {} },
                        { 11, "overreference", {} } };
        settingTextIndices = { 0, 5, 6, 7, 8, 9, 10, 11, 12 };
        otherLayouts = { { 1, 1 }, { 1, 2 } };
    }

    void storeSettings(const vyrfp::Values& values) override
    {
        for (const auto& [index, value] : values)
            vyrplatform::RegistryStore::setValue(
                juce::String("HKEY_CURRENT_USER\\Software\\Korvanta\\VYRKELSO\\") + valueNames[index - 5],
                juce::String(value));
    }

    std::unique_ptr<juce::AudioProcessor> createProcessor() override
    {
        auto p = std::make_unique<VyrKelsoMAudioProcessor>();
        p->setMillisecondClock(&vyrfp::toolClock);
        return p;
    }

    // The constructor has read them from the store.
    void applySettings(juce::AudioProcessor&, const vyrfp::Values&) override {}

    // The settings file edited by hand.
    void changeSettingsElsewhere(const vyrfp::Values& values) override { storeSettings(values); }

    void setGlobalSetting(juce::AudioProcessor& p, int index, float value) override
    {
        kelso(p).setGlobalSetting(index, value);
    }

    juce::String getSettingText(juce::AudioProcessor& p, int index) override { return kelso(p).getSettingText(index); }

    std::string globalState(juce::AudioProcessor& p) override
    {
        auto& k = kelso(p);
        std::string text;
        for (int slot = 0; slot < 8; ++slot)
            text += exact(VyrKelsoMAudioProcessor::getGlobalSetting(slot)) + " ";
        return text + "over " + exact(VyrKelsoMAudioProcessor::getOverCountLimit()) + " cutoff "
             + exact(VyrKelsoMAudioProcessor::getNeedleCutoff()) + " factor "
             + exact(VyrKelsoMAudioProcessor::getOversamplingFactor()) + " rates " + exact(k.getMeterRate()) + " "
             + exact(k.getProcessingRate()) + " ring step " + exact(k.getRingStep()) + " hold "
             + exact(k.getHoldLength()) + " " + exact(k.getHoldRelease());
    }

    std::string meterState(juce::AudioProcessor& p) override
    {
        auto& k = kelso(p);
        return exact(k.getNeedleLevel()) + " " + exact(k.getHoldNeedle()) + " " + exact(k.getHoldCounter()) + " "
             + exact(k.getInfinityHold()) + " " + exact(k.getOverSamples()) + " " + exact(k.getTrimCurrentGain()) + " "
             + exact(k.getRingWriteIndex()) + " " + exact(k.getLastBlockTime()) + " " + exact(k.getBlockDuration());
    }

    std::string shownState(juce::AudioProcessorEditor& e) override
    {
        auto& w = window(e);
        return vyrfp::shownBy(*w.getFrontPanel().meter) + " | latched " + exact(w.isOverLatched() ? 1 : 0) + " face "
             + exact(w.getFaceRow()) + " poll " + exact(w.holdsPollRole() ? 1 : 0) + " "
             + exact(w.getPollTickCount());
    }

    void clickMeter(juce::AudioProcessorEditor& e) override { vyrfp::click(*window(e).getFrontPanel().meter); }

    void setSignature(juce::AudioProcessor& p, const juce::String& s) override { kelso(p).setSignature(s); }
    juce::String getSignature(juce::AudioProcessor& p) override { return kelso(p).getSignature(); }

    void setWindowSize(juce::AudioProcessor& p, juce::AudioProcessorEditor* e, int size) override
    {
        kelso(p).getSizeFlag() = size;
        if (e != nullptr)
            window(*e).setSizeMode(kelso(p).getSignature(), size);
    }
    int getWindowSize(juce::AudioProcessor& p) override { return kelso(p).getSizeFlag().load(); }
};
} // namespace

int main(int argc, char** argv)
{
    KelsoMeter meter;
    return vyrfp::runFingerprint(argc, argv, meter);
}
