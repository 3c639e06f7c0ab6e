// The editor: its construction, the command table, updateControl, the page
// swaps and window sizes, the restored state, and the two instances that share
// the process-wide settings.
#include "EditorTestSupport.h"

#include "TarvoCommandIds.h"
#include "EditorWindowSuite.h"
#include "TrimActiveChecks.h"

#include <functional>

namespace vyrtarvo::testing
{
TEST(EditorConstruction, ShowsTheProcessorsValuesOnTheFrontPage)
{
    VyrTarvoAudioProcessor p;
    restoreDefaultSettings(p);
    p.setGlobalSetting(6, 0.25f);
    p.setGlobalSetting(13, 1.0f);
    kittest::setUpADrumsTrack(p);
    setParameter(p, 1, 1.0f);

    auto* editor = openEditor(p);
    ASSERT_NE(editor, nullptr);
    kittest::checkTheEditorOpensOnTheFrontPage(p, *editor, 586, 30);

    auto& front = editor->getFrontPanel();
    auto& back = editor->getBackPanel();
    kittest::checkTheFrontPageShowsADrumsTrack(front);
    EXPECT_TRUE(front.lrmsButton->getToggleState());
    EXPECT_TRUE(front.faceImage == front.msFaceImage);
    EXPECT_EQ(front.trimLabel->getText(), parameterText(p, 3));

    EXPECT_DOUBLE_EQ(back.referenceKnob->getValue(), 6.0);
    EXPECT_EQ(back.referenceText, VyrTarvoAudioProcessor::getSettingText(6));
    EXPECT_DOUBLE_EQ(back.integrationKnob->getValue(), 10.0);
    EXPECT_EQ(back.integrationText, VyrTarvoAudioProcessor::getSettingText(7));
    EXPECT_DOUBLE_EQ(back.holdKnob->getValue(), 10.0);
    EXPECT_EQ(back.holdText, VyrTarvoAudioProcessor::getSettingText(8));
    EXPECT_DOUBLE_EQ(back.returnKnob->getValue(), 13.0);
    EXPECT_EQ(back.returnText, VyrTarvoAudioProcessor::getSettingText(9));
    EXPECT_DOUBLE_EQ(back.overCountKnob->getValue(), 2.0);
    EXPECT_DOUBLE_EQ(back.overReferenceKnob->getValue(), 3.0);
    EXPECT_DOUBLE_EQ(back.midSwitch->getValue(), 1.0);
    EXPECT_TRUE(back.measureButton->getToggleState());

    EXPECT_FALSE(editor->isLeftOverLatched());
    EXPECT_FALSE(editor->isRightOverLatched());
    EXPECT_FALSE(front.leftMeter->ledResetRequest);
    EXPECT_FALSE(front.rightMeter->ledResetRequest);

    closeEditor(p, editor);
    EXPECT_EQ(p.getEditorLink()->getEditor(), nullptr);
    restoreDefaultSettings(p);
}

TEST_F(EditorFixture, PaintFillsWithPink)
{
    juce::Image image(juce::Image::ARGB, 4, 4, true);
    juce::Graphics g(image);
    editor->paint(g);
    EXPECT_EQ(image.getPixelAt(1, 1).getARGB(), juce::Colour(255, 192, 203).getARGB());
}

// --- Command table -----------------------------------------------------------------

struct CommandCase
{
    const char* name;
    int commandId;
    std::function<void(VyrTarvoAudioProcessorEditor&)> setControl;
    int index;             // parameter 0..4 or setting 6..13 that changes
    float expected;        // its new normalised value
};

std::ostream& operator<<(std::ostream& os, const CommandCase& c) { return os << c.name; }

constexpr auto quiet = juce::dontSendNotification;

const CommandCase commandCases[] = {
    { "HoldOff", 0, [](auto& e) { e.getFrontPanel().holdSwitch->setValue(0.0, quiet); }, 0, 0.0f },
    { "HoldInfinity", 0, [](auto& e) { e.getFrontPanel().holdSwitch->setValue(1.0, quiet); }, 0, 0.5f },
    { "HoldOn", 0, [](auto& e) { e.getFrontPanel().holdSwitch->setValue(2.0, quiet); }, 0, 1.0f },
    { "MidSide", 1, [](auto& e) { e.getFrontPanel().lrmsButton->setToggleState(true, quiet); }, 1, 1.0f },
    { "Latency250", 2, [](auto& e) { e.getFrontPanel().latencyControl->setValue(250.0f, 0); }, 2, 0.25f },
    { "Latency999", 2, [](auto& e) { e.getFrontPanel().latencyControl->setValue(999.0f, 0); }, 2, 999.0f / 1000.0f },
    { "TrimPlus7.5", 3, [](auto& e) { e.getFrontPanel().trimSlider->setValue(7.5, quiet); }, 3, 0.6875f },
    { "TrimMinus20", 3, [](auto& e) { e.getFrontPanel().trimSlider->setValue(-20.0, quiet); }, 3, 0.0f },
    { "Active", 4, [](auto& e) { e.getFrontPanel().activeButton->setToggleState(true, quiet); }, 4, 1.0f },
    // Not 1.0: the product's factor 0.041666.
    { "Reference24", 6, [](auto& e) { e.getBackPanel().referenceKnob->setValue(24.0, quiet); }, 6,
      static_cast<float>(24.0 * 0.041666f) },
    { "Reference12.3", 6, [](auto& e) { e.getBackPanel().referenceKnob->setValue(12.3, quiet); }, 6,
      static_cast<float>(12.3 * 0.041666f) },
    { "Integration20", 7, [](auto& e) { e.getBackPanel().integrationKnob->setValue(20.0, quiet); }, 7, 1.0f },
    { "Integration2.75", 7, [](auto& e) { e.getBackPanel().integrationKnob->setValue(2.75, quiet); }, 7, 0.1375f },
    { "Hold5", 8, [](auto& e) { e.getBackPanel().holdKnob->setValue(5.0, quiet); }, 8, 0.25f },
    { "Return17.25", 9, [](auto& e) { e.getBackPanel().returnKnob->setValue(17.25, quiet); }, 9, 0.8625f },
    { "OverCount9", 10, [](auto& e) { e.getBackPanel().overCountKnob->setValue(9.0, quiet); }, 10, 1.0f },
    { "OverCount4", 10, [](auto& e) { e.getBackPanel().overCountKnob->setValue(4.0, quiet); }, 10,
      static_cast<float>(4.0 / 9.0) },
    // Not 1.0: the product's factor 0.333.
    { "OverReference3", 11, [](auto& e) { e.getBackPanel().overReferenceKnob->setValue(3.0, quiet); }, 11,
      static_cast<float>(3.0 * 0.333f) },
    { "MidAttenuation2", 12, [](auto& e) { e.getBackPanel().midSwitch->setValue(2.0, quiet); }, 12, 1.0f },
    { "MidAttenuation1", 12, [](auto& e) { e.getBackPanel().midSwitch->setValue(1.0, quiet); }, 12, 0.5f },
    { "Oversampled", 13, [](auto& e) { e.getBackPanel().measureButton->setToggleState(true, quiet); }, 13, 1.0f },
};

struct CommandTable : EditorFixture, ::testing::WithParamInterface<CommandCase>
{
    // A value other than the one the command sets, so that a change is visible.
    void moveAway(int index, float target)
    {
        const float other = target > 0.5f ? 0.0f : 1.0f;
        if (index < 5)
            setParameter(*processor, index, other);
        else
            processor->setGlobalSetting(index, other);
    }

