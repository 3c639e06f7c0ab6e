// Pieces of the front faces that the meters share: the peak programme dial, the
// over LED's seat, the trim scale, the hold switch's legends and the paper tape.
#include "FaceParts.h"
#include "PanelParts.h"
#include "PpmScale.h"
#include "TrackTypeface.h"

namespace vyrart
{
namespace
{

// Scale radii around each pivot. The needle runs from radius 3 to 121, so its tip
// sweeps across the marks; the numbers stand outside its reach.
constexpr float scaleRadius = 103.0f;
constexpr float numberRadius = 129.0f;
constexpr double redZoneDecibels = 8.0;

void paintDialWindow (juce::Graphics& g, juce::Rectangle<float> window, juce::Point<float> pivot)
{
    // Chromed bezel, then the black dial with a faint warm back light. The
    // bezel is a pixel narrower along the bottom, where the captions stand.
    juce::Path bezel;
    bezel.addRoundedRectangle (window.expanded (2.0f).withTrimmedBottom (1.0f), 6.0f);
    shadow (g, bezel, { 0, 2 }, 4, 0.7f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff8e9196), window.getX(), window.getY() - 2.0f,
                                             juce::Colour (0xff202124), window.getX(), window.getBottom() + 2.0f, false));
    g.fillPath (bezel);

    juce::Path dial;
    dial.addRoundedRectangle (window, 4.0f);
    juce::ColourGradient light (juce::Colour (0xff25231f), pivot.x, pivot.y - 70.0f,
                                juce::Colour (0xff09090a), pivot.x + 150.0f, pivot.y - 70.0f, true);
    g.setGradientFill (light);
    g.fillPath (dial);
    g.setColour (juce::Colours::black);
    g.strokePath (dial, juce::PathStrokeType (1.0f));

    // Inner shadow along the top edge of the window.
    g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.6f), 0.0f, window.getY(),
                                             juce::Colours::black.withAlpha (0.0f), 0.0f, window.getY() + 8.0f, false));
    g.fillRect (window.withHeight (8.0f).reduced (2.0f, 0.0f));
}

void paintScale (juce::Graphics& g, const ArtFonts& fonts, juce::Point<float> pivot)
{
    const double low = ppmAngleForDecibels (ppmLowestDecibels);
    const double red = ppmAngleForDecibels (redZoneDecibels);
    const double high = ppmAngleForDecibels (ppmHighestDecibels);

    // juce's arcs run clockwise from twelve o'clock; dial angles anticlockwise
    // from three o'clock.
    const auto arcAngle = [] (double a) { return (float) (juce::MathConstants<double>::halfPi - a); };

    juce::Path arc;
    arc.addCentredArc (pivot.x, pivot.y, scaleRadius, scaleRadius, 0.0f, arcAngle (low), arcAngle (red), true);
    g.setColour (palette::dialMarking);
    g.strokePath (arc, juce::PathStrokeType (1.2f));

    juce::Path redZone;
    redZone.addCentredArc (pivot.x, pivot.y, scaleRadius + 1.5f, scaleRadius + 1.5f, 0.0f, arcAngle (red), arcAngle (high), true);
    g.setColour (palette::dialRed);
    g.strokePath (redZone, juce::PathStrokeType (4.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));

    for (int dB = -16; dB <= 15; ++dB)
    {
        const double a = ppmAngleForDecibels (dB);
        const bool major = dB % 4 == 0 && dB >= -12 && dB <= 12;
        const bool medium = dB % 2 == 0;
        const float length = major ? 10.0f : medium ? 6.5f : 4.0f;
        const float width = major ? 1.6f : 1.0f;
        g.setColour (dB >= redZoneDecibels ? palette::dialRed.brighter (0.2f) : palette::dialMarking);
        g.drawLine ({ onDial (pivot, scaleRadius - 0.5f, a), onDial (pivot, scaleRadius + length, a) }, width);

        if (major)
        {
            const auto at = onDial (pivot, numberRadius, a);
            legend (g, signedNumber (dB, true), fonts.caption (10.5f),
                    juce::Rectangle<float> (30.0f, 12.0f).withCentre (at), juce::Justification::centred,
                    dB >= redZoneDecibels ? palette::dialRed.brighter (0.25f) : palette::dialMarking);
        }
    }

    // The reference level, 0 dB, gets a triangle pointing at its mark.
    {
        const double a = ppmAngleForDecibels (0.0);
        juce::Path pointer;
        pointer.addTriangle (onDial (pivot, scaleRadius - 2.0f, a),
                             onDial (pivot, scaleRadius - 8.0f, a + 0.025),
                             onDial (pivot, scaleRadius - 8.0f, a - 0.025));
        g.setColour (palette::dialMarking);
        g.fillPath (pointer);
    }

    // Stop pins just outside the travel.
    for (double a : { 5.0 * juce::MathConstants<double>::pi / 6.0 + 0.035, juce::MathConstants<double>::pi / 6.0 - 0.035 })
    {
        const auto at = onDial (pivot, 112.0f, a);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xffb0b3b8), at.x - 1.5f, at.y - 1.5f,
                                                 juce::Colour (0xff303135), at.x + 1.5f, at.y + 1.5f, false));
        g.fillEllipse (juce::Rectangle<float> (4.0f, 4.0f).withCentre (at));
    }

    // The dial's own legends, inside the arc.
    const auto caption = fonts.captionFont();
    legend (g, "dB", caption, lineArea (caption, pivot.x - 20.0f, pivot.y - 69.0f, 40.0f),
            juce::Justification::centred, palette::dialLegend);
    const auto kind = fonts.captionFont (0.85f);
    legend (g, "PEAK PROGRAMME", kind, lineArea (kind, pivot.x - 55.0f, pivot.y - 56.0f, 110.0f),
            juce::Justification::centred, palette::dialLegend);
}

} // namespace

