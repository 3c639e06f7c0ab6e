#include "PanelParts.h"

namespace vyrart
{

void paintPanelGround (juce::Graphics& g, juce::uint32 seed, int width, int height)
{
    const juce::Rectangle<float> page (0.0f, 0.0f, (float) width, (float) height);
    brushedFill (g, page, palette::panel, seed);

    // A faint light fall-off towards the bottom, as under studio lighting.
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.05f), 0.0f, 0.0f,
                                             juce::Colours::black.withAlpha (0.12f), 0.0f, (float) height, false));
    g.fillRect (page);

    g.setColour (juce::Colours::white.withAlpha (0.18f));
    g.drawHorizontalLine (0, 0.0f, (float) width);
    g.drawVerticalLine (0, 0.0f, (float) height);
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.drawHorizontalLine (height - 1, 0.0f, (float) width);
    g.drawVerticalLine (width - 1, 0.0f, (float) height);
}

void paintNamePlate (juce::Graphics& g, const ArtFonts& fonts, juce::Rectangle<float> plate,
                     const juce::String& productName)
{
    juce::Path outline;
    outline.addRoundedRectangle (plate, 2.0f);
    shadow (g, outline, { 0, 1 }, 2, 0.6f);

    juce::Graphics::ScopedSaveState state (g);
    g.reduceClipRegion (outline);
    brushedFill (g, plate, juce::Colour (0xffb9bcc1), 97, 2.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.35f), plate.getX(), plate.getY(),
                                             juce::Colours::black.withAlpha (0.18f), plate.getX(), plate.getBottom(), false));
    g.fillRect (plate);
    bevel (g, plate, 2.0f, 1.0f);

    // The product's name alone, larger than the captions: a second line would
    // leave neither line room to read at 1:1. The maker's name stands on the
    // back pages.
    const auto name = fonts.caption (14.0f);
    legend (g, productName, name, lineArea (name, plate.getX() + 2.0f, plate.getY() + 15.0f, plate.getWidth() - 4.0f),
            juce::Justification::centred, juce::Colour (0xff18191b));
}

void paintTextField (juce::Graphics& g, juce::Rectangle<float> field)
{
    g.setColour (juce::Colour (0xff141517));
    g.fillRoundedRectangle (field, 2.0f);
    bevel (g, field, 2.0f, -1.0f);
}

juce::String minusSign() { return juce::String::fromUTF8 ("\xe2\x88\x92"); }

juce::String signedNumber (int value, bool plusForPositive)
{
    if (value < 0)
        return minusSign() + juce::String (-value);
    return (plusForPositive && value > 0 ? "+" : "") + juce::String (value);
}

} // namespace vyrart
