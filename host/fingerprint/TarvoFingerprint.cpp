// The stereo meter's outputs over the fixed programme and settings matrix.
#include "MeterOf.h"
#include "NeedleMeterState.h"

#include "TarvoCommandIds.h"
#include "VyrTarvoAudioProcessor.h"
#include "VyrTarvoAudioProcessorEditor.h"

namespace
{
using vyrfp::exact;
using vyrtarvo::VyrTarvoAudioProcessor;

class TarvoMeter : public vyrfp::MeterOf<VyrTarvoAudioProcessor, vyrtarvo::VyrTarvoAudioProcessorEditor>
{
public:
    TarvoMeter()
    {
        name = "stereo";
        lrmsParameter = VyrTarvoAudioProcessor::lrmsParameter;
        measurementSetting = 13;
        showFrontCommand = vyrtarvo::CommandId::showFrontPanel;
        showBackCommand = vyrtarvo::CommandId::showBackPanel;
        defaultSettings = { { 6, 0.5f },   { 7, 0.5f }, { 8, 0.5f },  { 9, 0.65f },
                            { 10, 0.222f }, { 11, 1.0f }, { 12, 0.5f }, { 13, 0.0f } };
        settingAxes = { { 6, "reference", {}, true }, { 7, "integration", {} }, { 8, "holdtime", {} },
                        { 9, "return", {} }, { 10, "overcount", {} }, { 11, "overreference", {} },
                        { 12, "midattenuation", { { lrmsParameter, 1.0f } } } };
        settingTextIndices = { 6, 7, 8, 9, 10, 11, 12, 13 };
    }

    void applySettings(juce::AudioProcessor& p, const vyrfp::Values& values) override
    {
        for (const auto& [index, value] : values)
            setGlobalSetting(p, index, value);
    }

    // Another instance in the process changes them (and stores them when it goes).
    void changeSettingsElsewhere(const vyrfp::Values& values) override
    {
        VyrTarvoAudioProcessor other;
        other.setMillisecondClock(&vyrfp::toolClock);
        applySettings(other, values);
    }

    std::string globalState(juce::AudioProcessor& p) override
    {
        std::string text;
        for (int slot = 0; slot < 8; ++slot)
            text += exact(VyrTarvoAudioProcessor::getGlobalSetting(slot)) + " ";
        return text + "changes " + exact(VyrTarvoAudioProcessor::getGlobalChangeCounter()) + " rates "
             + exact(processor(p).getMeterRate()) + " " + exact(processor(p).getProcessingRate()) + " ring step "
             + exact(processor(p).getRingStep());
    }

    std::string meterState(juce::AudioProcessor& p) override
    {
        auto& t = processor(p);
        std::string text;
        for (int c = 0; c < 2; ++c)
            text += exact(t.getNeedleLevel(c)) + " " + exact(t.getHoldNeedle(c)) + " " + exact(t.getOverSamples(c)) + " ";
        return text + exact(t.getTrimCurrentGain()) + " " + exact(t.getRingWriteIndex()) + " "
             + exact(t.getLastBlockTime()) + " " + exact(t.getBlockDuration());
    }

    std::string shownState(juce::AudioProcessorEditor& e) override
    {
        auto& w = editor(e);
        return vyrfp::shownBy(*w.getFrontPanel().leftMeter) + " | " + vyrfp::shownBy(*w.getFrontPanel().rightMeter)
             + " | latched " + exact(w.isLeftOverLatched() ? 1 : 0) + " " + exact(w.isRightOverLatched() ? 1 : 0);
    }

    void clickMeter(juce::AudioProcessorEditor& e) override { vyrfp::click(*editor(e).getFrontPanel().leftMeter); }
};
} // namespace

int main(int argc, char** argv)
{
    TarvoMeter meter;
    return vyrfp::runFingerprint(argc, argv, meter);
}