    float current(int index)
    {
        return index < 5 ? parameter(*processor, index) : VyrTarvoAudioProcessor::getGlobalSetting(index - 6);
    }
};

TEST_P(CommandTable, SetsItsParameterOrSetting)
{
    const auto& c = GetParam();
    moveAway(c.index, c.expected);
    c.setControl(*editor);
    host.changes.clear();
    const int counterBefore = VyrTarvoAudioProcessor::getGlobalChangeCounter();

    editor->handleCommandMessage(c.commandId);

    EXPECT_EQ(current(c.index), c.expected);
    if (c.index < 5)
    {
        // Parameters reach the host, settings never do.
        ASSERT_EQ(host.changes.size(), 1u);
        EXPECT_EQ(host.changes[0].index, c.index);
        EXPECT_EQ(host.changes[0].value, c.expected);
        EXPECT_EQ(VyrTarvoAudioProcessor::getGlobalChangeCounter(), counterBefore);
    }
    else
    {
        EXPECT_TRUE(host.changes.empty());
        EXPECT_GT(VyrTarvoAudioProcessor::getGlobalChangeCounter(), counterBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandTable, ::testing::ValuesIn(commandCases),
                         [](const auto& info) {
                             juce::String n(info.param.name);
                             return n.replaceCharacter('.', '_').replaceCharacter('-', '_').toStdString();
                         });

// A parameter command moves the control back from the stored value.
TEST_F(EditorFixture, AParameterCommandRedrawsTheControlFromTheStoredValue)
{
    setParameter(*processor, 4, 1.0f);
    front().trimSlider->setValue(7.5, quiet);
    editor->handleCommandMessage(CommandId::trim);
    EXPECT_EQ(front().trimLabel->getText(), parameterText(*processor, 3));
    EXPECT_EQ(front().trimLabel->getText(), "7.5 dB");
}

TEST_F(EditorFixture, UnassignedCommandsDoNothing)
{
    const int counterBefore = VyrTarvoAudioProcessor::getGlobalChangeCounter();
    for (int id : { 5, 18, -1, 1000 })
        editor->handleCommandMessage(id);
    EXPECT_TRUE(host.changes.empty());
    EXPECT_EQ(VyrTarvoAudioProcessor::getGlobalChangeCounter(), counterBefore);
    EXPECT_TRUE(front().isVisible());
}

TEST_F(EditorFixture, TheMeasurementButtonInTheStoredStateChangesNothing)
{
    back().measureButton->setToggleState(false, quiet); // the default mode is 0
    const int counterBefore = VyrTarvoAudioProcessor::getGlobalChangeCounter();
    editor->handleCommandMessage(CommandId::measurementMode);
    EXPECT_EQ(VyrTarvoAudioProcessor::getGlobalChangeCounter(), counterBefore);

    back().measureButton->setToggleState(true, quiet);
    editor->handleCommandMessage(CommandId::measurementMode);
    EXPECT_EQ(VyrTarvoAudioProcessor::getGlobalSetting(7), 1.0f);
    EXPECT_GT(processor->getProcessingRate(), processor->getMeterRate());
}

// --- updateControl -----------------------------------------------------------------

// Every value a control of the two pages shows, to see what an update touched.
std::vector<double> controlValues(VyrTarvoAudioProcessorEditor& e)
{
    auto& f = e.getFrontPanel();
    auto& b = e.getBackPanel();
    return { f.holdSwitch->getValue(), f.lrmsButton->getToggleState() ? 1.0 : 0.0,
             static_cast<double>(f.latencyControl->valueMs), f.trimSlider->getValue(),
             f.activeButton->getToggleState() ? 1.0 : 0.0, f.getTrimLook().trimActive ? 1.0 : 0.0,
             b.referenceKnob->getValue(), b.integrationKnob->getValue(), b.holdKnob->getValue(),
             b.returnKnob->getValue(), b.overCountKnob->getValue(), b.overReferenceKnob->getValue(),
             b.midSwitch->getValue(), b.measureButton->getToggleState() ? 1.0 : 0.0 };
}

struct UpdateCase
{
    int index;
    float value;
    int changedSlot;  // position in controlValues, -1 for none
    double shown;
};

std::ostream& operator<<(std::ostream& os, const UpdateCase& c) { return os << c.index << " <- " << c.value; }

struct UpdateControl : EditorFixture, ::testing::WithParamInterface<UpdateCase>
{
};

TEST_P(UpdateControl, MovesOnlyItsControlAndPostsNothing)
{
    const auto& c = GetParam();
    auto before = controlValues(*editor);
    host.changes.clear();
    const int counterBefore = VyrTarvoAudioProcessor::getGlobalChangeCounter();

    // The Active update shows what the processor made of the value, which it has
    // taken before it calls updateControl.
    if (c.index == VyrTarvoAudioProcessor::activeParameter)
        setParameter(*processor, c.index, c.value);
    editor->updateControl(c.index, c.value);
    pump();

    auto after = controlValues(*editor);
    if (c.changedSlot >= 0)
    {
        EXPECT_DOUBLE_EQ(after[(size_t) c.changedSlot], c.shown);
        before[(size_t) c.changedSlot] = c.shown;
        if (c.index == 4)
            before[5] = c.shown; // the trim look follows the Active button
    }
    EXPECT_EQ(after, before);
    EXPECT_TRUE(host.changes.empty());
    EXPECT_EQ(VyrTarvoAudioProcessor::getGlobalChangeCounter(), counterBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Indices, UpdateControl,
    ::testing::Values(UpdateCase { 0, 0.24f, 0, 0.0 }, UpdateCase { 0, 0.26f, 0, 1.0 },
                      UpdateCase { 0, 1.0f, 0, 2.0 }, UpdateCase { 1, 0.5f, 1, 1.0 },
                      UpdateCase { 2, 0.1234f, 2, 123.0 }, UpdateCase { 2, 0.0015f, 2, 2.0 },
                      UpdateCase { 3, 0.6f, 3, 4.0 }, UpdateCase { 3, 0.0f, 3, -20.0 },
                      UpdateCase { 4, 0.51f, 4, 1.0 }, UpdateCase { 4, 0.5f, 4, 1.0 },
                      UpdateCase { 4, 0.4999f, 4, 0.0 },
                      // The level and time knobs show the stored setting, not the argument.
                      UpdateCase { 6, 0.1f, -1, 0.0 }, UpdateCase { 7, 0.9f, -1, 0.0 },
                      UpdateCase { 8, 0.9f, -1, 0.0 }, UpdateCase { 9, 0.1f, -1, 0.0 },
                      UpdateCase { 10, 1.0f / 3.0f, 10, 3.0 }, UpdateCase { 11, 0.999f, 11, 3.0 },
                      UpdateCase { 12, 0.74f, 12, 1.0 }, UpdateCase { 12, 0.76f, 12, 2.0 },
                      UpdateCase { 13, 0.51f, 13, 1.0 },
                      // Unassigned indices.
                      UpdateCase { 5, 1.0f, -1, 0.0 }, UpdateCase { 14, 1.0f, -1, 0.0 },
                      UpdateCase { 15, 1.0f, -1, 0.0 }, UpdateCase { -1, 1.0f, -1, 0.0 }));

TEST_F(EditorFixture, TheLrmsUpdateSwitchesTheFace)
{
    editor->updateControl(1, 1.0f);
    EXPECT_TRUE(front().faceImage == front().msFaceImage);
    editor->updateControl(1, 0.49f);
    EXPECT_FALSE(front().lrmsButton->getToggleState());
    EXPECT_TRUE(front().faceImage == front().lrFaceImage);
}

TEST_F(EditorFixture, TheActiveUpdateRewritesTheTrimText)
{
    setParameter(*processor, 3, 0.6f);
    front().trimLabel->setText("x", quiet);
    editor->updateControl(4, 0.0f);
    EXPECT_FALSE(front().getTrimLook().trimActive.load());
    EXPECT_EQ(front().trimLabel->getText(), parameterText(*processor, 3));
}

TEST_F(EditorFixture, TheActiveButtonShowsWhetherTheTrimIsApplied)
{
    kittest::checkTheActiveButtonShowsWhetherTheTrimIsApplied(*processor, *editor);
}

TEST_F(EditorFixture, ASettingChangeRefreshesItsKnobAndText)
{
    processor->setGlobalSetting(8, 1.0f);
    EXPECT_DOUBLE_EQ(back().holdKnob->getValue(), 20.0);
    EXPECT_EQ(back().holdText, VyrTarvoAudioProcessor::getSettingText(8));
    EXPECT_NE(back().holdText, "");
}

// --- Pages and window sizes ---------------------------------------------------------

TEST_F(EditorFixture, LeavingTheBackPanelStoresTheSettings)
{
    processor->setGlobalSetting(9, 0.25f);
    editor->handleCommandMessage(CommandId::showBackPanel);
    editor->handleCommandMessage(CommandId::showFrontPanel);
    EXPECT_EQ(VyrTarvoAudioProcessor::readStoredDefault(9), 0.25f);
    restoreDefaultSettings(*processor);
    VyrTarvoAudioProcessor::saveStoredDefaults();
}

TEST_F(EditorFixture, AStateRestoreChangesTheOpenWindowAtOnce)
{
    VyrTarvoAudioProcessor source;
    source.setSignature("Restored Name");
    source.getSizeFlag() = 1;
    juce::MemoryBlock state;
    source.getStateInformation(state);

    processor->setStateInformation(state.getData(), static_cast<int>(state.getSize()));
    EXPECT_EQ(editor->getHeight(), 205);
    EXPECT_EQ(front().trackNameBox->getText(), "Restored Name");
}

// A session can carry a signature of any length: the strip shows the beginning
// that fits, and the processor keeps and saves the whole text.
TEST_F(EditorFixture, AVeryLongRestoredSignatureShowsItsBeginningAndIsSavedWhole)
{
    const auto signature = juce::String::repeatedString("Lead Vocal Take ", 6250);
    ASSERT_EQ(signature.length(), 100000);
    VyrTarvoAudioProcessor source;
    source.setSignature(signature);
    source.getSizeFlag() = 1;
    juce::MemoryBlock state;
    source.getStateInformation(state);

    processor->setStateInformation(state.getData(), static_cast<int>(state.getSize()));
    closeEditor(*processor, editor);
    editor = openEditor(*processor);

    const auto& box = *front().trackNameBox;
    const auto kept = box.getText();
    EXPECT_TRUE(signature.startsWith(kept));
    EXPECT_LE(box.textWidth(kept), 496);
    EXPECT_GT(box.textWidth(signature.substring(0, kept.length() + 1)), 496);

    EXPECT_EQ(processor->getSignature(), signature);
    juce::MemoryBlock saved;
    processor->getStateInformation(saved);
    VyrTarvoAudioProcessor copy;
    copy.setStateInformation(saved.getData(), static_cast<int>(saved.getSize()));
    EXPECT_EQ(copy.getSignature(), signature);
}

// --- Two instances -----------------------------------------------------------------

TEST_F(EditorFixture, ASettingEditedInOneEditorReachesTheOther)
{
    VyrTarvoAudioProcessor other;
    auto* otherEditor = openEditor(other);
    otherEditor->timerCallback();

    back().returnKnob->setValue(20.0, quiet);
    editor->handleCommandMessage(CommandId::returnTime);
    ASSERT_EQ(VyrTarvoAudioProcessor::getGlobalSetting(3), 1.0f);
    EXPECT_DOUBLE_EQ(otherEditor->getBackPanel().returnKnob->getValue(), 13.0);

    otherEditor->timerCallback();
    EXPECT_DOUBLE_EQ(otherEditor->getBackPanel().returnKnob->getValue(), 20.0);
    EXPECT_EQ(otherEditor->getBackPanel().returnText, VyrTarvoAudioProcessor::getSettingText(9));
    EXPECT_EQ(other.shownChangeCount, VyrTarvoAudioProcessor::getGlobalChangeCounter());

    closeEditor(other, otherEditor);
}

// --- What every meter's window does -------------------------------------------------

INSTANTIATE_TYPED_TEST_SUITE_P(Tarvo, MeterWindow, Window);
const bool typedTrimTestsRegistered = kittest::registerTheTypedTrimTests<Window>();
} // namespace vyrtarvo::testing
