#include "TrackNameFont.h"
#include "VyrBox.h"

#include <gtest/gtest.h>

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
