// Lever switches (hold mode, LR/MS), the mid-attenuation selector and the trim
// fader cap.
#include "Drawing.h"
#include "KitPainters.h"

namespace vyrart
{
namespace
{

// Lever positions of a bat-handle toggle, as seen from the front.
enum class Lever { left, middle, right };

// A toggle's mounting: a recessed plate with a chromed hex nut in the middle.
void paintTogglePlate (juce::Graphics& g, juce::Rectangle<float> plate, juce::Point<float> pivot, bool opaqueGround)
{
    if (opaqueGround)
    {
        // The hold switch is drawn opaque: it carries its own piece of panel.
        brushedFill (g, plate, palette::panel, 31);
    }

    const auto well = plate.reduced (2.0f, 3.0f);
    juce::Path wellShape;
    wellShape.addRoundedRectangle (well, 3.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff17181a), well.getX(), well.getY(),
                                             juce::Colour (0xff2c2e31), well.getX(), well.getBottom(), false));
    g.fillPath (wellShape);
    bevel (g, well, 3.0f, -1.0f);

    // Slot the lever travels in.
    const juce::Rectangle<float> slot (well.getX() + 10.0f, pivot.y - 2.0f, well.getWidth() - 20.0f, 4.0f);
    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (slot, 2.0f);
    g.setColour (juce::Colours::white.withAlpha (0.12f));
    g.drawLine (slot.getX() + 2.0f, slot.getBottom() + 0.5f, slot.getRight() - 2.0f, slot.getBottom() + 0.5f, 0.8f);

    // Hex nut.
    juce::Path nut;
    nut.addPolygon (pivot, 6, 6.8f, juce::MathConstants<float>::pi / 6.0f);
    shadow (g, nut, { 0, 1 }, 2, 0.7f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffeeeff1), pivot.x - 5.0f, pivot.y - 6.0f,
                                             juce::Colour (0xff55585d), pivot.x + 5.0f, pivot.y + 6.0f, false));
    g.fillPath (nut);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.strokePath (nut, juce::PathStrokeType (0.6f));
    // Threaded bushing the bat pivots in.
    const auto bushing = juce::Rectangle<float> (7.0f, 7.0f).withCentre (pivot);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff9a9da3), bushing.getX(), bushing.getY(),
                                             juce::Colour (0xff34363a), bushing.getRight(), bushing.getBottom(), false));
    g.fillEllipse (bushing);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.drawEllipse (bushing, 0.7f);
}

// The bat: a tapered chromed handle with a ball end. Tilted left or right it lies
// along the slot; in the middle it points at the viewer and shows its ball end-on.
void paintLever (juce::Graphics& g, juce::Point<float> pivot, Lever position, float reach)
{
    const auto ball = [&g] (juce::Point<float> centre, float r) {
        const auto area = juce::Rectangle<float> (2 * r, 2 * r).withCentre (centre);
        juce::Path p;
        p.addEllipse (area);
        shadow (g, p, { 1, 2 }, 3, 0.7f);
        juce::ColourGradient shine (juce::Colours::white, centre.x - r * 0.4f, centre.y - r * 0.45f,
                                    juce::Colour (0xff3d3f44), centre.x + r, centre.y + r, true);
        shine.addColour (0.45, juce::Colour (0xffb9bcc2));
        g.setGradientFill (shine);
        g.fillPath (p);
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.strokePath (p, juce::PathStrokeType (0.6f));
    };

    if (position == Lever::middle)
    {
        ball (pivot, 5.2f);
        return;
    }

    const float side = position == Lever::left ? -1.0f : 1.0f;
    const juce::Point<float> tip (pivot.x + side * reach, pivot.y - 1.0f);

    juce::Path bat;
    bat.startNewSubPath (pivot.x, pivot.y - 2.4f);
    bat.lineTo (tip.x, tip.y - 1.6f);
    bat.lineTo (tip.x, tip.y + 1.6f);
    bat.lineTo (pivot.x, pivot.y + 2.4f);
    bat.closeSubPath();
    shadow (g, bat, { 1, 3 }, 3, 0.7f);
    g.setGradientFill (juce::ColourGradient (juce::Colours::white, pivot.x, pivot.y - 2.5f,
                                             juce::Colour (0xff4a4c51), pivot.x, pivot.y + 2.5f, false));
    g.fillPath (bat);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.strokePath (bat, juce::PathStrokeType (0.5f));
    ball (tip, 3.4f);
}

