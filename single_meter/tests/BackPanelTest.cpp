// The back panel: its size, the press that returns to the front panel, and the
// painting of the background, the version and the seven value texts.
#include "EditorTestSupport.h"

#include "TarvoMCommandIds.h"

namespace vyrtarvom::editortesting
{
namespace
{
// Stands in for the editor: records the commands the page posts.
struct CommandRecorder : juce::Component
{
    std::vector<int> commands;
    void handleCommandMessage(int id) override { commands.push_back(id); }
};

struct BackPanelFixture : ::testing::Test
{
    std::atomic<int> sizeFlag { 1 };
    CommandRecorder editor;
    BackPanel panel { &sizeFlag };

    void SetUp() override
    {
        editor.setSize(320, 205);
        editor.addAndMakeVisible(panel);
    }

    // The page painted on its own into a transparent image.
    juce::Image painted()
    {
        juce::Image image(juce::Image::ARGB, 320, 205, true);
        juce::Graphics g(image);
        panel.paint(g);
        return image;
    }
};

juce::Image difference(const juce::Image& a, const juce::Image& b)
{
    juce::Image d(juce::Image::ARGB, a.getWidth(), a.getHeight(), true);
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt(x, y) != b.getPixelAt(x, y))
                d.setPixelAt(x, y, juce::Colours::white);
    return d;
}
} // namespace

TEST(BackPanelSize, FollowsTheWindowSizeFlagAtConstruction)
{
    for (const auto& [flag, height] : { std::pair { 0, 167 }, { 1, 205 }, { 3, 205 } })
    {
        std::atomic<int> sizeFlag { flag };
        BackPanel panel(&sizeFlag);
        EXPECT_EQ(panel.getBounds(), juce::Rectangle<int>(0, 0, 320, height)) << flag;
        EXPECT_EQ(panel.getNumChildComponents(), 0);
        for (const auto& text : panel.texts)
            EXPECT_TRUE(text.isEmpty());
        // The value texts stay inside the small window too.
        for (const auto& box : BackPanel::textBoxes)
            EXPECT_LE(box.getBottom(), 167);
    }
}

// Any press, also one on a text, asks for the front panel; nothing else reacts.
TEST_F(BackPanelFixture, EveryPressPostsTheReturnToTheFrontPanel)
{
    for (const auto& point : { juce::Point<int> { 0, 0 }, { 319, 204 }, { 20, 150 }, { 290, 152 }, { 225, 38 } })
    {
        EXPECT_EQ(panel.getComponentAt(point), &panel);
        press(panel, point.x, point.y);
        pump();
        EXPECT_EQ(editor.commands, std::vector<int> { CommandId::showFrontPanel }) << point.toString();
        editor.commands.clear();
    }
    panel.mouseUp(mouseAt(panel, 10, 10));
    panel.mouseDoubleClick(mouseAt(panel, 10, 10, 2));
    pump();
    EXPECT_TRUE(editor.commands.empty());
}

TEST_F(BackPanelFixture, TheTextSlotsShowTheirSettingIndices)
{
    EXPECT_EQ(BackPanel::settingTextIndices, (std::array<int, 7> { 5, 6, 7, 8, 10, 9, 11 }));
    const std::array<juce::Rectangle<int>, 7> boxes { { { 3, 145, 51, 15 },
                                                        { 56, 145, 59, 15 },
                                                        { 116, 145, 30, 15 },
                                                        { 148, 145, 48, 15 },
                                                        { 203, 145, 32, 15 },
                                                        { 241, 145, 29, 15 },
                                                        { 275, 145, 40, 15 } } };
    EXPECT_EQ(BackPanel::textBoxes, boxes);
}

// The background at the flag's height; an unknown flag draws the texts without it.
TEST_F(BackPanelFixture, PaintsTheBackgroundForTheWindowSize)
{
    for (const auto& [flag, height] : { std::pair { 1, 205 }, { 0, 167 } })
    {
        sizeFlag = flag;
        EXPECT_EQ(paintedArea(painted()), juce::Rectangle<int>(0, 0, 320, height)) << flag;
    }
    sizeFlag = 2;
    // Only the version text is left.
    const auto area = paintedArea(painted());
    EXPECT_FALSE(area.isEmpty());
    EXPECT_TRUE(BackPanel::versionTextBox.contains(area));
}

// Each text is drawn in its own rectangle, on one line, squeezed when too wide.
TEST_F(BackPanelFixture, EachTextIsFittedIntoItsRectangle)
{
    sizeFlag = 2; // no background: only the texts are painted
    const auto versionOnly = painted();
    for (int slot = 0; slot < BackPanel::numTextSlots; ++slot)
    {
        panel.texts = {};
        panel.texts[(size_t) slot] = "Precise";
        const auto area = paintedArea(difference(painted(), versionOnly));
        ASSERT_FALSE(area.isEmpty()) << slot;
        EXPECT_TRUE(BackPanel::textBoxes[(size_t) slot].contains(area)) << slot << ": " << area.toString();
    }

    // A text far too wide for its box is still drawn on one line inside it.
    panel.texts = {};
    panel.texts[BackPanel::holdSlot] = "a very long text";
    const auto area = paintedArea(difference(painted(), versionOnly));
    EXPECT_TRUE(BackPanel::textBoxes[BackPanel::holdSlot].contains(area)) << area.toString();
}

// The texts are drawn in the light grey of the page at 80 %.
TEST_F(BackPanelFixture, TextsAreLightGrey)
{
    sizeFlag = 2;
    panel.texts[BackPanel::referenceSlot] = "-12.0dBFS";
    const auto image = painted();
    int strongest = 0;
    juce::Colour colour;
    const auto box = BackPanel::textBoxes[BackPanel::referenceSlot];
    for (int y = box.getY(); y < box.getBottom(); ++y)
        for (int x = box.getX(); x < box.getRight(); ++x)
            if (image.getPixelAt(x, y).getAlpha() > strongest)
            {
                strongest = image.getPixelAt(x, y).getAlpha();
                colour = image.getPixelAt(x, y);
            }
    EXPECT_LE(strongest, 205);
    EXPECT_GE(strongest, 150);
    EXPECT_NEAR(colour.getRed(), 178, 2);
    EXPECT_NEAR(colour.getGreen(), 177, 2);
    EXPECT_NEAR(colour.getBlue(), 177, 2);
}
} // namespace vyrtarvom::editortesting
