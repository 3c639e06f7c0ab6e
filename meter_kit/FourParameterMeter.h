#pragma once

#include "MeterStateChunk.h"

namespace vyrkit
{
// The host parameters of a meter that has only the four every meter has, in
// the order the host numbers them. A meter's processor takes these names on
// through its kit base.
struct FourParameterNumbering
{
    static constexpr int numParameters = 4;

    enum ParameterIndex
    {
        holdParameter = 0,
        latencyParameter = 1,
        trimParameter = 2,
        activeParameter = 3
    };
};

// The saved state of such a meter, as the element with the given tag: hold,
// trim and active before the track name, latency after it; a restore sets
// Active before Trim, so that the trim text shown is that of the restored state.
constexpr MeterStateLayout<4> fourParameterStateLayout(const char* tag) noexcept
{
    using N = FourParameterNumbering;
    return {
        tag,
        { { { "hold", N::holdParameter },
            { "trim", N::trimParameter },
            { "active", N::activeParameter },
            { "latency", N::latencyParameter } } },
        3,
        { N::activeParameter, N::trimParameter, N::latencyParameter, N::holdParameter },
    };
}
} // namespace vyrkit
