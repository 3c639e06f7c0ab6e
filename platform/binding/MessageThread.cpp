#include "MessageThread.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace vyrplatform
{
namespace
{
struct LoopState
{
    std::mutex mutex;          // guards the fields below, and start/stop
    std::thread thread;
    int starts = 0;
    bool dispatching = false;
    std::condition_variable changed;
    // Written by stop() to end the loop. Host threads touch no JUCE object to
    // stop it: JUCE's stopDispatchLoop, called from another thread, can still
    // be writing to the message manager when the loop has ended and deleted it.
    int stopEvent = -1;
};

LoopState& loop()
{
    static LoopState state;
    return state;
}

void runLoop(int stopEvent)
{
    juce::initialiseJuce_GUI();
    auto* manager = juce::MessageManager::getInstance();
    manager->setCurrentThreadAsMessageThread();
    juce::LinuxEventLoop::registerFdCallback(stopEvent, [](int fd) {
        std::uint64_t count = 0;
        [[maybe_unused]] const auto bytes = ::read(fd, &count, sizeof count);
        juce::MessageManager::getInstance()->stopDispatchLoop();
    });
    {
        std::lock_guard<std::mutex> lock(loop().mutex);
        loop().dispatching = true;
    }
    loop().changed.notify_all();

    manager->runDispatchLoop();
    juce::LinuxEventLoop::unregisterFdCallback(stopEvent);

    // JUCE's GUI singletons (desktop, window system, look-and-feels) are
    // deleted on the thread that used them.
    juce::shutdownJuce_GUI();
    std::lock_guard<std::mutex> lock(loop().mutex);
    loop().dispatching = false;
}
} // namespace

bool MessageThread::start()
{
    auto& state = loop();
    std::unique_lock<std::mutex> lock(state.mutex);
    if (state.starts++ > 0)
        return true;

    state.stopEvent = ::eventfd(0, EFD_CLOEXEC);
    if (state.stopEvent < 0)
    {
        state.starts = 0;
        return false;
    }
    state.thread = std::thread(runLoop, state.stopEvent);
    state.changed.wait(lock, [&] { return state.dispatching; });
    return true;
}

void MessageThread::stop()
{
    auto& state = loop();
    std::thread finished;
    int stopEvent = -1;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        if (state.starts == 0 || --state.starts > 0)
            return;
        finished = std::move(state.thread);
        stopEvent = state.stopEvent;
        state.stopEvent = -1;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto bytes = ::write(stopEvent, &one, sizeof one);
    if (finished.joinable())
        finished.join();
    ::close(stopEvent);
}

bool MessageThread::isRunning()
{
    std::lock_guard<std::mutex> lock(loop().mutex);
    return loop().dispatching;
}

bool MessageThread::callAndWait(const std::function<void()>& fn)
{
    if (juce::MessageManager::existsAndIsCurrentThread())
    {
        fn();
        return true;
    }
    if (! isRunning())
        return false;

    struct Completion
    {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
    };
    auto completion = std::make_shared<Completion>();

    const bool posted = juce::MessageManager::callAsync([completion, fn] {
        fn();
        {
            std::lock_guard<std::mutex> lock(completion->mutex);
            completion->finished = true;
        }
        completion->done.notify_all();
    });
    if (! posted)
        return false;

    // Wait for the call; should the loop end meanwhile (which the binding only
    // does with no instance alive), stop waiting rather than hang.
    std::unique_lock<std::mutex> lock(completion->mutex);
    while (! completion->done.wait_for(lock, std::chrono::milliseconds(100),
                                       [&] { return completion->finished; }))
    {
        lock.unlock();
        const bool running = isRunning();
        lock.lock();
        if (! running && ! completion->finished)
            return false;
    }
    return true;
}
} // namespace vyrplatform
