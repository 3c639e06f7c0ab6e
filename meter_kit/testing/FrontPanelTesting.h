#pragma once

// A meter's front panel on its own, for the front panel tests the stereo and
// single-channel meters share: the panel in a stand-in editor that records the
// commands posted to it, the placing of its children, presses on its back-panel
// area, the commands its shared controls post, and the size and help buttons, as
// one typed suite and tables of tests. Each meter describes its panel with a facts
// struct:
//
//   struct PanelFacts
//   {
//       using Panel = FrontPanel;
//       static constexpr int width = ...;           // the window's width in pixels
//       static constexpr const char* trackName = ...;
//   };
//   using FrontPanelFixture = kittest::FrontPanelFixtureOf<PanelFacts>;
//   INSTANTIATE_TYPED_TEST_SUITE_P(Meter, FrontPanelOnItsOwn, PanelFacts);
//   const bool controlPostTestsRegistered =
//       kittest::registerTheControlPostTests<FrontPanelFixture>({ CommandId::hold, ... });

#include "DocumentOpener.h"
#include "EditorTesting.h"
#include "RegisteredCaseTests.h"
#include "RegistryStore.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kittest
{
// Where the help button finds the manual.
inline const juce::String manualPathValue = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRZUZIRE21\\manualpath";

// Stands in for the editor: records the commands the panel and its widgets post.
struct CommandRecorder : juce::Component
{
    std::vector<int> commands;
    void handleCommandMessage(int id) override { commands.push_back(id); }
};

// The panel in the large window, in a stand-in editor of the window's width.
template <typename Facts>
struct FrontPanelFixtureOf : ::testing::Test
{
    using Panel = typename Facts::Panel;

    std::atomic<int> sizeFlag { 1 };
    CommandRecorder editor;
    std::unique_ptr<Panel> panel;

    void SetUp() override { open(); }

    // Makes the panel anew, as a new window does.
    void open()
    {
        editor.removeAllChildren();
        panel = std::make_unique<Panel>(Facts::trackName, &sizeFlag);
        editor.setSize(Facts::width, 205);
        editor.addAndMakeVisible(*panel);
    }

    // The commands posted since the last call, once the message loop has run.
    std::vector<int> posted()
    {
        pump();
        return std::exchange(editor.commands, {});
    }
};

// Every child of the panel, in this order, at its place and visible.
inline void checkTheChildrenLieInOrder(juce::Component& panel,
                                       const std::vector<std::pair<juce::Component*, juce::Rectangle<int>>>& expected)
{
    ASSERT_EQ(panel.getNumChildComponents(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(panel.getChildComponent(static_cast<int>(i)), expected[i].first) << i;
        EXPECT_EQ(expected[i].first->getBounds(), expected[i].second) << i;
        EXPECT_TRUE(expected[i].first->isVisible()) << i;
    }
}

struct PanelPressCase
{
    int x, y;
    bool showsBackPanel;
};

inline std::ostream& operator<<(std::ostream& os, const PanelPressCase& c)
{
    return os << '(' << c.x << ", " << c.y << ')';
}

// The press lands on the panel itself (no control covers the point), and asks
// for the back panel only inside its area.
template <typename Fixture>
void checkAPressOnThePanel(Fixture& f, const PanelPressCase& c, int showBackPanelCommand)
{
    using Panel = typename Fixture::Panel;
    EXPECT_EQ(f.panel->getComponentAt(c.x, c.y), f.panel.get());
    EXPECT_EQ(Panel::isBackPanelClick({ c.x, c.y }), c.showsBackPanel);
    press(*f.panel, c.x, c.y);
    EXPECT_EQ(f.posted(), c.showsBackPanel ? std::vector<int> { showBackPanelCommand } : std::vector<int> {});
}

// A use of a control and the commands it posts.
template <typename Panel>
struct ControlCase
{
    const char* name;
    std::function<void(Panel&)> use;
    std::vector<int> commands;
};

template <typename Panel>
std::ostream& operator<<(std::ostream& os, const ControlCase<Panel>& c)
{
    return os << c.name;
}

struct SharedControlCommandIds
{
    int hold;
    int latency;
    int trim;
    int active;
    int trimText;
};

// The shared controls' uses: each posts its command or, where nothing changes,
// none; the help and size buttons post nothing. A double-click returns the hold
// switch to "Off" and the trim to 0 dB.
template <typename Panel>
std::vector<ControlCase<Panel>> sharedControlCases(const SharedControlCommandIds& ids)
{
    return {
        { "Hold", [](Panel& p) { p.holdSwitch->setValue(2.0, juce::sendNotificationSync); }, { ids.hold } },
        { "HoldDoubleClick",
          [](Panel& p) {
              p.holdSwitch->setValue(2.0, juce::dontSendNotification);
              p.holdSwitch->mouseDoubleClick(mouseAt(*p.holdSwitch, 40, 12, 2));
              EXPECT_EQ(p.holdSwitch->getValue(), 0.0);
          },
          { ids.hold } },
        { "Latency", [](Panel& p) { p.latencyControl->setValue(20.0f, 1); }, { ids.latency } },
        { "LatencyQuiet", [](Panel& p) { p.latencyControl->setValue(20.0f, 0); }, {} },
        { "Trim", [](Panel& p) { p.trimSlider->setValue(3.5, juce::sendNotificationSync); }, { ids.trim } },
        { "TrimDoubleClick",
          [](Panel& p) {
              p.trimSlider->setValue(3.5, juce::dontSendNotification);
              press(*p.trimSlider, 16, 60, 2);
              p.trimSlider->mouseDoubleClick(mouseAt(*p.trimSlider, 16, 60, 2));
              EXPECT_EQ(p.trimSlider->getValue(), 0.0);
          },
          { ids.trim } },
        { "Active", [](Panel& p) { p.activeButton->setToggleState(true, juce::sendNotificationSync); }, { ids.active } },
        { "TrimText", [](Panel& p) { p.trimLabel->setText("4 dB", juce::sendNotificationSync); }, { ids.trimText } },
        { "TrimTextUnchanged", [](Panel& p) { p.trimLabel->setText("0 dB", juce::sendNotificationSync); }, {} },
        { "Help", [](Panel& p) { p.helpButton->setToggleState(true, juce::sendNotificationSync); }, {} },
        { "Size", [](Panel& p) { p.sizeButton->setToggleState(true, juce::sendNotificationSync); }, {} },
    };
}

// One test a case, Controls/ControlPosts.ItsCommandToTheEditor/<name>: the
// shared controls' cases and the meter's own.
template <typename Fixture>
bool registerTheControlPostTests(const SharedControlCommandIds& ids,
                                 std::vector<ControlCase<typename Fixture::Panel>> more = {})
{
    using Case = ControlCase<typename Fixture::Panel>;
    auto cases = sharedControlCases<typename Fixture::Panel>(ids);
    cases.insert(cases.end(), more.begin(), more.end());
    return registerCaseTests<Fixture, Case>(
        "Controls/ControlPosts", "ItsCommandToTheEditor", cases,
        [](const Case& c, std::size_t) { return std::string(c.name); },
        [](Fixture& f, const Case& c) {
            c.use(*f.panel);
            EXPECT_EQ(f.posted(), c.commands);
        });
}

// The desktop launcher replaced by a recorder of the paths it is given, and the
// stored manual path forgotten again at the end.
struct ManualLaunches
{
    std::vector<juce::String> opened;

    ManualLaunches()
    {
        vyrplatform::DocumentOpener::setLauncherForTesting([this](const juce::String& path) {
            opened.push_back(path);
            return true;
        });
    }

    ~ManualLaunches()
    {
        vyrplatform::DocumentOpener::setLauncherForTesting({});
        vyrplatform::RegistryStore::deleteValue(manualPathValue);
    }
};

template <typename Facts>
struct FrontPanelOnItsOwn : FrontPanelFixtureOf<Facts>
{
    void clickHelp()
    {
        auto& help = *this->panel->helpButton;
        help.setToggleState(! help.getToggleState(), juce::sendNotificationSync);
    }
};

TYPED_TEST_SUITE_P(FrontPanelOnItsOwn);

// In the small window the latency entry and the track-name strip lie below the
// visible area.
TYPED_TEST_P(FrontPanelOnItsOwn, TheSmallWindowShowsTheTop167Rows)
{
    std::atomic<int> flag { 0 };
    typename TypeParam::Panel panel("x", &flag);
    EXPECT_EQ(panel.getBounds(), juce::Rectangle<int>(0, 0, TypeParam::width, 167));
    EXPECT_TRUE(panel.getPlusLook().smallWindow.load());
    EXPECT_GE(panel.latencyControl->getY(), panel.getHeight());
    EXPECT_GE(panel.trackNameBox->getY(), panel.getHeight());
    EXPECT_EQ(panel.getComponentAt(100, 180), nullptr);
}

// The size button flips the processor's flag and resizes the editor and the
// panel on the press; it posts nothing. A flag of neither 0 nor 1 counts as
// large, so the press makes the window small.
TYPED_TEST_P(FrontPanelOnItsOwn, TheSizeButtonResizesTheEditorAndThePanel)
{
    auto& panel = *this->panel;
    for (const auto& [before, after, height] : { std::tuple { 1, 0, 167 }, { 0, 1, 205 }, { 7, 0, 167 } })
    {
        this->sizeFlag = before;
        press(*panel.sizeButton, 3, 3);
        EXPECT_EQ(this->sizeFlag.load(), after) << before;
        EXPECT_EQ(this->editor.getBounds(), juce::Rectangle<int>(0, 0, TypeParam::width, height)) << before;
        EXPECT_EQ(panel.getBounds(), juce::Rectangle<int>(0, 0, TypeParam::width, height)) << before;
        EXPECT_EQ(panel.getPlusLook().smallWindow.load(), after == 0) << before;
        release(*panel.sizeButton, 3, 3);
    }
    EXPECT_TRUE(this->posted().empty());
}

// The help button hands the stored manual path to the desktop, read once when
// the panel is made, on every click.
TYPED_TEST_P(FrontPanelOnItsOwn, TheHelpButtonOpensTheManualReadWhenThePanelWasMade)
{
    ManualLaunches launches;
    juce::TemporaryFile manual { ".pdf" };
    ASSERT_TRUE(manual.getFile().create().wasOk());
    vyrplatform::RegistryStore::setValue(manualPathValue, manual.getFile().getFullPathName());
    this->open();
    vyrplatform::RegistryStore::setValue(manualPathValue, "/somewhere/else.pdf");

    this->clickHelp();
    ASSERT_EQ(launches.opened.size(), 1u);
    EXPECT_EQ(launches.opened[0], manual.getFile().getFullPathName());
    EXPECT_TRUE(this->posted().empty());
    this->clickHelp();
    EXPECT_EQ(launches.opened.size(), 2u);
}

// Only when something exists there.
TYPED_TEST_P(FrontPanelOnItsOwn, TheHelpButtonDoesNothingWithoutAManual)
{
    ManualLaunches launches;
    juce::TemporaryFile manual { ".pdf" };
    vyrplatform::RegistryStore::deleteValue(manualPathValue);
    this->open();
    this->clickHelp();
    vyrplatform::RegistryStore::setValue(manualPathValue, manual.getFile().getFullPathName()); // not created
    this->open();
    this->clickHelp();
    EXPECT_TRUE(launches.opened.empty());
}

REGISTER_TYPED_TEST_SUITE_P(FrontPanelOnItsOwn, TheSmallWindowShowsTheTop167Rows,
                            TheSizeButtonResizesTheEditorAndThePanel,
                            TheHelpButtonOpensTheManualReadWhenThePanelWasMade,
                            TheHelpButtonDoesNothingWithoutAManual);
} // namespace kittest
