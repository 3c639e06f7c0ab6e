// Block sizes that change from block to block, through the binding's C
// interface: every meter gives the same audio, the same needles and holds, and
// the same delayed display read-out as with fixed blocks of 512. Hosts deliver
// such blocks around automation and loop points; a prepare at every change
// would clear the history the delayed display reads and, in the VU meter,
// redesign the needle's filter bank.
#include "MetersInProcess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

using vyrinprocess::Instance;
using vyrinprocess::MeterUnderTest;

namespace
{
constexpr double rate = 44100.0;
constexpr int segmentLength = 11025;      // a quarter of a second
constexpr int segments = 12;
constexpr int totalLength = segmentLength * segments;

// Quarter-second segments of two tones at changing levels, with a few bursts
// above full scale so that over counts reach the history too.
std::vector<std::vector<float>> programme()
{
    static const float levels[segments][2] = { { 0.1f, 0.05f }, { 0.5f, 0.3f }, { 0.9f, 0.7f }, { 0.2f, 0.6f },
                                               { 0.0f, 0.0f },  { 0.7f, 0.1f }, { 0.3f, 0.3f }, { 1.0f, 0.9f },
                                               { 0.05f, 0.4f }, { 0.6f, 0.6f }, { 0.0f, 0.2f }, { 0.4f, 0.8f } };
    std::vector<std::vector<float>> audio(2, std::vector<float>(totalLength));
    for (int i = 0; i < totalLength; ++i)
    {
        const int segment = i / segmentLength;
        const double t = i / rate;
        audio[0][(size_t) i] = levels[segment][0] * (float) std::sin(2.0 * juce::MathConstants<double>::pi * 997.0 * t);
        audio[1][(size_t) i] = levels[segment][1] * (float) std::sin(2.0 * juce::MathConstants<double>::pi * 440.0 * t + 1.0);
        // 3 ms above full scale near the end of every third segment.
        if (segment % 3 == 2 && i % segmentLength > segmentLength - 400 && i % segmentLength < segmentLength - 268)
        {
            audio[0][(size_t) i] = (i % 2 == 0 ? 1.3f : -1.3f);
            audio[1][(size_t) i] = (i % 2 == 0 ? -1.2f : 1.2f);
        }
    }
    return audio;
}

struct Played
{
    std::vector<std::vector<float>> audio;
    // One reading per segment end.
    std::vector<std::vector<double>> readings;
};

struct Pattern
{
    const char* name;
    // A first block of this many samples (0 for none), then the sizes below.
    int firstBlock;
    std::vector<int> sizes;
};

std::vector<int> randomSizes(int largest, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> size(1, largest);
    std::vector<int> sizes;
    for (int total = 0; total < totalLength; total += sizes.back())
        sizes.push_back(size(generator));
    return sizes;
}

// `count` blocks of `first` samples, then blocks of `then` to the end.
std::vector<int> switchingSizes(int first, int count, int then)
{
    std::vector<int> sizes((std::size_t) count, first);
    sizes.resize((std::size_t) (count + totalLength / then + segments + 1), then);
    return sizes;
}

// The programme through a fresh instance: display delay 100 ms, hold "On",
// the trim active and moved at every segment end, the blocks as the pattern
// gives them, cut at the segment ends so that all runs are read at the same
// samples.
Played play(const MeterUnderTest& meter, bool precise, const Pattern& pattern)
{
    Instance instance(rate);
    EXPECT_NE(instance.processor, nullptr);
    if (instance.processor == nullptr)
        return {};
    meter.setMeasurementMode(*instance.processor, precise);
    EXPECT_TRUE(instance.setParameter("Latency Compensation", 0.1f));
    EXPECT_TRUE(instance.setParameter("Hold", 1.0f));
    EXPECT_TRUE(instance.setParameter("Active", 1.0f));
    static const float trims[] = { 0.55f, 0.45f, 0.6f, 0.5f };
    EXPECT_TRUE(instance.setParameter("Trim", trims[0]));

    const auto input = programme();
    Played run;
    run.audio.assign(2, std::vector<float>(totalLength, 0.0f));
    int position = 0;
    std::size_t next = 0;
    bool first = pattern.firstBlock > 0;
    for (int segment = 0; segment < segments; ++segment)
    {
        const int end = (segment + 1) * segmentLength;
        while (position < end)
        {
            const int wanted = first ? pattern.firstBlock : pattern.sizes[next++ % pattern.sizes.size()];
            first = false;
            const int n = std::min(wanted, end - position);
            const float* in[] = { input[0].data() + position, input[1].data() + position };
            float* out[] = { run.audio[0].data() + position, run.audio[1].data() + position };
            instance.process(in, out, n);
            position += n;
        }
        run.readings.push_back(meter.read(*instance.processor));
        instance.setParameter("Trim", trims[(segment + 1) % 4]);
    }
    return run;
}


class ChangingBlockSizes : public ::testing::TestWithParam<vyrinprocess::MeterInMode>
{
};

void expectSamePlay(const Played& run, const Played& reference)
{
    for (std::size_t c = 0; c < 2; ++c)
        EXPECT_EQ(std::memcmp(run.audio[c].data(), reference.audio[c].data(), totalLength * sizeof(float)), 0)
            << "the audio of channel " << c;
    ASSERT_EQ(run.readings.size(), reference.readings.size());
    for (std::size_t s = 0; s < run.readings.size(); ++s)
        EXPECT_EQ(run.readings[s], reference.readings[s]) << "needles, holds and read-out at the end of segment " << s;
}
} // namespace

TEST_P(ChangingBlockSizes, MeterAsFixedBlocksOf512)
{
    const auto& meter = *GetParam().meter;
    vyrinprocess::choose(meter);
    const bool precise = GetParam().precise;

    const Pattern fixed { "fixed 512", 0, { 512 } };
    const Played reference = play(meter, precise, fixed);
    ASSERT_EQ(reference.readings.size(), (std::size_t) segments);
    // The delayed display shows the programme: at the end of the loudest
    // segment it shows that segment's needle, well off the stop.
    EXPECT_GT(reference.readings[7][2], 0.3);

    const Pattern smaller[] = {
        { "alternating 512 and 480", 0, { 512, 480 } },
        { "random 1 to 1024", 0, randomSizes(1024, 7) },
        { "1, 1024, 37, 300", 0, { 1, 1024, 37, 300 } },
    };
    for (const auto& pattern : smaller)
    {
        SCOPED_TRACE(pattern.name);
        expectSamePlay(play(meter, precise, pattern), reference);
    }

    // Blocks larger than the 1024 a new instance is prepared for, first or
    // after smaller ones, are metered in pieces of 1024: nothing is prepared
    // again, so the history the delayed display reads goes on.
    const Pattern larger[] = {
        { "fixed 1024", 0, { 1024 } },
        // The first 4096 comes 71 ms before a reading, which shows the
        // display 100 ms late: a cleared history would show there.
        { "1024 for 0.93 s, then fixed 4096", 0, switchingSizes(1024, 40, 4096) },
        { "4096, then random 1 to 4096", 4096, randomSizes(4096, 11) },
        { "4096, then alternating 64 and 4096", 4096, { 64, 4096 } },
    };
    for (const auto& pattern : larger)
    {
        SCOPED_TRACE(pattern.name);
        expectSamePlay(play(meter, precise, pattern), reference);
    }
}

INSTANTIATE_TEST_SUITE_P(Meters, ChangingBlockSizes, ::testing::ValuesIn(vyrinprocess::everyMeterInBothModes()),
                         [](const auto& info) { return vyrinprocess::testName(info.param); });
