#pragma once

#include <juce_graphics/juce_graphics.h>

namespace vyrkit
{
// The pen-style typeface of the track-name strip, read from the embedded,
// zlib-compressed typeface stream. Every call builds a new typeface object;
// each front panel builds its own.
juce::Typeface::Ptr makeTrackNameTypeface();

// A font on a new track-name typeface, 44 high with a horizontal scale of 1.2.
juce::Font makeTrackNameFont();
} // namespace vyrkit
