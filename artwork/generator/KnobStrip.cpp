// The rotary knob: a black fluted skirt with a white index line under a spun
// aluminium cap that carries a pointer. The light falls from the upper left in every
// frame; the flutes, the index line and the pointer turn with the knob.
#include "Drawing.h"
#include "KitPainters.h"
#include "KnobGeometry.h"

namespace vyrart
{
namespace
{

constexpr float skirtRadius = 17.5f;
constexpr float capRadius = 12.0f;

void paintKnob (juce::Graphics& g, float degrees)
{
    const auto c = knobCentre();
    const auto circle = [c] (float r) { return juce::Rectangle<float> (2 * r, 2 * r).withCentre (c); };

    // Shadow cast onto the panel.
    juce::Path base;
    base.addEllipse (circle (skirtRadius));
    shadow (g, base, { 1, 2 }, 4, 0.75f);

    // Skirt: dark, lit from the upper left.
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff4a4c50), c.x - 10, c.y - 14,
                                             juce::Colour (0xff0c0c0e), c.x + 10, c.y + 16, false));
    g.fillPath (base);

    // Flutes around the skirt edge.
    constexpr int flutes = 28;
    for (int i = 0; i < flutes; ++i)
    {
        const float a = degrees + 360.0f * (float) i / (float) flutes;
        const auto d = pointerDirection (a);
        const float lit = 0.5f + 0.5f * (-d.x * 0.6f - d.y * 0.8f);   // facing the light
        g.setColour (juce::Colours::white.withAlpha (0.05f + 0.20f * lit));
        g.drawLine ({ c + d * (capRadius + 1.8f), c + d * (skirtRadius - 0.6f) }, 1.0f);
        const auto e = pointerDirection (a + 6.4f);
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.drawLine ({ c + e * (capRadius + 1.8f), c + e * (skirtRadius - 0.6f) }, 0.9f);
    }
    g.setColour (juce::Colours::black.withAlpha (0.8f));
    g.drawEllipse (circle (skirtRadius - 0.4f), 0.8f);

    // Index line on the skirt.
    const auto dir = pointerDirection (degrees);
    g.setColour (juce::Colour (0xfff4f1e8));
    g.drawLine ({ c + dir * (capRadius + 1.0f), c + dir * (skirtRadius - 0.3f) }, 2.0f);

    // Step between skirt and cap.
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.fillEllipse (circle (capRadius + 1.3f));

    // Spun aluminium cap: a base gradient, concentric turning marks and the two
    // bright sectors that a spun finish shows towards the light.
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffe6e7ea), c.x - 8, c.y - 9,
                                             juce::Colour (0xff74777c), c.x + 9, c.y + 10, false));
    g.fillEllipse (circle (capRadius));

    for (int ring = 1; ring < (int) capRadius; ++ring)
    {
        g.setColour ((ring % 2 == 0 ? juce::Colours::white : juce::Colours::black).withAlpha (0.035f));
        g.drawEllipse (circle ((float) ring), 0.6f);
    }

    for (float sector : { -45.0f, 135.0f })
    {
        juce::Path wedge;
        wedge.addPieSegment (circle (capRadius - 0.3f), juce::degreesToRadians (sector - 16.0f),
                             juce::degreesToRadians (sector + 16.0f), 0.0f);
        const auto tip = c + pointerDirection (sector) * capRadius;
        g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (sector < 0 ? 0.5f : 0.22f), tip.x, tip.y,
                                                 juce::Colours::white.withAlpha (0.0f), c.x, c.y, true));
        g.fillPath (wedge);
    }

    g.setColour (juce::Colours::white.withAlpha (0.5f));
    g.drawEllipse (circle (capRadius - 0.4f), 0.6f);

    // Pointer: an engraved groove filled with black paint, its lower edge catching
    // the light.
    const juce::Line<float> pointer (c + dir * 2.5f, c + dir * (capRadius - 1.0f));
    g.setColour (juce::Colours::white.withAlpha (0.7f));
    g.drawLine (pointer.withShortenedStart (0.5f), 2.8f);
    g.setColour (juce::Colour (0xff111113));
    g.drawLine (pointer, 1.9f);
}

} // namespace

juce::Image paintKnobStrip (const ArtFonts&)
{
    auto strip = makeStrip (knobWidth, knobFrameHeight, knobFrames);
    paintFrames (strip, knobFrameHeight, knobFrames,
                 [] (juce::Graphics& g, int k) { paintKnob (g, knobPointerDegrees ((float) k)); });
    return strip;
}

} // namespace vyrart
