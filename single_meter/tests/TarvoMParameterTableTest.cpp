// The four host parameters (names, defaults, derived values, texts), the setting
// texts, the trivial overrides and the identity reported to the host.
#include "TarvoMTestSupport.h"

#include "IdentityChecks.h"
#include "TarvoMIdentity.h"

#include <cmath>
#include <limits>

using namespace vyrtarvom;
using namespace vyrtarvom::testing;

namespace
{
class TarvoMParameters : public ::testing::Test
{
protected:
    void SetUp() override { restoreDefaultSettings(p); }
    VyrTarvoMAudioProcessor p;
};

TEST_F(TarvoMParameters, NamesDefaultsAndTextsOfANewInstance)
{
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    EXPECT_EQ(p.getNumParameters(), 4);
    const char* names[] = { "Hold", "Latency Compensation", "Trim", "Active", "" };
    const float defaults[] = { 0.0f, 0.0f, 0.5f, 0.0f, 0.0f };
    const char* texts[] = { "Off", "0 ms", "-", "Inactive", "" };
    for (int i = 0; i <= 4; ++i)
    {
        EXPECT_EQ(p.getParameterName(i), names[i]) << i;
        EXPECT_EQ(p.getParameterDefaultValue(i), defaults[i]) << i;
        EXPECT_EQ(p.getParameter(i), defaults[i]) << i;
        EXPECT_EQ(p.getParameterText(i), texts[i]) << i;
    }
    EXPECT_EQ(p.getParameterName(-1), "");
    EXPECT_EQ(p.getParameter(-1), 0.0f);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    EXPECT_EQ(p.getName(), "Vyr TarvoM");
    EXPECT_EQ(p.getSignature(), "M Track");
    EXPECT_EQ(p.getSizeFlag().load(), 0);
    EXPECT_EQ(p.getTrimDb(), 0.0f);
    EXPECT_EQ(p.getTrimTargetGain(), 1.0f);
    EXPECT_EQ(p.getTrimCurrentGain(), 1.0f);
    EXPECT_EQ(p.getTrimSmoothing(), 0.0005f);
    EXPECT_EQ(p.getNeedleLevel(), 0.0);
    EXPECT_EQ(p.getInfinityHold(), 0.0);
}

struct ParameterCase
{
    int index;
    float value;
    const char* text;
};

class TarvoMParameterTexts : public TarvoMParameters, public ::testing::WithParamInterface<ParameterCase> {};

TEST_P(TarvoMParameterTexts, ValueGivesText)
{
    const auto& c = GetParam();
    if (c.index == VyrTarvoMAudioProcessor::trimParameter)
        setParameter(p, VyrTarvoMAudioProcessor::activeParameter, 1.0f);
    setParameter(p, c.index, c.value);
    EXPECT_EQ(parameterText(p, c.index), c.text);
    EXPECT_EQ(parameter(p, c.index), c.value); // stored as received, unclamped
}

INSTANTIATE_TEST_SUITE_P(Table, TarvoMParameterTexts, ::testing::Values(
    ParameterCase { 0, 0.0f, "Off" }, ParameterCase { 0, 0.2499f, "Off" }, ParameterCase { 0, 0.25f, "Infinity" },
    ParameterCase { 0, 0.5f, "Infinity" }, ParameterCase { 0, 0.75f, "On" }, ParameterCase { 0, 1.0f, "On" },
    ParameterCase { 0, 3.0f, "Off" },
    ParameterCase { 1, 0.0f, "0 ms" }, ParameterCase { 1, 0.0125f, "13 ms" }, ParameterCase { 1, 0.5f, "500 ms" },
    ParameterCase { 1, 1.0f, "1000 ms" }, ParameterCase { 1, 2.0f, "2000 ms" },
    ParameterCase { 2, 0.0f, "-20.0 dB" }, ParameterCase { 2, 0.5f, "0.0 dB" }, ParameterCase { 2, 1.0f, "20.0 dB" },
    ParameterCase { 2, 0.25f, "-10.0 dB" }, ParameterCase { 2, 0.50125f, "0.1 dB" }, ParameterCase { 2, 0.4975f, "-0.1 dB" },
    ParameterCase { 2, 1.1f, "24.0 dB" }, ParameterCase { 2, -5.0f, "-INF dB" },
    ParameterCase { 3, 0.0f, "Inactive" }, ParameterCase { 3, 0.49f, "Inactive" }, ParameterCase { 3, 0.5f, "Active" },
    ParameterCase { 3, 1.0f, "Active" }));

TEST_F(TarvoMParameters, TrimDerivedValues)
{
    struct Case
    {
        float value, db;
    };
    for (const auto& c : { Case { 0.0f, -20.0f }, Case { 0.5f, 0.0f }, Case { 1.0f, 20.0f }, Case { 0.75f, 10.0f } })
    {
        setParameter(p, 2, c.value);
        EXPECT_FLOAT_EQ(p.getTrimDb(), c.db) << c.value;
        EXPECT_FLOAT_EQ(p.getTrimTargetGain(), std::pow(10.0f, c.db / 20.0f)) << c.value;
    }
    // While "Active" is off every trim value reads "-".
    setParameter(p, 3, 0.0f);
    EXPECT_EQ(parameterText(p, 2), "-");
    // Absurd values keep a finite gain.
    setParameter(p, 2, 1e30f);
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
}

TEST_F(TarvoMParameters, NonFiniteValuesAreNotTaken)
{
    setParameter(p, 2, 0.75f);
    setParameter(p, 1, 0.1f);
    for (float bad : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity() })
        for (int i = 0; i < 4; ++i)
            setParameter(p, i, bad);
    EXPECT_EQ(parameter(p, 2), 0.75f);
    EXPECT_EQ(p.getLatencyMs(), 100);
    EXPECT_EQ(parameter(p, 0), 0.0f);
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
}