// Chromed ring and dark seat of the over LED; the LED image sits in the ring.
void paintLedSeat (juce::Graphics& g, const ArtFonts& fonts, juce::Rectangle<float> led)
{
    const auto centre = led.getCentre();
    const auto ring = led.expanded (2.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffd5d7db), ring.getX(), ring.getY(),
                                             juce::Colour (0xff2b2c30), ring.getRight(), ring.getBottom(), false));
    g.fillEllipse (ring);
    g.setColour (juce::Colour (0xff060606));
    g.fillEllipse (led);
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.drawEllipse (ring, 0.7f);

    const auto font = fonts.captionFont (0.85f);
    legend (g, "OVER", font, lineArea (font, centre.x - 16.0f, centre.y + 22.0f, 32.0f),
            juce::Justification::centred, palette::dialRed.brighter (0.2f));
}

void paintDial (juce::Graphics& g, const ArtFonts& fonts, juce::Rectangle<float> meter, juce::Point<float> pivot,
                const juce::String& caption)
{
    // The window fills the meter's area, so the needle never shows outside it.
    paintDialWindow (g, meter, pivot);
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (meter.toNearestInt());
        paintScale (g, fonts, pivot);
        paintLedSeat (g, fonts, { meter.getX() + 210.0f, meter.getY() + 14.0f, 20.0f, 20.0f });
    }

    // Channel caption under the dial, on the row of the switches' legends.
    const auto font = fonts.captionFont();
    legend (g, caption, font, lineArea (font, pivot.x - 40.0f, switchLegendBaseline, 80.0f),
            juce::Justification::centred, palette::legend);
}

// Trim scale beside the slot of the trim slider at (sliderX, 15, 32, 126): the
// thumb's centre runs linearly from y 24 at +20 dB to y 132 at -20 dB.
void paintTrimScale (juce::Graphics& g, const ArtFonts& fonts, float sliderX)
{
    const auto yFor = [] (int dB) { return 24.0f + (float) (20 - dB) * 108.0f / 40.0f; };

    const juce::Rectangle<float> slot (sliderX + 14.0f, 19.0f, 4.0f, 118.0f);
    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (slot.expanded (1.0f), 2.5f);
    bevel (g, slot.expanded (1.5f), 3.0f, -1.0f);

    for (int dB = 20; dB >= -20; dB -= 5)
    {
        const float y = yFor (dB) - 0.5f;
        const bool major = dB % 10 == 0;
        g.setColour (dB == 0 ? palette::amber : palette::legend);
        g.fillRect (sliderX + (major ? -8.0f : -5.0f), y, major ? 7.0f : 4.0f, 1.0f);
        // The figures stand right of the slider, in the 16 pixels up to the
        // page's edge.
        if (major)
        {
            const auto font = fonts.numeralFont (0.78f);
            legend (g, signedNumber (dB, true), font, lineArea (font, sliderX + 31.5f, std::round (y + 3.0f), 15.0f),
                    juce::Justification::centred, dB == 0 ? palette::amber : palette::legend);
        }
    }

    // Recess of the value label at (sliderX - 5, 140, 42, 15).
    // "TRIM" under it, as high as the label's box allows, to keep clear of the
    // latency entry's caption below the small window's edge.
    paintTextField (g, { sliderX - 3.0f, 141.5f, 38.0f, 12.0f });
    const auto font = fonts.captionFont (0.85f);
    legend (g, "TRIM", font, lineArea (font, sliderX - 5.0f, 163.0f, 42.0f), juce::Justification::centred, palette::legend);
}

