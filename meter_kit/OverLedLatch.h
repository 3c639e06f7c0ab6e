#pragma once

namespace vyrkit
{
// The editors' over LED of one metered channel, as the state passed to the
// needle meter: 1 lit, 0 latched (dim), -1 off. An over lights the LED and
// starts the latch; the latched look stays until the meter has shown the LED off
// after a reset click. The latch lives in the editor, so a newly opened editor
// starts with none.
class OverLedLatch
{
public:
    // overCounted: the channel has counted enough over samples on this tick (the
    // editor clears the count). meterShowsOff: the meter's LED shows off now.
    float next(bool overCounted, bool meterShowsOff) noexcept
    {
        if (overCounted)
        {
            latched = true;
            return 1.0f;
        }
        if (meterShowsOff)
            latched = false;
        return latched ? 0.0f : -1.0f;
    }

    bool isLatched() const noexcept { return latched; }

    // A reset click puts out a latched LED; a lit one stays lit.
    static float afterResetClick(float state) noexcept { return state == 0.0f ? -1.0f : state; }

private:
    bool latched = false;
};
} // namespace vyrkit