TEST_F(TarvoMParameters, OffAndOnRestartTheHoldInfinityKeepsIt)
{
    configure(p, 2, 2, 44100.0, 256);
    std::vector<std::vector<float>> loud(2, std::vector<float>(4410, 0.8f));
    for (size_t i = 0; i < loud[0].size(); i += 2)
        loud[0][i] = loud[1][i] = -0.8f;
    process(p, loud, { 256 });
    std::vector<std::vector<float>> silence(2, std::vector<float>(2205, 0.0f));
    process(p, silence, { 256 });
    const double held = p.getHoldNeedle();
    ASSERT_GT(held, p.getNeedleLevel());

    setParameter(p, 0, 0.5f); // Infinity: untouched
    EXPECT_EQ(p.getHoldNeedle(), held);
    EXPECT_GT(p.getHoldCounter(), 0);

    for (float value : { 1.0f, 0.0f })
    {
        process(p, loud, { 256 });
        process(p, silence, { 256 });
        setParameter(p, 0, value);
        EXPECT_EQ(p.getHoldNeedle(), p.getNeedleLevel()) << value;
        EXPECT_EQ(p.getInfinityHold(), p.getNeedleLevel()) << value;
        EXPECT_EQ(p.getHoldCounter(), 0) << value;
    }
}

struct SettingTextCase
{
    int setter;
    float value;
    int textIndex;
    const char* text;
};

class TarvoMSettingTexts : public TarvoMParameters, public ::testing::WithParamInterface<SettingTextCase> {};

