// Painters of the VU meter's images.
#pragma once

#include "ArtCanvas.h"

namespace vyrart
{

// One lit face, 250 x 122, under backlight step 0..4.
juce::Image paintVuFace (const ArtFonts&, int step);
// The window's lip continued below the face on the front page, at the face's
// place (12, 16): the lower part of the hold switch's legends, whose upper part
// every face carries.
void paintVuLipExtension (juce::Graphics& g, const ArtFonts&);
// The five faces stacked, step 0 at the top.
juce::Image paintVuFaceStrip (const ArtFonts&);
// The meter's own over LED: off, latched, lit.
juce::Image paintVuOverLedStrip (const ArtFonts&);

juce::Image paintVuFrontPanel (const ArtFonts&);
juce::Image paintVuBackPanel (const ArtFonts&);

} // namespace vyrart
