// Host parameters and chunks through the C interface, with the probe processor.
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <mutex>
#include <thread>

using namespace vyrhosttest;
using vyrhost::PluginInstance;

namespace
{
struct Recorded
{
    std::mutex mutex;
    std::vector<std::pair<int, float>> changes;
    std::vector<std::thread::id> threads;

    PluginInstance::Callbacks callbacks()
    {
        PluginInstance::Callbacks c;
        c.parameterChanged = [this](int index, float value) {
            std::lock_guard<std::mutex> lock(mutex);
            changes.emplace_back(index, value);
            threads.push_back(std::this_thread::get_id());
        };
        return c;
    }
};

class ProbeInstance : public ::testing::Test
{
protected:
    void SetUp() override
    {
        library = loadLibrary(probeAPath());
        ASSERT_NE(library, nullptr);
        instance = PluginInstance::create(*library, 0, 44100.0, recorded.callbacks());
        ASSERT_NE(instance, nullptr);
    }

    Recorded recorded;
    std::unique_ptr<vyrhost::PluginLibrary> library;
    std::unique_ptr<PluginInstance> instance;
};

const PluginInstance::Chunk* findChunk(const std::vector<PluginInstance::Chunk>& chunks, const std::string& id)
{
    for (const auto& chunk : chunks)
        if (chunk.id == id)
            return &chunk;
    return nullptr;
}
} // namespace

TEST_F(ProbeInstance, ListsTheProcessorParametersThenTheBypass)
{
    ASSERT_EQ(instance->getNumParameters(), 6);
    struct Expected
    {
        const char* id;
        const char* name;
        float defaultValue;
        bool bypass;
    };
    const Expected expected[] = {
        { "0", "Gain", 0.5f, false },   { "1", "Probe", 0.0f, false },
        { "2", "Tall", 0.0f, false },   { "3", "Mirror", 0.0f, false },
        { "4", "A Rather Long Parameter Name", 0.0f, false },
        { "MasterBypass", "Master Bypass", 0.0f, true },
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
        EXPECT_EQ(info.isBypass != 0, expected[i].bypass);
    }
    VyrParameterInfo info {};
    EXPECT_FALSE(instance->getParameterInfo(6, info));
    EXPECT_FALSE(instance->getParameterInfo(-1, info));
}

TEST(ProbeParameterNames, AreCutToTheHostsMaximumLength)
{
    auto library = loadLibrary(probeAPath());
    ASSERT_NE(library, nullptr);
    const std::pair<int, const char*> cases[] = {
        { 1, "A" }, { 4, "A Ra" }, { 15, "A Rather Long P" }, { 31, "A Rather Long Parameter Name" },
        { 500, "A Rather Long Parameter Name" },
    };
    for (const auto& [length, expected] : cases)
    {
        auto instance = PluginInstance::create(*library, 0, 44100.0, {}, length);
        ASSERT_NE(instance, nullptr);
        VyrParameterInfo info {};
        ASSERT_TRUE(instance->getParameterInfo(4, info));
        EXPECT_STREQ(info.name, expected) << "maximum " << length;
        ASSERT_TRUE(instance->getParameterInfo(5, info));
        EXPECT_EQ(std::string(info.name), std::string("Master Bypass").substr(0, static_cast<std::size_t>(length)));
    }
}

TEST_F(ProbeInstance, SetsValuesAndReadsTextsWithoutNotifyingTheHost)
{
    EXPECT_TRUE(instance->setParameterValue(0, 0.25f));
    EXPECT_EQ(instance->getParameterValue(0), 0.25f);
    EXPECT_EQ(instance->getParameterText(0), "0.50x");

    // Values outside 0..1 are the processor's business; values that are not
    // numbers never reach it.
    EXPECT_TRUE(instance->setParameterValue(0, 1.5f));
    EXPECT_EQ(instance->getParameterValue(0), 1.5f);
    for (float bad : { std::nanf(""), INFINITY, -INFINITY })
    {
        EXPECT_FALSE(instance->setParameterValue(0, bad));
        EXPECT_FALSE(instance->setParameterValue(5, bad));
    }
    EXPECT_EQ(instance->getParameterValue(0), 1.5f);
    EXPECT_FALSE(instance->setParameterValue(6, 0.0f));
    EXPECT_TRUE(recorded.changes.empty());
}

TEST_F(ProbeInstance, TextsAreCutToTheBufferWithoutSplittingCharacters)
{
    const auto& factory = instance->getFactory();
    char small[8];
    const int length = factory.getParameterText(instance->getHandle(), 1, small, sizeof small);
    EXPECT_GT(length, 7);
    EXPECT_EQ(std::string(small), instance->getParameterText(1).substr(0, 7));
    EXPECT_EQ(factory.getParameterText(instance->getHandle(), 9, small, sizeof small), VYR_ERROR_INVALID);
}

