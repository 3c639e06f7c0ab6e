#pragma once

#include <juce_events/juce_events.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace vyrkit
{
// How a processor reaches its open editor from any thread. A processor holds the
// link through a shared pointer that queued calls share too, so a call still
// queued when the processor is deleted finds no editor and does nothing.
//
// Two ways lead to the editor. Host parameters changed on a host thread (the
// audio thread among them) only raise a change flag per parameter index, which
// never allocates, makes no system call and takes no lock; the open editor takes
// the flags at its next display tick and shows each flagged parameter's value of
// that moment, so the last value set always shows. Everything else (a restored
// track name and window size, a setting read from the store) is a call queued
// to the message thread.
//
// The editor registers first thing in its constructor, before it reads any value
// of the processor, and leaves first thing in its destructor (message thread).
// Registering clears the change flags: the editor reads every value itself, and
// a change that lands after the flags were cleared raises its flag again for the
// first tick. Of the queued calls, a host thread that changes a value and then
// finds no editor is sure that an editor built later reads the new value; one
// that finds an editor queues its call, which runs once the constructor has
// returned. Each opening has its own
// number: a call queued for an editor that has closed meanwhile is dropped,
// since the editor opened after it read the values itself.
template <typename Editor>
class EditorLink
{
public:
    // First thing in the editor's constructor. Until opened(), calls made on the
    // message thread (the constructor's own) are queued behind the constructor too.
    void open(Editor& newEditor) noexcept
    {
        editor = &newEditor;
        building = true;
        changedParameters.exchange(0, std::memory_order_acq_rel);
        openId.exchange(++openings, std::memory_order_acq_rel);
    }

    // Last thing in the editor's constructor.
    void opened() noexcept { building = false; }

    // First thing in the editor's destructor.
    void close() noexcept
    {
        openId.exchange(0, std::memory_order_acq_rel);
        editor = nullptr;
        building = false;
    }

    // The registered editor, also while it is being built; message thread only.
    Editor* getEditor() const noexcept { return editor; }

    // Runs the call on the open editor: directly on the message thread once the
    // editor is built; otherwise queued there, in order with the other calls, and
    // run only on the editor for which it was queued. Without an editor nothing
    // happens: the next editor reads every value when it is built. Components are
    // only touched on the message thread.
    static void call(const std::shared_ptr<EditorLink>& link, std::function<void(Editor&)> call)
    {
        auto* mm = juce::MessageManager::getInstanceWithoutCreating();
        if (mm == nullptr)
            return;

        if (mm->isThisTheMessageThread())
        {
            if (link->editor == nullptr)
                return;
            if (! link->building)
            {
                call(*link->editor);
                return;
            }
        }

        const auto id = link->readOpenId();
        if (id == 0)
            return;
        juce::MessageManager::callAsync([link, id, call = std::move(call)] {
            if (link->openId.load() == id && link->editor != nullptr)
                call(*link->editor);
        });
    }

    // Any thread: host parameter `index` (0 to 31) has a new value. The value is
    // stored before the flag is raised (release), so the editor that takes the
    // flag reads that value or a later one.
    void noteParameterChange(int index) noexcept
    {
        if (index >= 0 && index < maxFlaggedParameters)
            changedParameters.fetch_or(std::uint32_t { 1 } << index, std::memory_order_release);
    }

    // Message thread: the parameters flagged since the last call (bit i for
    // index i), cleared.
    std::uint32_t takeParameterChanges() noexcept { return changedParameters.exchange(0, std::memory_order_acquire); }

    static constexpr int maxFlaggedParameters = 32;

    // Whether the calling thread is JUCE's message thread. Unlike
    // MessageManager::isThisTheMessageThread it takes no lock: the message
    // thread's id is set once, when the loop starts, before any processor exists.
    static bool isMessageThread() noexcept
    {
        const auto* mm = juce::MessageManager::getInstanceWithoutCreating();
        return mm != nullptr && mm->getCurrentMessageThread() == juce::Thread::getCurrentThreadId();
    }

private:
    // Every change of openId and every read by a caller is a read-modify-write,
    // so they form one order: a caller that reads 0 comes before the next
    // opening, which then sees everything the caller stored before it (a value,
    // a restored name); a caller that comes after an opening reads its number.
    std::uint64_t readOpenId() noexcept { return openId.fetch_add(0, std::memory_order_acq_rel); }

    // The number of the open editor's opening, 0 while none is open: the one
    // thing host threads read.
    std::atomic<std::uint64_t> openId { 0 };
    // Bit i: host parameter i changed on a host thread since the editor last looked.
    std::atomic<std::uint32_t> changedParameters { 0 };
    static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
    // Message thread only.
    std::uint64_t openings = 0;
    Editor* editor = nullptr;
    bool building = false;
};
} // namespace vyrkit
