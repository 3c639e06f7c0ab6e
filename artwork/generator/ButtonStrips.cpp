// Push buttons: the small round help and size buttons, the trim's Active button and
// the tall measurement-mode button with its lamp.
#include "Drawing.h"
#include "KitPainters.h"

namespace vyrart
{
namespace
{

// Legends on a lamp's lens: dark on the lit lens, amber on the unlit one, each
// with better than 4.5:1 against its lens.
const juce::Colour lensInkLit (0xff2a1500);
const juce::Colour lensInkUnlit (0xffe2ad5c);
// Lettering of the unlit Active cap: a colourless grey, dimmer than the panel's
// legends, still better than 4.5:1 against the dark cap.
const juce::Colour capInkUnlit (0xff8e8b85);

// A small round button; the symbol lights amber while the mouse is over it.
void paintRoundButton (juce::Graphics& g, bool highlighted, const std::function<void (juce::Graphics&, juce::Colour)>& symbol)
{
    const juce::Rectangle<float> body (0.5f, 0.5f, 10.0f, 10.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (highlighted ? 0xff6a6d73 : 0xff55585d), 2.0f, 1.0f,
                                             juce::Colour (0xff1b1c1f), 8.0f, 10.5f, false));
    g.fillEllipse (body);
    g.setColour (juce::Colours::black.withAlpha (0.8f));
    g.drawEllipse (body, 0.8f);
    g.setColour (juce::Colours::white.withAlpha (0.3f));
    g.drawEllipse (body.reduced (1.0f), 0.5f);
    symbol (g, highlighted ? palette::amber : palette::legend);
}

juce::Image roundButtonStrip (const std::function<void (juce::Graphics&, juce::Colour)>& symbol)
{
    auto strip = makeStrip (11, 11, 2);
    paintFrames (strip, 11, 2, [&] (juce::Graphics& g, int k) { paintRoundButton (g, k == 1, symbol); });
    return strip;
}

// The raised housing of a rectangular push button.
void paintButtonHousing (juce::Graphics& g, juce::Rectangle<float> body, float corner)
{
    juce::Path outline;
    outline.addRoundedRectangle (body, corner);
    shadow (g, outline, { 0, 1 }, 2, 0.6f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff505358), body.getX(), body.getY(),
                                             juce::Colour (0xff202124), body.getX(), body.getBottom(), false));
    g.fillPath (outline);
    bevel (g, body, corner, 1.0f);
}

// Reflection across the upper part of a lens or cap, with corners of `radius`.
void paintReflection (juce::Graphics& g, juce::Rectangle<float> lens, float radius, float alpha)
{
    const auto upper = lens.reduced (1.5f).removeFromTop (lens.getHeight() * 0.35f);
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (alpha), upper.getX(), upper.getY(),
                                             juce::Colours::white.withAlpha (0.0f), upper.getX(), upper.getBottom(), false));
    g.fillRoundedRectangle (upper, radius);
}

// A rectangular push button with a translucent lens: dark when off, lit when on.
void paintLensButton (juce::Graphics& g, juce::Rectangle<float> body, juce::Rectangle<float> lens,
                      bool lit, float corner)
{
    paintButtonHousing (g, body, corner);

    juce::Path glass;
    glass.addRoundedRectangle (lens, corner * 0.6f);
    if (lit)
    {
        juce::ColourGradient light (palette::amber.brighter (0.4f), lens.getCentreX(), lens.getCentreY(),
                                    palette::amber.darker (0.5f), lens.getX(), lens.getY(), true);
        g.setGradientFill (light);
    }
    else
    {
        g.setGradientFill (juce::ColourGradient (palette::amberDark.brighter (0.15f), lens.getCentreX(), lens.getY(),
                                                 palette::amberDark.darker (0.6f), lens.getCentreX(), lens.getBottom(), false));
    }
    g.fillPath (glass);
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.strokePath (glass, juce::PathStrokeType (0.8f));
    paintReflection (g, lens, corner * 0.5f, lit ? 0.35f : 0.18f);
}

