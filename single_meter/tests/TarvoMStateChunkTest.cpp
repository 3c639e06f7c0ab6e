// The state chunk "VYRTARVOMsettings": its exact bytes, the round trip, the
// restore order the host sees, and data that must leave the instance alone.
#include "TarvoMTestSupport.h"

#include "StateChunk.h"
#include "StateChunkChecks.h"

#include <cmath>
#include <string>

using namespace vyrtarvom;
using namespace vyrtarvom::testing;
using namespace kittest;

namespace
{
using P = VyrTarvoMAudioProcessor;

TEST(TarvoMState, ANewInstanceSavesExactlyThisChunk)
{
    checkANewInstanceSavesExactly<P>("<VYRTARVOMsettings hold=\"0\" trim=\"0.5\" active=\"0\" signature=\"M Track\" "
                                     "latency=\"0\" size=\"0\"/>",
                                     "VYRTARVOMsettings");
}

TEST(TarvoMState, EveryAttributeRoundTripsWithTheWidenedFloat)
{
    P a, b;
    checkEveryAttributeRoundTrips(a, b, { 1.0f, 0.05f, 0.6f, 1.0f }, "Bass \"DI\" & <amp>",
                                  { "latency=\"0.050000000745058059692\"", "trim=\"0.60000002384185791016\"",
                                    "size=\"1\"" });
    EXPECT_EQ(b.getLatencyMs(), 50);
    EXPECT_EQ(parameterText(b, 2), "4.0 dB");
}

TEST(TarvoMState, RestoreTellsTheHostActiveTrimLatencyHoldAndAcceptsAnyLetterCase)
{
    P p;
    checkRestoreTellsTheHostInOrder(p, "<vyrtarvomsettings hold=\"0.5\" trim=\"1.1\" active=\"1\" latency=\"0.25\"/>",
                                    { { 3, 1.0f }, { 2, 1.1f }, { 1, 0.25f }, { 0, 0.5f } }, "M Track");
    EXPECT_EQ(parameterText(p, 2), "24.0 dB"); // no clamp
    EXPECT_EQ(parameterText(p, 0), "Infinity");
}

TEST(TarvoMState, AMissingAttributeKeepsTheCurrentValue)
{
    P p;
    setParameter(p, 1, 0.3f);
    p.getSizeFlag() = 1;
    restoreState(p, chunkOf("<VYRTARVOMsettings hold=\"1\" signature=\"\"/>"));
    EXPECT_EQ(p.getLatencyMs(), 300);
    EXPECT_EQ(p.getSizeFlag().load(), 1);
    EXPECT_EQ(parameter(p, 0), 1.0f);
    EXPECT_EQ(p.getSignature(), ""); // present, though empty
}

struct AttributeCase
{
    const char* chunk;
    float trim, latency, hold, active;
    int size;
};

class TarvoMStateTexts : public ::testing::TestWithParam<AttributeCase> {};

// Texts become numbers by the project's rule: the leading number, 0 when there
// is none; nothing non-finite ever reaches a parameter.
TEST_P(TarvoMStateTexts, AttributesAreReadByTheProjectsRules)
{
    const auto& c = GetParam();
    P p;
    restoreState(p, chunkOf(c.chunk));
    EXPECT_EQ(parameter(p, 2), c.trim);
    EXPECT_EQ(parameter(p, 1), c.latency);
    EXPECT_EQ(parameter(p, 0), c.hold);
    EXPECT_EQ(parameter(p, 3), c.active);
    EXPECT_EQ(p.getSizeFlag().load(), c.size);
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
}

INSTANTIATE_TEST_SUITE_P(Table, TarvoMStateTexts, ::testing::Values(
    AttributeCase { "<VYRTARVOMsettings trim=\"nan\" latency=\"inf\" hold=\"abc\" active=\" 1.0e0x\" size=\"1.9\"/>",
                    0.0f, 0.0f, 0.0f, 1.0f, 1 },
    AttributeCase { "<VYRTARVOMsettings trim=\"1e30\" latency=\"1e300\" hold=\"-1e39\" size=\"7\"/>",
                    1e30f, 0.0f, 0.0f, 0.0f, 1 },
    AttributeCase { "<VYRTARVOMsettings trim=\"-0.25\" latency=\"2\" size=\"-3\"/>", -0.25f, 2.0f, 0.0f, 0.0f, 1 },
    AttributeCase { "<VYRTARVOMsettings size=\"0\" trim=\"\"/>", 0.0f, 0.0f, 0.0f, 0.0f, 0 }));

TEST(TarvoMState, AbsurdNumbersKeepTheAudioFinite)
{
    checkAbsurdNumbersKeepTheAudioFinite<P>("<VYRTARVOMsettings trim=\"1e30\" active=\"1\"/>");
}

TEST(TarvoMState, MalformedOrForeignChunksLeaveTheStateAlone)
{
    checkChunksOfNoStateChangeNothing<P>("VYRTARVOMsettings", P::trimParameter);
}

TEST(TarvoMState, StatesAtTheReaderBoundsRoundTrip)
{
    checkStatesAtTheReaderBoundsRoundTrip<P>("VYRTARVOMsettings");
}

TEST(TarvoMState, WhateverAnInstanceHoldsIsRestored)
{
    checkWhateverAnInstanceHoldsIsRestored<P>();
}
} // namespace
