#include "CompactParts.h"

#include "FaceParts.h"
#include "PanelParts.h"

namespace vyrart
{

void paintCompactFrontParts (juce::Graphics& g, const ArtFonts& fonts, const juce::String& productName)
{
    paintTrimScale (g, fonts, 272.0f);
    paintNamePlate (g, fonts, { 9.0f, 143.0f, 110.0f, 23.0f }, productName);

    // Below the small window's edge: the tape. The latency entry beside it draws
    // its own frame.
    paintTape (g, { 17.0f, 167.0f, 240.0f, 39.0f });
    screw (g, { 7.0f, 186.0f }, 3.0f, 35.0f);
}

void paintWindowBezel (juce::Graphics& g, juce::Rectangle<float> window)
{
    juce::Path bezel;
    bezel.addRoundedRectangle (window.expanded (2.0f), 5.0f);
    shadow (g, bezel, { 0, 2 }, 4, 0.7f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff9a9da2), window.getX(), window.getY() - 2.0f,
                                             juce::Colour (0xff202124), window.getX(), window.getBottom() + 2.0f, false));
    g.fillPath (bezel);
    g.setColour (juce::Colours::black);
    g.fillRect (window);
}

juce::Image paintCompactBackPanel (const ArtFonts& fonts, const juce::String& productName, const juce::String& kind,
                                   const juce::StringArray& note, const std::vector<SettingCaption>& captions,
                                   juce::uint32 seed)
{
    juce::Image image (juce::Image::ARGB, compactWidth, compactHeight, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    paintPanelGround (g, seed, compactWidth, compactHeight);

    // Title: the name plate, what the page shows, and the version field whose
    // text the page writes into (212, 32, 30, 14) at run time.
    const auto caption = fonts.captionFont (0.85f);
    paintNamePlate (g, fonts, { 80.0f, 22.0f, 110.0f, 24.0f }, productName);
    legend (g, "BALLISTICS SETTINGS", caption, lineArea (caption, 80.0f, 17.0f, 110.0f), juce::Justification::centred, palette::legendDim);
    paintTextField (g, { 207.0f, 31.0f, 40.0f, 16.0f });
    legend (g, "VERSION", caption, lineArea (caption, 202.0f, 27.0f, 50.0f), juce::Justification::centred, palette::legendDim);

    // The title group in an engraved frame.
    const auto engrave = [&g] (juce::Rectangle<float> box) {
        juce::Path frame;
        frame.addRoundedRectangle (box, 3.0f);
        g.setColour (juce::Colours::black.withAlpha (0.5f));
        g.strokePath (frame, juce::PathStrokeType (1.0f));
        g.setColour (juce::Colours::white.withAlpha (0.12f));
        g.strokePath (frame, juce::PathStrokeType (1.0f), juce::AffineTransform::translation (0.8f, 0.8f));
    };
    engrave ({ 70.5f, 5.5f, 186.0f, 48.0f });

    // The settings are shown, not set, on this page.
    float baseline = 78.0f;
    for (const auto& line : note)
    {
        legend (g, line, caption, lineArea (caption, 40.0f, baseline, 240.0f), juce::Justification::centred, palette::legendDim);
        baseline += 13.0f;
    }
    legend (g, "click the panel to return", caption, lineArea (caption, 40.0f, baseline + 2.0f, 240.0f),
            juce::Justification::centred, palette::legendDim);

    // The row of settings: engraved frame, captions above the fields, the
    // second line (or the only one) standing just above the field.
    engrave ({ 1.5f, 116.5f, 317.0f, 47.0f });
    const auto rowCaption = fonts.captionFont (0.72f);
    for (const auto& c : captions)
    {
        paintTextField (g, c.box.reduced (1.0f, 0.0f));
        const auto area = [&] (float onBaseline) {
            return lineArea (rowCaption, c.box.getCentreX() - 30.0f, onBaseline, 60.0f);
        };
        if (c.line2.isEmpty())
            legend (g, c.line1, rowCaption, area (142.0f), juce::Justification::centred, palette::legend);
        else
        {
            legend (g, c.line1, rowCaption, area (131.0f), juce::Justification::centred, palette::legend);
            legend (g, c.line2, rowCaption, area (142.0f), juce::Justification::centred, palette::legend);
        }
    }

    screw (g, { 7.0f, 9.0f }, 3.0f, 20.0f);
    screw (g, { 313.0f, 9.0f }, 3.0f, 65.0f);

    // Below the small window's edge: type label and ventilation slots.
    for (int i = 0; i < 12; ++i)
    {
        const juce::Rectangle<float> slot (150.0f + 12.0f * (float) i, 176.0f, 5.0f, 20.0f);
        g.setColour (juce::Colour (0xff0a0a0b));
        g.fillRoundedRectangle (slot, 2.5f);
        bevel (g, slot, 2.5f, -1.0f);
    }
    const auto maker = fonts.captionFont();
    legend (g, "Korvanta", maker, lineArea (maker, 20.0f, 185.0f, 110.0f), juce::Justification::left, palette::legendDim);
    legend (g, kind, caption, lineArea (caption, 20.0f, 198.0f, 125.0f), juce::Justification::left, palette::legendDim);
    screw (g, { 7.0f, 185.0f }, 3.0f, 40.0f);
    screw (g, { 313.0f, 185.0f }, 3.0f, 75.0f);
    return image;
}

} // namespace vyrart
