// The stereo meter's deliverable driven through the C interface: what it tells
// the host, its host parameters, its audio path, its chunks, its settings in
// the store when an instance is deleted, and its editor.
#include "HostTestSupport.h"
#include "HostWindow.h"
#include "RegistryStore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <mutex>

using namespace vyrhosttest;
using vyrhost::PluginInstance;

namespace
{
constexpr int hold = 0, lrms = 1, latency = 2, trim = 3, active = 4, bypass = 5;

class Tarvo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (tarvoPath().empty())
            GTEST_SKIP() << "the stereo meter is not built";
        library = loadLibrary(tarvoPath());
        ASSERT_NE(library, nullptr);
    }

    std::unique_ptr<PluginInstance> create(int configuration, PluginInstance::Callbacks callbacks = {})
    {
        auto instance = PluginInstance::create(*library, configuration, 44100.0, std::move(callbacks));
        EXPECT_NE(instance, nullptr);
        return instance;
    }

    // One second of a steady signal through the instance in blocks of 512.
    std::vector<std::vector<float>> run(PluginInstance& instance, const std::vector<std::vector<float>>& input)
    {
        std::vector<std::vector<float>> output(static_cast<std::size_t>(instance.getNumOutputs()),
                                               std::vector<float>(input[0].size(), 99.0f));
        std::vector<const float*> in(input.size());
        std::vector<float*> out(output.size());
        for (std::size_t start = 0; start < input[0].size(); start += 512)
        {
            const int n = static_cast<int>(std::min<std::size_t>(512, input[0].size() - start));
            for (std::size_t c = 0; c < in.size(); ++c)
                in[c] = input[c].data() + start;
            for (std::size_t c = 0; c < out.size(); ++c)
                out[c] = output[c].data() + start;
            instance.process(in.data(), out.data(), n);
        }
        return output;
    }

    std::unique_ptr<vyrhost::PluginLibrary> library;
};

std::string stateText(const std::vector<unsigned char>& chunk)
{
    // "VC2!", a 32-bit little-endian length, the text, a zero byte.
    if (chunk.size() < 9)
        return {};
    const std::uint32_t length = chunk[4] | (chunk[5] << 8) | (chunk[6] << 16) | (static_cast<std::uint32_t>(chunk[7]) << 24);
    if (chunk.size() < 8 + length)
        return {};
    return std::string(chunk.begin() + 8, chunk.begin() + 8 + length).c_str();
}

std::vector<unsigned char> stateChunk(const std::string& text)
{
    std::vector<unsigned char> chunk { 'V', 'C', '2', '!' };
    const auto length = static_cast<std::uint32_t>(text.size() + 1);
    for (int shift = 0; shift < 32; shift += 8)
        chunk.push_back(static_cast<unsigned char>(length >> shift));
    chunk.insert(chunk.end(), text.begin(), text.end());
    chunk.push_back(0);
    return chunk;
}
} // namespace

