// Converts the handwriting font into the typeface stream the track-name strip reads.
#pragma once

#include <juce_graphics/juce_graphics.h>

namespace vyrart
{

// Name under which the converted face is stored; the source font's own name is a
// reserved name of its licence and must not travel with a modified copy.
inline constexpr const char* trackTypefaceName = "Vyr Tape Hand";

// The track-name strip's font: height 44 and horizontal scale 1.2, and the widest
// text it keeps is 496 pixels. A name of this length must fit at that size.
inline constexpr float trackFontHeight = 44.0f;
inline constexpr float trackFontHorizontalScale = 1.2f;
inline constexpr float trackTextWidthLimit = 496.0f;
inline constexpr const char* trackSampleName = "Lead Vocal Double 02";

// Builds a CustomTypeface holding the glyphs of character codes 1 to 255 of the
// given font file, scaled down uniformly when the sample name would not fit, and
// returns it serialised (JUCE's typeface stream, zlib-compressed by writeToStream).
// Returns an empty block when the font data cannot be read.
juce::MemoryBlock makeTrackTypefaceStream (const juce::MemoryBlock& fontFileData, float& appliedScale);

} // namespace vyrart
