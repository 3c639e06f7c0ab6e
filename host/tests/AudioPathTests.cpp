// The audio callback through the C interface, with the probe processor: the
// inputs reach the outputs bit for bit, the bypass keeps the processor out,
// and the processor is prepared once, at creation, while larger blocks reach it
// in pieces of the size it was prepared for.
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace vyrhosttest;
using vyrhost::PluginInstance;

namespace
{
struct Configuration
{
    int index, inputs, outputs;
};

void PrintTo(const Configuration& c, std::ostream* os)
{
    *os << c.inputs << "x" << c.outputs;
}

const Configuration configurations[] = { { 0, 2, 2 }, { 1, 1, 1 }, { 2, 1, 2 } };

// Runs the signal through the instance in blocks, into separate output buffers
// that start as garbage.
std::vector<std::vector<float>> run(PluginInstance& instance, const std::vector<std::vector<float>>& input,
                                    const std::vector<int>& blockSizes)
{
    const int frames = static_cast<int>(input[0].size());
    std::vector<std::vector<float>> output(static_cast<std::size_t>(instance.getNumOutputs()),
                                           std::vector<float>(input[0].size(), 12345.0f));
    std::vector<const float*> in(input.size());
    std::vector<float*> out(output.size());
    int position = 0;
    for (std::size_t b = 0; position < frames; ++b)
    {
        const int n = std::min(blockSizes[b % blockSizes.size()], frames - position);
        for (std::size_t c = 0; c < in.size(); ++c)
            in[c] = input[c].data() + position;
        for (std::size_t c = 0; c < out.size(); ++c)
            out[c] = output[c].data() + position;
        instance.process(in.data(), out.data(), n);
        position += n;
    }
    return output;
}

bool bitEqual(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

class ProbeAudio : public ::testing::TestWithParam<Configuration>
{
protected:
    void SetUp() override
    {
        library = loadLibrary(probeAPath());
        ASSERT_NE(library, nullptr);
        instance = PluginInstance::create(*library, GetParam().index, 48000.0, {});
        ASSERT_NE(instance, nullptr);
        ASSERT_EQ(instance->getNumInputs(), GetParam().inputs);
        ASSERT_EQ(instance->getNumOutputs(), GetParam().outputs);
        input = makeTestSignal(GetParam().inputs, 5000);
    }

    int bypassIndex() const { return instance->findBypassParameter(); }

    std::unique_ptr<vyrhost::PluginLibrary> library;
    std::unique_ptr<PluginInstance> instance;
    std::vector<std::vector<float>> input;
};
} // namespace

TEST_P(ProbeAudio, PassesTheInputsThroughBitExact)
{
    // The probe's gain is 2 x 0.5 = 1: nothing may change a sample.
    const auto output = run(*instance, input, { 512, 0, 1, 1024, 333 });
    EXPECT_TRUE(bitEqual(output[0], input[0]));
    if (GetParam().inputs == 2)
    {
        EXPECT_TRUE(bitEqual(output[1], input[1]));
    }
    if (GetParam().inputs == 1 && GetParam().outputs == 2)
    {
        EXPECT_EQ(output[1], std::vector<float>(input[0].size(), 0.0f))
            << "an output beyond the inputs is cleared before the processor runs";
    }
    EXPECT_EQ(probeField(instance->getParameterText(1), "ins"), GetParam().inputs);
    EXPECT_EQ(probeField(instance->getParameterText(1), "outs"), GetParam().outputs);
}

TEST_P(ProbeAudio, WorksInPlace)
{
    instance->setParameterValue(0, 1.0f); // gain 2
    auto buffers = input;
    buffers.resize(static_cast<std::size_t>(GetParam().outputs), std::vector<float>(input[0].size(), 7.0f));
    std::vector<const float*> in;
    std::vector<float*> out;
    for (int c = 0; c < GetParam().inputs; ++c)
        in.push_back(buffers[static_cast<std::size_t>(c)].data());
    for (auto& channel : buffers)
        out.push_back(channel.data());
    instance->process(in.data(), out.data(), static_cast<int>(input[0].size()));
    for (std::size_t i = 0; i < input[0].size(); ++i)
        ASSERT_EQ(buffers[0][i], input[0][i] * 2.0f) << i;
}

TEST_P(ProbeAudio, BypassLeavesTheAudioUntouched)
{
    instance->setParameterValue(0, 1.0f); // the probe would double every sample
    ASSERT_TRUE(instance->setParameterValue(bypassIndex(), 1.0f));
    EXPECT_EQ(instance->getParameterText(bypassIndex()), "On");

    const auto output = run(*instance, input, { 256 });
    EXPECT_TRUE(bitEqual(output[0], input[0]));
    const std::string probe = instance->getParameterText(1);
    EXPECT_EQ(probeField(probe, "processed"), 0);
    EXPECT_GT(probeField(probe, "bypassed"), 0);

    instance->setParameterValue(bypassIndex(), 0.0f);
    const auto processed = run(*instance, input, { 256 });
    EXPECT_EQ(processed[0][10], input[0][10] * 2.0f);
}

INSTANTIATE_TEST_SUITE_P(Configurations, ProbeAudio, ::testing::ValuesIn(configurations),
                         [](const auto& info) {
                             return std::to_string(info.param.inputs) + "x" + std::to_string(info.param.outputs);
                         });

TEST(ProbeBlockSize, PreparedOnceAndLargerBlocksComeInPiecesOf1024)
{
    auto library = loadLibrary(probeAPath());
    ASSERT_NE(library, nullptr);
    auto instance = PluginInstance::create(*library, 0, 88200.0, {});
    ASSERT_NE(instance, nullptr);
    auto field = [&](const char* name) { return probeField(instance->getParameterText(1), name); };
    instance->setParameterValue(0, 1.0f); // a gain of 2, so that every processed sample shows

    // Created: configured and prepared once, for 1024 samples.
    EXPECT_EQ(field("prepares"), 1);
    EXPECT_EQ(field("block"), 1024);
    EXPECT_EQ(field("rate"), 88200);

    struct Step
    {
        int blockSize, pieces;
    };
    const Step steps[] = {
        { 1024, 1 }, // the size it was prepared for
        { 512, 1 },  // smaller blocks, changing or not
        { 480, 1 },
        { 0, 1 },    // an empty block reaches it too
        { 1, 1 },
        { 2048, 2 }, // larger blocks: in pieces, never prepared again
        { 1025, 2 },
        { 4096, 4 },
        { 3000, 3 },
        { 1024, 1 },
    };
    std::vector<float> left(4096, 0.25f), right(4096, -0.25f);
    const float* in[] = { left.data(), right.data() };
    std::vector<float> outLeft(4096), outRight(4096);
    float* out[] = { outLeft.data(), outRight.data() };
    int pieces = 0;
    for (const auto& step : steps)
    {
        std::fill(outLeft.begin(), outLeft.end(), 0.0f);
        std::fill(outRight.begin(), outRight.end(), 0.0f);
        instance->process(in, out, step.blockSize);
        pieces += step.pieces;
        EXPECT_EQ(field("processed"), pieces) << "after a block of " << step.blockSize;
        EXPECT_EQ(field("prepares"), 1);
        EXPECT_EQ(field("block"), 1024);
        EXPECT_EQ(field("rate"), 88200);
        const auto n = static_cast<std::ptrdiff_t>(step.blockSize);
        EXPECT_EQ(std::count(outLeft.begin(), outLeft.begin() + n, 0.5f), n) << "every sample processed once";
        EXPECT_EQ(std::count(outRight.begin(), outRight.begin() + n, -0.5f), n);
        EXPECT_EQ(std::count(outLeft.begin() + n, outLeft.end(), 0.0f), 4096 - n) << "and no other";
    }
}