// Legends of the hold switch at (switchX, 142, 86, 24), above the lever's
// positions: its ends at switchX + 25 (Off) and + 61 (On), the middle at + 43
// (Infinity). "OFF" ends and "HOLD" begins 10 pixels from the middle, so the
// infinity sign between them has room on both sides.
void paintHoldLegends (juce::Graphics& g, const ArtFonts& fonts, float switchX, float baseline)
{
    const auto font = fonts.captionFont (0.85f);
    legend (g, "OFF", font, lineArea (font, switchX + 3.0f, baseline, 30.0f), juce::Justification::right, palette::legend);
    infinityMark (g, { switchX + 43.0f, baseline - 3.6f }, 13.0f, palette::legend);
    legend (g, "HOLD", font, lineArea (font, switchX + 53.0f, baseline, 30.0f), juce::Justification::left, palette::legend);
}

// Paper tape for the track name along the bottom, under the track-name strip
// whose bounds are `strip`.
void paintTape (juce::Graphics& g, juce::Rectangle<float> strip)
{
    // The track-name typeface is drawn so that its ink stays on the tape.
    const auto tape = strip.withTrimmedTop (trackTapeTopInset).withTrimmedBottom (trackTapeBottomInset);

    // Torn ends: a fixed ragged edge at each side.
    juce::Random random (4711);
    juce::Path outline;
    outline.startNewSubPath (tape.getX() + 1.0f, tape.getY());
    outline.lineTo (tape.getRight() - 1.0f, tape.getY());
    for (float y = tape.getY() + 2.5f; y < tape.getBottom(); y += 2.5f)
        outline.lineTo (tape.getRight() - 2.5f * random.nextFloat(), y);
    outline.lineTo (tape.getRight() - 1.0f, tape.getBottom());
    outline.lineTo (tape.getX() + 1.0f, tape.getBottom());
    for (float y = tape.getBottom() - 2.5f; y > tape.getY(); y -= 2.5f)
        outline.lineTo (tape.getX() + 2.5f * random.nextFloat(), y);
    outline.closeSubPath();

    shadow (g, outline, { 1, 2 }, 3, 0.65f);

    juce::Graphics::ScopedSaveState state (g);
    g.reduceClipRegion (outline);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfff3eedf), 0.0f, tape.getY(),
                                             juce::Colour (0xffdcd4bd), 0.0f, tape.getBottom(), false));
    g.fillRect (tape);

    // Paper fibres and specks.
    for (int i = 0; i < 900; ++i)
    {
        const float x = tape.getX() + random.nextFloat() * tape.getWidth();
        const float y = tape.getY() + random.nextFloat() * tape.getHeight();
        g.setColour ((random.nextBool() ? juce::Colours::white : juce::Colour (0xff7a6a48)).withAlpha (0.05f + 0.07f * random.nextFloat()));
        g.fillRect (x, y, 1.0f + 3.0f * random.nextFloat(), 1.0f);
    }
    g.setColour (juce::Colours::white.withAlpha (0.5f));
    g.drawHorizontalLine ((int) tape.getY(), tape.getX(), tape.getRight());
    g.setColour (juce::Colour (0xff8a7d5e).withAlpha (0.4f));
    g.drawHorizontalLine ((int) tape.getBottom() - 1, tape.getX(), tape.getRight());
}


} // namespace vyrart