// The Active button's cap. Unlit it is a dark, colourless cap with dim grey
// lettering, so that nothing about it suggests light (amber lettering on a dark
// cap reads as a lamp that is on); lit, the whole cap glows in the lamp colour
// with dark lettering.
void paintActiveCap (juce::Graphics& g, juce::Rectangle<float> cap, bool lit, float corner)
{
    juce::Path face;
    face.addRoundedRectangle (cap, corner);
    if (lit)
    {
        // Brightest in the middle, as a lamp behind frosted glass.
        g.setGradientFill (juce::ColourGradient (palette::amber.brighter (0.7f), cap.getCentreX(), cap.getCentreY(),
                                                 palette::amber, cap.getX(), cap.getY(), true));
    }
    else
    {
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff222326), cap.getCentreX(), cap.getY(),
                                                 juce::Colour (0xff131416), cap.getCentreX(), cap.getBottom(), false));
    }
    g.fillPath (face);
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.strokePath (face, juce::PathStrokeType (0.8f));
    paintReflection (g, cap, corner, lit ? 0.35f : 0.08f);
}

} // namespace

juce::Image paintHelpStrip (const ArtFonts& fonts)
{
    return roundButtonStrip ([&] (juce::Graphics& g, juce::Colour colour) {
        legend (g, "?", fonts.caption (9.0f), { 0.0f, 0.5f, 11.0f, 10.5f }, juce::Justification::centred, colour);
    });
}

juce::Image paintSizeSmallStrip (const ArtFonts&)
{
    // Shown while the window is small: enlarge.
    return roundButtonStrip ([] (juce::Graphics& g, juce::Colour colour) {
        g.setColour (colour);
        g.fillRect (3.0f, 5.0f, 5.0f, 1.2f);
        g.fillRect (4.9f, 3.1f, 1.2f, 5.0f);
    });
}

juce::Image paintSizeLargeStrip (const ArtFonts&)
{
    // Shown while the window is large: shrink.
    return roundButtonStrip ([] (juce::Graphics& g, juce::Colour colour) {
        g.setColour (colour);
        g.fillRect (3.0f, 5.0f, 5.0f, 1.2f);
    });
}

juce::Image paintActiveStrip (const ArtFonts& fonts)
{
    auto strip = makeStrip (43, 14, 2);
    paintFrames (strip, 14, 2, [&] (juce::Graphics& g, int k) {
        const bool on = k == 1;
        const juce::Rectangle<float> body (0.5f, 0.5f, 42.0f, 13.0f);
        const auto cap = body.reduced (1.5f, 1.5f);
        paintButtonHousing (g, body, 2.0f);
        paintActiveCap (g, cap, on, 1.2f);
        const auto font = fonts.captionFont (0.85f);
        legend (g, "ACTIVE", font, lineArea (font, cap.getX(), 10.0f, cap.getWidth()),
                juce::Justification::centred, on ? lensInkLit : capInkUnlit);
    });
    return strip;
}

juce::Image paintMeasureModeStrip (const ArtFonts& fonts)
{
    auto strip = makeStrip (54, 97, 2);
    paintFrames (strip, 97, 2, [&] (juce::Graphics& g, int k) {
        const bool on = k == 1;
        const juce::Rectangle<float> body (1.5f, 3.0f, 51.0f, 90.0f);
        const juce::Rectangle<float> lens (5.0f, 9.0f, 44.0f, 56.0f);
        paintLensButton (g, body, lens, on, 4.0f);

        const auto ink = on ? lensInkLit : lensInkUnlit;
        const auto font = fonts.captionFont (0.78f);
        legend (g, "OVER", font, lineArea (font, lens.getX(), 33.0f, lens.getWidth()), juce::Justification::centred, ink);
        legend (g, "SAMPLED", font, lineArea (font, lens.getX(), 47.0f, lens.getWidth()), juce::Justification::centred, ink);

        // Plunger ridges under the lens, where the finger presses.
        for (int i = 0; i < 4; ++i)
        {
            const float y = 72.0f + 4.5f * (float) i;
            g.setColour (juce::Colours::black.withAlpha (0.6f));
            g.fillRect (12.0f, y, 30.0f, 1.0f);
            g.setColour (juce::Colours::white.withAlpha (0.15f));
            g.fillRect (12.0f, y + 1.0f, 30.0f, 1.0f);
        }
    });
    return strip;
}

} // namespace vyrart
