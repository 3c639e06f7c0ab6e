#pragma once

#include <atomic>

namespace vyrkit
{
// A value that one thread writes and others (the audio thread among them) read
// without a lock. Relaxed ordering: each access is whole and race-free, and the
// cost on the audio thread is that of a plain load or store.
template <typename T>
class RelaxedAtomic
{
public:
    constexpr RelaxedAtomic(T initial = T()) noexcept : value(initial) {}

    RelaxedAtomic(const RelaxedAtomic&) = delete;
    RelaxedAtomic& operator=(const RelaxedAtomic&) = delete;

    operator T() const noexcept { return value.load(std::memory_order_relaxed); }
    T load() const noexcept { return value.load(std::memory_order_relaxed); }

    RelaxedAtomic& operator=(T newValue) noexcept
    {
        value.store(newValue, std::memory_order_relaxed);
        return *this;
    }

    T exchange(T newValue) noexcept { return value.exchange(newValue, std::memory_order_relaxed); }
    T fetchAdd(T delta) noexcept { return value.fetch_add(delta, std::memory_order_relaxed); }

private:
    std::atomic<T> value;
    static_assert(std::atomic<T>::is_always_lock_free, "shared meter values must be lock-free");
};
} // namespace vyrkit
