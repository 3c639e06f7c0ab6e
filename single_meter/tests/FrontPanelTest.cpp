// The front panel on its own: its controls and their set-up, the commands they
// post, the click area of the back panel, the size and help buttons, and its
// painting.
#include "EditorTestSupport.h"

#include "FrontPanelControlChecks.h"
#include "FrontPanelTesting.h"
#include "TarvoMCommandIds.h"

namespace vyrtarvom::editortesting
{
struct PanelFacts
{
    using Panel = FrontPanel;
    static constexpr int width = 320;
    static constexpr const char* trackName = "M Track";
};

using FrontPanelFixture = kittest::FrontPanelFixtureOf<PanelFacts>;

INSTANTIATE_TYPED_TEST_SUITE_P(TarvoM, FrontPanelOnItsOwn, PanelFacts);

TEST_F(FrontPanelFixture, CreatesEveryControlAtItsPlaceInOrder)
{
    EXPECT_EQ(panel->getBounds(), juce::Rectangle<int>(0, 0, 320, 205));
    const std::vector<std::pair<juce::Component*, juce::Rectangle<int>>> expected {
        { panel->meter.get(), { 12, 16, 250, 115 } },        { panel->holdSwitch.get(), { 176, 142, 86, 24 } },
        { panel->helpButton.get(), { 308, 0, 16, 14 } },     { panel->sizeButton.get(), { 308, 152, 16, 14 } },
        { panel->trimSlider.get(), { 272, 15, 32, 126 } },   { panel->trimLabel.get(), { 267, 140, 42, 15 } },
        { panel->activeButton.get(), { 265, 0, 43, 14 } },   { panel->latencyControl.get(), { 263, 167, 54, 40 } },
        { panel->trackNameBox.get(), { 17, 167, 240, 39 } },
    };
    kittest::checkTheChildrenLieInOrder(*panel, expected);
}

TEST_F(FrontPanelFixture, ControlsAreSetUpAndDrawnByTheirLooks)
{
    kittest::checkTheSharedFrontPanelControlsAreSetUp(*panel, { 240, 230, CommandId::signature, CommandId::latency });
    EXPECT_EQ(panel->trimLabel->getText(), "0 dB");
    EXPECT_EQ(panel->trackNameBox->getText(), "M Track");
}

struct ClickArea : FrontPanelFixture, ::testing::WithParamInterface<kittest::PanelPressCase>
{
};

// The press lands on the panel itself (no control covers the point), and only
// the lower left asks for the back panel.
TEST_P(ClickArea, ShowsTheBackPanelOnlyInTheLowerLeft)
{
    kittest::checkAPressOnThePanel(*this, GetParam(), CommandId::showBackPanel);
}

INSTANTIATE_TEST_SUITE_P(Points, ClickArea,
                         ::testing::Values(kittest::PanelPressCase { 5, 142, true }, kittest::PanelPressCase { 123, 166, true },
                                           kittest::PanelPressCase { 60, 155, true }, kittest::PanelPressCase { 10, 200, true },
                                           kittest::PanelPressCase { 4, 150, false }, kittest::PanelPressCase { 124, 150, false },
                                           kittest::PanelPressCase { 60, 141, false }, kittest::PanelPressCase { 150, 160, false },
                                           kittest::PanelPressCase { 5, 100, false }));

// Below y 167 in the large window the track-name strip takes the clicks from x 17 on.
TEST_F(FrontPanelFixture, ClicksOnTheMeterAndTheStripGoToThoseControls)
{
    EXPECT_EQ(panel->getComponentAt(17, 180), panel->trackNameBox.get());
    EXPECT_EQ(panel->getComponentAt(16, 180), panel.get());
    EXPECT_EQ(panel->getComponentAt(100, 60), panel->meter.get());

    press(*panel->meter, 100, 60);
    EXPECT_TRUE(panel->meter->ledResetRequest);
    EXPECT_TRUE(panel->meter->holdResetRequest);
    EXPECT_TRUE(posted().empty());
}

const bool controlPostTestsRegistered = kittest::registerTheControlPostTests<FrontPanelFixture>(
    { CommandId::hold, CommandId::latency, CommandId::trim, CommandId::active, CommandId::trimText });

// Dragging the trim without Shift moves it in 0.5 dB steps over 106 pixels,
// relative to the press.
TEST_F(FrontPanelFixture, TheTrimDragsInHalfDecibelStepsFromWhereItWas)
{
    auto& trim = *panel->trimSlider;
    trim.setValue(0.0, juce::dontSendNotification);
    press(trim, 16, 20);
    EXPECT_EQ(trim.getValue(), 0.0); // no jump to the mouse
    trim.mouseDrag(mouseAt(trim, 16, 17));
    EXPECT_EQ(std::fmod(trim.getValue(), 0.5), 0.0);
    EXPECT_GT(trim.getValue(), 0.0);
    trim.mouseDrag(mouseAt(trim, 16, 20 - 106));
    EXPECT_EQ(trim.getValue(), 20.0);
    release(trim, 16, 20 - 106);
}

// The help and size buttons reach past the right edge; the part outside is not
// the panel's.
TEST_F(FrontPanelFixture, TheHelpAndSizeButtonsAreClippedAtTheRightEdge)
{
    EXPECT_EQ(panel->helpButton->getRight(), 324);
    EXPECT_EQ(panel->getComponentAt(319, 5), panel->helpButton.get());
    EXPECT_EQ(panel->getComponentAt(321, 5), nullptr);
    EXPECT_EQ(panel->getComponentAt(319, 160), panel->sizeButton.get());
}

// The background fills the panel at the height of the flag; an unknown flag
// paints none.
TEST_F(FrontPanelFixture, PaintsTheBackgroundForTheWindowSize)
{
    EXPECT_EQ(panel->backgroundImage.getBounds(), juce::Rectangle<int>(0, 0, 320, 205));
    for (const auto& [flag, height, painted] : { std::tuple { 1, 205, true }, { 0, 167, true }, { 2, 205, false } })
    {
        sizeFlag = flag;
        juce::Image image(juce::Image::ARGB, 320, 205, true);
        juce::Graphics g(image);
        panel->paint(g);
        EXPECT_EQ(paintedArea(image), painted ? juce::Rectangle<int>(0, 0, 320, height) : juce::Rectangle<int>())
            << flag;
        if (painted)
        {
            EXPECT_TRUE(image.getPixelAt(150, 150).isOpaque()) << flag;
            EXPECT_TRUE(image.getPixelAt(319, height - 1).isOpaque()) << flag;
        }
    }
}
} // namespace vyrtarvom::editortesting
