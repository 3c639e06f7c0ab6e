// The audio callback must not allocate. malloc, calloc and realloc of this
// process are counted on the calling thread while the test says so; the
// libraries' allocations (operator new included) go through them too.
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>

#if ! defined(__SANITIZE_THREAD__) && ! defined(__SANITIZE_ADDRESS__)
 #define VYR_COUNT_ALLOCATIONS 1

extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);

namespace
{
thread_local bool counting = false;
thread_local long allocations = 0;
} // namespace

extern "C" void* malloc(std::size_t size)
{
    if (counting)
        ++allocations;
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size)
{
    if (counting)
        ++allocations;
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* pointer, std::size_t size)
{
    if (counting)
        ++allocations;
    return __libc_realloc(pointer, size);
}
#endif

using namespace vyrhosttest;
using vyrhost::PluginInstance;

namespace
{
struct Case
{
    std::string library;
    int configuration;
    bool bypassed;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << std::filesystem::path(c.library).filename().string() << ", configuration " << c.configuration
        << (c.bypassed ? ", bypassed" : "");
}

std::vector<Case> cases()
{
    std::vector<Case> list;
    std::vector<std::string> libraries { probeAPath() };
    for (const auto& meter : meterPaths())
        libraries.push_back(meter);
    for (const auto& library : libraries)
        for (int configuration = 0; configuration < 3; ++configuration)
            for (bool bypassed : { false, true })
                list.push_back({ library, configuration, bypassed });
    return list;
}
} // namespace

class AudioCallback : public ::testing::TestWithParam<Case>
{
};

TEST_P(AudioCallback, DoesNotAllocate)
{
#ifndef VYR_COUNT_ALLOCATIONS
    GTEST_SKIP() << "allocations are not counted under a sanitizer";
#else
    auto library = loadLibrary(GetParam().library);
    ASSERT_NE(library, nullptr);
    auto instance = PluginInstance::create(*library, GetParam().configuration, 44100.0, {});
    ASSERT_NE(instance, nullptr);
    // A meter's trim switched on, so that its gain path runs too.
    if (const int active = findParameter(*instance, "Active"); active >= 0)
        instance->setParameterValue(active, 1.0f);
    instance->setParameterValue(instance->findBypassParameter(), GetParam().bypassed ? 1.0f : 0.0f);

    const auto input = makeTestSignal(instance->getNumInputs(), 4096);
    std::vector<std::vector<float>> output(static_cast<std::size_t>(instance->getNumOutputs()),
                                           std::vector<float>(4096));
    std::vector<const float*> in;
    std::vector<float*> out;
    for (const auto& channel : input)
        in.push_back(channel.data());
    for (auto& channel : output)
        out.push_back(channel.data());

    // After a first block, as a host starts, blocks of changing sizes may not
    // allocate: those up to the 1024 the instance was prepared for, and larger
    // ones, which are processed in pieces of 1024.
    instance->process(in.data(), out.data(), 512);
    allocations = 0;
    counting = true;
    for (int block = 0; block < 200; ++block)
        instance->process(in.data(), out.data(),
                          block % 50 == 0 ? 0 : (block % 25 == 0 ? 4096 : (block % 2 == 0 ? 512 : 480)));
    counting = false;
    EXPECT_EQ(allocations, 0);

    // The counter does see the library's allocations: a parameter text is a
    // string made inside it.
    counting = true;
    instance->getParameterText(1);
    counting = false;
    EXPECT_GT(allocations, 0);
#endif
}

INSTANTIATE_TEST_SUITE_P(Built, AudioCallback, ::testing::ValuesIn(cases()), [](const auto& info) {
    std::string id;
    for (char c : std::filesystem::path(info.param.library).stem().string())
        if (std::isalnum(static_cast<unsigned char>(c)))
            id += c;
    return id + "_" + std::to_string(info.param.configuration) + (info.param.bypassed ? "_bypassed" : "");
});
