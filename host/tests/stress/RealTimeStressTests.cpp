// A demanding host, all at once: several instances of every meter, each on its
// own audio thread with block sizes that change every block (1 to 4096 frames,
// in every channel configuration), host parameter calls from several threads,
// state restores, and editors opening and closing on the libraries' message
// threads.
//
// This program stands in front of the C library for the calls that tell: every
// malloc, calloc and realloc, every write and every pthread mutex call of the
// process passes through it first. It counts
//  - allocations and writes on an audio thread inside process(), and inside a
//    host's setParameterValue call (neither may allocate, make a system call
//    or wait);
//  - allocations on any other thread while it holds an instance's callback
//    lock, the one mutex that process() takes: whoever else takes it only
//    copies under it, so that the audio thread never waits for long.
#include "../HostTestSupport.h"
#include "HostWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <dlfcn.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

#if ! defined(__SANITIZE_THREAD__) && ! defined(__SANITIZE_ADDRESS__)

extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);

namespace
{
enum class Role
{
    other,
    audio,
    hostParameterCall
};

thread_local Role role = Role::other;

// The callback locks seen so far: every mutex that process() locks.
constexpr int maxLocks = 64;
std::array<std::atomic<pthread_mutex_t*>, maxLocks> callbackLocks {};

// The callback locks this (non-audio) thread holds, innermost last.
thread_local pthread_mutex_t* held[16];
thread_local int numHeld = 0;

std::atomic<long> audioAllocations { 0 }, audioWrites { 0 };
std::atomic<long> parameterCallAllocations { 0 }, parameterCallWrites { 0 };
std::atomic<long> allocationsUnderCallbackLock { 0 };
std::atomic<long> callbackLockHolds { 0 };

bool isCallbackLock(pthread_mutex_t* m) noexcept
{
    for (auto& slot : callbackLocks)
    {
        auto* known = slot.load(std::memory_order_acquire);
        if (known == nullptr)
            return false;
        if (known == m)
            return true;
    }
    return false;
}

void rememberCallbackLock(pthread_mutex_t* m) noexcept
{
    for (auto& slot : callbackLocks)
    {
        pthread_mutex_t* expected = nullptr;
        if (slot.compare_exchange_strong(expected, m) || expected == m)
            return;
    }
}

// A place for a debugger's breakpoint.
__attribute__((noinline)) void allocatedUnderCallbackLock() noexcept
{
    ++allocationsUnderCallbackLock;
    asm volatile("");
}

void countAllocation() noexcept
{
    switch (role)
    {
        case Role::audio: ++audioAllocations; break;
        case Role::hostParameterCall: ++parameterCallAllocations; break;
        case Role::other:
            if (numHeld > 0)
                allocatedUnderCallbackLock();
            break;
    }
}

void acquired(pthread_mutex_t* m) noexcept
{
    if (role == Role::audio)
    {
        rememberCallbackLock(m);
        return;
    }
    if (numHeld < 16 && isCallbackLock(m))
    {
        held[numHeld++] = m;
        ++callbackLockHolds;
    }
}

void released(pthread_mutex_t* m) noexcept
{
    for (int i = numHeld - 1; i >= 0; --i)
        if (held[i] == m)
        {
            for (int j = i; j + 1 < numHeld; ++j)
                held[j] = held[j + 1];
            --numHeld;
            return;
        }
}

using MutexCall = int (*)(pthread_mutex_t*);
MutexCall realLock = nullptr, realTryLock = nullptr, realUnlock = nullptr;

__attribute__((constructor)) void resolveMutexCalls()
{
    realLock = reinterpret_cast<MutexCall>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
    realTryLock = reinterpret_cast<MutexCall>(dlsym(RTLD_NEXT, "pthread_mutex_trylock"));
    realUnlock = reinterpret_cast<MutexCall>(dlsym(RTLD_NEXT, "pthread_mutex_unlock"));
}
} // namespace

extern "C" void* malloc(std::size_t size)
{
    countAllocation();
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size)
{
    countAllocation();
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* pointer, std::size_t size)
{
    countAllocation();
    return __libc_realloc(pointer, size);
}

extern "C" ssize_t write(int fd, const void* data, std::size_t size)
{
    if (role == Role::audio)
        ++audioWrites;
    else if (role == Role::hostParameterCall)
        ++parameterCallWrites;
    return syscall(SYS_write, fd, data, size);
}

extern "C" int pthread_mutex_lock(pthread_mutex_t* m)
{
    const int result = realLock(m);
    if (result == 0)
        acquired(m);
    return result;
}

extern "C" int pthread_mutex_trylock(pthread_mutex_t* m)
{
    const int result = realTryLock(m);
    if (result == 0)
        acquired(m);
    return result;
}

extern "C" int pthread_mutex_unlock(pthread_mutex_t* m)
{
    if (role != Role::audio)
        released(m);
    return realUnlock(m);
}

using namespace vyrhosttest;
using vyrhost::PluginInstance;

