#pragma once

#include <functional>

namespace vyrplatform
{
// The library's own JUCE message thread. Every plug-in library carries its own
// copy of JUCE, so it needs its own message loop: a thread that initialises
// JUCE's GUI side, becomes the message thread and dispatches until stopped.
// Editors, timers and MessageManager::callAsync from host threads all run here.
class MessageThread
{
public:
    // Starts the thread on the first call and returns once it dispatches;
    // later calls only count. Returns false when the thread could not start.
    static bool start();

    // Undoes one start(); the last one stops the loop, shuts JUCE's GUI side
    // down on the message thread and joins it.
    static void stop();

    static bool isRunning();

    // Runs fn on the message thread and returns when it has run: directly when
    // called there, else through the message queue. Returns false (fn not run)
    // when no message thread is running.
    static bool callAndWait(const std::function<void()>& fn);
};
} // namespace vyrplatform
