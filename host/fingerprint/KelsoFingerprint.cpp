// The VU meter's outputs over the fixed programme and settings matrix. Its
// settings come from its key of the settings store, which every instance reads.
#include "MeterOf.h"
#include "NeedleMeterState.h"

#include "KelsoCommandIds.h"
#include "VyrKelsoMAudioProcessor.h"
#include "VyrKelsoMAudioProcessorEditor.h"

namespace
{
using vyrfp::exact;
using vyrkelsom::VyrKelsoMAudioProcessor;

// The stored values of settings 5 to 12.
const char* const valueNames[] = { "vuType", "vuReference", "vuIntegration", "vuBacklit",
                                   "vuHold", "vuOver", "vuOverRef", "vuOverSampling" };

class KelsoMeter : public vyrfp::StoreReadingMeterOf<VyrKelsoMAudioProcessor, vyrkelsom::VyrKelsoMAudioProcessorEditor>
{
public:
    KelsoMeter()
    {
        storeKey = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRKELSO";
        storedValueNames = valueNames;
        firstStoredSetting = 5;
        name = "vu";
        measurementSetting = VyrKelsoMAudioProcessor::measurementSetting;
        showFrontCommand = vyrkelsom::CommandId::showFrontPanel;
        showBackCommand = vyrkelsom::CommandId::showBackPanel;
        defaultSettings = { { 5, 0.0f }, { 6, 0.25f }, { 7, 0.5f },  { 8, 0.5f },
                            { 9, 0.5f }, { 10, 0.222f }, { 11, 1.0f }, { 12, 0.0f } };
        settingAxes = { { 5, "type", {}, true }, { 6, "reference", {} }, { 7, "integration", {} },
                        { 8, "backlight", {}, true }, { 9, "holdtime", {} }, { 10, "overcount", {} },
                        { 11, "overreference", {} } };
        settingTextIndices = { 0, 5, 6, 7, 8, 9, 10, 11, 12 };
    }

    std::string globalState(juce::AudioProcessor& p) override
    {
        auto& k = processor(p);
        std::string text;
        for (int slot = 0; slot < 8; ++slot)
            text += exact(VyrKelsoMAudioProcessor::getGlobalSetting(slot)) + " ";
        return text + "over " + exact(VyrKelsoMAudioProcessor::getOverCountLimit()) + " cutoff "
             + exact(VyrKelsoMAudioProcessor::getNeedleCutoff()) + " factor "
             + exact(VyrKelsoMAudioProcessor::getOversamplingFactor()) + " rates " + exact(k.getMeterRate()) + " "
             + exact(k.getProcessingRate()) + " ring step " + exact(k.getRingStep()) + " hold "
             + exact(k.getHoldLength()) + " " + exact(k.getHoldRelease());
    }

    std::string shownState(juce::AudioProcessorEditor& e) override
    {
        auto& w = editor(e);
        return vyrfp::shownBy(*w.getFrontPanel().meter) + " | latched " + exact(w.isOverLatched() ? 1 : 0) + " face "
             + exact(w.getFaceRow()) + " poll " + exact(w.holdsPollRole() ? 1 : 0) + " "
             + exact(w.getPollTickCount());
    }

    void clickMeter(juce::AudioProcessorEditor& e) override { vyrfp::click(*editor(e).getFrontPanel().meter); }
};
} // namespace

int main(int argc, char** argv)
{
    KelsoMeter meter;
    return vyrfp::runFingerprint(argc, argv, meter);
}
