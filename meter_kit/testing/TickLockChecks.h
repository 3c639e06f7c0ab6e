#pragma once

// The editors' display tick holds the processor's callback lock only to copy
// what it shows out of the read-out; setting the needle meters and repainting
// them (which allocates once the window is on screen) come after the lock is
// left. Each meter's allocation test runs this with its editor and its needle
// meters. It counts operator new, so it belongs in the one test file of a test
// program that includes AllocationCounting.h.

#include "AllocationCounting.h"
#include "EditorTesting.h"
#include "ProcessorTesting.h"
#include "WindowPresses.h"

#include <gtest/gtest.h>

#include <optional>

namespace kittest
{
// Two seconds of 30 ms ticks, each after a block of its length at 44100 Hz, with
// every path of the tick taken: needles rising and falling, overs lighting the
// LEDs, hold resets and LED resets clicked on the meters, and a display delay
// switched on halfway. The window is on screen when there is a display.
template <typename Processor, typename Editor, typename... NeedleMeters>
void checkTheTickAllocatesNothingWhileItHoldsTheCallbackLock(Processor& processor, Editor& editor,
                                                              NeedleMeters&... meters)
{
    editor.stopTimer(); // the ticks come by hand, between the blocks
    std::optional<OnScreen> window;
    if (hasDisplay())
        window.emplace(editor);

    setParameter(processor, Processor::holdParameter, 1.0f); // On
    constexpr int tickSamples = 1323;
    long allocationsUnderTheLock = 0;
    int ticksLit = 0;
    for (int t = 0; t < 66; ++t)
    {
        if (t == 33)
            setParameter(processor, Processor::latencyParameter, 0.1f);
        // Full-scale bursts well past the over threshold, and quiet stretches.
        auto block = tone(t % 11 < 3 ? 1.5f : 0.02f, tickSamples);
        process(processor, block, { tickSamples });
        if (t % 7 == 3)
            ((meters.holdResetRequest = true), ...);
        if (t % 5 == 4)
            ((meters.ledResetRequest = true), ...);

        testMilliseconds += 30;
        allocationsUnderTheLock += allocationsWhile(&Editor::displayTickHoldsCallbackLock,
                                                    [&] { editor.timerCallback(); });
        if (((meters.ledState == 1) || ...))
            ++ticksLit;
        // The window paints what the tick asked for, so later repaints start anew.
        pump(1);
    }
    EXPECT_EQ(allocationsUnderTheLock, 0);
    EXPECT_GT(ticksLit, 0); // the ticks did take the lock and read the overs
}
} // namespace kittest
