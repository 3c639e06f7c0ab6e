// The instance state: the exact bytes a new instance saves, the round trip, and
// chunks that are malformed, foreign or partial.
#include "KelsoTestSupport.h"

#include "KelsoSettings.h"
#include "StateChunkChecks.h"

#include <string>

using namespace vyrkelsom;
using namespace vyrkelsom::testing;
using namespace kittest;

namespace
{
using KelsoState = KelsoTest;

TEST_F(KelsoState, ANewInstanceSavesExactlyThisChunk)
{
    checkANewInstanceSavesExactly<VyrKelsoMAudioProcessor>(
        "<VYRKELSOMsettings hold=\"0\" trim=\"0.5\" active=\"0\" signature=\"M Track\" latency=\"0\" size=\"0\"/>",
        "VYRKELSOMsettings");
}

TEST_F(KelsoState, EveryValueRoundTripsAndReachesTheHostInOrder)
{
    VyrKelsoMAudioProcessor a, b;
    // Twenty significant digits of the float widened to double.
    const auto heard = checkEveryAttributeRoundTrips(a, b, { 1.0f, 0.123f, 0.6f, 1.0f }, "Bass & <Drums> \"2\"",
                                                     { "trim=\"0.60000002384185791016\"" });
    EXPECT_EQ(parameterText(b, 2), "4.0 dB");
    EXPECT_EQ(b.getLatencyMs(), 123);
    EXPECT_EQ(b.getHoldMode(), 2.0f);
    const std::vector<std::pair<int, float>> order = { { 3, 1.0f }, { 2, 0.6f }, { 1, 0.123f }, { 0, 1.0f } };
    EXPECT_EQ(heard, order);
}

TEST_F(KelsoState, TheTagComparesWithoutRegardToCase)
{
    VyrKelsoMAudioProcessor p;
    restoreState(p, chunkOf("<vyrkelsomSETTINGS trim=\"1\" active=\"1\"/>"));
    EXPECT_EQ(parameter(p, 2), 1.0f);
    EXPECT_EQ(parameterText(p, 2), "20.0 dB");
}

TEST_F(KelsoState, MalformedOrForeignChunksChangeNothing)
{
    checkChunksOfNoStateChangeNothing<VyrKelsoMAudioProcessor>("VYRKELSOMsettings", VyrKelsoMAudioProcessor::trimParameter);
}

TEST_F(KelsoState, StatesAtTheReaderBoundsRoundTrip)
{
    checkStatesAtTheReaderBoundsRoundTrip<VyrKelsoMAudioProcessor>("VYRKELSOMsettings");
}

TEST_F(KelsoState, WhateverAnInstanceHoldsIsRestored)
{
    checkWhateverAnInstanceHoldsIsRestored<VyrKelsoMAudioProcessor>();
}

struct AttributeCase
{
    const char* name;
    const char* element;
    float hold, trim, active, latency;
    const char* signature;
    int size;
};

TEST_F(KelsoState, MissingOrOddAttributesKeepOrNormaliseTheValues)
{
    const AttributeCase cases[] = {
        // Missing attributes keep the present values (set before the restore).
        { "only trim", "<VYRKELSOMsettings trim=\"0.25\"/>", 1.0f, 0.25f, 1.0f, 0.5f, "Kept", 1 },
        { "no signature, no size", "<VYRKELSOMsettings hold=\"0\"/>", 0.0f, 0.75f, 1.0f, 0.5f, "Kept", 1 },
        // Text without a number reads as 0; "nan" and "inf" are no numbers here.
        { "garbage", "<VYRKELSOMsettings trim=\"abc\" hold=\"nan\" latency=\"inf\"/>", 0.0f, 0.0f, 1.0f, 0.0f, "Kept", 1 },
        // A number beyond the float range is no value either.
        { "huge", "<VYRKELSOMsettings trim=\"1e300\"/>", 1.0f, 0.0f, 1.0f, 0.5f, "Kept", 1 },
        // The window has two sizes.
        { "size 7", "<VYRKELSOMsettings size=\"7\"/>", 1.0f, 0.75f, 1.0f, 0.5f, "Kept", 1 },
        { "size -1", "<VYRKELSOMsettings size=\"-1\"/>", 1.0f, 0.75f, 1.0f, 0.5f, "Kept", 1 },
        { "size 0", "<VYRKELSOMsettings size=\"0\" signature=\"\"/>", 1.0f, 0.75f, 1.0f, 0.5f, "", 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        VyrKelsoMAudioProcessor p;
        setParameter(p, 0, 1.0f);
        setParameter(p, 1, 0.5f);
        setParameter(p, 2, 0.75f);
        setParameter(p, 3, 1.0f);
        p.setSignature("Kept");
        p.getSizeFlag() = 1;
        restoreState(p, chunkOf(c.element));
        EXPECT_EQ(parameter(p, 0), c.hold);
        EXPECT_EQ(parameter(p, 2), c.trim);
        EXPECT_EQ(parameter(p, 3), c.active);
        EXPECT_EQ(parameter(p, 1), c.latency);
        EXPECT_EQ(p.getSignature(), c.signature);
        EXPECT_EQ(p.getSizeFlag().load(), c.size);
        EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
    }
}

TEST_F(KelsoState, RestoringTheHoldModeKeepsOrForgetsTheInfinityHold)
{
    VyrKelsoMAudioProcessor p;
    configure(p, 2, 2, 44100.0, 441);
    setParameter(p, 0, 0.5f);
    auto audio = sine(2, 4410, 1000.0, 44100.0, 0.2);
    process(p, audio, { 441 });
    p.getDisplayHold(0.0f);
    const double held = p.getInfinityHold();
    ASSERT_GT(held, 0.0);
    restoreState(p, chunkOf("<VYRKELSOMsettings hold=\"0.5\"/>"));
    EXPECT_EQ(p.getSettingText(0), "Infinity");
    EXPECT_EQ(p.getInfinityHold(), held);
    restoreState(p, chunkOf("<VYRKELSOMsettings hold=\"0\"/>"));
    EXPECT_EQ(p.getSettingText(0), "Off");
    EXPECT_EQ(p.getInfinityHold(), -0.05);
}

TEST_F(KelsoState, TheSettingsAreNeverPartOfTheState)
{
    VyrKelsoMAudioProcessor p;
    p.setGlobalSetting(7, 1.0f);
    juce::MemoryBlock block;
    p.getStateInformation(block);
    p.setGlobalSetting(7, 0.0f);
    restoreState(p, block);
    EXPECT_EQ(p.getSettingText(7), "53ms");
    EXPECT_EQ(chunkText(block).find("vu"), std::string::npos);
}
} // namespace
