// The trim glide of every meter through the C interface: a steady input of 1.0
// makes each output sample the smoothed gain itself, so the glide can be read
// to the last bit; and at the lowest rates the binding accepts, the moving trim
// never turns the audio non-finite.
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace vyrhosttest;
using vyrhost::PluginInstance;

namespace
{
std::string libraryName(const std::string& path)
{
    std::string id;
    for (char c : std::filesystem::path(path).stem().string())
        if (std::isalnum(static_cast<unsigned char>(c)))
            id += c;
    return id;
}

// A meter instance in the stereo configuration with its trim switched on.
struct TrimmedMeter
{
    TrimmedMeter(const std::string& path, double rate)
    {
        library = loadLibrary(path);
        if (library == nullptr)
            return;
        instance = PluginInstance::create(*library, 0, rate, {});
        if (instance == nullptr)
            return;
        trim = findParameter(*instance, "Trim");
        instance->setParameterValue(findParameter(*instance, "Active"), 1.0f);
    }

    // Runs the input through the instance in blocks of 512 and returns the
    // first output channel.
    std::vector<float> run(const std::vector<float>& input)
    {
        std::vector<float> left(input.size()), right(input.size());
        for (std::size_t start = 0; start < input.size(); start += 512)
        {
            const int n = static_cast<int>(std::min<std::size_t>(512, input.size() - start));
            const float* in[] = { input.data() + start, input.data() + start };
            float* out[] = { left.data() + start, right.data() + start };
            instance->process(in, out, n);
        }
        return left;
    }

    std::unique_ptr<vyrhost::PluginLibrary> library;
    std::unique_ptr<PluginInstance> instance;
    int trim = -1;
};

class TrimGlide : public ::testing::TestWithParam<std::string>
{
};
} // namespace

// The coefficient at 44100 Hz is 0.0005 as a float; towards -20 dB the float
// glide comes to rest at 0.10000744462013245 after 23166 samples (with 22.05f in
// place of the constant it would rest at 0.10000745207071304).
TEST_P(TrimGlide, FollowsTheCoefficientToTheLastBit)
{
    TrimmedMeter meter(GetParam(), 44100.0);
    ASSERT_NE(meter.instance, nullptr);
    ASSERT_GE(meter.trim, 0);
    meter.instance->setParameterValue(meter.trim, 0.0f); // -20 dB

    const auto gain = meter.run(std::vector<float>(44100, 1.0f));
    EXPECT_EQ(gain[0], 0.9995499849319458f);
    EXPECT_EQ(gain[999], 0.6458098292350769f);
    EXPECT_EQ(gain[23166], 0.10000744462013245f);
    EXPECT_EQ(gain[44099], 0.10000744462013245f);
}

// Below 22.05 Hz the quotient would exceed 1: every step would overshoot the
// target and the gain would grow until it overflows (at 11 Hz after about
// 19,600 samples). The trim is moved between -20 and +20 dB every 10,000
// samples; the gain follows at once.
TEST_P(TrimGlide, LowHostRatesKeepTheAudioFinite)
{
    for (double rate : { 1.0, 5.0, 11.0, 12.0 })
    {
        SCOPED_TRACE(rate);
        TrimmedMeter meter(GetParam(), rate);
        ASSERT_NE(meter.instance, nullptr);
        ASSERT_GE(meter.trim, 0);

        std::vector<float> input(10000);
        for (std::size_t i = 0; i < input.size(); ++i)
            input[i] = 0.5f * static_cast<float>(std::sin(0.37 * static_cast<double>(i)));
        int nonFinite = 0;
        for (int segment = 0; segment < 10; ++segment)
        {
            const bool up = segment % 2 == 0;
            meter.instance->setParameterValue(meter.trim, up ? 1.0f : 0.0f);
            const auto output = meter.run(input);
            for (float v : output)
                nonFinite += std::isfinite(v) ? 0 : 1;
            const float target = up ? 10.0f : 0.1f;
            EXPECT_NEAR(output.back(), input.back() * target, 1e-6f * 10.0f) << "segment " << segment;
        }
        EXPECT_EQ(nonFinite, 0) << "of 100,000 samples";
    }
}

INSTANTIATE_TEST_SUITE_P(Built, TrimGlide, ::testing::ValuesIn(meterPaths()),
                         [](const auto& info) { return libraryName(info.param); });
