#pragma once

#include <juce_graphics/juce_graphics.h>

namespace vyrkit
{
// A film strip is a vertical stack of equally tall frames over the full width of
// the image; frame k starts at source row k * frameHeight.

// Number of whole frames of the given height in the strip (0 for a null image).
int stripFrameCount(const juce::Image& strip, int frameHeight) noexcept;

// Copies one frame of the strip onto dest, scaled to fit, with the image's own
// alpha (the current brush does not fill it). A negative frame means "no frame"
// and draws nothing; any other index is clamped to the frames the strip holds,
// so a value outside a control's range can never read outside the image.
void drawStripFrame(juce::Graphics& g, const juce::Image& strip, int frame, int frameHeight,
                    juce::Rectangle<int> dest);

// Decodes embedded PNG data; a null image when it cannot be decoded.
juce::Image decodeEmbeddedImage(const char* data, int size);
} // namespace vyrkit
