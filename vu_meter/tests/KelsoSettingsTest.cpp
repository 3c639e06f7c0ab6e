// The process-wide settings: derived values, the hold table and the texts the
// back panel shows, and which values of an instance follow a change.
#include "KelsoTestSupport.h"

#include "ExtremeValueChecks.h"
#include "KelsoSettings.h"

using namespace vyrkelsom;
using namespace vyrkelsom::testing;

namespace
{
using KelsoSettings = KelsoTest;

struct TextCase
{
    int index;
    float value;
    const char* text;
};

TEST_F(KelsoSettings, SettingsGiveTheirTexts)
{
    VyrKelsoMAudioProcessor p;
    const TextCase cases[] = {
        { 5, 0.0f, " A " },      { 5, 0.4999f, " A " },   { 5, 0.5f, " B " },     { 5, 1.0f, " B " },
        { 6, 0.25f, "-18.0dBFS" }, { 6, 0.0f, "-24.0dBFS" }, { 6, 1.0f, "0.0dBFS" }, { 6, 0.5f, "-12.0dBFS" },
        { 7, 0.5f, "300ms" },    { 7, 0.0f, "53ms" },     { 7, 1.0f, "1697ms" },
        { 8, 0.0f, "0" },        { 8, 0.3f, "0.25" },     { 8, 0.5f, "0.5" },     { 8, 0.75f, "0.75" },
        { 8, 1.0f, "1" },
        { 9, 0.5f, "1.00s" },    { 9, 0.0f, "0.10s" },    { 9, 1.0f, "10.00s" },  { 9, 0.4f, "0.65s" },
        { 9, 0.0875f, "0.14s" }, { 9, 0.9f, "7.00s" },
        { 10, 0.0f, "1" },       { 10, 0.222f, "3" },     { 10, 1.0f, "10" },
        { 11, 0.1f, "+8VU" },    { 11, 0.4f, "-3dBFS" },  { 11, 0.6f, "-1dBFS" }, { 11, 1.0f, "0dBFS" },
        { 12, 0.0f, "CPU Safe" }, { 12, 0.5f, "Precise" }, { 12, 0.0f, "CPU Safe" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.index) + " " + juce::String(c.value));
        p.setGlobalSetting(c.index, c.value);
        EXPECT_EQ(p.getSettingText(c.index), c.text);
    }
    for (int other : { -1, 1, 4, 13, 16 })
        EXPECT_EQ(p.getSettingText(other), " ");
}

struct HoldTimeCase
{
    float value; // normalised setting
    float quantised;
    double milliseconds;
};

TEST_F(KelsoSettings, HoldTimesFollowTheHoldTable)
{
    VyrKelsoMAudioProcessor p;
    const HoldTimeCase cases[] = {
        { 0.0f, 0.0f, 100.0 },
        { 0.5f, 0.5f, 1000.0 },
        { 1.0f, 1.0f, 10000.0 },
        { 0.0875f, 0.0875f, 144.54 },  // 1.75 becomes 1.6
        { 0.1f, 0.1f, 147.91 },        // 2 becomes 1.7
        { 0.4f, 0.4f, 653.88 },        // 8 becomes 8.155
        { 0.6f, 0.6f, 1499.68 },       // 12 becomes 11.76
        { 0.7f, 0.7f, 2798.98 },       // 14 becomes 14.47
        { 0.8f, 0.8f, 4004.05 },       // 16 becomes 16.025
        { 0.9f, 0.9f, 7000.03 },       // 18 becomes 18.451
        { 0.9125f, 0.9125f, 7079.46 }, // 18.25 becomes 18.5, once only
        { 0.925f, 0.925f, 7244.36 },   // 18.5 becomes 18.6
        { 0.3f, 0.3f, 371.54 },        // 6 becomes 5.7
        { 0.2f, 0.2f, 251.19 },        // 4 is not in the table
        { 0.506f, 0.5f, 1000.0 },      // quantised to steps of 1/80
        { 0.5063f, 0.5125f, 1059.25 },
    };
    auto& s = processWideSettings();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.value);
        p.setGlobalSetting(9, c.value);
        EXPECT_FLOAT_EQ(VyrKelsoMAudioProcessor::getGlobalSetting(4), c.quantised);
        EXPECT_NEAR(s.holdTimeMs, c.milliseconds, 0.01);
        // The calling instance's hold length follows at once.
        EXPECT_FLOAT_EQ(p.getHoldLength(), (float) (s.holdTimeMs * 0.001 * p.getProcessingRate()));
    }
}

TEST_F(KelsoSettings, DerivedValuesOfTheDefaults)
{
    VyrKelsoMAudioProcessor p;
    const auto& s = processWideSettings();
    // -18 dB through the single-precision 0.05: 0.1258925373, not 0.1258925412.
    EXPECT_NEAR(s.referenceGain, 0.1258925373, 1e-10);
    EXPECT_NEAR(s.inverseReference, 7.9432825925, 1e-9);
    EXPECT_NEAR(s.integrationMs, 350.1, 0.01);
    EXPECT_NEAR(s.integrationMs / 1.167, 300.0, 0.01);
    EXPECT_EQ(s.backlightStep, 0.5);
    EXPECT_EQ(s.overCount, 3.0);
    EXPECT_EQ(VyrKelsoMAudioProcessor::getOverCountLimit(), 3.0);
    EXPECT_EQ(s.overReferenceStep, 1.0);
    EXPECT_EQ(s.oversamplingOn, 0);

    const float slots[] = { 0.0f, 0.25f, 0.5f, 0.5f, 0.5f, 0.222f, 1.0f, 0.0f };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(VyrKelsoMAudioProcessor::getGlobalSetting(i), slots[i]) << i;
    EXPECT_EQ(VyrKelsoMAudioProcessor::getGlobalSetting(8), 0.0f);
    EXPECT_EQ(VyrKelsoMAudioProcessor::getGlobalSetting(-1), 0.0f);
}

