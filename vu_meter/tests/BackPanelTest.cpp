// The VU back panel: its size from the window flag, the background and the
// texts it paints in their boxes, and the press that returns to the front page.
#include "EditorTestSupport.h"

#include "KelsoCommandIds.h"

namespace vyrkelsom::editortest
{
namespace
{
juce::Image paintPanel(BackPanel& panel, juce::Colour ground = juce::Colours::black)
{
    juce::Image image(juce::Image::ARGB, 320, 205, true);
    juce::Graphics g(image);
    g.fillAll(ground);
    panel.paint(g);
    return image;
}

// Pixels that differ between two pictures, within an area.
int differingPixels(const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
{
    int n = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (a.getPixelAt(x, y) != b.getPixelAt(x, y))
                ++n;
    return n;
}

struct TextBox
{
    juce::String BackPanel::*member;
    juce::Rectangle<int> box;
    const char* sample;
};

const TextBox textBoxes[] = {
    { &BackPanel::referenceText, { 3, 145, 51, 15 }, "-18.0dBFS" },
    { &BackPanel::integrationText, { 59, 145, 59, 15 }, "300ms" },
    { &BackPanel::holdTimeText, { 124, 145, 30, 15 }, "10.00s" },
    { &BackPanel::needleTypeText, { 154, 145, 48, 15 }, " B " },
    { &BackPanel::overReferenceText, { 202, 145, 32, 15 }, "-3dBFS" },
    { &BackPanel::overCountText, { 241, 145, 29, 15 }, "10" },
    { &BackPanel::measurementText, { 275, 145, 40, 15 }, "CPU Safe" },
};
} // namespace

TEST(BackPanelAlone, TakesItsHeightFromTheFlagAndStartsWithoutTexts)
{
    for (const int size : { 0, 1 })
    {
        std::atomic<int> flag { size };
        BackPanel panel(&flag);
        EXPECT_EQ(panel.getBounds(), juce::Rectangle<int>(0, 0, 320, size != 0 ? 205 : 167));
        EXPECT_EQ(panel.getSizeFlag(), &flag);
        for (const auto& t : textBoxes)
            EXPECT_TRUE((panel.*(t.member)).isEmpty());
    }
}

// The text row lies inside both window sizes.
TEST(BackPanelAlone, TheTextBoxesLieInTheSmallWindow)
{
    for (const auto& t : textBoxes)
    {
        EXPECT_TRUE(juce::Rectangle<int>(0, 0, 320, 167).contains(t.box));
    }
    EXPECT_EQ(BackPanel::referenceTextBox, textBoxes[0].box);
    EXPECT_EQ(BackPanel::integrationTextBox, textBoxes[1].box);
    EXPECT_EQ(BackPanel::holdTimeTextBox, textBoxes[2].box);
    EXPECT_EQ(BackPanel::needleTypeTextBox, textBoxes[3].box);
    EXPECT_EQ(BackPanel::overReferenceTextBox, textBoxes[4].box);
    EXPECT_EQ(BackPanel::overCountTextBox, textBoxes[5].box);
    EXPECT_EQ(BackPanel::measurementTextBox, textBoxes[6].box);
}

// Without the image (a flag other than 0 and 1) the page shows only its texts:
// the version, and each setting text inside its own box in the page's grey.
TEST(BackPanelAlone, DrawsEachTextInItsBox)
{
    std::atomic<int> flag { 2 };
    BackPanel panel(&flag);
    const auto empty = paintPanel(panel);
    juce::Image ground(juce::Image::ARGB, 320, 205, true);
    juce::Graphics(ground).fillAll(juce::Colours::black);
    const juce::Rectangle<int> version(212, 32, 30, 14);
    const int versionInk = differingPixels(ground, empty, version);
    EXPECT_GT(versionInk, 20);
    EXPECT_EQ(differingPixels(ground, empty, empty.getBounds()), versionInk);

    for (const auto& t : textBoxes)
    {
        panel.*(t.member) = t.sample;
        const auto withText = paintPanel(panel);
        const int inside = differingPixels(empty, withText, t.box);
        EXPECT_GT(inside, 10) << t.sample;
        EXPECT_EQ(differingPixels(empty, withText, withText.getBounds()), inside) << t.sample;

        // The ink is the grey (178, 177, 177) at alpha 0.8 over the ground, so no
        // pixel is brighter than 142; the small glyphs never cover a whole pixel.
        int brightest = 0;
        for (int y = t.box.getY(); y < t.box.getBottom(); ++y)
            for (int x = t.box.getX(); x < t.box.getRight(); ++x)
                brightest = juce::jmax(brightest, static_cast<int>(withText.getPixelAt(x, y).getRed()));
        EXPECT_LE(brightest, 143) << t.sample;
        EXPECT_GE(brightest, 100) << t.sample;
        panel.*(t.member) = {};
    }
}

TEST(BackPanelAlone, PaintsTheWindowsRowsOfTheBackground)
{
    for (const int size : { 0, 1 })
    {
        std::atomic<int> flag { size };
        BackPanel panel(&flag);
        const auto image = paintPanel(panel, juce::Colours::transparentBlack);
        const auto reference = paintPanel(panel, juce::Colours::transparentBlack);
        EXPECT_EQ(differingPixels(image, reference, image.getBounds()), 0);
        // Below the small window's edge nothing is drawn in the small size.
        const bool drawnBelow = image.getPixelAt(100, 190).getAlpha() != 0;
        EXPECT_EQ(drawnBelow, size == 1) << size;
        EXPECT_NE(image.getPixelAt(100, 100).getAlpha(), 0);
    }
}

class BackPanelPress : public EditorFixture, public ::testing::WithParamInterface<int>
{
};

// Any button anywhere on the page returns to the front page.
TEST_P(BackPanelPress, ReturnsToTheFrontPage)
{
    editor->handleCommandMessage(CommandId::showBackPanel);
    ASSERT_TRUE(back().isVisible());
    press(back(), 150, 100, juce::ModifierKeys(GetParam()));
    pump();
    EXPECT_TRUE(front().isVisible());
    EXPECT_FALSE(back().isVisible());
    EXPECT_TRUE(host.changes.empty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, BackPanelPress,
                         ::testing::Values(juce::ModifierKeys::leftButtonModifier,
                                           juce::ModifierKeys::rightButtonModifier,
                                           juce::ModifierKeys::middleButtonModifier));

// As the editor shows it: the filled texts over the page.
TEST_F(EditorFixture, TheBackPageShowsTheSettingTexts)
{
    editor->handleCommandMessage(CommandId::showBackPanel);
    const auto shown = snapshot(*editor);
    auto& page = back();
    for (const auto& t : textBoxes)
        page.*(t.member) = {};
    const auto bare = snapshot(*editor);
    for (const auto& t : textBoxes)
        EXPECT_GT(differingPixels(shown, bare, t.box), 10);
}
} // namespace vyrkelsom::editortest