namespace
{
struct RoleScope
{
    explicit RoleScope(Role r) { role = r; }
    ~RoleScope() { role = Role::other; }
};

// A small generator that allocates nothing.
struct Random
{
    std::uint32_t state;
    std::uint32_t next() noexcept
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int below(int n) noexcept { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
};

struct Meter
{
    std::unique_ptr<vyrhost::PluginLibrary> library;
    std::vector<std::unique_ptr<PluginInstance>> instances;
};

constexpr int instancesPerMeter = 4;
constexpr int maxBlock = 4096;
} // namespace

TEST(RealTimeStress, SeveralInstancesOfEveryMeterOnTheirOwnThreads)
{
    const auto paths = meterPaths();
    ASSERT_FALSE(paths.empty());

    std::vector<Meter> meters;
    std::vector<PluginInstance*> all;
    for (const auto& path : paths)
    {
        Meter meter;
        meter.library = loadLibrary(path);
        ASSERT_NE(meter.library, nullptr);
        const int configurations = meter.library->getDescription().numConfigurations;
        for (int i = 0; i < instancesPerMeter; ++i)
        {
            auto instance = PluginInstance::create(*meter.library, i % configurations, 44100.0 + 4800.0 * i, {});
            ASSERT_NE(instance, nullptr);
            all.push_back(instance.get());
            meter.instances.push_back(std::move(instance));
        }
        meters.push_back(std::move(meter));
    }

    std::vector<std::vector<PluginInstance::Chunk>> states;
    for (auto* instance : all)
        states.push_back(instance->saveChunks());

    std::atomic<bool> running { true };
    std::atomic<long> blocks { 0 }, parameterCalls { 0 };

    std::vector<std::thread> threads;
    for (std::size_t n = 0; n < all.size(); ++n)
        threads.emplace_back([&, n] {
            auto* instance = all[n];
            auto input = makeTestSignal(2, maxBlock, static_cast<unsigned>(n + 1));
            for (auto& channel : input)
                for (auto& sample : channel)
                    sample *= 4.0f; // loud enough to light the over LEDs now and then
            std::vector<std::vector<float>> output(2, std::vector<float>(maxBlock));
            const float* in[] = { input[0].data(), input[1].data() };
            float* out[] = { output[0].data(), output[1].data() };
            Random random { static_cast<std::uint32_t>(0x9e3779b9u * (n + 1)) };
            while (running.load(std::memory_order_relaxed))
            {
                const int frames = 1 + random.below(random.below(4) == 0 ? maxBlock : 512);
                {
                    const RoleScope scope(Role::audio);
                    instance->process(in, out, frames);
                }
                ++blocks;
            }
        });

    // Automation from two host threads; the audio threads get theirs above.
    for (int t = 0; t < 2; ++t)
        threads.emplace_back([&, t] {
            Random random { 12345u + static_cast<std::uint32_t>(t) };
            while (running.load(std::memory_order_relaxed))
            {
                auto* instance = all[static_cast<std::size_t>(random.below(static_cast<int>(all.size())))];
                const int index = random.below(instance->getNumParameters());
                const float value = static_cast<float>(random.below(1001)) / 1000.0f;
                {
                    const RoleScope scope(Role::hostParameterCall);
                    instance->setParameterValue(index, value);
                }
                ++parameterCalls;
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            }
        });

    // Now and then a state restore, as when the user recalls a preset.
    threads.emplace_back([&] {
        Random random { 777u };
        while (running.load(std::memory_order_relaxed))
        {
            const auto n = static_cast<std::size_t>(random.below(static_cast<int>(all.size())));
            all[n]->restoreChunks(states[n]);
            std::this_thread::sleep_for(std::chrono::milliseconds(7));
        }
    });

    // A fixed number of rounds of editors, however fast the machine; without a
    // display, the same time of traffic alone.
    constexpr int editorRounds = 10;
    long editorOpenings = 0;
    if (haveDisplay())
    {
        constexpr int numWindows = 3;
        std::array<vyrhost::HostWindow, numWindows> windows;
        for (int w = 0; w < numWindows; ++w)
        {
            std::string error;
            ASSERT_TRUE(windows[static_cast<std::size_t>(w)].create("stress", 600, 210, error, 0, 220 * w)) << error;
        }
        Random random { 4242u };
        for (int round = 0; round < editorRounds; ++round)
        {
            std::array<PluginInstance*, numWindows> open {};
            for (int w = 0; w < numWindows; ++w)
            {
                auto* instance = all[static_cast<std::size_t>(random.below(static_cast<int>(all.size())))];
                if (std::find(open.begin(), open.end(), instance) != open.end())
                    continue;
                int width = 0, height = 0;
                ASSERT_EQ(instance->openEditor(windows[static_cast<std::size_t>(w)].getNativeHandle(), width, height),
                          VYR_OK);
                open[static_cast<std::size_t>(w)] = instance;
                ++editorOpenings;
            }
            // Long enough for several timer ticks of every open editor.
            for (int i = 0; i < 12; ++i)
            {
                for (auto& window : windows)
                    window.handleEvents();
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            for (auto* instance : open)
            {
                if (instance != nullptr)
                {
                    EXPECT_EQ(instance->closeEditor(), VYR_OK);
                }
            }
        }
    }
    else
    {
        std::this_thread::sleep_for(std::chrono::seconds(3));
    }

    running = false;
    for (auto& thread : threads)
        thread.join();

    EXPECT_GT(blocks.load(), 1000);
    EXPECT_GT(parameterCalls.load(), 1000);
    if (haveDisplay())
    {
        EXPECT_GE(editorOpenings, editorRounds * 2);
        EXPECT_GT(callbackLockHolds.load(), 10) << "the editors' timers read the meters under the lock";
    }

    EXPECT_EQ(audioAllocations.load(), 0) << "allocations inside process()";
    EXPECT_EQ(audioWrites.load(), 0) << "writes inside process()";
    EXPECT_EQ(parameterCallAllocations.load(), 0) << "allocations inside setParameterValue";
    EXPECT_EQ(parameterCallWrites.load(), 0) << "writes inside setParameterValue";
    EXPECT_EQ(allocationsUnderCallbackLock.load(), 0)
        << "allocations while another thread held a callback lock, of " << callbackLockHolds.load() << " holds";

    for (auto& meter : meters)
        meter.instances.clear();
}

#endif
