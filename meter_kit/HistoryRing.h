#pragma once

#include "DelayedOverReadout.h"

#include <array>
#include <cstddef>

namespace vyrkit
{
// The history a meter keeps while a display delay is set, so that the editor can
// show the needles as they stood up to 999 ms ago: per metered channel a ring
// of needle, hold and over-count values, one slot per ring step (the whole
// number of processed steps in a millisecond), and one write position that the
// channels share.
constexpr int historyRingSize = DelayedOverReadout::ringSize;
using HistoryRing = std::array<float, historyRingSize>;

// The write position, the slot the read-out shows, and whether the rings hold
// what the meter has read since the display delay went on.
struct HistoryPosition
{
    int writeIndex = 0;
    int displayIndex = 0;
    int stepCounter = 0; // processed steps since the last write
    // The delay in ring steps that the display tick under way shows, read once
    // by it; 0 shows the live values.
    int shownDelay = 0;
    // True from the first block with the display delay on until a block or a
    // display tick finds it off: only then do the rings hold what the meter has
    // read since the delay went on.
    bool sinceDelayOn = false;

    // The rings have been cleared (prepared again, or a new processing rate):
    // the writing goes on from slot 0, and whether the delay is on stays known.
    void clear() noexcept { writeIndex = displayIndex = stepCounter = 0; }

    // The start of a block, with the display delay read once for it: true when
    // the delay has gone on since the rings were last written, so that they are
    // to start afresh before the block writes them.
    bool blockStartsHistory(bool delayOn) noexcept
    {
        const bool starts = delayOn && ! sinceDelayOn;
        sinceDelayOn = delayOn;
        return starts;
    }

    // One processed step while the history is written: true when it moves the
    // write position on to the next slot, which is then to be written. ">=" so
    // that a ring step lowered by a rate change never stops the history.
    bool step(int ringStep) noexcept
    {
        if (++stepCounter < ringStep)
            return false;
        if (++writeIndex >= historyRingSize)
            writeIndex = 0;
        stepCounter = 0;
        return true;
    }
};

// One metered channel's history.
struct ChannelHistory
{
    HistoryRing level {};
    HistoryRing hold {};
    HistoryRing over {};
    // The over LED's reads of the over ring.
    DelayedOverReadout overReadout;

    // Every slot holds the given needle and hold and no over. When the delay goes
    // on, the needle and hold as they stand at the start of that block: the
    // oldest reading since the delay went on, which the delayed display shows
    // until the delay's length of history has been written. Rare, and kept out of
    // line so that it leaves the block's sample loop as it was.
    __attribute__((noinline)) void fill(float levelValue, float holdValue) noexcept
    {
        level.fill(levelValue);
        hold.fill(holdValue);
        over.fill(0.0f);
        overReadout.clear();
    }

    // The slot receives the needle, the hold and the over count; a count that
    // has reached the over limit is latched into the slot instead and starts
    // again from 0.
    void write(int slot, float needle, float holdValue, double& overs, double overLimit) noexcept
    {
        const auto s = static_cast<std::size_t>(slot);
        overReadout.overwriting(over[s], overLimit);
        level[s] = needle;
        hold[s] = holdValue;
        over[s] = static_cast<float>(overs);
        if (overs >= overLimit)
        {
            over[s] = static_cast<float>(overLimit);
            overs = 0.0;
        }
    }
};
} // namespace vyrkit
