// The single-channel meter's outputs over the fixed programme and settings
// matrix. Its settings come from the stereo meter's key of the settings store,
// which every instance reads.
#include "Meter.h"
#include "NeedleMeterState.h"

#include "RegistryStore.h"
#include "TarvoMCommandIds.h"
#include "VyrTarvoMAudioProcessor.h"
#include "VyrTarvoMAudioProcessorEditor.h"

namespace
{
using vyrfp::exact;
using vyrtarvom::VyrTarvoMAudioProcessor;
using Editor = vyrtarvom::VyrTarvoMAudioProcessorEditor;

VyrTarvoMAudioProcessor& tarvom(juce::AudioProcessor& p) { return static_cast<VyrTarvoMAudioProcessor&>(p); }
Editor& window(juce::AudioProcessorEditor& e) { return static_cast<Editor&>(e); }

// The stored values of settings 0 to 6.
const char* const valueNames[] = { "tarvoReference", "tarvoIntegration", "tarvoHold", "tarvoReturn",
                                   "tarvoOver", "tarvoOverReference", "tarvoOverSampling" };

class TarvoMMeter : public vyrfp::Meter
{
public:
    TarvoMMeter()
    {
        name = "single";
        tickPeriodMs = Editor::timerPeriodMs;
        holdParameter = VyrTarvoMAudioProcessor::holdParameter;
        latencyParameter = VyrTarvoMAudioProcessor::latencyParameter;
        trimParameter = VyrTarvoMAudioProcessor::trimParameter;
        activeParameter = VyrTarvoMAudioProcessor::activeParameter;
        measurementSetting = VyrTarvoMAudioProcessor::measurementSetting;
        showFrontCommand = vyrtarvom::CommandId::showFrontPanel;
        showBackCommand = vyrtarvom::CommandId::showBackPanel;
        defaultSettings = { { 0, 0.5f }, { 1, 0.5f }, { 2, 0.5f }, { 3, 0.65f }, { 4, 0.222f }, { 5, 1.0f }, { 6, 0.0f } };
        settingAxes = { { 0, "reference", {}, true }, { 1, "integration", {} }, { 2, "holdtime", {} },
                        { 3, "return", {} }, { 4, "overcount", {} }, { 5, "overreference", {} } };
        settingTextIndices = { 0, 5, 6, 7, 8, 9, 10, 11 };
        otherLayouts = { { 1, 1 }, { 1, 2 } };
    }

    void storeSettings(const vyrfp::Values& values) override
    {
        for (const auto& [index, value] : values)
            vyrplatform::RegistryStore::setValue(
                juce::String("HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\") + valueNames[index],
                juce::String(value));
    }

    std::unique_ptr<juce::AudioProcessor> createProcessor() override
    {
        auto p = std::make_unique<VyrTarvoMAudioProcessor>();
        p->setMillisecondClock(&vyrfp::toolClock);
        return p;
    }

    // The constructor has read them from the store.
    void applySettings(juce::AudioProcessor&, const vyrfp::Values&) override {}

    // The stereo meter saves new settings.
    void changeSettingsElsewhere(const vyrfp::Values& values) override { storeSettings(values); }

    void setGlobalSetting(juce::AudioProcessor& p, int index, float value) override
    {
        tarvom(p).setGlobalSetting(index, value);
    }

    juce::String getSettingText(juce::AudioProcessor& p, int index) override { return tarvom(p).getSettingText(index); }

    std::string globalState(juce::AudioProcessor& p) override
    {
        auto& t = tarvom(p);
        std::string text;
        for (int index = 0; index < VyrTarvoMAudioProcessor::numSettings; ++index)
            text += exact(VyrTarvoMAudioProcessor::getGlobalSetting(index)) + " ";
        return text + "over " + exact(VyrTarvoMAudioProcessor::getOverCount()) + " rates " + exact(t.getMeterRate())
             + " " + exact(t.getProcessingRate()) + " ring step " + exact(t.getRingStep());
    }

    std::string meterState(juce::AudioProcessor& p) override
    {
        auto& t = tarvom(p);
        return exact(t.getNeedleLevel()) + " " + exact(t.getHoldNeedle()) + " " + exact(t.getHoldCounter()) + " "
             + exact(t.getInfinityHold()) + " " + exact(t.getOverSamples()) + " " + exact(t.getTrimCurrentGain()) + " "
             + exact(t.getRingWriteIndex()) + " " + exact(t.getLastBlockTime()) + " " + exact(t.getBlockDuration());
    }

    std::string shownState(juce::AudioProcessorEditor& e) override
    {
        auto& w = window(e);
        return vyrfp::shownBy(*w.getFrontPanel().meter) + " | latched " + exact(w.isOverLatched() ? 1 : 0) + " poll "
             + exact(w.ownsThePollRole() ? 1 : 0) + " " + exact(w.getPollTickCount());
    }

    void clickMeter(juce::AudioProcessorEditor& e) override { vyrfp::click(*window(e).getFrontPanel().meter); }

    void setSignature(juce::AudioProcessor& p, const juce::String& s) override { tarvom(p).setSignature(s); }
    juce::String getSignature(juce::AudioProcessor& p) override { return tarvom(p).getSignature(); }

    void setWindowSize(juce::AudioProcessor& p, juce::AudioProcessorEditor* e, int size) override
    {
        tarvom(p).getSizeFlag() = size;
        if (e != nullptr)
            window(*e).setSizeMode(tarvom(p).getSignature(), size);
    }
    int getWindowSize(juce::AudioProcessor& p) override { return tarvom(p).getSizeFlag().load(); }
};
} // namespace

int main(int argc, char** argv)
{
    TarvoMMeter meter;
    return vyrfp::runFingerprint(argc, argv, meter);
}
