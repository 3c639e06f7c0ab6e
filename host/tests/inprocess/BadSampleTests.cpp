// One bad sample in a steady tone, through the binding's C interface: NaN, an
// infinity, or a finite value whose DC-blocked value overflows the metering.
// The audio passes through as it came, and three seconds later every meter
// reads as before: the sample never entered its state.
#include "MetersInProcess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using vyrinprocess::Instance;
using vyrinprocess::MeterUnderTest;

namespace
{
constexpr double rate = 44100.0;
constexpr int blockSize = 512;

struct BadSample
{
    const char* name;
    float value;
};

const BadSample badSamples[] = {
    { "NaN", std::numeric_limits<float>::quiet_NaN() },
    { "+Inf", std::numeric_limits<float>::infinity() },
    { "-Inf", -std::numeric_limits<float>::infinity() },
    { "FLT_MAX/2", std::numeric_limits<float>::max() / 2.0f },
};


class OneBadSample : public ::testing::TestWithParam<vyrinprocess::MeterInMode>
{
};

// Needle and hold of every metered channel.
std::vector<double> needlesAndHolds(const MeterUnderTest& meter, juce::AudioProcessor& processor)
{
    const auto values = meter.read(processor);
    std::vector<double> result;
    for (int c = 0; c < meter.channels; ++c)
    {
        result.push_back(values[(std::size_t) (c * vyrinprocess::valuesPerChannel)]);
        result.push_back(values[(std::size_t) (c * vyrinprocess::valuesPerChannel + 1)]);
    }
    return result;
}
} // namespace

TEST_P(OneBadSample, LeavesNoTraceInTheMeter)
{
    const auto& meter = *GetParam().meter;
    vyrinprocess::choose(meter);

    // Two seconds of a steady tone (the VU needle settles), the bad sample on
    // both channels, three seconds more.
    const int settle = static_cast<int>(2.0 * rate);
    const int total = settle + static_cast<int>(3.0 * rate);
    std::vector<std::vector<float>> tone(2, std::vector<float>((std::size_t) total));
    for (int i = 0; i < total; ++i)
    {
        const double t = i / rate;
        tone[0][(std::size_t) i] = 0.3f * static_cast<float>(std::sin(2.0 * juce::MathConstants<double>::pi * 1000.0 * t));
        tone[1][(std::size_t) i] = 0.2f * static_cast<float>(std::sin(2.0 * juce::MathConstants<double>::pi * 1000.0 * t + 0.5));
    }

    for (const auto& bad : badSamples)
    {
        SCOPED_TRACE(bad.name);
        Instance instance(rate);
        ASSERT_NE(instance.processor, nullptr);
        meter.setMeasurementMode(*instance.processor, GetParam().precise);
        ASSERT_TRUE(instance.setParameter("Hold", 1.0f)); // "On"

        auto input = tone;
        input[0][(std::size_t) settle] = bad.value;
        input[1][(std::size_t) settle] = bad.value;
        std::vector<std::vector<float>> output(2, std::vector<float>((std::size_t) total));
        std::vector<double> before;
        for (int start = 0; start < total; start += blockSize)
        {
            if (start == settle / blockSize * blockSize)
                before = needlesAndHolds(meter, *instance.processor);
            const int n = std::min(blockSize, total - start);
            const float* in[] = { input[0].data() + start, input[1].data() + start };
            float* out[] = { output[0].data() + start, output[1].data() + start };
            instance.process(in, out, n);
        }
        const auto after = needlesAndHolds(meter, *instance.processor);

        // The audio as it came, the bad sample included (the trim is off).
        for (std::size_t c = 0; c < 2; ++c)
            EXPECT_EQ(std::memcmp(output[c].data(), input[c].data(), (std::size_t) total * sizeof(float)), 0)
                << "channel " << c;

        ASSERT_EQ(after.size(), before.size());
        for (std::size_t v = 0; v < after.size(); ++v)
        {
            SCOPED_TRACE(v % 2 == 0 ? "needle" : "hold");
            ASSERT_GT(before[v], 0.1);
            EXPECT_TRUE(std::isfinite(after[v])) << after[v];
            EXPECT_NEAR(after[v], before[v], 0.01 * before[v]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Meters, OneBadSample, ::testing::ValuesIn(vyrinprocess::everyMeterInBothModes()),
                         [](const auto& info) { return vyrinprocess::testName(info.param); });
