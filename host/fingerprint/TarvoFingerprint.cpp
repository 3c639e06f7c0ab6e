// The stereo meter's outputs over the fixed programme and settings matrix.
#include "Meter.h"
#include "NeedleMeterState.h"

#include "TarvoCommandIds.h"
#include "VyrTarvoAudioProcessor.h"
#include "VyrTarvoAudioProcessorEditor.h"

namespace
{
using vyrfp::exact;
using vyrtarvo::VyrTarvoAudioProcessor;
using Editor = vyrtarvo::VyrTarvoAudioProcessorEditor;

VyrTarvoAudioProcessor& tarvo(juce::AudioProcessor& p) { return static_cast<VyrTarvoAudioProcessor&>(p); }
Editor& window(juce::AudioProcessorEditor& e) { return static_cast<Editor&>(e); }

class TarvoMeter : public vyrfp::Meter
{
public:
    TarvoMeter()
    {
        name = "stereo";
        tickPeriodMs = Editor::timerPeriodMs;
        holdParameter = VyrTarvoAudioProcessor::holdParameter;
        lrmsParameter = VyrTarvoAudioProcessor::lrmsParameter;
        latencyParameter = VyrTarvoAudioProcessor::latencyParameter;
        trimParameter = VyrTarvoAudioProcessor::trimParameter;
        activeParameter = VyrTarvoAudioProcessor::activeParameter;
        measurementSetting = 13;
        showFrontCommand = vyrtarvo::CommandId::showFrontPanel;
        showBackCommand = vyrtarvo::CommandId::showBackPanel;
        defaultSettings = { { 6, 0.5f },   { 7, 0.5f }, { 8, 0.5f },  { 9, 0.65f },
                            { 10, 0.222f }, { 11, 1.0f }, { 12, 0.5f }, { 13, 0.0f } };
        settingAxes = { { 6, "reference", {}, true }, { 7, "integration", {} }, { 8, "holdtime", {} },
                        { 9, "return", {} }, { 10, "overcount", {} }, { 11, "overreference", {} },
                        { 12, "midattenuation", { { VyrTarvoAudioProcessor::lrmsParameter, 1.0f } } } };
        settingTextIndices = { 6, 7, 8, 9, 10, 11, 12, 13 };
        otherLayouts = { { 1, 1 }, { 1, 2 } };
    }

    std::unique_ptr<juce::AudioProcessor> createProcessor() override
    {
        auto p = std::make_unique<VyrTarvoAudioProcessor>();
        p->setMillisecondClock(&vyrfp::toolClock);
        return p;
    }

    void applySettings(juce::AudioProcessor& p, const vyrfp::Values& values) override
    {
        for (const auto& [index, value] : values)
            tarvo(p).setGlobalSetting(index, value);
    }

    // Another instance in the process changes them (and stores them when it goes).
    void changeSettingsElsewhere(const vyrfp::Values& values) override
    {
        VyrTarvoAudioProcessor other;
        other.setMillisecondClock(&vyrfp::toolClock);
        applySettings(other, values);
    }

    void setGlobalSetting(juce::AudioProcessor& p, int index, float value) override
    {
        tarvo(p).setGlobalSetting(index, value);
    }

    juce::String getSettingText(juce::AudioProcessor&, int index) override
    {
        return VyrTarvoAudioProcessor::getSettingText(index);
    }

    std::string globalState(juce::AudioProcessor& p) override
    {
        std::string text;
        for (int slot = 0; slot < 8; ++slot)
            text += exact(VyrTarvoAudioProcessor::getGlobalSetting(slot)) + " ";
        return text + "changes " + exact(VyrTarvoAudioProcessor::getGlobalChangeCounter()) + " rates "
             + exact(tarvo(p).getMeterRate()) + " " + exact(tarvo(p).getProcessingRate()) + " ring step "
             + exact(tarvo(p).getRingStep());
    }

    std::string meterState(juce::AudioProcessor& p) override
    {
        auto& t = tarvo(p);
        std::string text;
        for (int c = 0; c < 2; ++c)
            text += exact(t.getNeedleLevel(c)) + " " + exact(t.getHoldNeedle(c)) + " " + exact(t.getOverSamples(c)) + " ";
        return text + exact(t.getTrimCurrentGain()) + " " + exact(t.getRingWriteIndex()) + " "
             + exact(t.getLastBlockTime()) + " " + exact(t.getBlockDuration());
    }

    std::string shownState(juce::AudioProcessorEditor& e) override
    {
        auto& w = window(e);
        return vyrfp::shownBy(*w.getFrontPanel().leftMeter) + " | " + vyrfp::shownBy(*w.getFrontPanel().rightMeter)
             + " | latched " + exact(w.isLeftOverLatched() ? 1 : 0) + " " + exact(w.isRightOverLatched() ? 1 : 0);
    }

    void clickMeter(juce::AudioProcessorEditor& e) override { vyrfp::click(*window(e).getFrontPanel().leftMeter); }

    void setSignature(juce::AudioProcessor& p, const juce::String& s) override { tarvo(p).setSignature(s); }
    juce::String getSignature(juce::AudioProcessor& p) override { return tarvo(p).getSignature(); }

    void setWindowSize(juce::AudioProcessor& p, juce::AudioProcessorEditor* e, int size) override
    {
        tarvo(p).getSizeFlag() = size;
        if (e != nullptr)
            window(*e).setSizeMode(tarvo(p).getSignature(), size);
    }
    int getWindowSize(juce::AudioProcessor& p) override { return tarvo(p).getSizeFlag().load(); }
};
} // namespace

int main(int argc, char** argv)
{
    TarvoMeter meter;
    return vyrfp::runFingerprint(argc, argv, meter);
}
