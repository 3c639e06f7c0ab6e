#pragma once

// What the three meters' processors and editors offer under the same names,
// reached once for all of them.

#include "Meter.h"
#include "OutputFiles.h"

#include "RegistryStore.h"

#include <string>

namespace vyrfp
{
template <typename Processor, typename Editor>
class MeterOf : public Meter
{
public:
    MeterOf()
    {
        tickPeriodMs = Editor::timerPeriodMs;
        holdParameter = Processor::holdParameter;
        latencyParameter = Processor::latencyParameter;
        trimParameter = Processor::trimParameter;
        activeParameter = Processor::activeParameter;
        otherLayouts = { { 1, 1 }, { 1, 2 } };
    }

    static Processor& processor(juce::AudioProcessor& p) { return static_cast<Processor&>(p); }
    static Editor& editor(juce::AudioProcessorEditor& e) { return static_cast<Editor&>(e); }

    std::unique_ptr<juce::AudioProcessor> createProcessor() override
    {
        auto p = std::make_unique<Processor>();
        p->setMillisecondClock(&toolClock);
        return p;
    }

    void setGlobalSetting(juce::AudioProcessor& p, int index, float value) override
    {
        processor(p).setGlobalSetting(index, value);
    }

    juce::String getSettingText(juce::AudioProcessor& p, int index) override
    {
        return processor(p).getSettingText(index);
    }

    void setSignature(juce::AudioProcessor& p, const juce::String& s) override { processor(p).setSignature(s); }
    juce::String getSignature(juce::AudioProcessor& p) override { return processor(p).getSignature(); }

    void setWindowSize(juce::AudioProcessor& p, juce::AudioProcessorEditor* e, int size) override
    {
        processor(p).getSizeFlag() = size;
        if (e != nullptr)
            editor(*e).setSizeMode(processor(p).getSignature(), size);
    }
    int getWindowSize(juce::AudioProcessor& p) override { return processor(p).getSizeFlag().load(); }
};

// The meter state of a processor with one needle.
template <typename Processor>
std::string oneNeedleState(const Processor& p)
{
    return exact(p.getNeedleLevel()) + " " + exact(p.getHoldNeedle()) + " " + exact(p.getHoldCounter()) + " "
         + exact(p.getInfinityHold()) + " " + exact(p.getOverSamples()) + " " + exact(p.getTrimCurrentGain()) + " "
         + exact(p.getRingWriteIndex()) + " " + exact(p.getLastBlockTime()) + " " + exact(p.getBlockDuration());
}

// A meter that only reads its settings, from its key of the settings store,
// whenever a processor is made (and when its editor rereads them).
template <typename Processor, typename Editor>
class StoreReadingMeterOf : public MeterOf<Processor, Editor>
{
public:
    juce::String storeKey;
    // The stored value of setting index i is storedValueNames[i - firstStoredSetting].
    const char* const* storedValueNames = nullptr;
    int firstStoredSetting = 0;

    void storeSettings(const Values& values) override
    {
        for (const auto& [index, value] : values)
            vyrplatform::RegistryStore::setValue(storeKey + "\\" + storedValueNames[index - firstStoredSetting],
                                                 juce::String(value));
    }

    // The constructor has read them.
    void applySettings(juce::AudioProcessor&, const Values&) override {}

    // The settings file changed by hand or by another plug-in.
    void changeSettingsElsewhere(const Values& values) override { storeSettings(values); }

    std::string meterState(juce::AudioProcessor& p) override { return oneNeedleState(this->processor(p)); }
};
} // namespace vyrfp
