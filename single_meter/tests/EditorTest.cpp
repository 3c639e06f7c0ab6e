// The editor: its construction, the command table, updateControl, the page swaps
// and window sizes, and the restored state.
#include "EditorTestSupport.h"

#include "TarvoMCommandIds.h"
#include "EditorWindowSuite.h"
#include "TrimActiveChecks.h"

#include <functional>
#include <thread>

namespace vyrtarvom::editortesting
{
namespace
{
constexpr auto quiet = juce::dontSendNotification;
} // namespace

TEST(EditorConstruction, ShowsTheProcessorsValuesOnTheFrontPage)
{
    clearStoredSettings();
    VyrTarvoMAudioProcessor p;
    kittest::setUpADrumsTrack(p);

    auto* editor = openEditor(p);
    ASSERT_NE(editor, nullptr);
    kittest::checkTheEditorOpensOnTheFrontPage(p, *editor, 320, 30);

    auto& front = editor->getFrontPanel();
    auto& back = editor->getBackPanel();
    kittest::checkTheFrontPageShowsADrumsTrack(front);

    // The default settings, in the order of the page from left to right.
    const std::array<juce::String, BackPanel::numTextSlots> defaults { "-12.0dBFS", "10.0ms", "1.00s", "2.00s",
                                                                       "0dBFS",     "3",      "CPU Safe" };
    EXPECT_EQ(back.texts, defaults);

    EXPECT_FALSE(editor->isOverLatched());
    EXPECT_FALSE(front.meter->ledResetRequest);
    EXPECT_TRUE(editor->ownsThePollRole());
    EXPECT_EQ(editor->getPollTickCount(), 0);

    closeEditor(p, editor);
    EXPECT_EQ(p.getEditorLink()->getEditor(), nullptr);
    EXPECT_FALSE(VyrTarvoMAudioProcessor::isPollRoleTaken());
}

// Settings the stereo meter saved after this instance was made reach the
// processor and the texts when the window opens.
TEST(EditorConstruction, RereadsTheStoredSettings)
{
    clearStoredSettings();
    VyrTarvoMAudioProcessor p;
    saveAsTheStereoMeter("tarvoOver", "1");
    saveAsTheStereoMeter("tarvoOverReference", "0");
    auto* editor = openEditor(p);
    EXPECT_EQ(VyrTarvoMAudioProcessor::getOverCount(), 10.0);
    EXPECT_EQ(editor->getBackPanel().texts[BackPanel::oversSlot], "10");
    EXPECT_EQ(editor->getBackPanel().texts[BackPanel::ledReferenceSlot], "+8.15dBu");
    closeEditor(p, editor);
    clearStoredSettings();
    p.reloadStoredDefaults();
}

TEST_F(EditorFixture, PaintDrawsNothing)
{
    juce::Image image(juce::Image::ARGB, 8, 8, true);
    juce::Graphics g(image);
    editor->paint(g);
    EXPECT_TRUE(paintedArea(image).isEmpty());
}

// --- Command table -----------------------------------------------------------------

struct CommandCase
{
    const char* name;
    int commandId;
    std::function<void(VyrTarvoMAudioProcessorEditor&)> setControl;
    int index;      // the parameter that changes
    float expected; // its new value, which the host hears
};

std::ostream& operator<<(std::ostream& os, const CommandCase& c) { return os << c.name; }

const CommandCase commandCases[] = {
    { "HoldOff", 0, [](auto& e) { e.getFrontPanel().holdSwitch->setValue(0.0, quiet); }, 0, 0.0f },
    { "HoldInfinity", 0, [](auto& e) { e.getFrontPanel().holdSwitch->setValue(1.0, quiet); }, 0, 0.5f },
    { "HoldOn", 0, [](auto& e) { e.getFrontPanel().holdSwitch->setValue(2.0, quiet); }, 0, 1.0f },
    { "Latency250", 1, [](auto& e) { e.getFrontPanel().latencyControl->setValue(250.0f, 0); }, 1, 0.25f },
    { "Latency999", 1, [](auto& e) { e.getFrontPanel().latencyControl->setValue(999.0f, 0); }, 1, 999.0f / 1000.0f },
    { "Latency0", 1, [](auto& e) { e.getFrontPanel().latencyControl->setValue(0.0f, 0); }, 1, 0.0f },
    { "TrimPlus7.5", 2, [](auto& e) { e.getFrontPanel().trimSlider->setValue(7.5, quiet); }, 2, 0.6875f },
    { "TrimMinus20", 2, [](auto& e) { e.getFrontPanel().trimSlider->setValue(-20.0, quiet); }, 2, 0.0f },
    { "TrimPlus20", 2, [](auto& e) { e.getFrontPanel().trimSlider->setValue(20.0, quiet); }, 2, 1.0f },
    { "ActiveOn", 3, [](auto& e) { e.getFrontPanel().activeButton->setToggleState(true, quiet); }, 3, 1.0f },
    { "ActiveOff", 3, [](auto& e) { e.getFrontPanel().activeButton->setToggleState(false, quiet); }, 3, 0.0f },
};

struct CommandTable : EditorFixture, ::testing::WithParamInterface<CommandCase>
{
};

TEST_P(CommandTable, SetsItsParameterAndTellsTheHost)
{
    const auto& c = GetParam();
    // Start elsewhere, so that the change is visible.
    setParameter(*processor, c.index, c.expected > 0.5f ? 0.0f : 1.0f);
    c.setControl(*editor);
    host.changes.clear();

    editor->handleCommandMessage(c.commandId);

    EXPECT_EQ(parameter(*processor, c.index), c.expected);
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].index, c.index);
    EXPECT_EQ(host.changes[0].value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandTable, ::testing::ValuesIn(commandCases),
                         [](const auto& info) {
                             return juce::String(info.param.name).replaceCharacter('.', '_').toStdString();
                         });

