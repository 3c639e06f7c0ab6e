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
// sides are lifted so they keep clear of the value field under the knob; numbers
// that would stand higher than `highestCentre` are moved down to it and out,
// clear of their tick.
void paintKnobScale (juce::Graphics& g, const ArtFonts& fonts, juce::Point<float> centre,
                     const std::vector<KnobMark>& marks, float highestCentre = 0.0f, float squeeze = 1.0f,
                     float extraRadius = 0.0f)
{
    const auto font = fonts.numeralFont (squeeze);
    for (const auto& mark : marks)
    {
        const auto d = pointerDirection (knobPointerDegrees ((float) mark.frame));
        const bool labelled = mark.label.isNotEmpty();
        g.setColour (labelled ? palette::legend : palette::legendDim);
        g.drawLine ({ centre + d * 19.5f, centre + d * (labelled ? 23.0f : 21.5f) }, labelled ? 1.2f : 0.9f);

        if (labelled)
        {
            // Place the number's box clear of the tick, whichever side of the
            // knob it is on, so that the tick does not read as a dash.
            const float halfWidth = font.getStringWidthFloat (mark.label) * 0.5f;
            const float halfHeight = 3.5f;
            auto at = centre + d * (25.5f + extraRadius + std::abs (d.x) * halfWidth + std::abs (d.y) * halfHeight);
            const float lowest = centre.y + 13.0f;
            if (at.y > lowest)
            {
                at.x += (d.x < 0 ? -1.0f : 1.0f) * (at.y - lowest) * 0.5f;
                at.y = lowest;
            }
            if (at.y < highestCentre)
            {
                at.y = highestCentre;
                const float tickEnd = centre.x + d.x * 23.0f;
                at.x = d.x < 0 ? std::min (at.x, tickEnd - 3.0f - halfWidth) : std::max (at.x, tickEnd + 3.0f + halfWidth);
            }
            const float baseline = std::round (at.y + halfHeight - 0.45f);
            legend (g, mark.label, font, lineArea (font, at.x - halfWidth - 1.0f, baseline, 2.0f * halfWidth + 2.0f),
                    juce::Justification::centred, palette::legend);
        }
    }
}

// A caption centred over `centreX`, standing on `baseline`.
void paintCaption (juce::Graphics& g, const ArtFonts& fonts, const juce::String& text, float centreX, float baseline)
{
    const auto font = fonts.captionFont (0.85f);
    legend (g, text, font, lineArea (font, centreX - 60.0f, baseline, 120.0f), juce::Justification::centred, palette::legend);
}

// A unit under a knob whose value the panel does not write out.
void paintUnit (juce::Graphics& g, const ArtFonts& fonts, const juce::String& text, float centreX, float baseline)
{
    const auto font = fonts.captionFont (0.85f);
    legend (g, text, font, lineArea (font, centreX - 30.0f, baseline, 60.0f), juce::Justification::centred, palette::legendDim);
}

std::vector<KnobMark> timeMarks (const juce::StringArray& labels)
{
    // Labels at the knob positions 0, 4, 8, ... 20, ticks at every even position.
    std::vector<KnobMark> marks;
    for (int position = 0; position <= 20; position += 2)
        marks.push_back ({ uniFrame (position), position % 4 == 0 ? labels[position / 4] : juce::String() });
    return marks;
}

// The top row of captions, over the knobs and the switch of the upper row.
constexpr float topCaptionBaseline = 14.0f;

// The four knobs whose values the panel writes under them need no unit: the
// value texts carry theirs.
void paintReference (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto c = knobCentreAt (24.0f, 34.0f);
    std::vector<KnobMark> marks;
    for (int position = 0; position <= 24; position += 3)
        marks.push_back ({ referenceFrame (position), position % 6 == 0 ? signedNumber (position - 24, false) : juce::String() });
    paintKnobScale (g, fonts, c, marks);
    paintCaption (g, fonts, "REFERENCE", c.x, topCaptionBaseline);
    paintTextField (g, { 15.0f, 76.0f, 60.0f, 12.0f });
}

void paintIntegration (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto c = knobCentreAt (136.0f, 33.0f);
    paintKnobScale (g, fonts, c, timeMarks ({ "0", "1.5", "5.5", "14", "40", "100" }));
    paintCaption (g, fonts, "INTEGRATION", c.x, topCaptionBaseline);
    paintTextField (g, { 133.0f, 75.0f, 50.0f, 12.0f });
}

void paintTimeKnob (juce::Graphics& g, const ArtFonts& fonts, float x, float y, const juce::String& caption,
                    juce::Rectangle<float> field)
{
    const auto c = knobCentreAt (x, y);
    // The upper numbers keep clear of the mid-attenuation switch's frame, which
    // ends at y 102.
    paintKnobScale (g, fonts, c, timeMarks ({ "0.1", "0.25", "0.65", "1.5", "4", "10" }), c.y - 22.5f);
    // Above the knob there is no room under the mid-attenuation switch: the
    // caption stands left of the value field, on the line of its text, where
    // it reads as the value's name and keeps clear of the other knob's numbers.
    const auto font = fonts.captionFont (0.85f);
    legend (g, caption, font, lineArea (font, field.getX() - 64.0f, field.getBottom() - 2.0f, 60.0f),
            juce::Justification::right, palette::legend);
    paintTextField (g, field);
}