TEST_F(Tarvo, DescribesItselfWithoutAnInstance)
{
    const auto& d = library->getDescription();
    EXPECT_EQ(library->canUnloadNow(), 1) << "only the session is alive";
    EXPECT_NE(std::string(d.effectIdentifier).find('.'), std::string::npos);
    EXPECT_STREQ(d.manufacturerName, "Korvanta");
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_STREQ(d.effectNames[i], "Vyr Tarvo");
        EXPECT_STREQ(d.packageNames[i], "Vyr Tarvo");
    }
    EXPECT_EQ(d.packageVersion, 0x20100u);
    EXPECT_EQ(d.category, 0u);
    ASSERT_EQ(d.numConfigurations, 3);
    const std::tuple<int, int, const char*> configurations[] = { { 2, 2, "jcaa" }, { 1, 1, "jcab" }, { 1, 2, "jcac" } };
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(d.configurations[i].inputs, std::get<0>(configurations[i]));
        EXPECT_EQ(d.configurations[i].outputs, std::get<1>(configurations[i]));
        EXPECT_EQ(vyrhost::fourCharCode(d.configurations[i].nativeId), std::get<2>(configurations[i]));
    }
    EXPECT_EQ(vyrhost::fourCharCode(d.manufacturerId), std::string("\0VYR", 4));
    EXPECT_EQ(vyrhost::fourCharCode(d.productId), "Trvs");
    EXPECT_EQ(d.canBypass, 1);
    EXPECT_EQ(d.latencySamples, 0);
    const auto& v = d.versionResource;
    EXPECT_STREQ(v.companyName, "Korvanta");
    EXPECT_STREQ(v.fileDescription, "Vyr Tarvo");
    EXPECT_STREQ(v.fileVersion, "2.1.0");
    EXPECT_STREQ(v.productName, "Vyr Tarvo");
    EXPECT_STREQ(v.productVersion, "2.1.0");
    const std::uint16_t fileVersion[4] = { 2, 1, 0, 0 }, productVersion[4] = { 0, 0, 0, 0 };
    EXPECT_TRUE(std::equal(fileVersion, fileVersion + 4, v.fileVersionNumber));
    EXPECT_TRUE(std::equal(productVersion, productVersion + 4, v.productVersionNumber));
}

TEST_F(Tarvo, ReportsItsFiveParametersAndTheBypass)
{
    auto instance = create(0);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->getFactory().getLatencySamples(instance->getHandle()), 0);
    ASSERT_EQ(instance->getNumParameters(), 6);
    struct Expected
    {
        const char* id;
        const char* name;
        float defaultValue;
        const char* text;
    };
    const Expected expected[] = {
        { "0", "Hold", 0.0f, "Off" },          { "1", " LR/MS ", 0.0f, " LR " },
        { "2", "Latency Compensation", 0.0f, "0 ms" }, { "3", "Trim", 0.5f, "-" },
        { "4", "Active", 0.0f, "Inactive" },   { "MasterBypass", "Master Bypass", 0.0f, "Off" },
    };
    for (int i = 0; i < 6; ++i)
    {
        VyrParameterInfo info {};
        ASSERT_TRUE(instance->getParameterInfo(i, info));
        EXPECT_STREQ(info.id, expected[i].id);
        EXPECT_STREQ(info.name, expected[i].name);
        EXPECT_EQ(info.defaultValue, expected[i].defaultValue);
        EXPECT_EQ(info.minimumValue, 0.0f);
        EXPECT_EQ(info.maximumValue, 1.0f);
        EXPECT_EQ(instance->getParameterValue(i), expected[i].defaultValue);
        EXPECT_EQ(instance->getParameterText(i), expected[i].text);
    }
}

TEST_F(Tarvo, ParameterTextsFollowTheValues)
{
    auto instance = create(0);
    ASSERT_NE(instance, nullptr);
    struct Case
    {
        int index;
        float value;
        const char* text;
    };
    const Case cases[] = {
        { hold, 0.2499f, "Off" }, { hold, 0.25f, "Infinity" }, { hold, 0.75f, "On" }, { hold, 0.0f, "Off" },
        { lrms, 0.5f, " MS " },   { lrms, 0.0f, " LR " },
        { latency, 0.25f, "250 ms" }, { latency, 1.0f, "1000 ms" },
        { trim, 1.0f, "-" },      // inactive
        { active, 1.0f, "Active" },
        { trim, 1.0f, "20.0 dB" }, { trim, 0.0f, "-20.0 dB" }, { trim, 0.5f, "0.0 dB" },
        { trim, 0.5025f, "0.1 dB" }, { trim, 0.4975f, "-0.1 dB" },
        { active, 0.0f, "Inactive" }, { bypass, 1.0f, "On" }, { bypass, 0.0f, "Off" },
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(instance->setParameterValue(c.index, c.value));
        EXPECT_EQ(instance->getParameterValue(c.index), c.value);
        EXPECT_EQ(instance->getParameterText(c.index), c.text) << "parameter " << c.index << " at " << c.value;
    }
}