// The parameter command moves the control back from the stored value.
TEST_F(EditorFixture, AParameterCommandRedrawsTheControlFromTheStoredValue)
{
    setParameter(*processor, 3, 1.0f);
    front().trimSlider->setValue(7.5, quiet);
    editor->handleCommandMessage(CommandId::trim);
    EXPECT_EQ(front().trimLabel->getText(), "7.5 dB");
    front().activeButton->setToggleState(false, quiet);
    editor->handleCommandMessage(CommandId::active);
    EXPECT_EQ(front().trimLabel->getText(), "-");
    EXPECT_FALSE(front().getTrimLook().trimActive.load());
}

// 4 is not assigned and no control edits the settings 5..11.
TEST_F(EditorFixture, UnassignedAndSettingCommandsDoNothing)
{
    std::vector<float> settingsBefore;
    for (int i = 0; i < VyrTarvoMAudioProcessor::numSettings; ++i)
        settingsBefore.push_back(VyrTarvoMAudioProcessor::getGlobalSetting(i));
    const auto textsBefore = back().texts;

    for (int id : { 4, 5, 6, 7, 8, 9, 10, 11, 16, -1, 1000 })
        editor->handleCommandMessage(id);

    EXPECT_TRUE(host.changes.empty());
    for (int i = 0; i < VyrTarvoMAudioProcessor::numSettings; ++i)
        EXPECT_EQ(VyrTarvoMAudioProcessor::getGlobalSetting(i), settingsBefore[(size_t) i]) << i;
    EXPECT_EQ(back().texts, textsBefore);
    EXPECT_TRUE(front().isVisible());
    EXPECT_FALSE(back().isVisible());
}

// --- updateControl -----------------------------------------------------------------

// Every value a control of the front page shows, to see what an update touched:
// hold switch, latency, trim, trim text, Active button, trim look.
struct Shown
{
    double hold;
    int latencyMs;
    double trim;
    juce::String trimText;
    bool active;
    bool trimLookActive;

    bool operator==(const Shown& o) const
    {
        return hold == o.hold && latencyMs == o.latencyMs && trim == o.trim && trimText == o.trimText
            && active == o.active && trimLookActive == o.trimLookActive;
    }
};

std::ostream& operator<<(std::ostream& os, const Shown& s)
{
    return os << "hold " << s.hold << ", latency " << s.latencyMs << ", trim " << s.trim << " \""
              << s.trimText << "\", active " << s.active << "/" << s.trimLookActive;
}

Shown shown(VyrTarvoMAudioProcessorEditor& e)
{
    auto& f = e.getFrontPanel();
    return { f.holdSwitch->getValue(), f.latencyControl->valueMs, f.trimSlider->getValue(), f.trimLabel->getText(),
             f.activeButton->getToggleState(), f.getTrimLook().trimActive.load() };
}

struct UpdateCase
{
    int index;
    float value;
    std::function<void(Shown&)> change; // what the update changes
};

std::ostream& operator<<(std::ostream& os, const UpdateCase& c) { return os << c.index << " <- " << c.value; }

struct UpdateControl : EditorFixture, ::testing::WithParamInterface<UpdateCase>
{
};

TEST_P(UpdateControl, MovesOnlyItsControlAndPostsNothing)
{
    const auto& c = GetParam();
    front().trimLabel->setText("x", quiet); // rewritten only by the trim and Active updates
    auto expected = shown(*editor);
    c.change(expected);
    host.changes.clear();

    // The Active update shows what the processor made of the value, which it has
    // taken before it calls updateControl.
    if (c.index == VyrTarvoMAudioProcessor::activeParameter)
        setParameter(*processor, c.index, c.value);
    editor->updateControl(c.index, c.value);
    pump();

    EXPECT_EQ(shown(*editor), expected);
    EXPECT_TRUE(host.changes.empty());
}