void paintOverReference (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto c = knobCentreAt (418.0f, 33.0f);
    // Positions 0..3: 8.15 dB above the reference level, then -3, -1 and 0 dBFS.
    paintKnobScale (g, fonts, c, { { 6, "REF" }, { 19, signedNumber (-3, false) }, { 32, signedNumber (-1, false) }, { 44, "0" } },
                    0.0f, 0.85f);
    const auto font = fonts.numeralFont (0.8f);
    legend (g, "+8.15", font, lineArea (font, c.x - 44.0f, c.y + 21.5f, 26.0f), juce::Justification::centred, palette::legendDim);
    paintCaption (g, fonts, "OVER LEVEL", c.x, topCaptionBaseline);
    paintUnit (g, fonts, "dBFS", c.x, c.y + 31.5f);
}

void paintOverCount (juce::Graphics& g, const ArtFonts& fonts)
{
    const auto c = knobCentreAt (475.0f, 109.0f);
    // Positions 0..9 are counts 1..10.
    const int frames[] = { 2, 8, 12, 18, 23, 28, 33, 37, 42, 48 };
    std::vector<KnobMark> marks;
    for (int i = 0; i < 10; ++i)
        marks.push_back ({ frames[i], juce::String (i + 1) });
    // Ten numbers round the knob: a little further out, so that neighbours
    // keep apart.
    paintKnobScale (g, fonts, c, marks, 0.0f, 1.0f, 1.5f);
    paintCaption (g, fonts, "OVER COUNT", c.x, c.y - 37.5f);
    paintUnit (g, fonts, "samples", c.x, c.y + 30.5f);
}

void paintMidAttenuation (juce::Graphics& g, const ArtFonts& fonts)
{
    // The switch image (70 x 67 at 200, 34) carries its own position legend.
    const juce::Rectangle<float> area (200.0f, 34.0f, 70.0f, 67.0f);
    paintCaption (g, fonts, "MID ATTEN", area.getCentreX(), topCaptionBaseline);
    paintUnit (g, fonts, "M/S mode", area.getCentreX(), 27.0f);
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.drawRect (area.expanded (1.0f), 1.0f);
}

void paintMeasureMode (juce::Graphics& g, const ArtFonts& fonts)
{
    // The button sits at (532, 10, 54, 97) against the right edge.
    const juce::Rectangle<float> button (532.0f, 10.0f, 54.0f, 97.0f);
    paintCaption (g, fonts, "MEASURE", button.getCentreX(), 120.0f);
    paintCaption (g, fonts, "MODE", button.getCentreX(), 133.0f);
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
    paintNamePlate (g, fonts, { 282.0f, 50.0f, 106.0f, 24.0f });
    paintCaption (g, fonts, "BALLISTICS SETTINGS", 335.0f, 44.0f);
    // The version text is written into this box at run time.
    paintTextField (g, { 300.0f, 86.0f, 70.0f, 12.0f });
    const auto note = fonts.captionFont (0.85f);
    legend (g, "click the panel", note, lineArea (note, 280.0f, 116.0f, 110.0f), juce::Justification::centred, palette::legendDim);
    legend (g, "to return", note, lineArea (note, 280.0f, 129.0f, 110.0f), juce::Justification::centred, palette::legendDim);
}

// Below the small window's edge: ventilation slots and the type label.
void paintLowerStrip (juce::Graphics& g, const ArtFonts& fonts)
{
    for (int i = 0; i < 24; ++i)
    {
        const juce::Rectangle<float> slot (210.0f + 12.0f * (float) i, 176.0f, 5.0f, 20.0f);
        g.setColour (juce::Colour (0xff0a0a0b));
        g.fillRoundedRectangle (slot, 2.5f);
        bevel (g, slot, 2.5f, -1.0f);
    }
    const auto maker = fonts.captionFont();
    const auto kind = fonts.captionFont (0.85f);
    legend (g, "Korvanta", maker, lineArea (maker, 20.0f, 185.0f, 110.0f), juce::Justification::left, palette::legendDim);
    legend (g, "STEREO PEAK PROGRAMME METER", kind, lineArea (kind, 20.0f, 198.0f, 180.0f), juce::Justification::left, palette::legendDim);
    screw (g, { 7.0f, 185.0f }, 3.0f, 40.0f);
    screw (g, { 579.0f, 185.0f }, 3.0f, 75.0f);
}

} // namespace

juce::Image paintBackPanel (const ArtFonts& fonts)
{
    juce::Image image (juce::Image::ARGB, panelWidth, panelHeight, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    paintPanelGround (g, 11);

    // The ballistics knobs in a frame; the over settings on the right stand
    // free, since their numbers reach out to the measurement button.
    paintSection (g, { 3.5f, 3.5f, 271.0f, 160.0f });

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
