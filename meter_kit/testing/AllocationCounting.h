#pragma once

// Counts allocations on the calling thread, for the tests that show the audio
// thread's work never allocates: operator new, and malloc, calloc and realloc,
// through which JUCE's containers allocate (the sanitizers' builds keep their
// own malloc, and count operator new alone). The replacement functions below
// are global: include this header in exactly one file of a test program.

#include <juce_core/juce_core.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace kittest::allocation_counting
{
inline std::atomic<long> allocations { 0 };
inline thread_local bool counting = false;
// When set, only the allocations made while it answers true are counted.
inline thread_local bool (*countOnlyWhile)() = nullptr;

inline void count() noexcept
{
    if (counting && (countOnlyWhile == nullptr || countOnlyWhile()))
        allocations.fetch_add(1);
}
} // namespace kittest::allocation_counting

#if defined(__has_feature)
 #if __has_feature(thread_sanitizer) || __has_feature(address_sanitizer)
  #define KITTEST_SANITIZED 1
 #endif
#endif
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
 #define KITTEST_SANITIZED 1
#endif

#ifndef KITTEST_SANITIZED
extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);

extern "C" void* malloc(std::size_t size)
{
    kittest::allocation_counting::count();
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t n, std::size_t size)
{
    kittest::allocation_counting::count();
    return __libc_calloc(n, size);
}

extern "C" void* realloc(void* pointer, std::size_t size)
{
    kittest::allocation_counting::count();
    return __libc_realloc(pointer, size);
}
#endif

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wmismatched-new-delete")

// Counted by malloc where malloc is counted.
void* operator new(std::size_t size)
{
#ifdef KITTEST_SANITIZED
    kittest::allocation_counting::count();
#endif
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

// The number of allocations body makes on this thread while inside() is true.
template <typename Body>
long allocationsWhile(bool (*inside)(), Body&& body)
{
    allocation_counting::countOnlyWhile = inside;
    const long n = allocationsDuring(body);
    allocation_counting::countOnlyWhile = nullptr;
    return n;
}
} // namespace kittest
