#pragma once

// Helpers of the editors' concurrency tests, shared by the three meters: running
// the calls queued for the message thread, a host thread that can be paused
// between its calls, and a processor that meets a host call while its editor is
// being built.

#include <juce_events/juce_events.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

namespace kittest
{
// Runs the message loop until every call queued before this one has run.
inline void runQueuedCalls()
{
    auto done = std::make_shared<std::atomic<bool>>(false);
    juce::MessageManager::callAsync([done] { done->store(true); });
    while (! done->load())
        juce::MessageManager::getInstance()->runDispatchLoopUntil(1);
}

// A host thread that makes one call after another (the argument counts them)
// until it is destroyed. pause() returns once the thread stands between two
// calls, so everything they queued is queued; resume() lets it go on.
class HostThread
{
public:
    explicit HostThread(std::function<void(int)> hostCall)
        : call(std::move(hostCall)), thread([this] { run(); })
    {
    }

    ~HostThread()
    {
        stop = true;
        thread.join();
    }

    void pause()
    {
        pauseRequested = true;
        while (! paused.load())
            std::this_thread::yield();
    }

    void resume() { pauseRequested = false; }

private:
    void run()
    {
        for (int i = 0; ! stop.load();)
        {
            if (pauseRequested.load())
            {
                paused = true;
                while (pauseRequested.load() && ! stop.load())
                    std::this_thread::sleep_for(std::chrono::microseconds(100));
                paused = false;
                continue;
            }
            call(i++);
        }
    }

    std::function<void(int)> call;
    std::atomic<bool> stop { false };
    std::atomic<bool> pauseRequested { false };
    std::atomic<bool> paused { false };
    std::thread thread;
};

// A processor whose editor, when its constructor reads parameter
// `readIndex`, meets a host thread making `hostCall`: the call lands after the
// editor has read what it is about to change, and before it has finished.
template <typename Processor>
struct HostCallWhileEditorIsBuilt : Processor
{
    int readIndex = 0;
    std::function<void(Processor&)> hostCall;

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    float getParameter(int index) override
    {
        const float value = Processor::getParameter(index);
        if (index == readIndex && hostCall != nullptr && juce::MessageManager::existsAndIsCurrentThread())
        {
            auto callNow = std::exchange(hostCall, nullptr);
            std::thread([this, &callNow] { callNow(*this); }).join();
        }
        return value;
    }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
};
} // namespace kittest
