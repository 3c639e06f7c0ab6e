// The state chunk "VYRTARVOsettings": its exact bytes, the round trip, the
// restore order the host sees, and data that must leave the instance alone.
#include "TarvoTestSupport.h"

#include "StateChunk.h"
#include "StateChunkChecks.h"

#include <string>

using namespace vyrtarvo;
using namespace vyrtarvo::testing;
using namespace kittest;

namespace
{
using P = VyrTarvoAudioProcessor;

TEST(TarvoState, ANewInstanceSavesExactlyThisChunk)
{
    checkANewInstanceSavesExactly<P>("<VYRTARVOsettings hold=\"0\" LRMS=\"0\" trim=\"0.5\" active=\"0\" "
                                     "signature=\"Master Track\" latency=\"0\" size=\"0\"/>",
                                     "VYRTARVOsettings");
}

TEST(TarvoState, EveryAttributeRoundTrips)
{
    P a, b;
    checkEveryAttributeRoundTrips(a, b, { 1.0f, 1.0f, 0.3f, 0.123456789f, 1.0f }, "Bass \"DI\" & <amp>",
                                  { "latency=\"0.30000001192092895508\"" });
    EXPECT_EQ(parameterText(b, 1), " MS ");
    EXPECT_EQ(b.getLatencyMs(), 300);
}

TEST(TarvoState, RestoreNotifiesTheHostInOrderAndAcceptsAnyLetterCase)
{
    P p;
    checkRestoreTellsTheHostInOrder(p, "<vyrtarvosettings hold=\"0.5\" LRMS=\"1\" trim=\"1.1\" active=\"1\" latency=\"0.25\"/>",
                                    { { 4, 1.0f }, { 3, 1.1f }, { 2, 0.25f }, { 0, 0.5f }, { 1, 1.0f } },
                                    "Master Track");
    EXPECT_EQ(parameterText(p, 3), "24.0 dB"); // no clamp
    EXPECT_EQ(parameterText(p, 0), "Infinity");
}

TEST(TarvoState, TextsWithoutANumberReadAsZero)
{
    P p;
    setParameter(p, 3, 0.8f);
    setParameter(p, 2, 0.8f);
    restoreState(p, chunkOf("<VYRTARVOsettings trim=\"nan\" latency=\"inf\" hold=\"abc\" active=\" 1.0e0x\" size=\"1.9\"/>"));
    EXPECT_EQ(parameter(p, 3), 0.0f);
    EXPECT_EQ(parameter(p, 2), 0.0f);
    EXPECT_EQ(parameter(p, 0), 0.0f);
    EXPECT_EQ(parameter(p, 4), 1.0f);
    EXPECT_EQ(p.getSizeFlag().load(), 1);
    EXPECT_TRUE(std::isfinite(p.getTrimTargetGain()));
}

TEST(TarvoState, AbsurdNumbersStayFinite)
{
    checkAbsurdNumbersKeepTheAudioFinite<P>("<VYRTARVOsettings trim=\"1e30\" active=\"1\" latency=\"1e300\" LRMS=\"-1e39\"/>");
}

TEST(TarvoState, MalformedChunksLeaveTheStateAlone)
{
    checkChunksOfNoStateChangeNothing<P>("VYRTARVOsettings", P::trimParameter);

    // A length past the end of the data: the chunk is read up to the data's end.
    P p;
    setParameter(p, P::trimParameter, 0.25f);
    restoreState(p, chunkOf("<VYRTARVOsettings trim=\"1\"/>", 100000));
    EXPECT_EQ(parameter(p, P::trimParameter), 1.0f);
}

TEST(TarvoState, StatesAtTheReaderBoundsRoundTrip)
{
    checkStatesAtTheReaderBoundsRoundTrip<P>("VYRTARVOsettings");
}

TEST(TarvoState, WhateverAnInstanceHoldsIsRestored)
{
    checkWhateverAnInstanceHoldsIsRestored<P>();
}

TEST(TarvoState, ShallowNestingInsideAStateIsStillRead)
{
    // A state with a few harmless children (from a later version, say) still applies.
    P p;
    restoreState(p, chunkOf("<VYRTARVOsettings trim=\"1\"><a><b c=\"/>\"/></a><!-- <x> --></VYRTARVOsettings>"));
    EXPECT_EQ(parameter(p, P::trimParameter), 1.0f);
}
} // namespace
