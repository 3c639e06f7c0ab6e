// A meter's DC blocker fed through dcBlockedSample: ordinary samples come out
// exactly as the section gives them; a sample that is not finite, or whose
// filtered value passes the limit, is metered as 0 and restarts the blocker.
#include "DcBlockedSample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
vyrkit::IirFilter blocker() { return { 44100.0, 1, 2.0, 0.5, 0.0 }; }

TEST(DcBlockedSample, OrdinarySamplesAreTheSectionsOutputAsFloat)
{
    auto guarded = blocker();
    auto plain = blocker();
    for (int i = 0; i < 2000; ++i)
    {
        const float x = 0.8f * static_cast<float>(std::sin(0.05 * i)) + 0.1f;
        ASSERT_EQ(vyrkit::dcBlockedSample(guarded, x), static_cast<float>(plain.processSample(x))) << i;
    }
}

TEST(DcBlockedSample, ABadSampleIsMeteredAsZeroAndRestartsTheBlocker)
{
    const float bad[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max(),
                          std::numeric_limits<float>::max() / 2.0f, -2.0e30f };
    for (const float value : bad)
    {
        SCOPED_TRACE(value);
        auto b = blocker();
        for (int i = 0; i < 100; ++i)
            vyrkit::dcBlockedSample(b, 0.5f);
        EXPECT_EQ(vyrkit::dcBlockedSample(b, value), 0.0f);
        EXPECT_EQ(b.getInputHistory1(), 0.0);
        EXPECT_EQ(b.getLastOutput(), 0.0);
        EXPECT_EQ(b.getOutputHistory1(), 0.0);
        // The next sample runs from rest: as on a section cleared after as many
        // samples (each one flips the denormal offset).
        auto atRest = blocker();
        for (int i = 0; i < 101; ++i)
            atRest.processSample(0.0);
        atRest.reset();
        EXPECT_EQ(vyrkit::dcBlockedSample(b, 0.25f), static_cast<float>(atRest.processSample(0.25)));
    }

    // Up to the limit a sample is metered.
    auto b = blocker();
    EXPECT_GT(vyrkit::dcBlockedSample(b, 0.9e30f), 0.8e30f);
}
} // namespace
