// The single-channel meter's outputs over the fixed programme and settings
// matrix. Its settings come from the stereo meter's key of the settings store,
// which every instance reads.
#include "MeterOf.h"
#include "NeedleMeterState.h"

#include "TarvoMCommandIds.h"
#include "VyrTarvoMAudioProcessor.h"
#include "VyrTarvoMAudioProcessorEditor.h"

namespace
{
using vyrfp::exact;
using vyrtarvom::VyrTarvoMAudioProcessor;

// The stored values of settings 0 to 6.
const char* const valueNames[] = { "tarvoReference", "tarvoIntegration", "tarvoHold", "tarvoReturn",
                                   "tarvoOver", "tarvoOverReference", "tarvoOverSampling" };

class TarvoMMeter : public vyrfp::StoreReadingMeterOf<VyrTarvoMAudioProcessor, vyrtarvom::VyrTarvoMAudioProcessorEditor>
{
public:
    TarvoMMeter()
    {
        // Where the stereo meter saves them.
        storeKey = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO";
        storedValueNames = valueNames;
        firstStoredSetting = 0;
        name = "single";
        measurementSetting = VyrTarvoMAudioProcessor::measurementSetting;
        showFrontCommand = vyrtarvom::CommandId::showFrontPanel;
        showBackCommand = vyrtarvom::CommandId::showBackPanel;
        defaultSettings = { { 0, 0.5f }, { 1, 0.5f }, { 2, 0.5f }, { 3, 0.65f }, { 4, 0.222f }, { 5, 1.0f }, { 6, 0.0f } };
        settingAxes = { { 0, "reference", {}, true }, { 1, "integration", {} }, { 2, "holdtime", {} },
                        { 3, "return", {} }, { 4, "overcount", {} }, { 5, "overreference", {} } };
        settingTextIndices = { 0, 5, 6, 7, 8, 9, 10, 11 };
    }

    std::string globalState(juce::AudioProcessor& p) override
    {
        auto& t = processor(p);
        std::string text;
        for (int index = 0; index < VyrTarvoMAudioProcessor::numSettings; ++index)
            text += exact(VyrTarvoMAudioProcessor::getGlobalSetting(index)) + " ";
        return text + "over " + exact(VyrTarvoMAudioProcessor::getOverCount()) + " rates " + exact(t.getMeterRate())
             + " " + exact(t.getProcessingRate()) + " ring step " + exact(t.getRingStep());
    }

    std::string shownState(juce::AudioProcessorEditor& e) override
    {
        auto& w = editor(e);
        return vyrfp::shownBy(*w.getFrontPanel().meter) + " | latched " + exact(w.isOverLatched() ? 1 : 0) + " poll "
             + exact(w.ownsThePollRole() ? 1 : 0) + " " + exact(w.getPollTickCount());
    }

    void clickMeter(juce::AudioProcessorEditor& e) override { vyrfp::click(*editor(e).getFrontPanel().meter); }
};
} // namespace

int main(int argc, char** argv)
{
    TarvoMMeter meter;
    return vyrfp::runFingerprint(argc, argv, meter);
}