struct TrimCase
{
    int configuration;
    bool activeOn;
    bool bypassed;
};

void PrintTo(const TrimCase& c, std::ostream* os)
{
    *os << "configuration " << c.configuration << (c.activeOn ? ", active" : ", inactive") << (c.bypassed ? ", bypassed" : "");
}

std::string trimCaseName(const TrimCase& c)
{
    static const char* const names[] = { "In2Out2", "In1Out1", "In1Out2" };
    return std::string(names[c.configuration]) + (c.activeOn ? "Active" : "Inactive") + (c.bypassed ? "Bypassed" : "");
}

class TarvoTrim : public Tarvo, public ::testing::WithParamInterface<TrimCase>
{
};

// The trim (+20 dB here) reaches the audio only while "Active" is on and the
// plug-in is not bypassed; with one input and two outputs the second output
// carries the input from before the trim.
TEST_P(TarvoTrim, AppliesTheTrimOnlyWhileActive)
{
    const auto p = GetParam();
    auto instance = create(p.configuration);
    ASSERT_NE(instance, nullptr);
    instance->setParameterValue(trim, 1.0f);
    instance->setParameterValue(active, p.activeOn ? 1.0f : 0.0f);
    instance->setParameterValue(bypass, p.bypassed ? 1.0f : 0.0f);

    const auto input = makeTestSignal(instance->getNumInputs(), 44100, 7);
    const auto output = run(*instance, input);

    const bool trimmed = p.activeOn && ! p.bypassed;
    for (int c = 0; c < instance->getNumInputs(); ++c)
    {
        SCOPED_TRACE(c);
        const auto& in = input[static_cast<std::size_t>(c)];
        const auto& out = output[static_cast<std::size_t>(c)];
        if (! trimmed)
            EXPECT_EQ(std::memcmp(out.data(), in.data(), in.size() * sizeof(float)), 0);
        else
            // The gain moves smoothly to 10; after a second it has arrived.
            for (std::size_t i = in.size() - 100; i < in.size(); ++i)
                EXPECT_NEAR(out[i], in[i] * 10.0f, 1.0e-4f * (1.0f + std::fabs(in[i] * 10.0f))) << i;
    }
    if (instance->getNumInputs() == 1 && instance->getNumOutputs() == 2)
    {
        if (p.bypassed)
            EXPECT_EQ(output[1], std::vector<float>(input[0].size(), 0.0f));
        else
            EXPECT_EQ(std::memcmp(output[1].data(), input[0].data(), input[0].size() * sizeof(float)), 0)
                << "the second output carries the untrimmed input";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TarvoTrim,
                         ::testing::Values(TrimCase { 0, false, false }, TrimCase { 0, true, false },
                                           TrimCase { 0, true, true }, TrimCase { 1, false, false },
                                           TrimCase { 1, true, false }, TrimCase { 2, false, false },
                                           TrimCase { 2, true, false }, TrimCase { 2, true, true }),
                         [](const auto& info) { return trimCaseName(info.param); });

TEST_F(Tarvo, ChunksRoundTripAndTheHostHearsTheRestore)
{
    auto source = create(0);
    ASSERT_NE(source, nullptr);
    const auto fresh = source->saveChunks();
    ASSERT_EQ(fresh.size(), 2u);
    EXPECT_EQ(fresh[1].id, "juce");
    EXPECT_EQ(stateText(fresh[1].data),
              "<VYRTARVOsettings hold=\"0\" LRMS=\"0\" trim=\"0.5\" active=\"0\" signature=\"Master Track\" "
              "latency=\"0\" size=\"0\"/>");

    source->setParameterValue(hold, 1.0f);
    source->setParameterValue(lrms, 1.0f);
    source->setParameterValue(trim, 0.75f);
    source->setParameterValue(active, 1.0f);
    source->setParameterValue(latency, 0.125f);
    const auto chunks = source->saveChunks();

    std::mutex mutex;
    std::vector<int> notified;
    PluginInstance::Callbacks callbacks;
    callbacks.parameterChanged = [&](int index, float) {
        std::lock_guard<std::mutex> lock(mutex);
        notified.push_back(index);
    };
    auto target = create(2, callbacks);
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(target->restoreChunks(chunks));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(target->getParameterValue(i), source->getParameterValue(i)) << i;
    EXPECT_EQ(target->getParameterText(trim), "10.0 dB");
    EXPECT_EQ(target->saveChunks()[1].data, chunks[1].data);
    // Only the processor's restore tells the host, in its own order.
    const std::vector<int> expected { active, trim, latency, hold, lrms };
    EXPECT_EQ(notified, expected);
}

TEST_F(Tarvo, WritesItsEightSettingsToTheStoreWhenAnInstanceIsDeleted)
{
    TempDirectory config;
    const std::string key = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\";
    const char* names[] = { "tarvoReference", "tarvoIntegration", "tarvoHold", "tarvoReturn",
                            "tarvoOver", "tarvoOverReference", "tarvoMS", "tarvoOverSampling" };
    vyrplatform::RegistryStore::setRootDirectory(juce::File(config.path()));
    for (const char* name : names)
        ASSERT_FALSE(vyrplatform::RegistryStore::valueExists(key + name));

    // A fresh process loads the library, creates one instance, renders and
    // deletes it.
    TempDirectory work;
    const auto result = runProcess({ vyrhostPath(), "render", tarvoPath(), "--demo", "--output", work.file("out.wav") },
                                   { { "XDG_CONFIG_HOME", config.path() } });
    ASSERT_EQ(result.exitCode, 0) << result.err;

    for (const char* name : names)
    {
        EXPECT_TRUE(vyrplatform::RegistryStore::valueExists(key + name)) << name;
        EXPECT_FALSE(vyrplatform::RegistryStore::getValue(key + name).isEmpty()) << name;
    }
    vyrplatform::RegistryStore::setRootDirectory({});
}

TEST_F(Tarvo, EditorIsEmbeddedAndFollowsARestoredSize)
{
    if (! haveDisplay())
        GTEST_SKIP() << "needs an X display";
    std::mutex mutex;
    std::pair<int, int> lastSize { 0, 0 };
    PluginInstance::Callbacks callbacks;
    callbacks.editorResized = [&](int w, int h) {
        std::lock_guard<std::mutex> lock(mutex);
        lastSize = { w, h };
    };
    auto instance = create(0, callbacks);
    ASSERT_NE(instance, nullptr);
    vyrhost::HostWindow window;
    std::string error;
    ASSERT_TRUE(window.create("tarvo", 586, 167, error)) << error;

    const auto small = instance->saveChunks();
    std::string text = stateText(small[1].data);
    const auto at = text.find("size=\"0\"");
    ASSERT_NE(at, std::string::npos);
    std::string largeText = text;
    largeText.replace(at, 8, "size=\"1\"");
    const std::vector<PluginInstance::Chunk> large { { "juce", stateChunk(largeText) } };
    const std::vector<PluginInstance::Chunk> back { { "juce", stateChunk(text) } };

    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        int w = 0, h = 0;
        ASSERT_EQ(instance->openEditor(window.getNativeHandle(), w, h), VYR_OK);
        EXPECT_EQ(w, 586);
        EXPECT_EQ(h, 167);

        // A restore on this (host) thread switches the open editor's height.
        ASSERT_TRUE(instance->restoreChunks(large));
        EXPECT_TRUE(waitFor([&] {
            std::lock_guard<std::mutex> lock(mutex);
            return lastSize == std::make_pair(586, 205);
        }));
        ASSERT_TRUE(instance->restoreChunks(back));
        EXPECT_TRUE(waitFor([&] {
            std::lock_guard<std::mutex> lock(mutex);
            return lastSize == std::make_pair(586, 167);
        }));
        EXPECT_EQ(instance->closeEditor(), VYR_OK);
    }
}
