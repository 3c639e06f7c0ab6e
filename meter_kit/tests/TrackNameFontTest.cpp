#include "KitTestSupport.h"
#include "TrackNameFont.h"
#include "VyrBox.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vyrkit;

TEST(TrackNameFont, IsBuiltAnewFromTheEmbeddedStreamWithItsHeightAndScale)
{
    const auto first = makeTrackNameTypeface();
    const auto second = makeTrackNameTypeface();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_NE(dynamic_cast<juce::CustomTypeface*>(first.get()), nullptr);
    EXPECT_NEAR(first->getAscent(), 0.8f, 1e-6f);

    const auto font = makeTrackNameFont();
    EXPECT_FLOAT_EQ(font.getHeight(), 44.0f);
    EXPECT_FLOAT_EQ(font.getHorizontalScale(), 1.2f);
    EXPECT_NE(dynamic_cast<juce::CustomTypeface*>(font.getTypefacePtr().get()), nullptr);
}

TEST(TrackNameFont, HoldsOutlinesAndAdvancesForTheCharactersOfATrackName)
{
    const auto typeface = makeTrackNameTypeface();
    const auto font = makeTrackNameFont();

    for (int c : { int('A'), int('Z'), int('a'), int('z'), int('g'), int('0'), int('9'), int('-'), int('&'), 0xe9 /* e acute */ })
    {
        juce::Path outline;
        EXPECT_TRUE(typeface->getOutlineForGlyph(c, outline)) << c;
        EXPECT_FALSE(outline.isEmpty()) << c;
    }

    for (juce::juce_wchar c = 32; c < 127; ++c)
        EXPECT_GT(font.getStringWidthFloat(juce::String::charToString(c)), 0.0f) << (int) c;
}

TEST(TrackNameFont, ATwentyCharacterNameFitsTheStripOfTheStereoMeter)
{
    VyrBox box(14);
    box.font = makeTrackNameFont();
    box.textAreaWidth = 506;
    box.maxTextWidth = 496;

    for (const char* name : { "Lead Vocal Double 02", "Drum Bus Room Mics L", "Master Track" })
    {
        box.setText(name);
        EXPECT_EQ(box.getText(), juce::String(name));
        EXPECT_LE(box.textWidth(box.getText()), 496);
        EXPECT_GT(box.textWidth(box.getText()), 100); // really drawn at 44 px, not a tiny default
    }
}

namespace
{
// Rows of a rendered strip that carry ink, and how many ink pixels each has.
std::vector<int> inkPerRow(const juce::Image& image)
{
    std::vector<int> rows(static_cast<size_t>(image.getHeight()), 0);
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            rows[static_cast<size_t>(y)] += image.getPixelAt(x, y).getAlpha() > 0 ? 1 : 0;
    return rows;
}

// The stereo meter's strip as its front panel sets it up, 39 pixels high at
// y 167 of a 205-pixel window: the window shows its rows 0 to 37.
struct InkedStrip
{
    VyrBox box { 14 };

    InkedStrip()
    {
        box.font = makeTrackNameFont();
        box.textColour = juce::Colour(4, 45, 85).withAlpha(static_cast<juce::uint8>(205));
        box.textAreaWidth = 506;
        box.maxTextWidth = 496;
        box.setBounds(17, 167, 506, 39);
    }

    std::vector<int> rowsFor(const juce::String& text)
    {
        box.setText(text);
        return inkPerRow(kittest::render(box));
    }
};

constexpr int lastVisibleRow = 205 - 167 - 1;

// Every glyph of the typeface, written as the strip writes it, keeps its ink
// off the strip's top row and off the window's last row (and the strip's row
// below it, outside the window): ascenders, capitals with accents and
// descenders all lie on the paper tape.
TEST(TrackNameFont, EveryGlyphsInkStaysOffTheStripsTopAndBottomRows)
{
    InkedStrip strip;
    juce::StringArray texts { "Jumpy gqy Bass", "Master Track", "Lead Vocal Double 02",
                              juce::String::fromUTF8("\xc3\x85sa \xc3\x89lodie \xc3\x91o\xc3\xb1o \xc3\x87" "a"), // Åsa Élodie Ñoño Ça
                              juce::String::fromUTF8("\xc3\xbf\xc3\xbe\xc3\xa7 \xc3\x9f \xc2\xb5 \xc2\xa7 \xc2\xbf"), // ÿþç ß µ § ¿
                              "fjlkbdh |[]{}() $@Q" };

    // And the whole typeface, a few characters at a time so that each text fits.
    juce::String run;
    for (juce::juce_wchar c = 33; c <= 255; ++c)
    {
        if (c >= 127 && c < 161)
            continue;
        run += juce::String::charToString(c);
        if (run.length() == 12)
        {
            texts.add(run);
            run.clear();
        }
    }
    texts.add(run);

    std::vector<int> all(39, 0);
    for (const auto& text : texts)
    {
        const auto rows = strip.rowsFor(text);
        ASSERT_EQ(strip.box.getText(), text) << "cut by the width limit";
        EXPECT_EQ(rows[0], 0) << text;
        for (int y = lastVisibleRow; y < 39; ++y)
            EXPECT_EQ(rows[static_cast<size_t>(y)], 0) << text << " row " << y;
        for (size_t y = 0; y < rows.size(); ++y)
            all[y] += rows[y];
    }

    // Not shrunk further than the strip needs: the tallest and the deepest
    // glyphs reach the rows next to those.
    EXPECT_GT(all[1], 0);
    EXPECT_GT(all[static_cast<size_t>(lastVisibleRow - 1)], 0);
}

// A name of capitals and descenders uses most of the strip's height.
TEST(TrackNameFont, CapitalsAndDescendersSpanMostOfTheStrip)
{
    InkedStrip strip;
    const auto rows = strip.rowsFor("Jumpy gqy Bass");
    int top = -1, bottom = -1;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        if (rows[static_cast<size_t>(y)] > 0)
        {
            if (top < 0)
                top = y;
            bottom = y;
        }
    EXPECT_GE(bottom - top + 1, 28);
}
} // namespace
