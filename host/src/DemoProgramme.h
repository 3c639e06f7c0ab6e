#pragma once

#include "AudioFile.h"

namespace vyrhost
{
// The built-in test programme, six seconds of stereo: a 1 kHz tone in steps of
// -20, -12, -6 and -3 dBFS, short bursts at -1 dBFS, silence, a 440 Hz tone
// whose image moves from left to right and back, and silence again.
AudioData makeDemoProgramme(double sampleRate);

constexpr double demoProgrammeSeconds = 6.0;
} // namespace vyrhost
