// One instance used from all its threads at once, the way a host does: the
// audio thread processes, a host thread automates and restores state, and the
// editor opens and closes on the library's message thread. Run under
// ThreadSanitizer this shows races; here it shows that nothing breaks.
#include "HostTestSupport.h"
#include "HostWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

using namespace vyrhosttest;
using vyrhost::PluginInstance;

class AllThreadsAtOnce : public ::testing::TestWithParam<std::string>
{
};

TEST_P(AllThreadsAtOnce, AudioAutomationRestoreAndEditor)
{
    auto library = loadLibrary(GetParam());
    ASSERT_NE(library, nullptr);
    std::atomic<int> notifications { 0 };
    PluginInstance::Callbacks callbacks;
    callbacks.parameterChanged = [&](int, float) { ++notifications; };
    auto instance = PluginInstance::create(*library, 0, 48000.0, callbacks);
    ASSERT_NE(instance, nullptr);
    const auto chunks = instance->saveChunks();
    const int numParameters = instance->getNumParameters();

    std::atomic<bool> running { true };
    std::atomic<long> blocks { 0 };
    std::thread audio([&] {
        const auto input = makeTestSignal(2, 256);
        std::vector<std::vector<float>> output(2, std::vector<float>(256));
        const float* in[] = { input[0].data(), input[1].data() };
        float* out[] = { output[0].data(), output[1].data() };
        int sizes[] = { 256, 128, 0, 256, 64 };
        for (int i = 0; running; ++i)
        {
            instance->process(in, out, sizes[i % 5]);
            ++blocks;
        }
    });
    std::thread automation([&] {
        for (int i = 0; running; ++i)
        {
            instance->setParameterValue(i % numParameters, static_cast<float>(i % 11) / 10.0f);
            instance->getParameterText(i % numParameters);
            if (i % 50 == 0)
                instance->restoreChunks(chunks);
            // Automation at a host's pace, not a flood of messages to the editor.
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });

    vyrhost::HostWindow window;
    std::string error;
    const bool withEditor = haveDisplay() && window.create("threads", 100, 100, error);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    while (std::chrono::steady_clock::now() < end)
    {
        if (withEditor)
        {
            int w = 0, h = 0;
            EXPECT_EQ(instance->openEditor(window.getNativeHandle(), w, h), VYR_OK);
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
            window.handleEvents();
            EXPECT_EQ(instance->closeEditor(), VYR_OK);
        }
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
    running = false;
    audio.join();
    automation.join();
    EXPECT_GT(blocks.load(), 100);
    EXPECT_GT(notifications.load(), 0) << "restores told the host";
    instance.reset();
    EXPECT_EQ(library->canUnloadNow(), 1);
}

namespace
{
std::vector<std::string> libraries()
{
    std::vector<std::string> paths { probeAPath() };
    for (const auto& meter : meterPaths())
        paths.push_back(meter);
    return paths;
}
} // namespace

INSTANTIATE_TEST_SUITE_P(Built, AllThreadsAtOnce, ::testing::ValuesIn(libraries()), [](const auto& info) {
    std::string id;
    for (char c : std::filesystem::path(info.param).stem().string())
        if (std::isalnum(static_cast<unsigned char>(c)))
            id += c;
    return id;
});