// Fills the whole strip with its panel piece first: the mid-attenuation strip has
// no alpha channel.
juce::Image selectorStrip (const ArtFonts& fonts)
{
    constexpr int w = 70, h = 67;
    auto strip = makeStrip (w, h, 3, false);
    const juce::Point<float> centre (35.0f, 40.0f);
    const juce::String minus = juce::String::fromUTF8 ("\xe2\x88\x92"); // a proper minus sign
    const juce::String labels[] = { "0", minus + "3", minus + "6" };
    const float angles[] = { -50.0f, 0.0f, 50.0f };

    paintFrames (strip, h, 3, [&] (juce::Graphics& g, int k) {
        // A strip of the back panel with the selector's legend, so it sits
        // seamlessly wherever the panel places it.
        brushedFill (g, { 0, 0, (float) w, (float) h }, palette::panel, 53);

        for (int i = 0; i < 3; ++i)
        {
            const auto d = pointerDirection (angles[i]);
            g.setColour (palette::legend);
            g.drawLine ({ centre + d * 17.0f, centre + d * 20.0f }, 1.2f);
            const auto at = centre + d * 29.0f;
            const auto font = fonts.numeralFont();
            legend (g, labels[i], font, lineArea (font, at.x - 10.0f, std::round (at.y + 3.0f), 20.0f),
                    juce::Justification::centred, i == k ? palette::amber : palette::legend);
        }
        // The unit in the upper left corner, away from the panel's numbers
        // under the switch.
        const auto unit = fonts.captionFont (0.85f);
        legend (g, "dB", unit, lineArea (unit, 2.0f, 10.0f, 20.0f), juce::Justification::left, palette::legendDim);

        // Skirt.
        const auto skirt = juce::Rectangle<float> (30.0f, 30.0f).withCentre (centre);
        juce::Path base;
        base.addEllipse (skirt);
        shadow (g, base, { 1, 2 }, 4, 0.8f);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff4c4e53), skirt.getX(), skirt.getY(),
                                                 juce::Colour (0xff0d0d0f), skirt.getRight(), skirt.getBottom(), false));
        g.fillPath (base);
        g.setColour (juce::Colours::black);
        g.drawEllipse (skirt, 0.8f);

        // Pointer bar ("chicken head"): wide at the pivot, a narrow nose with a
        // white line towards the chosen position.
        const auto dir = pointerDirection (angles[k]);
        const juce::Point<float> across (-dir.y, dir.x);
        juce::Path head;
        head.startNewSubPath (centre + dir * 16.5f + across * 2.2f);
        head.lineTo (centre + dir * 16.5f - across * 2.2f);
        head.lineTo (centre - across * 7.0f);
        head.quadraticTo (centre - dir * 12.0f, centre + across * 7.0f);
        head.closeSubPath();
        shadow (g, head, { 1, 2 }, 3, 0.8f);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff5a5d62), centre.x - 8, centre.y - 10,
                                                 juce::Colour (0xff141416), centre.x + 8, centre.y + 10, false));
        g.fillPath (head);
        g.setColour (juce::Colours::white.withAlpha (0.25f));
        g.strokePath (head, juce::PathStrokeType (0.6f));
        g.setColour (juce::Colour (0xfff4f1e8));
        g.drawLine ({ centre + dir * 3.0f, centre + dir * 15.5f }, 1.6f);
    });
    return strip;
}

} // namespace

juce::Image paintHoldSwitchStrip (const ArtFonts&)
{
    // Frames: 0 lever left (Off), 1 lever right (On), 2 lever in the middle
    // (Infinity).
    auto strip = makeStrip (86, 24, 3);
    const juce::Point<float> pivot (43.0f, 12.0f);
    const Lever positions[] = { Lever::left, Lever::right, Lever::middle };
    paintFrames (strip, 24, 3, [&] (juce::Graphics& g, int k) {
        paintTogglePlate (g, { 0.0f, 0.0f, 86.0f, 24.0f }, pivot, true);
        paintLever (g, pivot, positions[k], 18.0f);
    });
    return strip;
}

juce::Image paintLrmsStrip (const ArtFonts&)
{
    // Frames: 0 lever left (left/right), 1 lever right (mid/side).
    auto strip = makeStrip (87, 24, 2);
    const juce::Point<float> pivot (43.5f, 12.0f);
    paintFrames (strip, 24, 2, [&] (juce::Graphics& g, int k) {
        paintTogglePlate (g, { 0.0f, 0.0f, 87.0f, 24.0f }, pivot, false);
        paintLever (g, pivot, k == 0 ? Lever::left : Lever::right, 18.0f);
    });
    return strip;
}

juce::Image paintMidAttenStrip (const ArtFonts& fonts)
{
    return selectorStrip (fonts);
}

juce::Image paintTrimThumbStrip (const ArtFonts&)
{
    // Frame 0: the trim is active and the cap's line is lit; frame 1: unlit.
    auto strip = makeStrip (32, 19, 2);
    paintFrames (strip, 19, 2, [] (juce::Graphics& g, int k) {
        const bool active = k == 0;
        const juce::Rectangle<float> cap (3.0f, 1.0f, 26.0f, 17.0f);
        juce::Path body;
        body.addRoundedRectangle (cap, 2.0f);
        shadow (g, body, { 1, 2 }, 3, 0.8f);

        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff6a6d72), 0.0f, cap.getY(),
                                                 juce::Colour (0xff141517), 0.0f, cap.getBottom(), false));
        g.fillPath (body);
        // Grip ribs above and below the line.
        for (float y : { 3.5f, 5.5f, 13.5f, 15.5f })
        {
            g.setColour (juce::Colours::black.withAlpha (0.6f));
            g.fillRect (cap.getX() + 2.0f, y, cap.getWidth() - 4.0f, 0.8f);
            g.setColour (juce::Colours::white.withAlpha (0.18f));
            g.fillRect (cap.getX() + 2.0f, y + 0.8f, cap.getWidth() - 4.0f, 0.6f);
        }
        bevel (g, cap, 2.0f, 1.0f);

        const juce::Rectangle<float> line (cap.getX() + 1.5f, 8.5f, cap.getWidth() - 3.0f, 2.0f);
        if (active)
        {
            juce::Path glow;
            glow.addRectangle (line);
            juce::DropShadow (palette::amber.withAlpha (0.9f), 4, {}).drawForPath (g, glow);
            g.setColour (palette::amber.brighter (0.5f));
        }
        else
        {
            g.setColour (juce::Colour (0xff8e8c86));
        }
        g.fillRect (line);
    });
    return strip;
}

} // namespace vyrart
