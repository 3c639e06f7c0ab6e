// The four host parameters: names, defaults, derived values and texts, the
// plain overrides, and what a new instance looks like.
#include "KelsoTestSupport.h"

#include "IdentityChecks.h"
#include "KelsoIdentity.h"

#include <limits>

using namespace vyrkelsom;
using namespace vyrkelsom::testing;

namespace
{
using KelsoParameters = KelsoTest;

TEST_F(KelsoParameters, NamesDefaultsAndOutOfRangeIndices)
{
    VyrKelsoMAudioProcessor p;
    EXPECT_EQ(p.getName(), "Vyr KelsoM");
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    EXPECT_EQ(p.getNumParameters(), 4);
    const char* names[] = { "Hold", "Latency Compensation", "Trim", "Active", " ", " " };
    const float defaults[] = { 0.0f, 0.0f, 0.5f, 0.0f, 0.0f, 0.0f };
    const int indices[] = { 0, 1, 2, 3, 4, -1 };
    for (int i = 0; i < 6; ++i)
    {
        SCOPED_TRACE(indices[i]);
        EXPECT_EQ(parameterName(p, indices[i]), names[i]);
        EXPECT_EQ(p.getParameterDefaultValue(indices[i]), defaults[i]);
        EXPECT_EQ(parameter(p, indices[i]), defaults[i]);
    }
    EXPECT_EQ(parameterText(p, 4), " ");
    EXPECT_EQ(p.getInputChannelName(0), "1");
    EXPECT_EQ(p.getOutputChannelName(1), "2");
    EXPECT_TRUE(p.isInputChannelStereoPair(0));
    EXPECT_TRUE(p.isOutputChannelStereoPair(0));
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    EXPECT_FALSE(p.acceptsMidi());
    EXPECT_FALSE(p.producesMidi());
    EXPECT_FALSE(p.silenceInProducesSilenceOut());
    EXPECT_EQ(p.getTailLengthSeconds(), 0.0);
    EXPECT_EQ(p.getNumPrograms(), 0);
    EXPECT_EQ(p.getProgramName(0), "");
    EXPECT_TRUE(p.hasEditor());
}

TEST_F(KelsoParameters, ANewInstanceIsInactiveWithoutHoldOrDelay)
{
    VyrKelsoMAudioProcessor p;
    EXPECT_EQ(p.getSignature(), "M Track");
    EXPECT_EQ(p.getSizeFlag().load(), 0);
    EXPECT_EQ(p.getTrimEnabled(), 0);
    EXPECT_EQ(p.getTrimTargetGain(), 1.0f);
    EXPECT_EQ(p.getTrimCurrentGain(), 1.0f);
    EXPECT_EQ(p.getHoldMode(), 0.0f);
    EXPECT_EQ(p.getLatencyMs(), 0);
    EXPECT_EQ(p.getNeedleLevel(), -0.05f);
    EXPECT_EQ(p.getHoldNeedle(), -0.05f);
    EXPECT_EQ(p.getInfinityHold(), 0.0);
    // releaseResources ends with a cleared history.
    for (int slot : { 0, 500, 1000 })
    {
        EXPECT_EQ(p.getLevelRingSlot(slot), 0.0f);
        EXPECT_EQ(p.getHoldRingSlot(slot), 0.0f);
        EXPECT_EQ(p.getOverRingSlot(slot), 0.0f);
    }
    EXPECT_EQ(p.getRingStep(), 44);
    EXPECT_EQ(parameterText(p, 0), "Off");
    EXPECT_EQ(parameterText(p, 1), "0 ms");
    EXPECT_EQ(parameterText(p, 2), "-");
    EXPECT_EQ(parameterText(p, 3), "Inactive");
}

struct HoldCase
{
    float value;
    float mode;
    const char* text;
};

TEST_F(KelsoParameters, HoldValuesGiveTheirModes)
{
    VyrKelsoMAudioProcessor p;
    const HoldCase cases[] = {
        { 0.0f, 0.0f, "Off" },  { 0.2499f, 0.0f, "Off" },  { 0.25f, 1.0f, "Infinity" },
        { 0.5f, 1.0f, "Infinity" }, { 0.75f, 2.0f, "On" }, { 1.0f, 2.0f, "On" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.value);
        setParameter(p, 0, c.value);
        EXPECT_EQ(parameter(p, 0), c.value);
        EXPECT_EQ(p.getHoldMode(), c.mode);
        EXPECT_EQ(parameterText(p, 0), c.text);
        EXPECT_EQ(p.getSettingText(0), c.text);
    }
}

TEST_F(KelsoParameters, LatencyValuesGiveMilliseconds)
{
    VyrKelsoMAudioProcessor p;
    const std::pair<float, int> cases[] = { { 0.0f, 0 }, { 0.0004f, 0 }, { 0.0005f, 1 }, { 0.25f, 250 },
                                            { 0.999f, 999 }, { 1.0f, 1000 } };
    for (const auto& [value, ms] : cases)
    {
        SCOPED_TRACE(value);
        setParameter(p, 1, value);
        EXPECT_EQ(p.getLatencyMs(), ms);
        EXPECT_EQ(parameterText(p, 1), juce::String(ms) + " ms");
    }
}

struct TrimCase
{
    float value;
    float db;
    const char* text;
};

TEST_F(KelsoParameters, TrimValuesGiveDecibelsGainAndText)
{
    VyrKelsoMAudioProcessor p;
    setParameter(p, 3, 0.5f); // Active from 0.5 on
    EXPECT_EQ(p.getTrimEnabled(), 1);
    EXPECT_EQ(parameterText(p, 3), "Active");
    const TrimCase cases[] = {
        { 0.5f, 0.0f, "0.0 dB" },    { 0.0f, -20.0f, "-20.0 dB" }, { 1.0f, 20.0f, "20.0 dB" },
        { 0.575f, 3.0f, "3.0 dB" },  { 0.4f, -4.0f, "-4.0 dB" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.value);
        setParameter(p, 2, c.value);
        EXPECT_NEAR(p.getTrimDb(), c.db, 1e-5);
        EXPECT_NEAR(p.getTrimTargetGain(), std::pow(10.0, c.db / 20.0), 1e-5);
        EXPECT_EQ(parameterText(p, 2), c.text);
    }
    setParameter(p, 2, 0.5f);
    EXPECT_EQ(p.getTrimTargetGain(), 1.0f);

    // Without Active every trim reads "-".
    setParameter(p, 3, 0.49f);
    EXPECT_EQ(p.getTrimEnabled(), 0);
    EXPECT_EQ(parameterText(p, 2), "-");
}

TEST_F(KelsoParameters, InfinityHoldIsForgottenOnlyWhenLeavingInfinity)
{
    VyrKelsoMAudioProcessor p;
    configure(p, 1, 1, 44100.0, 441);
    setParameter(p, 0, 0.5f);
    auto audio = sine(1, 4410, 100.0, 44100.0, 0.5);
    process(p, audio, { 441 });
    p.getDisplayHold(0.0f);
    const double held = p.getInfinityHold();
    EXPECT_GT(held, 0.1);

    setParameter(p, 0, 0.5f); // Infinity again: kept
    EXPECT_EQ(p.getInfinityHold(), held);
    setParameter(p, 0, 1.0f); // On: forgotten
    EXPECT_EQ(p.getInfinityHold(), -0.05);
}

// A new instance holds 0 as its Infinity maximum: switched straight to Infinity,
// it shows 0 at rest, and a reset takes the hold to the shown needle.
TEST_F(KelsoParameters, ANewInstanceStartsInfinityFromZero)
{
    VyrKelsoMAudioProcessor p;
    configure(p, 1, 1, 44100.0, 441);
    setParameter(p, 0, 0.5f);
    EXPECT_EQ(p.getInfinityHold(), 0.0);
    EXPECT_EQ(p.getDisplayHold(0.0f), 0.0f); // not the rest at -0.05

    VyrKelsoMAudioProcessor q;
    configure(q, 1, 1, 44100.0, 441);
    auto audio = sine(1, 4410, 100.0, 44100.0, 0.5);
    process(q, audio, { 441 });
    setParameter(q, 0, 0.5f);
    q.resetPeakHold(0.0f);
    EXPECT_GT(q.getHoldNeedle(), 0.1f);
    EXPECT_EQ(q.getHoldNeedle(), q.getDisplayLevel(0.0f));
}

TEST_F(KelsoParameters, ValuesThatAreNoNumbersAreNotTaken)
{
    VyrKelsoMAudioProcessor p;
    setParameter(p, 2, 0.75f);
    for (float bad : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity() })
        for (int index = 0; index < 4; ++index)
            setParameter(p, index, bad);
    EXPECT_EQ(parameter(p, 2), 0.75f);
    EXPECT_EQ(parameter(p, 0), 0.0f);
    EXPECT_EQ(p.getHoldMode(), 0.0f);

    // An absurd finite trim keeps a finite gain.
    setParameter(p, 2, 1.0e30f);
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
    setParameter(p, 2, -1.0e30f);
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
    EXPECT_GE(p.getTrimTargetGain(), 0.0f);
}

TEST(KelsoIdentity, TheHostSeesTheVuMetersIdentity)
{
    const auto& id = pluginIdentity();
    kittest::expectMeterIdentity(id, "Vyr KelsoM", "Klsm");
    EXPECT_STRNE(id.effectIdentifier, "com.korvanta.vyr.tarvo");

    useEmptyStore();
    std::unique_ptr<juce::AudioProcessor> p(createProcessor());
    auto* kelso = dynamic_cast<VyrKelsoMAudioProcessor*>(p.get());
    ASSERT_NE(kelso, nullptr);
    EXPECT_TRUE(kelso->isBusesLayoutSupported({ { juce::AudioChannelSet::mono() }, { juce::AudioChannelSet::stereo() } }));
    EXPECT_FALSE(kelso->isBusesLayoutSupported({ { juce::AudioChannelSet::stereo() }, { juce::AudioChannelSet::mono() } }));
}
} // namespace
