// The over LED's reads of a delayed over-count history: every over is read once,
// on the first read after the display has passed it, whatever the delay, and
// never earlier from slots the writer has just filled with newer history.
#include "DelayedOverReadout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace
{
constexpr int ringSize = vyrkit::DelayedOverReadout::ringSize;
constexpr double overLimit = 3.0;

// A history writer and an over LED reading it, as a processor and its editor do.
struct History
{
    std::array<float, ringSize> ring {};
    vyrkit::DelayedOverReadout readout;
    int written = 0; // history writes so far; the newest slot is written % ringSize

    void write(float count)
    {
        ++written;
        float& slot = ring[(size_t) (written % ringSize)];
        readout.overwriting(slot, overLimit);
        slot = count;
    }

    float read(int delay)
    {
        readout.beginRead(((written - delay) % ringSize + ringSize) % ringSize, delay);
        const float count = readout.largestCount(ring.data(), -1.0f);
        return count;
    }
};

struct DelayCase
{
    int delay;
    int tickSlots; // history writes between two reads
};

class DelayedOverReads : public ::testing::TestWithParam<DelayCase> {};

TEST_P(DelayedOverReads, EachOverOnTheFirstReadAfterTheDisplayPassedIt)
{
    const auto c = GetParam();
    // Overs at these writes; the second one lands while the first is on its way
    // to the display, in a slot that a long span would already reach.
    const std::vector<int> overs { 1500, 1500 + 1001 - c.delay + 5, 3000, 3001 };
    std::vector<int> expected;
    for (int over : overs)
    {
        const int due = over + c.delay; // the write at which the display shows it
        const int read = (due + c.tickSlots - 1) / c.tickSlots * c.tickSlots;
        if (expected.empty() || expected.back() != read)
            expected.push_back(read);
    }

    History h;
    std::vector<int> lit;
    while (h.written < 5000)
    {
        const int next = h.written + 1;
        h.write(std::find(overs.begin(), overs.end(), next) != overs.end() ? 3.0f : 0.0f);
        if (h.written % c.tickSlots == 0 && h.read(c.delay) >= overLimit)
            lit.push_back(h.written);
    }
    EXPECT_EQ(lit, expected) << "delay " << c.delay << ", " << c.tickSlots << " slots a tick";
}

INSTANTIATE_TEST_SUITE_P(Delays, DelayedOverReads, ::testing::Values(
    DelayCase { 1, 30 }, DelayCase { 500, 30 }, DelayCase { 975, 30 }, DelayCase { 990, 30 },
    DelayCase { 999, 30 }, DelayCase { 999, 20 }, DelayCase { 999, 1 }, DelayCase { 990, 250 }),
    [](const auto& info) {
        return "delay" + std::to_string(info.param.delay) + "_every" + std::to_string(info.param.tickSlots);
    });

TEST(DelayedOverReadout, AnOverNoReadTookIsForgottenAfterAQuarterSecond)
{
    History h;
    for (int i = 0; i < 2000; ++i)
    {
        h.write(0.0f);
        if (i % 30 == 0)
            h.read(999);
    }
    h.write(3.0f); // overwritten 2 slots after the display shows it
    for (int i = 0; i < 400; ++i)
        h.write(0.0f); // no read for 400 ms: an editor closed, a lock busy on every tick
    EXPECT_LT(h.read(999), overLimit);
    for (int i = 0; i < 30; ++i)
        h.write(0.0f);
    EXPECT_LT(h.read(999), overLimit);
}

TEST(DelayedOverReadout, TheCountSetAfterAReadGoesToTheSlotsItCovered)
{
    History h;
    for (int i = 1; i <= 1200; ++i)
        h.write(i >= 1199 ? 7.0f : 0.0f);
    // A read where the previous one ended covers the shown slot alone.
    h.readout.beginRead(1200 % ringSize, 0);
    h.readout.beginRead(1200 % ringSize, 0);
    EXPECT_EQ(h.readout.largestCount(h.ring.data()), 7.0f);
    h.readout.setCount(h.ring.data(), 0.0f);
    EXPECT_EQ(h.ring[1200 % ringSize], 0.0f);
    EXPECT_EQ(h.ring[1199 % ringSize], 7.0f);

    // The next read covers the slots written since.
    for (int i = 0; i < 20; ++i)
        h.write(4.0f);
    h.readout.beginRead(h.written % ringSize, 0);
    EXPECT_EQ(h.readout.largestCount(h.ring.data()), 4.0f);
    h.readout.setCount(h.ring.data(), 0.0f);
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(h.ring[(size_t) ((h.written - k) % ringSize)], 0.0f) << k;
    EXPECT_EQ(h.ring[1199 % ringSize], 7.0f);
}

} // namespace
