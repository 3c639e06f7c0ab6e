// Where the knob's pointer stands in each frame: the back panel prints its knob
// scales at these angles, so a knob always points at the mark of its value.
#pragma once

#include <juce_graphics/juce_graphics.h>

namespace vyrart
{

inline constexpr int knobWidth = 43;
inline constexpr int knobFrameHeight = 41;
inline constexpr int knobFrames = 51;

// Centre of the knob within its 43 x 41 frame.
inline juce::Point<float> knobCentre() { return { 21.5f, 20.5f }; }

// Frame 0 points to about seven o'clock, frame 25 straight up and frame 50 to
// about five o'clock: 270 degrees of travel, clockwise from twelve o'clock.
inline float knobPointerDegrees (float frame) { return -135.0f + 270.0f * frame / (float) (knobFrames - 1); }

} // namespace vyrart
