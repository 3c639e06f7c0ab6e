#pragma once

#include <vector>

namespace vyrfp
{
// The fixed programme every run plays, two channels at the given rate:
// tone steps, bursts, silence, a pan, levels above full scale, a square wave,
// the highest frequency the rate carries, DC, values too small for a normal
// float, a quiet tone, channels in opposite phase, and silence to let the
// needles fall. No sample is NaN or infinite.
std::vector<std::vector<float>> makeProgramme(double rate);

constexpr double programmeSeconds = 2.6;
} // namespace vyrfp