TEST_P(TarvoMSettingTexts, SettingGivesText)
{
    const auto& c = GetParam();
    p.setGlobalSetting(c.setter, c.value);
    EXPECT_EQ(p.getSettingText(c.textIndex), c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, TarvoMSettingTexts, ::testing::Values(
    SettingTextCase { 0, 0.5f, 5, "-12.0dBFS" }, SettingTextCase { 0, 1.0f, 5, "0.0dBFS" },
    SettingTextCase { 0, 0.0f, 5, "-24.0dBFS" },
    SettingTextCase { 1, 0.5f, 6, "10.0ms" }, SettingTextCase { 2, 0.5f, 7, "1.00s" },
    SettingTextCase { 3, 0.65f, 8, "2.00s" }, SettingTextCase { 3, 1.0f, 8, "10.00s" },
    SettingTextCase { 4, 0.222f, 9, "3" }, SettingTextCase { 4, 0.0f, 9, "1" }, SettingTextCase { 4, 1.0f, 9, "10" },
    // Far outside 0..1 the count's whole part stops at the int range.
    SettingTextCase { 4, 1e30f, 9, "2147483647" }, SettingTextCase { 4, -3.4028235e38f, 9, "-2147483647" },
    SettingTextCase { 5, 0.0f, 10, "+8.15dBu" }, SettingTextCase { 5, 0.34f, 10, "-3dBFS" },
    SettingTextCase { 5, 0.67f, 10, "-1dBFS" }, SettingTextCase { 5, 1.0f, 10, "0dBFS" },
    SettingTextCase { 6, 0.0f, 11, "CPU Safe" }, SettingTextCase { 6, 1.0f, 11, "Precise" },
    SettingTextCase { 6, 0.49f, 11, "CPU Safe" }));

TEST_F(TarvoMParameters, SettingTextsOutsideTheSchemeAreEmptyAndIndexZeroIsTheHoldMode)
{
    for (int index : { 1, 2, 3, 4, 12, -1, 13 })
        EXPECT_EQ(p.getSettingText(index), "") << index;
    EXPECT_EQ(p.getSettingText(0), "Off");
    setParameter(p, 0, 0.5f);
    EXPECT_EQ(p.getSettingText(0), "Infinity");
    setParameter(p, 0, 1.0f);
    EXPECT_EQ(p.getSettingText(0), "On");
}

TEST_F(TarvoMParameters, SettersOutsideTheSchemeAndNonFiniteValuesChangeNothing)
{
    const auto& s = processWideSettings();
    const double reference = s.referenceGain;
    for (int index : { -1, 7, 12, 13 })
        p.setGlobalSetting(index, 0.0f);
    p.setGlobalSetting(0, std::numeric_limits<float>::quiet_NaN());
    p.setGlobalSetting(6, std::numeric_limits<float>::infinity());
    EXPECT_EQ(s.referenceGain.load(), reference);
    EXPECT_EQ(s.oversamplingOn.load(), 0);
    EXPECT_EQ(s.midValue.load(), 0.0); // the mid attenuation is never set here
    EXPECT_EQ(p.getSettingText(11), "CPU Safe");
}

TEST_F(TarvoMParameters, ChangingTheMeasurementModeMovesThisInstancesProcessingRate)
{
    configure(p, 2, 2, 48000.0, 512);
    p.setGlobalSetting(6, 1.0f);
    EXPECT_EQ(p.getProcessingRate(), 192000.0);
    EXPECT_EQ(p.getBallistics().oversamplingFactor, 4);
    p.setGlobalSetting(6, 0.9f); // same mode: nothing recomputed
    EXPECT_EQ(p.getProcessingRate(), 192000.0);
    p.setGlobalSetting(6, 0.0f);
    EXPECT_EQ(p.getProcessingRate(), 48000.0);
    EXPECT_EQ(p.getBallistics().oversamplingFactor, 0);
}

TEST_F(TarvoMParameters, TrivialOverrides)
{
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    EXPECT_EQ(p.getInputChannelName(0), "1");
    EXPECT_EQ(p.getOutputChannelName(1), "2");
    EXPECT_TRUE(p.isInputChannelStereoPair(0));
    EXPECT_TRUE(p.isOutputChannelStereoPair(1));
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    EXPECT_FALSE(p.silenceInProducesSilenceOut());
    EXPECT_FALSE(p.acceptsMidi());
    EXPECT_FALSE(p.producesMidi());
    EXPECT_EQ(p.getTailLengthSeconds(), 0.0);
    EXPECT_TRUE(p.hasEditor());
    EXPECT_EQ(p.getNumPrograms(), 0);
    EXPECT_EQ(p.getCurrentProgram(), 0);
    p.setCurrentProgram(3);
    p.changeProgramName(0, "x");
    EXPECT_EQ(p.getProgramName(0), "");

    using Layout = juce::AudioProcessor::BusesLayout;
    const auto layout = [](const juce::AudioChannelSet& in, const juce::AudioChannelSet& out) {
        Layout l;
        l.inputBuses.add(in);
        l.outputBuses.add(out);
        return l;
    };
    const auto mono = juce::AudioChannelSet::mono();
    const auto stereo = juce::AudioChannelSet::stereo();
    EXPECT_TRUE(p.checkBusesLayoutSupported(layout(stereo, stereo)));
    EXPECT_TRUE(p.checkBusesLayoutSupported(layout(mono, mono)));
    EXPECT_TRUE(p.checkBusesLayoutSupported(layout(mono, stereo)));
    EXPECT_FALSE(p.checkBusesLayoutSupported(layout(stereo, mono)));
}

TEST(TarvoMIdentity, WhatTheHostIsTold)
{
    const auto& id = pluginIdentity();
    kittest::expectMeterIdentity(id, "Vyr TarvoM", "Trvm");
    // Distinct from the stereo meter's.
    EXPECT_STRNE(id.effectIdentifier, "com.korvanta.vyr.tarvo");

    std::unique_ptr<juce::AudioProcessor> p(createProcessor());
    EXPECT_EQ(p->getName(), "Vyr TarvoM");
}
} // namespace
