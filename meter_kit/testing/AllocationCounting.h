#pragma once

// Counts operator new on the calling thread, for the tests that show the audio
// thread's work never allocates. The replacement operators below are global:
// include this header in exactly one file of a test program.

#include <juce_core/juce_core.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace kittest::allocation_counting
{
inline std::atomic<long> allocations { 0 };
inline thread_local bool counting = false;
} // namespace kittest::allocation_counting

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wmismatched-new-delete")

void* operator new(std::size_t size)
{
    if (kittest::allocation_counting::counting)
        kittest::allocation_counting::allocations.fetch_add(1);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

namespace kittest
{
// The number of allocations body makes on this thread.
template <typename Body>
long allocationsDuring(Body&& body)
{
    allocation_counting::allocations = 0;
    allocation_counting::counting = true;
    body();
    allocation_counting::counting = false;
    return allocation_counting::allocations.load();
}
} // namespace kittest
