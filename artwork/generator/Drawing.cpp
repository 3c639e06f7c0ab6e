#include "Drawing.h"

#include <stdexcept>

namespace vyrart
{

juce::Image makeStrip (int width, int frameHeight, int frames, bool withAlpha)
{
    return juce::Image (withAlpha ? juce::Image::ARGB : juce::Image::RGB, width, frameHeight * frames, true,
                        juce::SoftwareImageType());
}

void paintFrames (juce::Image& strip, int frameHeight, int frames,
                  const std::function<void (juce::Graphics&, int)>& paint)
{
    juce::Graphics g (strip);
    for (int k = 0; k < frames; ++k)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (0, k * frameHeight, strip.getWidth(), frameHeight);
        g.setOrigin (0, k * frameHeight);
        paint (g, k);
    }
}

void brushedFill (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour base,
                  juce::uint32 seed, float strength)
{
    g.setColour (base);
    g.fillRect (area);

    // Each row gets a few hairlines, slightly lighter or darker, over random spans.
    const int top = (int) std::floor (area.getY());
    const int bottom = (int) std::ceil (area.getBottom());
    for (int row = top; row < bottom; ++row)
    {
        juce::Random random ((juce::int64) seed * 7919 + row * 104729 + 17);
        const int strokes = 3 + random.nextInt (4);
        for (int s = 0; s < strokes; ++s)
        {
            const float start = random.nextFloat() * 700.0f - 60.0f;
            const float length = 20.0f + random.nextFloat() * 160.0f;
            const float shade = (random.nextFloat() - 0.5f) * 0.07f * strength;
            g.setColour (shade > 0 ? juce::Colours::white.withAlpha (shade)
                                   : juce::Colours::black.withAlpha (-shade * 1.4f));
            g.fillRect (juce::Rectangle<float> (start, (float) row, length, 1.0f)
                            .getIntersection (area));
        }
    }
}

void bevel (juce::Graphics& g, juce::Rectangle<float> area, float corner, float depth)
{
    const auto light = juce::Colours::white.withAlpha (0.22f * std::abs (depth));
    const auto dark = juce::Colours::black.withAlpha (0.55f * std::abs (depth));
    const auto upper = depth > 0 ? light : dark;
    const auto lower = depth > 0 ? dark : light;

    juce::Path outline;
    outline.addRoundedRectangle (area.reduced (0.5f), corner);

    juce::Graphics::ScopedSaveState state (g);
    g.setGradientFill (juce::ColourGradient (upper, area.getX(), area.getY(),
                                             lower, area.getX() + area.getHeight() * 0.3f, area.getBottom(), false));
    g.strokePath (outline, juce::PathStrokeType (1.0f));
}

void shadow (juce::Graphics& g, const juce::Path& shape, juce::Point<int> offset, int radius, float alpha)
{
    juce::DropShadow (juce::Colours::black.withAlpha (alpha), radius, offset).drawForPath (g, shape);
}

void screw (juce::Graphics& g, juce::Point<float> centre, float radius, float slotAngle)
{
    const auto head = juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);

    juce::Path hole;
    hole.addEllipse (head.expanded (0.8f));
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.fillPath (hole);

    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffd8d9dc), head.getX(), head.getY(),
                                             juce::Colour (0xff5d5f63), head.getRight(), head.getBottom(), false));
    g.fillEllipse (head);

    const auto along = pointerDirection (slotAngle) * (radius * 0.75f);
    const juce::Point<float> across (-along.y, along.x);
    g.setColour (juce::Colour (0xff2a2b2e));
    g.drawLine ({ centre - along, centre + along }, radius * 0.35f);
    g.drawLine ({ centre - across, centre + across }, radius * 0.35f);
    g.setColour (juce::Colours::white.withAlpha (0.35f));
    g.drawEllipse (head.reduced (0.4f), 0.5f);
}

