// The front panel on its own: its controls and their set-up, the commands they
// post, the click area of the back panel, the help button, and its painting.
#include "EditorTestSupport.h"

#include "DocumentOpener.h"
#include "FrontPanelControlChecks.h"
#include "RegistryStore.h"
#include "TarvoCommandIds.h"

#include <functional>

namespace vyrtarvo::testing
{
namespace
{
const juce::String manualPathValue = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRZUZIRE21\\manualpath";

// Stands in for the editor: records the commands the panel and its widgets post.
struct CommandRecorder : juce::Component
{
    std::vector<int> commands;
    void handleCommandMessage(int id) override { commands.push_back(id); }
};

struct FrontPanelFixture : ::testing::Test
{
    std::atomic<int> sizeFlag { 1 };
    CommandRecorder editor;
    std::unique_ptr<FrontPanel> panel;

    void SetUp() override { open(); }

    void open()
    {
        editor.removeAllChildren();
        panel = std::make_unique<FrontPanel>("Master Track", &sizeFlag);
        editor.setSize(586, 205);
        editor.addAndMakeVisible(*panel);
    }

    std::vector<int> posted()
    {
        pump();
        return std::exchange(editor.commands, {});
    }
};
} // namespace

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
    ASSERT_EQ(panel->getNumChildComponents(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(panel->getChildComponent(static_cast<int>(i)), expected[i].first) << i;
        EXPECT_EQ(expected[i].first->getBounds(), expected[i].second) << i;
        EXPECT_TRUE(expected[i].first->isVisible()) << i;
    }
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

TEST(FrontPanelSize, TheSmallWindowShowsTheTop167Rows)
{
    std::atomic<int> flag { 0 };
    FrontPanel panel("x", &flag);
    EXPECT_EQ(panel.getHeight(), 167);
    EXPECT_TRUE(panel.getPlusLook().smallWindow.load());
    // The latency entry and the track-name strip lie below the visible area.
    EXPECT_GE(panel.latencyControl->getY(), panel.getHeight());
    EXPECT_GE(panel.trackNameBox->getY(), panel.getHeight());
}

struct ClickCase
{
    int x, y;
    bool showsBackPanel;
};

std::ostream& operator<<(std::ostream& os, const ClickCase& c) { return os << '(' << c.x << ", " << c.y << ')'; }

struct ClickArea : FrontPanelFixture, ::testing::WithParamInterface<ClickCase>
{
};

// The press lands on the panel itself (no control covers the point), and only
// the lower middle asks for the back panel.
TEST_P(ClickArea, ShowsTheBackPanelOnlyInTheLowerMiddle)
{
    const auto& c = GetParam();
    EXPECT_EQ(panel->getComponentAt(c.x, c.y), panel.get());
    EXPECT_EQ(FrontPanel::isBackPanelClick({ c.x, c.y }), c.showsBackPanel);
    press(*panel, c.x, c.y);
    EXPECT_EQ(posted(), c.showsBackPanel ? std::vector<int> { CommandId::showBackPanel } : std::vector<int> {});
}

INSTANTIATE_TEST_SUITE_P(Points, ClickArea,
                         ::testing::Values(ClickCase { 216, 142, true }, ClickCase { 329, 166, true },
                                           ClickCase { 270, 155, true }, ClickCase { 215, 150, false },
                                           ClickCase { 330, 150, false }, ClickCase { 250, 141, false },
                                           ClickCase { 5, 100, false }));

TEST_F(FrontPanelFixture, ClicksOnTheMetersAndTheTapeGoToThoseControls)
{
    EXPECT_EQ(panel->getComponentAt(250, 180), panel->trackNameBox.get());
    EXPECT_EQ(panel->getComponentAt(100, 60), panel->leftMeter.get());

    press(*panel->leftMeter, 100, 60);
    EXPECT_TRUE(panel->leftMeter->ledResetRequest);
    EXPECT_TRUE(panel->leftMeter->holdResetRequest);
    EXPECT_TRUE(posted().empty());
}

struct ControlCase
{
    const char* name;
    std::function<void(FrontPanel&)> use;
    std::vector<int> commands;
};

std::ostream& operator<<(std::ostream& os, const ControlCase& c) { return os << c.name; }

struct ControlPosts : FrontPanelFixture, ::testing::WithParamInterface<ControlCase>
{
};

TEST_P(ControlPosts, ItsCommandToTheEditor)
{
    GetParam().use(*panel);
    EXPECT_EQ(posted(), GetParam().commands);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlPosts,
    ::testing::Values(
        ControlCase { "Hold", [](auto& p) { p.holdSwitch->setValue(2.0, juce::sendNotificationSync); }, { 0 } },
        ControlCase { "HoldDoubleClick",
                      [](auto& p) {
                          p.holdSwitch->setValue(2.0, juce::dontSendNotification);
                          p.holdSwitch->mouseDoubleClick(mouseAt(*p.holdSwitch, 40, 12, 2));
                          EXPECT_EQ(p.holdSwitch->getValue(), 0.0);
                      },
                      { 0 } },
        ControlCase { "Lrms", [](auto& p) { p.lrmsButton->setToggleState(true, juce::sendNotificationSync); }, { 1 } },
        ControlCase { "Latency", [](auto& p) { p.latencyControl->setValue(20.0f, 1); }, { 2 } },
        ControlCase { "Trim", [](auto& p) { p.trimSlider->setValue(3.5, juce::sendNotificationSync); }, { 3 } },
        ControlCase { "TrimDoubleClick",
                      [](auto& p) {
                          p.trimSlider->setValue(3.5, juce::dontSendNotification);
                          press(*p.trimSlider, 16, 60, 2);
                          p.trimSlider->mouseDoubleClick(mouseAt(*p.trimSlider, 16, 60, 2));
                          EXPECT_EQ(p.trimSlider->getValue(), 0.0);
                      },
                      { 3 } },
        ControlCase { "Active", [](auto& p) { p.activeButton->setToggleState(true, juce::sendNotificationSync); }, { 4 } },
        ControlCase { "TrimText", [](auto& p) { p.trimLabel->setText("4 dB", juce::sendNotificationSync); }, { 15 } },
        ControlCase { "TrimTextUnchanged", [](auto& p) { p.trimLabel->setText("0 dB", juce::sendNotificationSync); }, {} },
        ControlCase { "Help", [](auto& p) { p.helpButton->setToggleState(true, juce::sendNotificationSync); }, {} },
        ControlCase { "Size", [](auto& p) { p.sizeButton->setToggleState(true, juce::sendNotificationSync); }, {} }),
    [](const auto& info) { return std::string(info.param.name); });

// The size button flips the processor's flag and resizes the editor and the
// panel; it posts nothing.
TEST_F(FrontPanelFixture, TheSizeButtonResizesTheEditorAndThePanel)
{
    press(*panel->sizeButton, 3, 3);
    EXPECT_EQ(sizeFlag.load(), 0);
    EXPECT_EQ(editor.getHeight(), 167);
    EXPECT_EQ(panel->getHeight(), 167);
    EXPECT_TRUE(panel->getPlusLook().smallWindow.load());
    release(*panel->sizeButton, 3, 3);
    press(*panel->sizeButton, 3, 3);
    EXPECT_EQ(sizeFlag.load(), 1);
    EXPECT_EQ(editor.getBounds(), juce::Rectangle<int>(0, 0, 586, 205));
    EXPECT_TRUE(posted().empty());
}

// The help button hands the stored manual path to the desktop, read once when
// the panel is made, and only when something exists there.
struct HelpButton : FrontPanelFixture
{
    std::vector<juce::String> opened;
    juce::TemporaryFile manual { ".pdf" };

    void SetUp() override
    {
        vyrplatform::DocumentOpener::setLauncherForTesting([this](const juce::String& path) {
            opened.push_back(path);
            return true;
        });
    }

    void TearDown() override
    {
        vyrplatform::DocumentOpener::setLauncherForTesting({});
        vyrplatform::RegistryStore::deleteValue(manualPathValue);
    }

    void clickHelp() { panel->helpButton->setToggleState(! panel->helpButton->getToggleState(), juce::sendNotificationSync); }
};

TEST_F(HelpButton, OpensTheManualReadWhenThePanelWasMade)
{
    ASSERT_TRUE(manual.getFile().create().wasOk());
    vyrplatform::RegistryStore::setValue(manualPathValue, manual.getFile().getFullPathName());
    open();
    vyrplatform::RegistryStore::setValue(manualPathValue, "/somewhere/else.pdf");

    clickHelp();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], manual.getFile().getFullPathName());
    clickHelp();
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(HelpButton, DoesNothingWithoutAManual)
{
    vyrplatform::RegistryStore::deleteValue(manualPathValue);
    open();
    clickHelp();
    vyrplatform::RegistryStore::setValue(manualPathValue, manual.getFile().getFullPathName()); // not created
    open();
    clickHelp();
    EXPECT_TRUE(opened.empty());
}

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
