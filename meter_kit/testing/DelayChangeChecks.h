#pragma once

// The display delay switched while the meters run, for the timer tests of all
// three meters: a delay that goes on shows nothing the meter read before, and a
// delay that goes on in the middle of a tick lights the over LED once for one
// over. Each meter runs these with its processor, its open editor and the
// needle meter that shows channel 0 (and the channel argument of its read-out,
// when it has two).

#include "EditorTesting.h"
#include "ProcessorTesting.h"

#include <gtest/gtest.h>

namespace kittest
{
// Blocks of 30 ms at 44100 Hz of a tone of the given amplitude, each followed by
// a display tick, for the given time; afterTick runs after each tick.
template <typename Processor, typename Editor, typename AfterTick>
void tickThrough(Processor& processor, Editor& editor, float amplitude, int milliseconds, AfterTick&& afterTick)
{
    constexpr int tickSamples = 1323;
    for (int elapsed = 0; elapsed < milliseconds; elapsed += 30)
    {
        auto block = tone(amplitude, tickSamples);
        process(processor, block, { tickSamples });
        testMilliseconds += 30;
        editor.timerCallback();
        afterTick();
    }
}

template <typename Processor, typename Editor>
void tickThrough(Processor& processor, Editor& editor, float amplitude, int milliseconds)
{
    tickThrough(processor, editor, amplitude, milliseconds, [] {});
}

// A loud burst with a 500 ms delay, the delay off, three seconds of near silence
// (the needle and the hold fall back), then the delay on again: the delayed
// display starts from what the meter reads now, never from the burst still in
// the history, on the tick before the next block as on every later one.
template <typename Processor, typename Editor, typename NeedleMeter>
void checkADelayThatGoesOnShowsNothingFromBefore(Processor& processor, Editor& editor, NeedleMeter& meter)
{
    setParameter(processor, Processor::holdParameter, 1.0f); // On
    setParameter(processor, Processor::latencyParameter, 0.5f);
    tickThrough(processor, editor, 0.9f, 600);
    ASSERT_GT(meter.getLevel(), 1.0f); // the burst reached the delayed display
    setParameter(processor, Processor::latencyParameter, 0.0f);
    tickThrough(processor, editor, 0.001f, 3000);
    const float silentLevel = meter.getLevel();
    const float silentHold = meter.getHoldLevel();
    ASSERT_LT(silentLevel, 0.5f);

    setParameter(processor, Processor::latencyParameter, 0.5f);
    int tick = 0;
    const auto showsNoMoreThanTheSilence = [&] {
        EXPECT_LE(meter.getLevel(), silentLevel + 1e-3f) << "tick " << tick;
        EXPECT_LE(meter.getHoldLevel(), silentHold + 1e-3f) << "tick " << tick;
        ++tick;
    };
    testMilliseconds += 10;
    editor.timerCallback(); // no block since the delay went on
    showsNoMoreThanTheSilence();
    tickThrough(processor, editor, 0.001f, 1200, showsNoMoreThanTheSilence);
}

// One over in the live count and a tick whose reads the host's switching the
// delay on splits: after the display index, or between reading the count and
// clearing it (the tick's own reads, in its order). The over lights the LED on
// that tick and never again.
template <typename Processor, typename Editor, typename NeedleMeter, typename... Channel>
void checkADelayThatGoesOnWithinATickLightsTheLedOnce(Processor& processor, Editor& editor, NeedleMeter& meter,
                                                      double overLimit, Channel... channel)
{
    enum class ChangeAfter { displayIndex, overCountRead };
    for (const auto changeAfter : { ChangeAfter::displayIndex, ChangeAfter::overCountRead })
    {
        SCOPED_TRACE(changeAfter == ChangeAfter::displayIndex ? "after the display index" : "after the count");
        setParameter(processor, Processor::latencyParameter, 0.0f);
        tickThrough(processor, editor, 0.05f, 300);
        processor.setOverCount(channel..., 10.0); // counted by the last block

        int lightings = 0;
        {
            const juce::ScopedLock lock(processor.getCallbackLock());
            processor.updateDisplayIndex();
            if (changeAfter == ChangeAfter::displayIndex)
                setParameter(processor, Processor::latencyParameter, 0.5f);
            const bool overCounted = processor.readOverCount(channel...) >= overLimit;
            if (changeAfter == ChangeAfter::overCountRead)
                setParameter(processor, Processor::latencyParameter, 0.5f);
            if (overCounted)
            {
                ++lightings;
                processor.setOverCount(channel..., 0.0);
            }
        }
        tickThrough(processor, editor, 0.05f, 1500, [&] {
            if (meter.ledState == 1)
                ++lightings;
        });
        EXPECT_EQ(lightings, 1);
    }
}
} // namespace kittest
