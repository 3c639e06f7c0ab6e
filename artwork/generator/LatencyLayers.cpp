// The latency entry's three layers, all drawn at the same place: the entry's frame
// with the digit window, the glass laid over the digits, and the legends with the
// two arrow keys.
//
// The entry stands at y 167 in windows 205 rows high, so only its top 38 rows
// show, the last of them the window's dark bottom edge; the trim's caption above
// ends on row 162 of the panel, as low as the trim label allows. From the top:
// the caption on rows 1..7, five rows under the trim's caption; two rows of
// panel; the frame on rows 10..35 holding both arrows, the window and the unit;
// one row of panel above the window's edge.
#include "Drawing.h"
#include "KitPainters.h"
#include "PanelParts.h"

namespace vyrart
{
namespace
{

// Cells the entry writes its three digits into, in black (x, y, w, h).
juce::Rectangle<float> digitCell (int i) { return { 17.0f + 7.0f * (float) i, 15.0f, 6.0f, 12.0f }; }

// The entry's frame: a recess below the caption, ending one row above the
// window's bottom edge.
const juce::Rectangle<float> entryFrame (0.5f, 10.0f, 53.0f, 26.0f);

// The window around the cells: a dark bezel.
const juce::Rectangle<float> window (14.5f, 14.5f, 26.0f, 13.0f);

void paintWindow (juce::Graphics& g)
{
    paintTextField (g, entryFrame);

    juce::Path frame;
    frame.addRoundedRectangle (window.expanded (1.0f), 2.5f);
    g.setColour (juce::Colour (0xff0b0b0c));
    g.fillPath (frame);
    bevel (g, window.expanded (1.0f), 2.5f, -1.0f);

    // Backlit cells: pale enough for black digits, warm like the lamps.
    for (int i = 0; i < 3; ++i)
    {
        const auto cell = digitCell (i).expanded (0.5f, 0.0f);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xffeadfb8), cell.getCentreX(), cell.getY(),
                                                 juce::Colour (0xffc9b888), cell.getCentreX(), cell.getBottom(), false));
        g.fillRect (cell);
        g.setColour (juce::Colours::black.withAlpha (0.45f));
        g.drawRect (cell, 0.5f);
    }
}

void paintGlass (juce::Graphics& g)
{
    // A faint sheen over the whole window and a brighter reflection across its top.
    const auto glass = window.reduced (0.5f);
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.30f), glass.getX(), glass.getY(),
                                             juce::Colours::white.withAlpha (0.04f), glass.getX(), glass.getCentreY(), false));
    g.fillRoundedRectangle (glass.withHeight (glass.getHeight() * 0.5f), 1.5f);
    g.setColour (juce::Colours::white.withAlpha (0.06f));
    g.fillRoundedRectangle (glass, 1.5f);

    juce::Path streak;
    streak.addQuadrilateral (glass.getX() + 12.0f, glass.getY(), glass.getX() + 16.0f, glass.getY(),
                             glass.getX() + 10.0f, glass.getBottom(), glass.getX() + 6.0f, glass.getBottom());
    g.setColour (juce::Colours::white.withAlpha (0.10f));
    g.fillPath (streak);
}

void paintArrow (juce::Graphics& g, float tipY, float baseY)
{
    // Hot spot x 25..31: the triangle spans its seven columns.
    juce::Path arrow;
    arrow.addTriangle (28.5f, tipY, 25.0f, baseY, 32.0f, baseY);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillPath (arrow, juce::AffineTransform::translation (0.0f, 0.8f));
    g.setColour (palette::legend);
    g.fillPath (arrow);
}

void paintLegends (juce::Graphics& g, const ArtFonts& fonts)
{
    // The caption above the frame: capitals 7 pixels high.
    const auto caption = fonts.caption (11.2f).withHorizontalScale (0.85f);
    legend (g, "LATENCY", caption, lineArea (caption, 0.0f, 8.0f, 54.0f), juce::Justification::centred, palette::legend);
    // Both arrows inside the frame and on their hot spots (y 8..13 and 30..35).
    paintArrow (g, 10.0f, 14.0f);
    paintArrow (g, 34.0f, 30.0f);
    const auto unit = fonts.captionFont (0.8f);
    legend (g, "ms", unit, lineArea (unit, 40.5f, 25.0f, 13.5f), juce::Justification::left, palette::legend);
}

} // namespace

juce::Image paintLatencyLayers (const ArtFonts& fonts)
{
    auto strip = makeStrip (54, 40, 3);
    paintFrames (strip, 40, 3, [&] (juce::Graphics& g, int layer) {
        if (layer == 0)
            paintWindow (g);
        else if (layer == 1)
            paintGlass (g);
        else
            paintLegends (g, fonts);
    });
    return strip;
}

} // namespace vyrart
