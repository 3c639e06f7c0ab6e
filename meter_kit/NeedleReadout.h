#pragma once

#include "HistoryRing.h"

namespace vyrkit
{
// The display read-out every meter gives its editor's timer under the callback
// lock: the needle and hold values of this moment, interpolated within the last
// block, or taken from the history when a display delay is set, and the over
// count.
namespace readout
{
// A slot the editor has read holds this until the history overwrites it, so
// that no over is counted twice (in the meters that mark what they read).
inline constexpr float overReadMark = -1.0f;

// The display delay in ring steps, read once: at most 999, never negative.
inline int displayDelay(int latencyMs) noexcept { return latencyMs < 0 ? 0 : (latencyMs > 999 ? 999 : latencyMs); }

inline int wrapIndex(int index) noexcept
{
    index %= historyRingSize;
    return index < 0 ? index + historyRingSize : index;
}

inline int slotBefore(int index) noexcept { return index == 0 ? historyRingSize - 1 : index - 1; }

// The first read of a display tick, which reads the delay once for the whole
// tick: every later read of the tick shows what this one chose, whatever the
// host does to the delay meanwhile. The slot shown lies the delay in ring steps
// behind the newest one. Until a block has started the history afresh after the
// delay went on, the tick shows the live values: no block has changed them
// since, so they are the reading of the moment the delay went on.
inline void updateDisplayIndex(HistoryPosition& position, int latencyMs) noexcept
{
    if (latencyMs <= 0)
        position.sinceDelayOn = false;
    position.shownDelay = position.sinceDelayOn ? displayDelay(latencyMs) : 0;
    position.displayIndex = wrapIndex(position.writeIndex - position.shownDelay);
}

// Whether the tick under way shows the history rather than the live values.
inline bool showsHistory(const HistoryPosition& position) noexcept { return position.shownDelay > 0; }

// A rising needle jumps to its newer value; a falling one moves from the older
// value towards the newer by the elapsed fraction x of the block, and beyond it
// as x passes 1 while no block arrives.
inline float follow(float newer, float older, float x) noexcept
{
    return newer > older ? newer : (1.0f - x) * older + x * newer;
}

// The same for a live needle kept in double: the glide is formed from the
// block-start value in float and the live value in double.
inline float follow(double live, float start, float x) noexcept
{
    if (live > start)
        return static_cast<float>(live);
    const float fromStart = (1.0f - x) * start;
    return static_cast<float>(static_cast<double>(fromStart) + static_cast<double>(x) * live);
}

// A delayed needle: the shown slot of a ring after the slot before it.
inline float fromRing(const HistoryRing& ring, int displayIndex, float x) noexcept
{
    return follow(ring[static_cast<std::size_t>(displayIndex)], ring[static_cast<std::size_t>(slotBefore(displayIndex))], x);
}

// Hold mode "Infinity": the hold shown never falls until it is reset; the
// running maximum is kept in double.
inline float holdInInfinity(float shownHold, double& infinityHold) noexcept
{
    if (static_cast<double>(shownHold) > infinityHold)
    {
        infinityHold = shownHold;
        return shownHold;
    }
    return static_cast<float>(infinityHold);
}

// The over count the LED shows: without a delay the live count; with one the
// largest count among the slots the display has passed since the previous read,
// the slots then marked as read when a mark is given.
inline double readOverCount(ChannelHistory& history, const HistoryPosition& position, double liveCount,
                            const float* readMark = nullptr) noexcept
{
    history.overReadout.beginRead(position.displayIndex, position.shownDelay);
    if (! showsHistory(position))
        return liveCount;
    const float largest = readMark != nullptr ? history.overReadout.largestCount(history.over.data(), *readMark)
                                              : history.overReadout.largestCount(history.over.data());
    return static_cast<double>(largest);
}

// The editor writes 0 once it has shown an over: where the same tick read it.
inline void setOverCount(ChannelHistory& history, const HistoryPosition& position, double& liveCount,
                         double count) noexcept
{
    if (! showsHistory(position))
        liveCount = count;
    else
        history.overReadout.setCount(history.over.data(), static_cast<float>(count));
}

// How far the display has moved through the last block at the given time: 0
// before any block, for an empty block, and whenever the quotient is not a
// finite positive number; unlimited above in principle (a needle keeps falling
// while no blocks arrive), but kept within the float range.
float displayFraction(double nowSeconds, double lastBlockTime, double blockDuration) noexcept;
} // namespace readout
} // namespace vyrkit