// The trim text comes from the processor's parameter text (0 dB, trim inactive).
INSTANTIATE_TEST_SUITE_P(
    Indices, UpdateControl,
    ::testing::Values(UpdateCase { 0, 0.24f, [](Shown& s) { s.hold = 0.0; } },
                      UpdateCase { 0, 0.26f, [](Shown& s) { s.hold = 1.0; } },
                      UpdateCase { 0, 1.0f, [](Shown& s) { s.hold = 2.0; } },
                      UpdateCase { 1, 0.1234f, [](Shown& s) { s.latencyMs = 123; } },
                      UpdateCase { 1, 0.0015f, [](Shown& s) { s.latencyMs = 2; } },
                      UpdateCase { 1, 1.0f, [](Shown& s) { s.latencyMs = 999; } },
                      UpdateCase { 2, 0.6f, [](Shown& s) { s.trim = 4.0; s.trimText = "-"; } },
                      UpdateCase { 2, 0.0f, [](Shown& s) { s.trim = -20.0; s.trimText = "-"; } },
                      UpdateCase { 2, 0.50124f, [](Shown& s) { s.trim = 0.0; s.trimText = "-"; } },
                      UpdateCase { 3, 0.51f, [](Shown& s) { s.active = s.trimLookActive = true; s.trimText = "0.0 dB"; } },
                      UpdateCase { 3, 0.5f, [](Shown& s) { s.active = s.trimLookActive = true; s.trimText = "0.0 dB"; } },
                      UpdateCase { 3, 0.4999f, [](Shown& s) { s.trimText = "-"; } },
                      UpdateCase { 4, 1.0f, [](Shown&) {} }, UpdateCase { 5, 1.0f, [](Shown&) {} },
                      UpdateCase { 11, 1.0f, [](Shown&) {} }, UpdateCase { -1, 1.0f, [](Shown&) {} }));

TEST_F(EditorFixture, TheActiveButtonShowsWhetherTheTrimIsApplied)
{
    kittest::checkTheActiveButtonShowsWhetherTheTrimIsApplied(*processor, *editor);
}

TEST_F(EditorFixture, TheActiveUpdateWritesTheTrimTextOfTheProcessor)
{
    setParameter(*processor, 2, 0.6f);
    setParameter(*processor, 3, 1.0f);
    EXPECT_EQ(front().trimLabel->getText(), "4.0 dB");
    EXPECT_TRUE(front().getTrimLook().trimActive.load());
}

// --- Pages and window sizes ---------------------------------------------------------

// Leaving the back panel rereads the stored settings into the processor; the
// texts wait for the poll.
TEST_F(EditorFixture, LeavingTheBackPanelRereadsTheSettings)
{
    editor->handleCommandMessage(CommandId::showBackPanel);
    saveAsTheStereoMeter("tarvoOver", "1");
    editor->handleCommandMessage(CommandId::showFrontPanel);
    EXPECT_EQ(VyrTarvoMAudioProcessor::getGlobalSetting(VyrTarvoMAudioProcessor::overCountSetting), 1.0f);
    EXPECT_EQ(processor->getSettingText(9), "10");
    EXPECT_EQ(back().texts[BackPanel::oversSlot], "3");
}

TEST_F(EditorFixture, AStateRestoreChangesTheOpenWindowAtOnce)
{
    VyrTarvoMAudioProcessor source;
    source.setSignature("Keys");
    source.getSizeFlag() = 1;
    setParameter(source, 0, 0.5f);
    setParameter(source, 1, 0.25f);
    juce::MemoryBlock state;
    source.getStateInformation(state);

    processor->setStateInformation(state.getData(), static_cast<int>(state.getSize()));
    EXPECT_EQ(editor->getHeight(), 205);
    EXPECT_EQ(front().trackNameBox->getText(), "Keys");
    EXPECT_EQ(front().holdSwitch->getValue(), 1.0);
    EXPECT_EQ(front().latencyControl->valueMs, 250);
}
// A restore on a host thread reaches the window through the message thread.
TEST_F(EditorFixture, AStateRestoreOnAHostThreadArrivesOnTheMessageThread)
{
    VyrTarvoMAudioProcessor source;
    source.setSignature("Toms");
    source.getSizeFlag() = 1;
    setParameter(source, 3, 1.0f);
    juce::MemoryBlock state;
    source.getStateInformation(state);

    std::thread hostThread([&] { processor->setStateInformation(state.getData(), static_cast<int>(state.getSize())); });
    hostThread.join();
    EXPECT_EQ(editor->getHeight(), 167); // not yet: components change on the message thread only
    pump();
    editor->timerCallback(); // the parameters show at the next display tick
    EXPECT_EQ(editor->getHeight(), 205);
    EXPECT_EQ(front().getHeight(), 205);
    EXPECT_EQ(front().trackNameBox->getText(), "Toms");
    EXPECT_TRUE(front().activeButton->getToggleState());
    EXPECT_EQ(front().trimLabel->getText(), "0.0 dB");
}

// --- What every meter's window does -------------------------------------------------

INSTANTIATE_TYPED_TEST_SUITE_P(TarvoM, MeterWindow, Window);
const bool typedTrimTestsRegistered = kittest::registerTheTypedTrimTests<Window>();
} // namespace vyrtarvom::editortesting
