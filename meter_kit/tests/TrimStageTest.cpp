// The trim stage stops stepping once the gain has settled: over glides, settled
// stretches and changes of the target, in blocks of every size, it gives the
// same gain, bit for bit, as a glide that takes every step.
#include "MeterRates.h"
#include "TrimStage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace
{
std::uint32_t bits(float f)
{
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

float gainOfDecibels(float db) { return std::pow(10.0f, db / 20.0f); }

struct Segment
{
    float targetDb;
    int samples;
};

struct GlideCase
{
    double rate;
    std::vector<int> blockSizes; // used in turn
    std::vector<Segment> segments;
};

class TrimStageGlide : public ::testing::TestWithParam<GlideCase> {};

// Runs the programme through blocks as a host would, once with the trim stage
// and once with every step taken, and compares every sample's gain and
// trimmed audio; counts the samples the stage did not step.
TEST_P(TrimStageGlide, GivesTheGainOfEveryStepTaken)
{
    const auto& param = GetParam();
    const float smoothing = vyrkit::trimSmoothingFor(param.rate);
    float fastGain = 1.0f, fullGain = 1.0f;
    long settledSamples = 0, total = 0;
    size_t blockIndex = 0;

    for (const auto& segment : param.segments)
    {
        const float target = gainOfDecibels(segment.targetDb);
        int left = segment.samples;
        while (left > 0)
        {
            const int n = std::min(left, param.blockSizes[blockIndex++ % param.blockSizes.size()]);
            vyrkit::TrimStage stage(fastGain, target, smoothing, true);
            for (int i = 0; i < n; ++i, ++total)
            {
                if (stage.isSettled())
                    ++settledSamples;
                const float fast = stage.step();
                fullGain = vyrkit::trimGlideStep(fullGain, target, smoothing);
                ASSERT_EQ(bits(fast), bits(fullGain)) << "sample " << total << " target " << segment.targetDb << " dB";

                float sample = 0.3f + 0.001f * static_cast<float>(i % 17);
                stage.apply(sample);
                ASSERT_EQ(bits(sample), bits((0.3f + 0.001f * static_cast<float>(i % 17)) * fullGain));
            }
            fastGain = stage.currentGain();
            left -= n;
        }
    }
    // The fast path is taken: the settled stretches are most of the programme.
    EXPECT_GT(settledSamples, total / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Programmes, TrimStageGlide,
    ::testing::Values(
        // Glides up and down, each followed by a long settled stretch, in host
        // blocks of one size.
        GlideCase { 44100.0, { 1024 }, { { 0.0f, 5000 }, { 6.0f, 60000 }, { -12.0f, 90000 }, { 0.5f, 60000 } } },
        // Block sizes that change every block, a target moved before the glide
        // has settled, and one set again to the value it has.
        GlideCase { 48000.0, { 1, 7, 64, 333, 1024, 2 },
                    { { 3.0f, 2000 }, { -3.0f, 70000 }, { -3.0f, 10000 }, { 12.0f, 500 }, { -24.0f, 120000 } } },
        // Small steps of the target near unity at a high rate, and a low rate
        // whose coefficient is 1 (the gain takes its target in one step).
        GlideCase { 192000.0, { 4096, 512 }, { { 0.1f, 300000 }, { 0.0f, 300000 } } },
        GlideCase { 12.0, { 3, 5 }, { { 6.0f, 50 }, { -6.0f, 50 }, { 6.0f, 50 } } }));

// A block settles where the gain stops changing, within the block: the first
// step that gives back its input, whatever the block size.
TEST(TrimStage, SettlesWithinTheBlockAtTheFirstStepThatChangesNothing)
{
    const float smoothing = vyrkit::trimSmoothingFor(44100.0);
    const float target = gainOfDecibels(6.0f);
    float g = 1.0f;
    int stepsToSettle = 0;
    for (;; ++stepsToSettle)
    {
        const float next = vyrkit::trimGlideStep(g, target, smoothing);
        if (bits(next) == bits(g))
            break;
        g = next;
    }
    ASSERT_GT(stepsToSettle, 1000);

    vyrkit::TrimStage stage(1.0f, target, smoothing, false);
    for (int i = 0; i < stepsToSettle; ++i)
    {
        EXPECT_FALSE(stage.isSettled()) << i;
        stage.step();
    }
    stage.step();
    EXPECT_TRUE(stage.isSettled());
    EXPECT_EQ(bits(stage.currentGain()), bits(g));
}

// A new block starts stepping again, so a gain set from outside (a prepare) or a
// new target glides as before.
TEST(TrimStage, EveryBlockStartsWithAFullStep)
{
    const float smoothing = vyrkit::trimSmoothingFor(44100.0);
    vyrkit::TrimStage settled(2.0f, 2.0f, smoothing, true);
    settled.step();
    EXPECT_TRUE(settled.isSettled());

    vyrkit::TrimStage moved(2.0f, 1.0f, smoothing, true);
    EXPECT_EQ(bits(moved.step()), bits(vyrkit::trimGlideStep(2.0f, 1.0f, smoothing)));
    EXPECT_FALSE(moved.isSettled());
}

// The audio leaves trimmed only while the trim is active, saturated at the
// float range; a non-finite sample passes as it is.
TEST(TrimStage, AppliesTheGainWhileActiveWithinTheFloatRange)
{
    const float big = std::numeric_limits<float>::max();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case
    {
        bool active;
        float gain, in, out;
    } cases[] = {
        { true, 2.0f, 0.25f, 0.5f },  { false, 2.0f, 0.25f, 0.25f }, { true, 2.0f, big, big },
        { true, 2.0f, -big, -big },   { true, 2.0f, inf, big },      { true, 2.0f, -inf, -big },
        { false, 2.0f, big, big },
    };
    for (const auto& c : cases)
    {
        vyrkit::TrimStage stage(c.gain, c.gain, 0.0005f, c.active);
        float sample = c.in;
        stage.apply(sample);
        EXPECT_EQ(sample, c.out) << c.active << " " << c.in;
    }
    vyrkit::TrimStage stage(2.0f, 2.0f, 0.0005f, true);
    float nan = std::numeric_limits<float>::quiet_NaN();
    stage.apply(nan);
    EXPECT_TRUE(std::isnan(nan));
}
} // namespace
