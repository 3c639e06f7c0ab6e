#pragma once

namespace vyrkit
{
// The host parameter indices of the two meters with one needle (the VU and the
// single-channel peak programme meter): hold, latency, trim and Active, in that
// order. Their panels post them as command ids, and their editors move the
// controls by the same numbers the other way. Each meter's own command ids
// derive from this and number the rest.
struct OneNeedleParameterIds
{
    enum : int
    {
        hold = 0,
        latency = 1,
        trim = 2,
        active = 3
    };
};
} // namespace vyrkit
