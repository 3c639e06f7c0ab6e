#include "ButtonLooks.h"
#include "FilmStrip.h"
#include "KitTestSupport.h"

#include <VyrKitArt.h>

#include <gtest/gtest.h>

#include <type_traits>

using namespace vyrkit;
using kittest::frameAt;
using kittest::numberedStrip;

namespace
{
template <class Look>
struct NumberedLook : Look
{
    NumberedLook(int width, int frameHeight) { this->filmStrip = numberedStrip(width, frameHeight, 2); }
};

constexpr juce::uint8 smallTag = 11, largeTag = 99;

struct NumberedPlusLook : ButtonPlusLook
{
    NumberedPlusLook()
    {
        smallWindowStrip = numberedStrip(11, 11, 2, smallTag);
        largeWindowStrip = numberedStrip(11, 11, 2, largeTag);
    }
};

struct Toggle : juce::ToggleButton
{
    Toggle(juce::LookAndFeel& look, int width, int height, bool on)
    {
        setBounds(0, 0, width, height);
        setToggleState(on, juce::dontSendNotification);
        setLookAndFeel(&look);
    }
    ~Toggle() override { setLookAndFeel(nullptr); }
};

// What the look draws when JUCE asks it with the given flags.
juce::Image drawToggle(juce::LookAndFeel& look, juce::ToggleButton& button, bool over, bool down)
{
    juce::Image image(juce::Image::ARGB, button.getWidth(), button.getHeight(), true);
    juce::Graphics g(image);
    look.drawToggleButton(g, button, over, down);
    return image;
}
} // namespace

TEST(ButtonLookClasses, DeriveFromTheFirstStockLookAndStayOutOfTheShutdownList)
{
    static_assert(std::is_base_of_v<juce::LookAndFeel_V1, ButtonHelpLook>);
    static_assert(std::is_base_of_v<juce::LookAndFeel_V1, ButtonPlusLook>);
    static_assert(std::is_base_of_v<juce::LookAndFeel_V1, ButtonLRMSLook>);
    static_assert(std::is_base_of_v<juce::LookAndFeel_V1, ButtonOverLook>);
    static_assert(std::is_base_of_v<juce::LookAndFeel_V1, ButtonActiveLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, ButtonHelpLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, ButtonPlusLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, ButtonLRMSLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, ButtonOverLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, ButtonActiveLook>);

    ButtonPlusLook plus;
    EXPECT_TRUE(plus.smallWindow.load());
}

TEST(HelpButton, ShowsTheHighlightWhileTheMouseIsOverAndIgnoresTheToggleState)
{
    NumberedLook<ButtonHelpLook> look(11, 11);
    const struct { bool on, over, down; int frame; } cases[] = {
        { false, false, false, 0 }, { false, true, false, 1 }, { true, false, true, 0 }, { true, true, true, 1 },
    };
    for (const auto& c : cases)
    {
        Toggle button(look, 16, 14, c.on);
        const auto image = drawToggle(look, button, c.over, c.down);
        EXPECT_EQ(frameAt(image, 5, 5), c.frame);
        EXPECT_EQ(frameAt(image, 10, 10), c.frame);
        // The 11 x 11 frame sits unscaled in the top-left corner.
        EXPECT_TRUE(kittest::transparentEverywhere(image, { 11, 0, 5, 14 }));
        EXPECT_TRUE(kittest::transparentEverywhere(image, { 0, 11, 16, 3 }));
    }
}

TEST(SizeButton, PicksTheStripFromTheWindowSizeAndTheFrameFromTheMouse)
{
    NumberedPlusLook look;
    Toggle button(look, 16, 14, false);
    const struct { bool small, over; juce::uint8 tag; int frame; } cases[] = {
        { true, true, smallTag, 1 }, { true, false, smallTag, 0 },
        { false, true, largeTag, 1 }, { false, false, largeTag, 0 },
    };
    for (const auto& c : cases)
    {
        look.smallWindow = c.small;
        const auto image = drawToggle(look, button, c.over, false);
        EXPECT_EQ(frameAt(image, 5, 5, c.tag), c.frame) << "small " << c.small << " over " << c.over;
        EXPECT_TRUE(kittest::transparentEverywhere(image, { 11, 0, 5, 14 }));
    }
}