void lamp (juce::Graphics& g, juce::Point<float> centre, float radius, juce::Colour colour, float glow)
{
    const auto lens = juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);

    if (glow > 0.0f)
    {
        // Light spilling around the lens.
        const float halo = radius * (1.0f + 0.9f * glow);
        juce::ColourGradient spill (colour.withAlpha (0.55f * glow), centre.x, centre.y,
                                    colour.withAlpha (0.0f), centre.x + halo, centre.y, true);
        g.setGradientFill (spill);
        g.fillEllipse (juce::Rectangle<float> (halo * 2.0f, halo * 2.0f).withCentre (centre));
    }

    const auto unlit = colour.withMultipliedBrightness (0.22f).withMultipliedSaturation (0.7f);
    const auto body = unlit.interpolatedWith (colour, glow);
    const auto core = unlit.brighter (0.3f).interpolatedWith (colour.interpolatedWith (juce::Colours::white, 0.65f), glow);

    juce::ColourGradient fill (core, centre.x - radius * 0.25f, centre.y - radius * 0.25f,
                               body.darker (0.35f), centre.x + radius, centre.y + radius, true);
    fill.addColour (0.55, body);
    g.setGradientFill (fill);
    g.fillEllipse (lens);

    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.drawEllipse (lens, 0.8f);

    // The glass reflection does not depend on the light behind it.
    const auto spot = juce::Rectangle<float> (radius * 0.9f, radius * 0.55f)
                          .withCentre (centre.translated (-radius * 0.28f, -radius * 0.45f));
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.55f), spot.getCentreX(), spot.getY(),
                                             juce::Colours::white.withAlpha (0.0f), spot.getCentreX(), spot.getBottom(), false));
    g.fillEllipse (spot);
}

void legend (juce::Graphics& g, const juce::String& text, const juce::Font& font,
             juce::Rectangle<float> area, juce::Justification justification, juce::Colour colour)
{
    // As Graphics::drawText lays out a line, but a text that does not fit is
    // reported instead of losing its last characters.
    const auto needed = font.getStringWidthFloat (text);
    if (needed > area.getWidth() + 0.01f)
        throw std::logic_error (("legend \"" + text + "\" is " + juce::String (needed - area.getWidth(), 1)
                                 + " px wider than its area").toStdString());

    juce::GlyphArrangement line;
    line.addLineOfText (font, text, 0.0f, 0.0f);
    line.justifyGlyphs (0, line.getNumGlyphs(), area.getX(), area.getY(), area.getWidth(), area.getHeight(), justification);
    g.setFont (font);
    g.setColour (colour);
    line.draw (g);
}

juce::Rectangle<float> lineArea (const juce::Font& font, float x, float baseline, float width)
{
    return { x, baseline - font.getAscent(), width, font.getHeight() };
}

void infinityMark (juce::Graphics& g, juce::Point<float> centre, float width, juce::Colour colour)
{
    // A lemniscate: two loops meeting in the middle, the stroke a little over
    // 1.5 pixels so that both loops stay open at 1:1.
    const float stroke = 1.6f;
    const float a = (width - stroke) * 0.5f;
    juce::Path figure;
    for (int i = 0; i <= 96; ++i)
    {
        const float t = juce::MathConstants<float>::twoPi * (float) i / 96.0f;
        const float d = 1.0f + std::sin (t) * std::sin (t);
        const juce::Point<float> at (centre.x + a * std::cos (t) / d, centre.y + 1.35f * a * std::sin (t) * std::cos (t) / d);
        if (i == 0)
            figure.startNewSubPath (at);
        else
            figure.lineTo (at);
    }
    figure.closeSubPath();
    g.setColour (colour);
    g.strokePath (figure, juce::PathStrokeType (stroke, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

juce::Point<float> pointerDirection (float degrees)
{
    const auto radians = juce::degreesToRadians (degrees);
    return { std::sin (radians), -std::cos (radians) };
}

} // namespace vyrart