TEST_F(KelsoSettings, OverCountAndOverReferenceSteps)
{
    VyrKelsoMAudioProcessor p;
    const auto& s = processWideSettings();
    const std::pair<float, double> counts[] = { { 0.0f, 1.0 }, { 0.0555f, 1.0 }, { 0.0556f, 2.0 }, { 1.0f, 10.0 } };
    for (const auto& [v, count] : counts)
    {
        p.setGlobalSetting(10, v);
        EXPECT_EQ(s.overCount, count) << v;
    }
    const std::pair<float, double> steps[] = { { 0.0f, 0.0 }, { 0.2f, 1.0 / 3.0 }, { 0.5f, 2.0 / 3.0 }, { 0.9f, 1.0 } };
    for (const auto& [v, step] : steps)
    {
        p.setGlobalSetting(11, v);
        EXPECT_EQ(s.overReferenceStep, step) << v;
    }
}

// One setting applied to a fresh set, and one derived value read back.
template <auto member>
double applied(int index, float v)
{
    ProcessWideSettings s;
    settings::apply(s, index, v);
    return static_cast<double>((s.*member).load());
}

TEST(KelsoExtremeValues, SettingConversionsStopAtTheIntRange)
{
    using kittest::largestInt;
    using kittest::smallestInt;
    using S = ProcessWideSettings;
    kittest::checkExtremeValues({
        { "backlight", [](float v) { return applied<&S::backlightStep>(8, v); }, largestInt * 0.25,
          smallestInt * 0.25 },
        { "hold", [](float v) { return applied<&S::holdSetting>(9, v); },
          static_cast<float>(largestInt * 0.0125), static_cast<float>(smallestInt * 0.0125) },
        { "over count", [](float v) { return applied<&S::overCount>(10, v); }, largestInt + 1.0, smallestInt + 1.0 },
        { "over reference", [](float v) { return applied<&S::overReferenceStep>(11, v); }, largestInt / 3.0,
          smallestInt / 3.0 },
        { "measurement mode", [](float v) { return applied<&S::oversamplingOn>(12, v); }, largestInt, smallestInt },
    });
}

TEST_F(KelsoSettings, TheIntegrationTimeRedesignsTheCallersNeedleAtOnce)
{
    VyrKelsoMAudioProcessor p;
    p.setGlobalSetting(7, 0.0f);
    EXPECT_NEAR(VyrKelsoMAudioProcessor::getNeedleCutoff(), 13.41, 0.01);
    EXPECT_NEAR(p.getNeedleBank().getSection(7).getFrequency(), 13.41, 0.01);

    // The type alone does not redesign the bank; the next reread or integration
    // change does.
    p.setGlobalSetting(5, 1.0f);
    EXPECT_NEAR(p.getNeedleBank().getQStart(), 0.68, 1e-12);
    p.setGlobalSetting(7, 0.0f);
    EXPECT_NEAR(VyrKelsoMAudioProcessor::getNeedleCutoff(), 11.88, 0.01);
    EXPECT_EQ(p.getNeedleBank().getQStart(), 0.85);
    EXPECT_EQ(p.getNeedleBank().getQEnd(), 0.43);
}

TEST_F(KelsoSettings, ValuesThatAreNoNumbersAreNotTaken)
{
    VyrKelsoMAudioProcessor p;
    for (int index = 5; index <= 12; ++index)
        p.setGlobalSetting(index, std::numeric_limits<float>::quiet_NaN());
    const float slots[] = { 0.0f, 0.25f, 0.5f, 0.5f, 0.5f, 0.222f, 1.0f, 0.0f };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(VyrKelsoMAudioProcessor::getGlobalSetting(i), slots[i]) << i;
}

TEST_F(KelsoSettings, TheMeasurementModeChangesOnlyTheCallersRate)
{
    VyrKelsoMAudioProcessor a;
    VyrKelsoMAudioProcessor b;
    configure(a, 2, 2, 44100.0, 512);
    configure(b, 2, 2, 44100.0, 512);

    a.setGlobalSetting(12, 1.0f);
    EXPECT_EQ(a.getProcessingRate(), 176400.0);
    EXPECT_EQ(a.getRingStep(), 176);
    EXPECT_EQ(VyrKelsoMAudioProcessor::getOversamplingFactor(), 4);
    // The other instance keeps its rate until its next prepareToPlay.
    EXPECT_EQ(b.getProcessingRate(), 44100.0);
    b.prepareToPlay(44100.0, 512);
    EXPECT_EQ(b.getProcessingRate(), 176400.0);

    // Setting the mode that is already on recomputes nothing: the history stays.
    a.setParameter(1, 0.1f);
    auto audio = sine(2, 4410, 100.0, 44100.0, 0.3);
    process(a, audio, { 512 });
    const int written = a.getRingWriteIndex();
    EXPECT_GT(written, 0);
    a.setGlobalSetting(12, 0.9f);
    EXPECT_EQ(a.getRingWriteIndex(), written);
    EXPECT_EQ(a.getProcessingRate(), 176400.0);

    a.setGlobalSetting(12, 0.0f);
    EXPECT_EQ(a.getProcessingRate(), 44100.0);
    EXPECT_EQ(VyrKelsoMAudioProcessor::getOversamplingFactor(), 0);
    EXPECT_EQ(a.getRingWriteIndex(), 0);
}
} // namespace
