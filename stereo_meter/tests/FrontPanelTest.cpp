// The front panel on its own: its controls and their set-up, the commands they
// post, the click area of the back panel, the help button, and its painting.
#include "EditorTestSupport.h"

#include "FrontPanelControlChecks.h"
#include "FrontPanelTesting.h"
#include "TarvoCommandIds.h"

namespace vyrtarvo::testing
{
struct PanelFacts
{
    using Panel = FrontPanel;
    static constexpr int width = 586;
    static constexpr const char* trackName = "Master Track";
};

using FrontPanelFixture = kittest::FrontPanelFixtureOf<PanelFacts>;

INSTANTIATE_TYPED_TEST_SUITE_P(Tarvo, FrontPanelOnItsOwn, PanelFacts);

TEST_F(FrontPanelFixture, CreatesEveryControlAtItsPlaceInOrder)
{
    EXPECT_EQ(panel->getBounds(), juce::Rectangle<int>(0, 0, 586, 205));
    const std::vector<std::pair<juce::Component*, juce::Rectangle<int>>> expected {
        { panel->leftMeter.get(), { 12, 16, 250, 115 } },     { panel->rightMeter.get(), { 277, 16, 250, 115 } },
        { panel->lrmsButton.get(), { 8, 142, 87, 24 } },      { panel->holdSwitch.get(), { 442, 142, 86, 24 } },
        { panel->helpButton.get(), { 574, 0, 16, 14 } },      { panel->sizeButton.get(), { 574, 152, 16, 14 } },
        { panel->trimSlider.get(), { 538, 15, 32, 126 } },    { panel->trimLabel.get(), { 533, 140, 42, 15 } },
        { panel->activeButton.get(), { 531, 0, 43, 14 } },    { panel->latencyControl.get(), { 529, 167, 54, 40 } },
        { panel->trackNameBox.get(), { 17, 167, 506, 39 } },
    };
    kittest::checkTheChildrenLieInOrder(*panel, expected);
}

TEST_F(FrontPanelFixture, ControlsAreSetUpAndDrawnByTheirLooks)
{
    kittest::checkTheSharedFrontPanelControlsAreSetUp(*panel, { 506, 496, CommandId::signature, CommandId::latency });
    EXPECT_EQ(panel->trimLabel->getText(), "0 dB");
    EXPECT_EQ(panel->trackNameBox->getText(), "Master Track");

    EXPECT_NE(dynamic_cast<vyrkit::ButtonLRMSLook*>(&panel->lrmsButton->getLookAndFeel()), nullptr);
    EXPECT_TRUE(panel->lrmsButton->getClickingTogglesState());

    EXPECT_TRUE(panel->faceImage == panel->lrFaceImage);
    EXPECT_EQ(panel->lrFaceImage.getBounds(), juce::Rectangle<int>(0, 0, 586, 205));
    EXPECT_EQ(panel->msFaceImage.getBounds(), juce::Rectangle<int>(0, 0, 586, 205));
}

struct ClickArea : FrontPanelFixture, ::testing::WithParamInterface<kittest::PanelPressCase>
{
};

// The press lands on the panel itself (no control covers the point), and only
// the lower middle asks for the back panel.
TEST_P(ClickArea, ShowsTheBackPanelOnlyInTheLowerMiddle)
{
    kittest::checkAPressOnThePanel(*this, GetParam(), CommandId::showBackPanel);
}

INSTANTIATE_TEST_SUITE_P(Points, ClickArea,
                         ::testing::Values(kittest::PanelPressCase { 216, 142, true }, kittest::PanelPressCase { 329, 166, true },
                                           kittest::PanelPressCase { 270, 155, true }, kittest::PanelPressCase { 215, 150, false },
                                           kittest::PanelPressCase { 330, 150, false }, kittest::PanelPressCase { 250, 141, false },
                                           kittest::PanelPressCase { 5, 100, false }));

TEST_F(FrontPanelFixture, ClicksOnTheMetersAndTheTapeGoToThoseControls)
{
    EXPECT_EQ(panel->getComponentAt(250, 180), panel->trackNameBox.get());
    EXPECT_EQ(panel->getComponentAt(100, 60), panel->leftMeter.get());

    press(*panel->leftMeter, 100, 60);
    EXPECT_TRUE(panel->leftMeter->ledResetRequest);
    EXPECT_TRUE(panel->leftMeter->holdResetRequest);
    EXPECT_TRUE(posted().empty());
}

const bool controlPostTestsRegistered = kittest::registerTheControlPostTests<FrontPanelFixture>(
    { CommandId::hold, CommandId::latency, CommandId::trim, CommandId::active, CommandId::trimText },
    { { "Lrms", [](FrontPanel& p) { p.lrmsButton->setToggleState(true, juce::sendNotificationSync); }, { CommandId::lrms } } });

// The face fills the panel at the height of the flag; an unknown flag paints none.
TEST_F(FrontPanelFixture, PaintsTheFaceForTheWindowSize)
{
    for (const auto& [flag, height, painted] : { std::tuple { 1, 205, true }, { 0, 167, true }, { 2, 205, false } })
    {
        sizeFlag = flag;
        juce::Image image(juce::Image::ARGB, 586, 205, true);
        juce::Graphics g(image);
        panel->paint(g);
        EXPECT_EQ(image.getPixelAt(270, 150).isOpaque(), painted) << flag;
        EXPECT_EQ(image.getPixelAt(270, height - 1).isOpaque(), painted) << flag;
        if (height < 205)
        {
            EXPECT_TRUE(image.getPixelAt(270, height).isTransparent());
        }
    }
}

TEST_F(FrontPanelFixture, TheMidSideFaceDiffersOnlyInTheChannelCaptions)
{
    const auto& lr = panel->lrFaceImage;
    const auto& ms = panel->msFaceImage;
    juce::Rectangle<int> differing;
    for (int y = 0; y < 205; ++y)
        for (int x = 0; x < 586; ++x)
            if (lr.getPixelAt(x, y) != ms.getPixelAt(x, y))
                differing = differing.isEmpty() ? juce::Rectangle<int>(x, y, 1, 1)
                                                : differing.getUnion({ x, y, 1, 1 });
    ASSERT_FALSE(differing.isEmpty());
    // Under the dials, above the switches.
    EXPECT_GE(differing.getY(), 100);
    EXPECT_LE(differing.getBottom(), 142);
}
} // namespace vyrtarvo::testing
