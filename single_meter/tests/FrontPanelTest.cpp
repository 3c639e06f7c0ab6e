// The front panel on its own: its controls and their set-up, the commands they
// post, the click area of the back panel, the size and help buttons, and its
// painting.
#include "EditorTestSupport.h"

#include "DocumentOpener.h"
#include "FrontPanelControlChecks.h"
#include "TarvoMCommandIds.h"

#include <functional>

namespace vyrtarvom::editortesting
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
        panel = std::make_unique<FrontPanel>("M Track", &sizeFlag);
        editor.setSize(320, 205);
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
    EXPECT_EQ(panel->getBounds(), juce::Rectangle<int>(0, 0, 320, 205));
    const std::vector<std::pair<juce::Component*, juce::Rectangle<int>>> expected {
        { panel->meter.get(), { 12, 16, 250, 115 } },        { panel->holdSwitch.get(), { 176, 142, 86, 24 } },
        { panel->helpButton.get(), { 308, 0, 16, 14 } },     { panel->sizeButton.get(), { 308, 152, 16, 14 } },
        { panel->trimSlider.get(), { 272, 15, 32, 126 } },   { panel->trimLabel.get(), { 267, 140, 42, 15 } },
        { panel->activeButton.get(), { 265, 0, 43, 14 } },   { panel->latencyControl.get(), { 263, 167, 54, 40 } },
        { panel->trackNameBox.get(), { 17, 167, 240, 39 } },
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
    kittest::checkTheSharedFrontPanelControlsAreSetUp(*panel, { 240, 230, CommandId::signature, CommandId::latency });
    EXPECT_EQ(panel->trimLabel->getText(), "0 dB");
    EXPECT_EQ(panel->trackNameBox->getText(), "M Track");
}

// In the small window the latency entry and the track-name strip lie below the
// visible area.
TEST(FrontPanelSize, TheSmallWindowShowsTheTop167Rows)
{
    std::atomic<int> flag { 0 };
    FrontPanel panel("x", &flag);
    EXPECT_EQ(panel.getBounds(), juce::Rectangle<int>(0, 0, 320, 167));
    EXPECT_TRUE(panel.getPlusLook().smallWindow.load());
    EXPECT_GE(panel.latencyControl->getY(), panel.getHeight());
    EXPECT_GE(panel.trackNameBox->getY(), panel.getHeight());
    EXPECT_EQ(panel.getComponentAt(100, 180), nullptr);
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
// the lower left asks for the back panel.
TEST_P(ClickArea, ShowsTheBackPanelOnlyInTheLowerLeft)
{
    const auto& c = GetParam();
    EXPECT_EQ(panel->getComponentAt(c.x, c.y), panel.get());
    EXPECT_EQ(FrontPanel::isBackPanelClick({ c.x, c.y }), c.showsBackPanel);
    press(*panel, c.x, c.y);
    EXPECT_EQ(posted(), c.showsBackPanel ? std::vector<int> { CommandId::showBackPanel } : std::vector<int> {});
}

INSTANTIATE_TEST_SUITE_P(Points, ClickArea,
                         ::testing::Values(ClickCase { 5, 142, true }, ClickCase { 123, 166, true },
                                           ClickCase { 60, 155, true }, ClickCase { 10, 200, true },
                                           ClickCase { 4, 150, false }, ClickCase { 124, 150, false },
                                           ClickCase { 60, 141, false }, ClickCase { 150, 160, false },
                                           ClickCase { 5, 100, false }));

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
        ControlCase { "Latency", [](auto& p) { p.latencyControl->setValue(20.0f, 1); }, { 1 } },
        ControlCase { "LatencyQuiet", [](auto& p) { p.latencyControl->setValue(20.0f, 0); }, {} },
        ControlCase { "Trim", [](auto& p) { p.trimSlider->setValue(3.5, juce::sendNotificationSync); }, { 2 } },
        ControlCase { "TrimDoubleClick",
                      [](auto& p) {
                          p.trimSlider->setValue(3.5, juce::dontSendNotification);
                          press(*p.trimSlider, 16, 60, 2);
                          p.trimSlider->mouseDoubleClick(mouseAt(*p.trimSlider, 16, 60, 2));
                          EXPECT_EQ(p.trimSlider->getValue(), 0.0);
                      },
                      { 2 } },
        ControlCase { "Active", [](auto& p) { p.activeButton->setToggleState(true, juce::sendNotificationSync); }, { 3 } },
        ControlCase { "TrimText", [](auto& p) { p.trimLabel->setText("4 dB", juce::sendNotificationSync); }, { 13 } },
        ControlCase { "TrimTextUnchanged", [](auto& p) { p.trimLabel->setText("0 dB", juce::sendNotificationSync); }, {} },
        ControlCase { "Help", [](auto& p) { p.helpButton->setToggleState(true, juce::sendNotificationSync); }, {} },
        ControlCase { "Size", [](auto& p) { p.sizeButton->setToggleState(true, juce::sendNotificationSync); }, {} }),
    [](const auto& info) { return std::string(info.param.name); });

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

// The size button flips the processor's flag and resizes the editor and the
// panel on the press; it posts nothing. A flag of neither 0 nor 1 counts as
// large, so the press makes the window small.
TEST_F(FrontPanelFixture, TheSizeButtonResizesTheEditorAndThePanel)
{
    for (const auto& [before, after, height] : { std::tuple { 1, 0, 167 }, { 0, 1, 205 }, { 7, 0, 167 } })
    {
        sizeFlag = before;
        press(*panel->sizeButton, 3, 3);
        EXPECT_EQ(sizeFlag.load(), after) << before;
        EXPECT_EQ(editor.getBounds(), juce::Rectangle<int>(0, 0, 320, height)) << before;
        EXPECT_EQ(panel->getBounds(), juce::Rectangle<int>(0, 0, 320, height)) << before;
        EXPECT_EQ(panel->getPlusLook().smallWindow.load(), after == 0) << before;
        release(*panel->sizeButton, 3, 3);
    }
    EXPECT_TRUE(posted().empty());
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
    EXPECT_TRUE(posted().empty());
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
