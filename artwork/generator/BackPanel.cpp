// The stereo meter's back panel: scales and legends of the eight ballistics
// settings around the places where the panel puts its knobs, switch and button,
// and dark fields for the value texts the panel writes under four of the knobs.
#include "KnobGeometry.h"
#include "PanelPainters.h"
#include "PanelParts.h"

#include <cmath>

namespace vyrart
{
namespace
{

struct KnobMark
{
    int frame;           // film-strip frame that shows this value
    juce::String label;  // empty: a tick without a number
};

// Frames of the knobs for their values, as the knob looks choose them.
int uniFrame (double position) { return (int) std::floor (position * 50.0 / 20.0); }              // 0..20
int referenceFrame (double position) { return (int) std::floor (position * 2.0899999141693115); } // 0..24

juce::Point<float> knobCentreAt (float x, float y) { return knobCentre().translated (x, y); }

// Ticks just outside the knob's skirt and numbers around them. Numbers low on the
// sides are lifted so they keep clear of the value field under the knob.
void paintKnobScale (juce::Graphics& g, const ArtFonts& fonts, juce::Point<float> centre,
                     const std::vector<KnobMark>& marks, float highestCentre = 0.0f)
{
    for (const auto& mark : marks)
    {
        const auto d = pointerDirection (knobPointerDegrees ((float) mark.frame));
        const bool labelled = mark.label.isNotEmpty();
        g.setColour (labelled ? palette::legend : palette::legendDim);
        g.drawLine ({ centre + d * 19.5f, centre + d * (labelled ? 23.0f : 21.5f) }, labelled ? 1.2f : 0.9f);

        if (labelled)
        {
            // Place the number's box just clear of the tick, whichever side of
            // the knob it is on.
            const auto font = fonts.caption (6.8f);
            const float halfWidth = font.getStringWidthFloat (mark.label) * 0.5f + 0.5f;
            const float halfHeight = 3.0f;
            auto at = centre + d * (24.0f + std::abs (d.x) * halfWidth + std::abs (d.y) * halfHeight);
            const float lowest = centre.y + 13.0f;
            if (at.y > lowest)
            {
                at.x += (d.x < 0 ? -1.0f : 1.0f) * (at.y - lowest) * 0.5f;
                at.y = lowest;
            }
            at.y = std::max (at.y, highestCentre);
            legend (g, mark.label, fonts.caption (6.8f), juce::Rectangle<float> (26.0f, 9.0f).withCentre (at),
                    juce::Justification::centred, palette::legend);
        }
    }
}

void paintCaption (juce::Graphics& g, const ArtFonts& fonts, const juce::String& text, juce::Point<float> centre, float y)
{
    legend (g, text, fonts.caption (7.5f), { centre.x - 45.0f, y, 90.0f, 9.0f }, juce::Justification::centred, palette::legend);
}

std::vector<KnobMark> timeMarks (const juce::StringArray& labels)
{
    // Labels at the knob positions 0, 4, 8, ... 20, ticks at every even position.
    std::vector<KnobMark> marks;
    for (int position = 0; position <= 20; position += 2)
        marks.push_back ({ uniFrame (position), position % 4 == 0 ? labels[position / 4] : juce::String() });
    return marks;
}

void paintReference (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto c = knobCentreAt (24.0f, 34.0f);
    std::vector<KnobMark> marks;
    for (int position = 0; position <= 24; position += 3)
        marks.push_back ({ referenceFrame (position), position % 6 == 0 ? signedNumber (position - 24, false) : juce::String() });
    paintKnobScale (g, fonts, c, marks);
    paintCaption (g, fonts, "REFERENCE", c, c.y - 47.5f);
    legend (g, "dBFS", fonts.legend (6.5f), { c.x - 20.0f, c.y - 39.0f, 40.0f, 8.0f }, juce::Justification::centred, palette::legendDim);
    paintTextField (g, { 15.0f, 76.0f, 60.0f, 12.0f });
}

void paintIntegration (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto c = knobCentreAt (136.0f, 33.0f);
    paintKnobScale (g, fonts, c, timeMarks ({ "0", "1.5", "5.5", "14", "40", "100" }));
    paintCaption (g, fonts, "INTEGRATION", c, c.y - 47.5f);
    legend (g, "ms", fonts.legend (6.5f), { c.x - 20.0f, c.y - 39.0f, 40.0f, 8.0f }, juce::Justification::centred, palette::legendDim);
    paintTextField (g, { 133.0f, 75.0f, 50.0f, 12.0f });
}

void paintTimeKnob (juce::Graphics& g, const ArtFonts& fonts, float x, float y, const juce::String& caption,
                    juce::Rectangle<float> field)
{
    const auto c = knobCentreAt (x, y);
    // The upper numbers keep below y 101, where the mid-attenuation switch ends.
    paintKnobScale (g, fonts, c, timeMarks ({ "0.1", "0.25", "0.65", "1.5", "4", "10" }), c.y - 25.0f);
    // The caption stands left of the knob: above it there is no room under the
    // mid-attenuation switch.
    const juce::Rectangle<float> label (c.x - 95.0f, c.y - 26.0f, 50.0f, 9.0f);
    legend (g, caption, fonts.caption (7.5f), label, juce::Justification::centred, palette::legend);
    legend (g, "s", fonts.legend (6.5f), label.translated (0.0f, 8.5f), juce::Justification::centred, palette::legendDim);
    paintTextField (g, field);
}

void paintOverReference (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto c = knobCentreAt (418.0f, 33.0f);
    // Positions 0..3: 8.15 dB above the reference level, then -3, -1 and 0 dBFS.
    paintKnobScale (g, fonts, c, { { 6, "REF" }, { 19, signedNumber (-3, false) }, { 32, signedNumber (-1, false) }, { 44, "0" } });
    legend (g, "+8.15", fonts.legend (6.0f), juce::Rectangle<float> (26.0f, 8.0f).withCentre (c.translated (-29.0f, 20.5f)),
            juce::Justification::centred, palette::legendDim);
    paintCaption (g, fonts, "OVER LEVEL", c, c.y - 47.5f);
    legend (g, "dBFS", fonts.legend (6.5f), { c.x - 20.0f, c.y - 39.0f, 40.0f, 8.0f }, juce::Justification::centred, palette::legendDim);
}

void paintOverCount (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto c = knobCentreAt (475.0f, 109.0f);
    // Positions 0..9 are counts 1..10.
    const int frames[] = { 2, 8, 12, 18, 23, 28, 33, 37, 42, 48 };
    std::vector<KnobMark> marks;
    for (int i = 0; i < 10; ++i)
        marks.push_back ({ frames[i], juce::String (i + 1) });
    paintKnobScale (g, fonts, c, marks);
    paintCaption (g, fonts, "OVER COUNT", c, c.y - 47.5f);
    legend (g, "samples", fonts.legend (6.5f), { c.x - 20.0f, c.y - 39.0f, 40.0f, 8.0f }, juce::Justification::centred, palette::legendDim);
}

void paintMidAttenuation (juce::Graphics& g, const ArtFonts& fonts)
{
    // The switch image (70 x 67 at 200, 34) carries its own position legend.
    const juce::Rectangle<float> area (200.0f, 34.0f, 70.0f, 67.0f);
    paintCaption (g, fonts, "MID ATTEN", area.getCentre(), 16.0f);
    legend (g, "M/S mode", fonts.legend (6.5f), { area.getX(), 25.0f, area.getWidth(), 8.0f },
            juce::Justification::centred, palette::legendDim);
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.drawRect (area.expanded (1.0f), 1.0f);
}

void paintMeasureMode (juce::Graphics& g, const ArtFonts& fonts)
{
    // The button sits at (532, 10, 54, 97) against the right edge.
    const juce::Rectangle<float> button (532.0f, 10.0f, 54.0f, 97.0f);
    legend (g, "MEASURE", fonts.caption (7.5f), { button.getX(), 110.0f, button.getWidth(), 9.0f }, juce::Justification::centred, palette::legend);
    legend (g, "MODE", fonts.caption (7.5f), { button.getX(), 119.0f, button.getWidth(), 9.0f }, juce::Justification::centred, palette::legend);
}

// Section frames: thin engraved lines that group the settings.
void paintSection (juce::Graphics& g, juce::Rectangle<float> box)
{
    juce::Path frame;
    frame.addRoundedRectangle (box, 3.0f);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.strokePath (frame, juce::PathStrokeType (1.0f));
    g.setColour (juce::Colours::white.withAlpha (0.12f));
    g.strokePath (frame, juce::PathStrokeType (1.0f), juce::AffineTransform::translation (0.8f, 0.8f));
}

void paintIdentity (juce::Graphics& g, const ArtFonts& fonts)
{
    paintNamePlate (g, fonts, { 280.0f, 50.0f, 110.0f, 24.0f });
    legend (g, "BALLISTICS SETTINGS", fonts.caption (6.8f), { 280.0f, 38.0f, 110.0f, 9.0f }, juce::Justification::centred, palette::legendDim);
    // The version text is written into this box at run time.
    paintTextField (g, { 300.0f, 86.0f, 70.0f, 12.0f });
    legend (g, "click the panel to return", fonts.legend (6.3f), { 280.0f, 104.0f, 110.0f, 8.0f },
            juce::Justification::centred, palette::legendDim.withAlpha (0.8f));
}

// Below the small window's edge: ventilation slots and the type label.
void paintLowerStrip (juce::Graphics& g, const ArtFonts& fonts)
{
    for (int i = 0; i < 24; ++i)
    {
        const juce::Rectangle<float> slot (150.0f + 12.0f * (float) i, 176.0f, 5.0f, 20.0f);
        g.setColour (juce::Colour (0xff0a0a0b));
        g.fillRoundedRectangle (slot, 2.5f);
        bevel (g, slot, 2.5f, -1.0f);
    }
    legend (g, "Korvanta", fonts.caption (9.0f), { 20.0f, 176.0f, 110.0f, 10.0f }, juce::Justification::centredLeft, palette::legendDim);
    legend (g, "STEREO PEAK PROGRAMME METER", fonts.legend (6.5f), { 20.0f, 187.0f, 125.0f, 9.0f }, juce::Justification::centredLeft, palette::legendDim);
    screw (g, { 7.0f, 185.0f }, 3.0f, 40.0f);
    screw (g, { 579.0f, 185.0f }, 3.0f, 75.0f);
}

} // namespace

juce::Image paintBackPanel (const ArtFonts& fonts)
{
    juce::Image image (juce::Image::ARGB, panelWidth, panelHeight, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    paintPanelGround (g, 11);

    paintSection (g, { 3.5f, 3.5f, 271.0f, 160.0f });
    paintSection (g, { 403.5f, 3.5f, 124.0f, 160.0f });

    paintReference (g, fonts);
    paintIntegration (g, fonts);
    paintTimeKnob (g, fonts, 80.0f, 109.0f, "HOLD", { 76.0f, 150.0f, 50.0f, 12.0f });
    paintTimeKnob (g, fonts, 192.0f, 109.0f, "FALL-BACK", { 188.0f, 150.0f, 50.0f, 12.0f });
    paintMidAttenuation (g, fonts);
    paintOverReference (g, fonts);
    paintOverCount (g, fonts);
    paintMeasureMode (g, fonts);
    paintIdentity (g, fonts);
    paintLowerStrip (g, fonts);
    return image;
}

} // namespace vyrart