TEST_F(ProbeInstance, ChunksRoundTripIntoAFreshInstance)
{
    instance->setParameterValue(0, 0.3f);
    instance->setParameterValue(2, 1.0f);
    const auto chunks = instance->saveChunks();
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].id, VYR_CHUNK_PARAMETERS);
    EXPECT_EQ(chunks[1].id, VYR_CHUNK_PROCESSOR);
    ASSERT_GE(chunks[1].data.size(), 8u);
    EXPECT_EQ(std::string(chunks[1].data.begin(), chunks[1].data.begin() + 4), "VC2!");

    auto fresh = PluginInstance::create(*library, 0, 44100.0, {});
    ASSERT_NE(fresh, nullptr);
    ASSERT_TRUE(fresh->restoreChunks(chunks));
    EXPECT_EQ(fresh->getParameterValue(0), 0.3f);
    EXPECT_EQ(fresh->getParameterValue(2), 1.0f);
    EXPECT_EQ(fresh->saveChunks()[1].data, chunks[1].data);
}

TEST_F(ProbeInstance, RestoreAppliesTheParametersFirstAndTheProcessorStateLast)
{
    instance->setParameterValue(0, 0.1f);
    const auto early = instance->saveChunks();
    instance->setParameterValue(0, 0.7f);
    const auto late = instance->saveChunks();

    // "params" says 0.1, "juce" says 0.7: the processor's state wins whatever
    // the order of the chunks.
    const std::vector<PluginInstance::Chunk> mixed[] = {
        { early[0], late[1] },
        { late[1], early[0] },
    };
    for (const auto& chunks : mixed)
    {
        instance->setParameterValue(0, 0.5f);
        ASSERT_TRUE(instance->restoreChunks(chunks));
        EXPECT_EQ(instance->getParameterValue(0), 0.7f);
    }

    // Only the parameter chunk: its values apply.
    ASSERT_TRUE(instance->restoreChunks({ early[0] }));
    EXPECT_EQ(instance->getParameterValue(0), 0.1f);
}

TEST_F(ProbeInstance, RestoreSkipsDamagedOrForeignParameterData)
{
    instance->setParameterValue(0, 0.2f);
    auto chunks = instance->saveChunks();
    const auto parameters = *findChunk(chunks, VYR_CHUNK_PARAMETERS);
    instance->setParameterValue(0, 0.9f);

    auto withValue = [&](float value) {
        auto chunk = parameters;
        // The first entry: count (4 bytes) after the magic, then id length 1, "0", the float.
        std::memcpy(chunk.data.data() + 4 + 4 + 2, &value, sizeof value);
        return chunk;
    };
    auto truncated = parameters;
    truncated.data.pop_back();
    auto badMagic = parameters;
    badMagic.data[0] = 'X';
    auto hugeCount = parameters;
    hugeCount.data[7] = 0x7f;

    const PluginInstance::Chunk ignored[] = {
        withValue(std::nanf("")), withValue(INFINITY), truncated, badMagic, hugeCount,
        { VYR_CHUNK_PARAMETERS, {} }, { "unknown", { 1, 2, 3 } },
    };
    for (const auto& chunk : ignored)
    {
        EXPECT_TRUE(instance->restoreChunks({ chunk }));
        EXPECT_EQ(instance->getParameterValue(0), 0.9f);
    }
    EXPECT_TRUE(instance->restoreChunks({ withValue(0.4f) }));
    EXPECT_EQ(instance->getParameterValue(0), 0.4f);
}

TEST_F(ProbeInstance, RestoreNotifiesTheHostOnTheRestoringThread)
{
    instance->setParameterValue(0, 0.3f);
    instance->setParameterValue(2, 1.0f);
    const auto chunks = instance->saveChunks();
    instance->setParameterValue(0, 0.5f);
    ASSERT_TRUE(recorded.changes.empty());

    std::thread::id restorer;
    std::thread([&] {
        restorer = std::this_thread::get_id();
        instance->restoreChunks({ chunks[1] });
    }).join();

    std::lock_guard<std::mutex> lock(recorded.mutex);
    const std::vector<std::pair<int, float>> expected { { 0, 0.3f }, { 2, 1.0f } };
    EXPECT_EQ(recorded.changes, expected);
    for (const auto& id : recorded.threads)
        EXPECT_EQ(id, restorer);
}
