// First-cut images of the right size, format and frame layout.
#include "KitPainters.h"
#include "PanelPainters.h"

namespace vyrart
{
namespace
{

juce::Image strip (int width, int frameHeight, int frames, bool alpha, bool opaque)
{
    juce::Image image (alpha ? juce::Image::ARGB : juce::Image::RGB, width, frameHeight * frames, true);
    juce::Graphics g (image);
    for (int k = 0; k < frames; ++k)
    {
        const juce::Rectangle<float> frame (0.0f, (float) (k * frameHeight), (float) width, (float) frameHeight);
        if (opaque || ! alpha)
            g.setColour (juce::Colour (40, 42, 45)), g.fillRect (frame);
        g.setColour (juce::Colour::fromHSV ((float) k / (float) frames, 0.6f, 0.9f, 1.0f));
        const float x = frames > 1 ? frame.getX() + (frame.getWidth() - 4.0f) * (float) k / (float) (frames - 1) : 0.0f;
        g.fillRect (x, frame.getY() + 1.0f, 4.0f, frame.getHeight() - 2.0f);
    }
    return image;
}

} // namespace



juce::Image paintBackPanel (const ArtFonts&) { return strip (586, 205, 1, true, true); }

} // namespace vyrart
