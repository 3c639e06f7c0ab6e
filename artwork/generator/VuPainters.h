// Painters of the VU meter's images.
#pragma once

#include "ArtCanvas.h"

namespace vyrart
{

// One lit face, 250 x 122, under backlight step 0..4.
juce::Image paintVuFace (const ArtFonts&, int step);
// The five faces stacked, step 0 at the top.
juce::Image paintVuFaceStrip (const ArtFonts&);
// The meter's own over LED: off, latched, lit.
juce::Image paintVuOverLedStrip (const ArtFonts&);

juce::Image paintVuFrontPanel (const ArtFonts&);
juce::Image paintVuBackPanel (const ArtFonts&);

} // namespace vyrart
