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

// Ascent stored with the face, as a share of the font height.
inline constexpr float trackFontAscent = 0.8f;

// The strip is 39 pixels high; the paper tape under it shows from 1.5 pixels
// below its top edge to 2.5 above its bottom edge, inside the 38 rows of it that
// the window shows. The face is drawn so that every glyph's ink lies on the tape.
inline constexpr float trackStripHeight = 39.0f;
inline constexpr float trackTapeTopInset = 1.5f;
inline constexpr float trackTapeBottomInset = 2.5f;

// Builds a CustomTypeface holding the glyphs of character codes 1 to 255 of the
// given font file and returns it serialised (JUCE's typeface stream,
// zlib-compressed by writeToStream). The outlines are scaled uniformly and moved
// up or down so that the ink of every glyph, set as the strip sets its text, lies
// on the tape, and scaled further when the sample name would not fit the width;
// `appliedScale` tells the scale. Returns an empty block when the font data
// cannot be read.
juce::MemoryBlock makeTrackTypefaceStream (const juce::MemoryBlock& fontFileData, float& appliedScale);

} // namespace vyrart
