#pragma once

#include <juce_graphics/juce_graphics.h>

namespace vyrkelsom
{
// The VU meter's embedded images, decoded. Each call decodes a new copy; a null
// image when the data cannot be decoded.

// The front page, 320 x 205; the small window shows its top 167 rows.
juce::Image decodeFrontBackground();
// The five lit meter faces, 250 x 122 each, stacked (250 x 610), one per
// backlight step 0..4.
juce::Image decodeFaceStrip();
// The back page, 320 x 205, with the captions of the seven settings.
juce::Image decodeBackBackground();
// The over LED: off, latched and lit, 20 x 20 each, stacked (20 x 60).
juce::Image decodeVuLedImage();
} // namespace vyrkelsom
