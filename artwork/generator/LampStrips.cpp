// The over LED: a red lamp behind a lens, unlit, latched (dim) and lit.
#include "Drawing.h"
#include "KitPainters.h"

namespace vyrart
{

juce::Image paintOverLedStrip (const ArtFonts&)
{
    // Frames from the top: unlit, latched, lit.
    const float glow[] = { 0.0f, 0.38f, 1.0f };
    auto strip = makeStrip (20, 20, 3);
    paintFrames (strip, 20, 3, [&] (juce::Graphics& g, int k) {
        const juce::Point<float> centre (10.0f, 10.0f);
        // Dark ground of the lamp holder; the face's bezel ring surrounds it.
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff050505), centre.x, centre.y,
                                                 juce::Colour (0xff1c1d20), centre.x, 0.0f, true));
        g.fillEllipse (0.0f, 0.0f, 20.0f, 20.0f);
        lamp (g, centre, 5.6f, palette::ledRed, glow[k]);
    });
    return strip;
}

} // namespace vyrart
