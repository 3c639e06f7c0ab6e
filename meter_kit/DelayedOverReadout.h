#pragma once

namespace vyrkit
{
// How the over LED reads one channel's over-count history ring (1001 slots)
// while a display delay is set. The editor's tick comes every 20 or 30 ms, the
// history moves on a slot per millisecond: a read covers every slot the display
// has passed since the previous read, so that an over between two ticks is not
// skipped.
//
// With a delay near the maximum, fewer slots hold delayed history than a tick
// passes: the writer overwrites a slot 1001 - delay slots after the display has
// shown it. A read therefore never reaches past the slots that still hold delayed
// history, and an over the writer overwrites before any read has taken it is
// carried to the next read instead. Either way the LED lights at the first tick
// after the delayed display has passed the over.
//
// The processor keeps one per metered channel and calls it under its callback
// lock: the writer from processBlock, the reader from the editor's tick.
class DelayedOverReadout
{
public:
    static constexpr int ringSize = 1001;

    // Starts a read at the slot the display shows, for a delay of `delay` slots
    // (0..999). A read right after the previous one, or after a pause or a jump
    // of the delay longer than a quarter of a second, covers the shown slot alone.
    void beginRead(int displayIndex, int delay) noexcept;

    // The largest count among the slots of the read, and of an over carried from
    // slots overwritten since the previous read. With a mark the slots read then
    // hold it, so that no over is counted twice.
    float largestCount(float* ring) noexcept;
    float largestCount(float* ring, float mark) noexcept;

    // Writes a count into the slots of the last read (the editor writes 0 once it
    // has shown an over).
    void setCount(float* ring, float count) noexcept;

    // The writer, once per history write, with the count the slot held before it
    // is overwritten: a count at the over limit that no read has taken yet.
    void overwriting(float oldCount, double overLimit) noexcept
    {
        if (static_cast<double>(oldCount) >= overLimit)
        {
            if (oldCount > carried)
                carried = oldCount;
            carriedAge = 0;
        }
        else if (carried != 0.0f && ++carriedAge > maximumSpan)
        {
            carried = 0.0f; // no read came for a quarter of a second
        }
    }

    // The history has been cleared.
    void clear() noexcept;

private:
    // A read covers at most a quarter of a second of slots.
    static constexpr int maximumSpan = 250;

    float largest(float* ring, const float* mark) noexcept;

    int readFrom = 0; // the read covers the slots (readFrom, readTo]
    int readTo = 0;
    bool continuesPreviousRead = false;
    float carried = 0.0f;
    int carriedAge = 0;
};
} // namespace vyrkit
