#pragma once

// The settings store and the process-wide statics as the meters' tests need
// them: a store directory of the test's own, and a child process in which the
// library's statics start at zero again.

#include "RegistryStore.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace kittest
{
// Points the settings store at a new empty directory (made with mkdtemp, so that
// tests running in parallel processes never share one); false when none could
// be made.
inline bool useFreshStore(const char* prefix)
{
    std::string pattern = juce::File::getSpecialLocation(juce::File::tempDirectory)
                              .getChildFile(juce::String(prefix) + "-XXXXXX")
                              .getFullPathName()
                              .toStdString();
    if (::mkdtemp(pattern.data()) == nullptr)
        return false;
    vyrplatform::RegistryStore::setRootDirectory(juce::File(pattern));
    return true;
}

// Runs body in a child process with a fresh store; the child exits 0 when every
// check held (see CHECK).
inline void inFreshProcess(const char* storePrefix, const std::function<bool()>& body)
{
    EXPECT_EXIT(
        {
            const bool ok = useFreshStore(storePrefix) && body();
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
} // namespace kittest

// A check inside the body of inFreshProcess: reports the failed condition and
// ends the body with false.
#define CHECK(condition)                                                            \
    if (! (condition))                                                              \
    {                                                                               \
        std::fprintf(stderr, "check failed: %s (line %d)\n", #condition, __LINE__); \
        return false;                                                               \
    }