TEST(ToggleStateButtons, ShowTheToggleStateWhateverTheMouse)
{
    NumberedLook<ButtonLRMSLook> lrms(87, 24);
    NumberedLook<ButtonOverLook> measure(54, 97);
    NumberedLook<ButtonActiveLook> active(43, 14);
    struct Case { juce::LookAndFeel* look; int width, height; };
    const Case looks[] = { { &lrms, 87, 24 }, { &measure, 54, 97 }, { &active, 43, 14 } };

    for (const auto& l : looks)
        for (bool on : { false, true })
            for (bool over : { false, true })
            {
                Toggle button(*l.look, l.width, l.height, on);
                const auto image = drawToggle(*l.look, button, over, over);
                EXPECT_EQ(frameAt(image, l.width / 2, l.height / 2), on ? 1 : 0) << l.width << " on " << on;
                EXPECT_EQ(frameAt(image, l.width - 1, l.height - 1), on ? 1 : 0);
            }

    // Through JUCE's own paint as well.
    Toggle on(lrms, 87, 24, true);
    EXPECT_EQ(frameAt(kittest::render(on), 43, 12), 1);
}

TEST(ToggleStateButtons, MeasurementAndActiveFramesFillTheButtonWhileLrmsStaysAtItsSize)
{
    NumberedLook<ButtonOverLook> measure(54, 97);
    Toggle small(measure, 27, 48, true);
    const auto scaled = kittest::render(small);
    for (auto p : { juce::Point<int>(1, 1), juce::Point<int>(13, 24), juce::Point<int>(25, 46) })
        EXPECT_EQ(frameAt(scaled, p.x, p.y), 1) << p.toString();

    NumberedLook<ButtonActiveLook> active(43, 14);
    Toggle wide(active, 86, 28, false);
    EXPECT_EQ(frameAt(kittest::render(wide), 80, 25), 0);

    NumberedLook<ButtonLRMSLook> lrms(87, 24);
    Toggle large(lrms, 120, 40, true);
    const auto image = kittest::render(large);
    EXPECT_EQ(frameAt(image, 86, 23), 1);
    EXPECT_TRUE(kittest::transparentEverywhere(image, { 87, 0, 33, 40 }));
    EXPECT_TRUE(kittest::transparentEverywhere(image, { 0, 24, 120, 16 }));
}

TEST(EmbeddedStrips, ButtonStripsDecodeToTheirFrameLayouts)
{
    const struct { const char* data; int size; int width, height; } strips[] = {
        { vyrkit_art::help_png, vyrkit_art::help_pngSize, 11, 22 },
        { vyrkit_art::size_small_png, vyrkit_art::size_small_pngSize, 11, 22 },
        { vyrkit_art::size_large_png, vyrkit_art::size_large_pngSize, 11, 22 },
        { vyrkit_art::lrms_png, vyrkit_art::lrms_pngSize, 87, 48 },
        { vyrkit_art::measure_mode_png, vyrkit_art::measure_mode_pngSize, 54, 194 },
        { vyrkit_art::active_png, vyrkit_art::active_pngSize, 43, 28 },
        { vyrkit_art::trim_thumb_png, vyrkit_art::trim_thumb_pngSize, 32, 38 },
    };
    for (const auto& s : strips)
    {
        const auto image = decodeEmbeddedImage(s.data, s.size);
        EXPECT_EQ(image.getWidth(), s.width);
        EXPECT_EQ(image.getHeight(), s.height);
    }

    // The real Active strip, drawn on a button of its own size, is its frame 1.
    const auto strip = decodeEmbeddedImage(vyrkit_art::active_png, vyrkit_art::active_pngSize);
    ButtonActiveLook look;
    Toggle button(look, 43, 14, true);
    const auto image = kittest::render(button);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 43; ++x)
            ASSERT_EQ(image.getPixelAt(x, y).getARGB(), strip.getPixelAt(x, 14 + y).getARGB()) << x << "," << y;
}
