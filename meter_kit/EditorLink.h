#pragma once

#include <juce_events/juce_events.h>

#include <atomic>
#include <functional>
#include <memory>

namespace vyrkit
{
// How a processor reaches its open editor from any thread. The editor registers
// itself on construction and leaves on destruction (message thread). A processor
// holds the link through a shared pointer that queued calls share too, so a call
// still queued when the processor is deleted finds no editor and does nothing.
template <typename Editor>
struct EditorLink
{
    // Written on the message thread only; other threads just test it for null.
    std::atomic<Editor*> editor { nullptr };

    // Runs the call on the open editor: directly on the message thread; from any
    // other thread queued there, in order with the other calls, and run on the
    // editor open when it arrives. Components are only touched on the message
    // thread.
    static void call(const std::shared_ptr<EditorLink>& link, std::function<void(Editor&)> call)
    {
        auto* mm = juce::MessageManager::getInstanceWithoutCreating();
        if (mm != nullptr && mm->isThisTheMessageThread())
        {
            if (auto* e = link->editor.load())
                call(*e);
            return;
        }
        if (mm == nullptr || link->editor.load() == nullptr)
            return;

        juce::MessageManager::callAsync([link, call = std::move(call)] {
            if (auto* e = link->editor.load())
                call(*e);
        });
    }
};
} // namespace vyrkit
