// The display read-out the editor's timer uses: the needle and hold values
// between blocks, from the history ring when a display delay is set, the
// Infinity hold and its reset, and the over count the LED shows.
#include "KelsoTestSupport.h"

#include <limits>

using namespace vyrkelsom;
using namespace vyrkelsom::testing;

namespace
{
juce::uint32 fakeNow = 0;
juce::uint32 fakeClock() { return fakeNow; }

class KelsoReadout : public KelsoTest
{
protected:
    void SetUp() override
    {
        KelsoTest::SetUp();
        fakeNow = 100000;
        p = std::make_unique<VyrKelsoMAudioProcessor>();
        p->setMillisecondClock(&fakeClock);
        configure(*p, 2, 2, 44100.0, 441);
    }

    void feed(double seconds, double peak, int blockSize = 441)
    {
        auto audio = sine(2, (int) (seconds * 44100), 1000.0, 44100.0, peak);
        process(*p, audio, { blockSize });
    }

    std::unique_ptr<VyrKelsoMAudioProcessor> p;
};

TEST_F(KelsoReadout, TheFractionIsTheTimeIntoTheLastBlock)
{
    EXPECT_EQ(p->getDisplayFraction(p->nowInSeconds()), 0.0f); // no block yet
    feed(0.01, 0.1);
    EXPECT_EQ(p->getBlockDuration(), 0.01);
    EXPECT_EQ(p->getLastBlockTime(), 100.0);
    const std::pair<juce::uint32, float> cases[] = { { 100000, 0.0f }, { 100005, 0.5f }, { 100010, 1.0f },
                                                     { 100250, 25.0f }, { 99990, 0.0f } };
    for (const auto& [now, fraction] : cases)
    {
        fakeNow = now;
        EXPECT_NEAR(p->getDisplayFraction(p->nowInSeconds()), fraction, 1e-4) << now;
    }
    EXPECT_EQ(p->getDisplayFraction(std::numeric_limits<double>::quiet_NaN()), 0.0f);
}

TEST_F(KelsoReadout, ARisingNeedleJumpsAFallingOneGlides)
{
    feed(0.1, 0.2);
    const float live = p->getNeedleLevel();
    EXPECT_EQ(p->getDisplayLevel(0.0f), live); // rising during the last block

    // Silence: the needle falls during the block; the read-out glides from the
    // block's start value towards the newest by the fraction, and on past it
    // while no block arrives.
    std::vector<std::vector<float>> pause(2, std::vector<float>(44100 / 4));
    process(*p, pause, { 441 }); // past the needle's swing
    std::vector<std::vector<float>> silence(2, std::vector<float>(441));
    const float start = p->getNeedleLevel();
    process(*p, silence, { 441 });
    const float end = p->getNeedleLevel();
    ASSERT_LT(end, start);
    for (float x : { 0.0f, 0.25f, 1.0f, 3.0f })
        EXPECT_FLOAT_EQ(p->getDisplayLevel(x), (1.0f - x) * start + x * end) << x;
    EXPECT_LT(p->getDisplayLevel(3.0f), end);
    EXPECT_FLOAT_EQ(p->getDisplayHold(0.5f), p->getHoldNeedle()); // held, not falling
}

TEST_F(KelsoReadout, TheDelayedDisplayReadsTheRingBehindTheWritePosition)
{
    const std::pair<float, int> delays[] = { { 0.001f, 1 }, { 0.25f, 250 }, { 0.999f, 999 }, { 1.0f, 999 } };
    setParameter(*p, 1, 0.5f);
    feed(1.2, 0.2);
    for (const auto& [value, slots] : delays)
    {
        SCOPED_TRACE(value);
        setParameter(*p, 1, value);
        p->updateDisplayIndex();
        int expected = p->getRingWriteIndex() - slots;
        if (expected < 0)
            expected += 1001;
        EXPECT_EQ(p->getDisplayIndex(), expected);
        const int slot = p->getDisplayIndex();
        const float a = p->getLevelRingSlot(slot);
        const float b = p->getLevelRingSlot(slot - 1);
        EXPECT_FLOAT_EQ(p->getDisplayLevel(0.5f), a > b ? a : 0.5f * b + 0.5f * a);
    }
}

TEST_F(KelsoReadout, SlotZeroFollowsSlot1000)
{
    setParameter(*p, 1, 0.001f);
    // 1002 ring steps of 44 samples: the write position wraps to slot 1.
    auto audio = sine(2, 1002 * 44, 1000.0, 44100.0, 0.2);
    process(*p, audio, { 441 });
    ASSERT_EQ(p->getRingWriteIndex(), 1);
    p->updateDisplayIndex();
    ASSERT_EQ(p->getDisplayIndex(), 0);
    const float a = p->getLevelRingSlot(0);
    const float b = p->getLevelRingSlot(1000);
    EXPECT_EQ(p->getDisplayLevel(0.3f), a > b ? a : 0.7f * b + 0.3f * a);
    EXPECT_NE(b, 0.0f);
}

TEST_F(KelsoReadout, TheInfinityHoldNeverFallsUntilItIsReset)
{
    setParameter(*p, 0, 0.5f);
    feed(0.5, 0.3);
    const float top = p->getDisplayHold(0.0f);
    EXPECT_GT(top, 0.5f);
    std::vector<std::vector<float>> silence(2, std::vector<float>(3 * 44100));
    process(*p, silence, { 441 });
    EXPECT_LT(p->getHoldNeedle(), 0.01f);
    EXPECT_EQ(p->getDisplayHold(1.0f), top);

    // The reset takes the hold down to the shown needle.
    p->resetPeakHold(1.0f);
    EXPECT_NEAR(p->getInfinityHold(), p->getNeedleLevel(), 1e-6);
    EXPECT_FLOAT_EQ(p->getHoldNeedle(), (float) p->getInfinityHold());
    EXPECT_EQ(p->getHoldCounter(), 0.0f);
    EXPECT_LT(p->getDisplayHold(1.0f), 0.01f);
}

TEST_F(KelsoReadout, AResetOutsideInfinityChangesNothing)
{
    for (float hold : { 0.0f, 1.0f })
    {
        SCOPED_TRACE(hold);
        setParameter(*p, 0, hold);
        feed(0.2, 0.3);
        const float before = p->getHoldNeedle();
        const float counter = p->getHoldCounter();
        p->resetPeakHold(0.0f);
        EXPECT_EQ(p->getHoldNeedle(), before);
        EXPECT_EQ(p->getHoldCounter(), counter);
    }
    // Infinity with no maximum held yet: the hold needle goes to its rest.
    setParameter(*p, 0, 0.5f);
    ASSERT_EQ(p->getInfinityHold(), -0.05);
    p->resetPeakHold(0.0f);
    EXPECT_EQ(p->getHoldNeedle(), -0.05f);
}

TEST_F(KelsoReadout, TheLiveOverCountIsReadAndClearedDirectly)
{
    p->setGlobalSetting(11, 1.0f);
    std::vector<std::vector<float>> audio(2, std::vector<float>(8));
    for (size_t i = 1; i < 6; ++i)
        audio[0][i] = audio[1][i] = (i % 2 ? 1.05f : -1.05f);
    process(*p, audio, { 8 });
    EXPECT_EQ(p->readOverCount(), 5.0);
    p->setOverCount(0.0);
    EXPECT_EQ(p->getOverSamples(), 0.0);
    EXPECT_EQ(p->readOverCount(), 0.0);
}

TEST_F(KelsoReadout, ADelayedOverReachesTheLedOnce)
{
    setParameter(*p, 1, 0.1f); // 100 ms
    p->setGlobalSetting(11, 1.0f);
    std::vector<std::vector<float>> audio(2, std::vector<float>(4410));
    for (size_t i = 1000; i < 1004; ++i)
        audio[0][i] = audio[1][i] = (i % 2 ? 1.05f : -1.05f);
    process(*p, audio, { 441 });
    // The over was latched into one slot at the limit, and the count restarted.
    int overSlot = -1;
    for (int slot = 0; slot < 1001; ++slot)
        if (p->getOverRingSlot(slot) != 0.0f)
            overSlot = slot;
    ASSERT_GT(overSlot, 0);
    EXPECT_EQ(p->getOverRingSlot(overSlot), 3.0f);
    EXPECT_EQ(p->getOverSamples(), 0.0);

    // The display passes the slot between two ticks 20 slots apart: the read
    // still finds it, marks what it read, and a second read finds nothing.
    std::vector<std::vector<float>> more(2, std::vector<float>(44 * 100));
    process(*p, more, { 441 });
    bool seen = false;
    for (int delay = 100; delay >= 0 && ! seen; delay -= 20)
    {
        setParameter(*p, 1, (float) (p->getRingWriteIndex() - overSlot - 10 + delay) / 1000.0f);
        p->updateDisplayIndex();
        const double over = p->readOverCount();
        if (over >= VyrKelsoMAudioProcessor::getOverCountLimit())
        {
            // Without the LED's reset the read slots stay marked as read.
            EXPECT_EQ(p->getOverRingSlot(overSlot), -1.0f);
            seen = true;
            EXPECT_EQ(over, 3.0);
            p->setOverCount(0.0);
            EXPECT_EQ(p->getOverRingSlot(overSlot), 0.0f);
            EXPECT_LT(p->readOverCount(), VyrKelsoMAudioProcessor::getOverCountLimit());
        }
    }
    EXPECT_TRUE(seen);
}
} // namespace
