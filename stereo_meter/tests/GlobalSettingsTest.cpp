#include "TarvoTestSupport.h"

#include <cmath>

using namespace vyrtarvo;
using namespace vyrtarvo::testing;

namespace
{
class TarvoSettings : public ::testing::Test
{
protected:
    void SetUp() override { restoreDefaultSettings(p); }
    VyrTarvoAudioProcessor p;
};

// Knob positions through the editor's factors, and the texts they give.
struct SettingTextCase
{
    int index;
    float value;
    const char* text;
};

class TarvoSettingText : public TarvoSettings, public ::testing::WithParamInterface<SettingTextCase> {};

TEST_P(TarvoSettingText, ValueGivesText)
{
    const auto& c = GetParam();
    p.setGlobalSetting(c.index, c.value);
    EXPECT_EQ(VyrTarvoAudioProcessor::getSettingText(c.index), c.text) << "index " << c.index << " value " << c.value;
}

constexpr float knob(float position) { return position * 0.05f; }

INSTANTIATE_TEST_SUITE_P(Table, TarvoSettingText, ::testing::Values(
    SettingTextCase { 6, 0.0f, "-24.0dBFS" }, SettingTextCase { 6, 0.5f, "-12.0dBFS" },
    SettingTextCase { 6, 1.0f, "0.0dBFS" }, SettingTextCase { 6, 24 * 0.041666f, "-0.0dBFS" },
    // Integration: the even knob positions land on simple times.
    SettingTextCase { 7, knob(0), "0.0ms" }, SettingTextCase { 7, knob(2), "0.5ms" },
    SettingTextCase { 7, knob(4), "1.5ms" }, SettingTextCase { 7, knob(6), "3.2ms" },
    SettingTextCase { 7, knob(8), "5.5ms" }, SettingTextCase { 7, knob(10), "10.0ms" },
    SettingTextCase { 7, knob(12), "14.0ms" }, SettingTextCase { 7, knob(14), "25.0ms" },
    SettingTextCase { 7, knob(16), "40.0ms" }, SettingTextCase { 7, knob(18), "70.0ms" },
    SettingTextCase { 7, knob(20), "100.0ms" }, SettingTextCase { 7, knob(0.25f), "0.1ms" },
    // Hold and fall-back times.
    SettingTextCase { 8, knob(0), "0.10s" }, SettingTextCase { 8, knob(2), "0.15s" },
    SettingTextCase { 8, knob(4), "0.25s" }, SettingTextCase { 8, knob(6), "0.37s" },
    SettingTextCase { 8, knob(8), "0.65s" }, SettingTextCase { 8, knob(10), "1.00s" },
    SettingTextCase { 8, knob(12), "1.50s" }, SettingTextCase { 8, knob(14), "2.80s" },
    SettingTextCase { 8, knob(16), "4.00s" }, SettingTextCase { 8, knob(18), "7.00s" },
    SettingTextCase { 8, knob(20), "10.00s" },
    SettingTextCase { 9, knob(0), "0.10s" }, SettingTextCase { 9, knob(6), "0.37s" },
    SettingTextCase { 9, knob(13), "2.00s" }, SettingTextCase { 9, knob(20), "10.00s" },
    SettingTextCase { 9, 0.65f, "2.00s" }, SettingTextCase { 8, 0.5f, "1.00s" }));

TEST_F(TarvoSettings, IntegrationDerivedValues)
{
    auto& s = processWideSettings();
    p.setGlobalSetting(7, 0.0f);
    EXPECT_EQ(s.integrationMs.load(), 0.0);
    EXPECT_EQ(p.getBallistics().attackCoefficient, 1.0);
    p.setGlobalSetting(7, 0.0125f);
    EXPECT_NEAR(s.integrationMs.load(), 0.0594, 1e-4);
    EXPECT_LT(p.getBallistics().attackCoefficient, 1.0);
    // Position 6 goes to 6.25 and stays there (not on to 6.4).
    p.setGlobalSetting(7, 0.3f);
    EXPECT_NEAR(s.integrationMs.load(), std::pow(101.0, (double) (float) (6.25f * 0.05)) - 1.0, 1e-12);
    // 0.35 in single precision times 80 is exactly 28 in single precision.
    p.setGlobalSetting(7, 0.3499999940395355f);
    EXPECT_EQ(s.integrationValue.load(), 28 * 0.0125);
    // Quantised to steps of 1/80, truncated toward zero.
    p.setGlobalSetting(8, 0.51f);
    EXPECT_EQ(s.holdValue.load(), 0.5);
    EXPECT_EQ(VyrTarvoAudioProcessor::getGlobalSetting(2), 0.5f);
}

TEST_F(TarvoSettings, CoefficientsFollowTheProcessingRate)
{
    auto& s = processWideSettings();
    configure(p, 2, 2, 48000.0, 512);
    p.setGlobalSetting(7, 0.5f); // 10 ms
    const double steps = s.integrationMs.load() * 48000.0 * 0.001;
    EXPECT_NEAR(std::pow(1.0 - p.getBallistics().attackCoefficient, steps), 0.01, 1e-12);
    p.setGlobalSetting(9, 0.65f);
    const double fallSteps = s.returnMs.load() * 48000.0 * 0.001;
    EXPECT_NEAR(std::pow(1.0 - p.getBallistics().releaseCoefficient, fallSteps), 0.0625, 1e-12);
    p.setGlobalSetting(8, 0.5f);
    EXPECT_NEAR(p.getBallistics().holdSamples, 1000.0 * 0.001 * 48000.0, 1e-6);
}

TEST_F(TarvoSettings, OverCountReferenceAndMidAttenuation)
{
    auto& s = processWideSettings();
    const struct { float value; double count; } counts[] = { { 0.0f, 1 }, { 1.0f, 10 }, { 0.222f, 3 }, { 5.0f / 9.0f, 6 } };
    for (const auto& c : counts)
    {
        p.setGlobalSetting(10, c.value);
        EXPECT_EQ(s.overCount.load(), c.count) << c.value;
    }
    p.setGlobalSetting(6, 1.0f);
    const struct { float value; double threshold; } refs[] = {
        { 0.0f, 2.5556419010641385 }, { 0.16f, 2.5556419010641385 }, { 0.333f, 0.7071 },
        { 0.666f, 0.8912509381337456 }, { 0.999f, 1.0 }, { 1.0f, 1.0 },
    };
    for (const auto& r : refs)
    {
        p.setGlobalSetting(11, r.value);
        EXPECT_DOUBLE_EQ(overThreshold(s.overReferenceSelector, s.inverseReferenceGain), r.threshold) << r.value;
    }
    EXPECT_EQ(midAttenuation(0.0), 1.0f);
    EXPECT_EQ(midAttenuation(0.5), 0.708f);
    EXPECT_EQ(midAttenuation(1.0), 0.5f);
}

TEST_F(TarvoSettings, MeasurementModeSwitchesOversamplingOnlyOnAChange)
{
    auto& s = processWideSettings();
    configure(p, 2, 2, 44100.0, 512);
    const int before = VyrTarvoAudioProcessor::getGlobalChangeCounter();
    p.setGlobalSetting(13, 0.5f);
    EXPECT_EQ(s.oversamplingOn.load(), 1);
    EXPECT_EQ(p.getBallistics().oversamplingFactor, 4);
    EXPECT_EQ(p.getProcessingRate(), 176400.0);
    EXPECT_EQ(p.getRingStep(), 176);
    p.setGlobalSetting(13, 1.0f); // the mode it already has
    EXPECT_EQ(p.getProcessingRate(), 176400.0);
    p.setGlobalSetting(13, 0.0f);
    EXPECT_EQ(p.getBallistics().oversamplingFactor, 0);
    EXPECT_EQ(p.getProcessingRate(), 44100.0);
    EXPECT_EQ(VyrTarvoAudioProcessor::getGlobalChangeCounter(), before + 3);
}

TEST_F(TarvoSettings, GetGlobalSettingReturnsTheStoredValues)
{
    const float values[] = { 0.25f, 0.3f, 0.5f, 0.65f, 0.222f, 1.0f, 0.5f, 1.0f };
    for (int i = 0; i < 8; ++i)
        p.setGlobalSetting(6 + i, values[i]);
    for (int i = 0; i < 8; ++i)
        EXPECT_FLOAT_EQ(VyrTarvoAudioProcessor::getGlobalSetting(i), values[i]) << i;
    EXPECT_EQ(VyrTarvoAudioProcessor::getGlobalSetting(8), 0.0f);
    EXPECT_EQ(VyrTarvoAudioProcessor::getSettingText(10), "");
}

TEST(TarvoSettingsTables, MappingTablesApplyTheFirstMatchingRowOnly)
{
    EXPECT_EQ(mapIntegrationPosition(6.0f), 6.25f);
    EXPECT_EQ(mapIntegrationPosition(6.25f), 6.4f);
    EXPECT_EQ(mapIntegrationPosition(7.0f), 7.0f);
    EXPECT_EQ(mapTimePosition(6.0f), 5.7f);
    EXPECT_EQ(mapTimePosition(14.25f), 14.52f);
    EXPECT_EQ(mapTimePosition(10.0f), 10.0f);
}
} // namespace
