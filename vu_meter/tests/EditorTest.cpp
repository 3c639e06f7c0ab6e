// The VU editor: what it shows when it opens, the command table towards the
// processor and the host, updateControl towards the controls, the meter face of
// the backlight setting, the page swaps and the window sizes.
#include "EditorTestSupport.h"

#include "KelsoCommandIds.h"
#include "EditorWindowSuite.h"
#include "TrimActiveChecks.h"

namespace vyrkelsom::editortest
{
using Editor = VyrKelsoMAudioProcessorEditor;

TEST_F(EditorFixture, OpensOnTheFrontPageWithTheProcessorsValues)
{
    kittest::checkTheEditorOpensOnTheFrontPage(*processor, *editor, 320, 20);
    EXPECT_NE(dynamic_cast<juce::LookAndFeel_V2*>(&editor->getLookAndFeel()), nullptr);

    // A new instance: hold "Off", no delay, trim inactive at 0 dB, small window.
    EXPECT_EQ(front().holdSwitch->getValue(), 0.0);
    EXPECT_EQ(front().latencyControl->valueMs, 0);
    EXPECT_EQ(front().trimSlider->getValue(), 0.0);
    EXPECT_EQ(front().trimLabel->getText(), "-");
    EXPECT_FALSE(front().activeButton->getToggleState());
    EXPECT_FALSE(front().getTrimLook().trimActive);
    EXPECT_TRUE(front().getPlusLook().smallWindow);
    EXPECT_EQ(front().trackNameBox->getText(), "M Track");

    // The needle at zero and the LED latched until the first tick.
    const auto& meter = *front().meter;
    EXPECT_EQ(meter.getLevel(), 0.0f);
    EXPECT_EQ(meter.getHoldLevel(), 0.0f);
    EXPECT_EQ(meter.ledState, 0.0f);
    EXPECT_FALSE(meter.showHold);
    EXPECT_TRUE(meter.ledResetRequest);

    // The stored defaults (the store holds nothing), and their face row.
    EXPECT_EQ(back().referenceText, "-18.0dBFS");
    EXPECT_EQ(back().integrationText, "300ms");
    EXPECT_EQ(back().holdTimeText, "1.00s");
    EXPECT_EQ(back().needleTypeText, " A ");
    EXPECT_EQ(back().overReferenceText, "0dBFS");
    EXPECT_EQ(back().overCountText, "3");
    EXPECT_EQ(back().measurementText, "CPU Safe");
    EXPECT_EQ(editor->getFaceRow(), 2);

    EXPECT_TRUE(editor->holdsPollRole());
    EXPECT_EQ(editor->getPollTickCount(), 0);
    EXPECT_FALSE(editor->isOverLatched());
}

TEST(EditorOpening, ShowsTheStateOfAProcessorThatHasOne)
{
    clearStoredSettings();
    storeSetting(8, "1.0");
    storeSetting(12, "1");
    VyrKelsoMAudioProcessor processor;
    configure(processor, 2, 2, 48000.0, 512);
    processor.getSizeFlag() = 1;
    processor.setSignature("Overheads");
    setParameter(processor, 0, 1.0f);
    setParameter(processor, 1, 0.25f);
    setParameter(processor, 3, 1.0f);
    setParameter(processor, 2, 0.6f);

    auto* editor = openEditor(processor);
    auto& front = editor->getFrontPanel();
    EXPECT_EQ(editor->getHeight(), 205);
    EXPECT_EQ(front.getHeight(), 205);
    EXPECT_EQ(editor->getBackPanel().getHeight(), 205);
    EXPECT_FALSE(front.getPlusLook().smallWindow);
    EXPECT_EQ(front.trackNameBox->getText(), "Overheads");
    EXPECT_EQ(front.holdSwitch->getValue(), 2.0);
    EXPECT_EQ(front.latencyControl->valueMs, 250);
    EXPECT_NEAR(front.trimSlider->getValue(), 4.0, 1e-9);
    EXPECT_EQ(front.trimLabel->getText(), "4.0 dB");
    EXPECT_TRUE(front.activeButton->getToggleState());
    EXPECT_TRUE(front.getTrimLook().trimActive);
    EXPECT_EQ(editor->getFaceRow(), 4);
    EXPECT_EQ(editor->getBackPanel().measurementText, "Precise");
    closeEditor(processor, editor);
    clearStoredSettings();
    processor.reloadStoredDefaults();
}

// --- Commands ---------------------------------------------------------------

// The commands are named by the test names.
struct CommandCase
{
    const char* name;
    int id;
    std::function<void(FrontPanel&)> prepare;
    int parameter;
    float sent;
};

class EditorCommand : public EditorFixture, public ::testing::WithParamInterface<CommandCase>
{
};

TEST_P(EditorCommand, ChangesTheParameterAndTellsTheHost)
{
    const auto& c = GetParam();
    c.prepare(front());
    editor->handleCommandMessage(c.id);

    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].index, c.parameter);
    EXPECT_FLOAT_EQ(host.changes[0].value, c.sent);
    EXPECT_FLOAT_EQ(parameter(*processor, c.parameter), c.sent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditorCommand,
    ::testing::Values(
        CommandCase { "HoldOff", CommandId::hold, [](FrontPanel& f) { f.holdSwitch->setValue(0.0, juce::dontSendNotification); }, 0, 0.0f },
        CommandCase { "HoldInfinity", CommandId::hold, [](FrontPanel& f) { f.holdSwitch->setValue(1.0, juce::dontSendNotification); }, 0, 0.5f },
        CommandCase { "HoldOn", CommandId::hold, [](FrontPanel& f) { f.holdSwitch->setValue(2.0, juce::dontSendNotification); }, 0, 1.0f },
        CommandCase { "Latency0", CommandId::latency, [](FrontPanel& f) { f.latencyControl->setValue(0.0f, 0); }, 1, 0.0f },
        CommandCase { "Latency42", CommandId::latency, [](FrontPanel& f) { f.latencyControl->setValue(42.0f, 0); }, 1, 0.042f },
        CommandCase { "Latency999", CommandId::latency, [](FrontPanel& f) { f.latencyControl->setValue(999.0f, 0); }, 1, 0.999f },
        CommandCase { "LatencyAbove999", CommandId::latency, [](FrontPanel& f) { f.latencyControl->valueMs = 1000; }, 1, 1.0f },
        CommandCase { "TrimBottom", CommandId::trim, [](FrontPanel& f) { f.trimSlider->setValue(-20.0, juce::dontSendNotification); }, 2, 0.0f },
        CommandCase { "TrimMiddle", CommandId::trim, [](FrontPanel& f) { f.trimSlider->setValue(0.0, juce::dontSendNotification); }, 2, 0.5f },
        CommandCase { "TrimPlus2.5", CommandId::trim, [](FrontPanel& f) { f.trimSlider->setValue(2.5, juce::dontSendNotification); }, 2, 0.5625f },
        CommandCase { "TrimTop", CommandId::trim, [](FrontPanel& f) { f.trimSlider->setValue(20.0, juce::dontSendNotification); }, 2, 1.0f },
        CommandCase { "ActiveOn", CommandId::active, [](FrontPanel& f) { f.activeButton->setToggleState(true, juce::dontSendNotification); }, 3, 1.0f },
        CommandCase { "ActiveOff", CommandId::active, [](FrontPanel& f) { f.activeButton->setToggleState(false, juce::dontSendNotification); }, 3, 0.0f },
        CommandCase { "TypedTrim6", CommandId::trimText, [](FrontPanel& f) { f.trimLabel->setText("6 dB", juce::dontSendNotification); }, 2, 0.65f },
        CommandCase { "TypedTrimMinus7.5", CommandId::trimText, [](FrontPanel& f) { f.trimLabel->setText("-7.5", juce::dontSendNotification); }, 2, 0.3125f },
        CommandCase { "TypedTrimAbove", CommandId::trimText, [](FrontPanel& f) { f.trimLabel->setText("25", juce::dontSendNotification); }, 2, 1.0f },
        CommandCase { "TypedTrimBelow", CommandId::trimText, [](FrontPanel& f) { f.trimLabel->setText("-40", juce::dontSendNotification); }, 2, 0.0f },
        CommandCase { "TypedTrimNoNumber", CommandId::trimText, [](FrontPanel& f) { f.trimLabel->setText("loud", juce::dontSendNotification); }, 2, 0.5f },
        CommandCase { "TypedTrimNan", CommandId::trimText, [](FrontPanel& f) { f.trimLabel->setText("nan", juce::dontSendNotification); }, 2, 0.5f },
        CommandCase { "TypedTrimInfinity", CommandId::trimText, [](FrontPanel& f) { f.trimLabel->setText("-inf", juce::dontSendNotification); }, 2, 0.5f }),
    [](const auto& info) {
        juce::String name(info.param.name);
        return name.replaceCharacter('.', '_').replaceCharacter('-', 'm').toStdString();
    });

// The control follows the processor through updateControl once the value is set.
TEST_F(EditorFixture, CommandsMoveTheirControlsBackThroughTheProcessor)
{
    front().trimLabel->setText("6", juce::dontSendNotification);
    editor->handleCommandMessage(CommandId::trimText);
    EXPECT_NEAR(front().trimSlider->getValue(), 6.0, 1e-9);
    EXPECT_EQ(front().trimLabel->getText(), "-"); // trim inactive

    front().activeButton->setToggleState(true, juce::dontSendNotification);
    editor->handleCommandMessage(CommandId::active);
    EXPECT_EQ(front().trimLabel->getText(), "6.0 dB");
    EXPECT_TRUE(front().getTrimLook().trimActive);
}

TEST_F(EditorFixture, UnassignedAndSettingIdsChangeNothing)
{
    storeSetting(6, "1"); // a reread would show it
    const float before[] = { parameter(*processor, 0), parameter(*processor, 1), parameter(*processor, 2),
                             parameter(*processor, 3) };
    for (const int id : { 4, 5, 6, 7, 8, 9, 10, 11, 12, 17, 99, -1 })
        editor->handleCommandMessage(id);
    EXPECT_TRUE(host.changes.empty());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(parameter(*processor, i), before[i]);
    EXPECT_FLOAT_EQ(VyrKelsoMAudioProcessor::getGlobalSetting(1), 0.25f);
    EXPECT_TRUE(front().isVisible());
    EXPECT_EQ(processor->getSignature(), "M Track");
}

// --- updateControl ----------------------------------------------------------

struct HoldControlCase
{
    float value;
    double position;
};

inline void PrintTo(const HoldControlCase& c, std::ostream* os) { *os << c.value << " -> " << c.position; }

class EditorHoldControl : public EditorFixture, public ::testing::WithParamInterface<HoldControlCase>
{
};

TEST_P(EditorHoldControl, RoundsToTheSwitchPosition)
{
    editor->updateControl(0, GetParam().value);
    EXPECT_EQ(front().holdSwitch->getValue(), GetParam().position);
    EXPECT_TRUE(host.changes.empty());
}

INSTANTIATE_TEST_SUITE_P(Values, EditorHoldControl,
                         ::testing::Values(HoldControlCase { 0.0f, 0.0 }, HoldControlCase { 0.2499f, 0.0 },
                                           HoldControlCase { 0.25f, 1.0 }, HoldControlCase { 0.5f, 1.0 },
                                           HoldControlCase { 0.7499f, 1.0 }, HoldControlCase { 0.75f, 2.0 },
                                           HoldControlCase { 1.0f, 2.0 }));

TEST_F(EditorFixture, UpdateControlSetsLatencyTrimAndActiveQuietly)
{
    const struct { float value; int ms; } latencies[] = { { 0.0f, 0 }, { 0.042f, 42 }, { 0.5f, 500 }, { 0.9994f, 999 }, { 1.0f, 999 } };
    for (const auto& l : latencies)
    {
        editor->updateControl(1, l.value);
        EXPECT_EQ(front().latencyControl->valueMs, l.ms) << l.value;
    }

    // The trim text is the processor's text of its own value and Active state.
    setParameter(*processor, 3, 1.0f);
    const struct { float value; double db; const char* text; } trims[] = {
        { 0.0f, -20.0, "-20.0 dB" }, { 0.5f, 0.0, "0.0 dB" }, { 0.55f, 2.0, "2.0 dB" }, { 1.0f, 20.0, "20.0 dB" } };
    for (const auto& t : trims)
    {
        setParameter(*processor, 2, t.value);
        EXPECT_NEAR(front().trimSlider->getValue(), t.db, 1e-9) << t.value;
        EXPECT_EQ(front().trimLabel->getText(), juce::String(t.text));
    }

    // The button and the trim look show what the processor does: at exactly 0.5
    // it rounds, and applies the trim.
    const struct { float value; bool on; const char* text; } actives[] = {
        { 0.0f, false, "-" }, { 0.5f, true, "20.0 dB" }, { 0.49f, false, "-" }, { 0.51f, true, "20.0 dB" },
        { 0.4999f, false, "-" }, { 1.0f, true, "20.0 dB" } };
    for (const auto& a : actives)
    {
        setParameter(*processor, 3, a.value);
        EXPECT_EQ(processor->getTrimEnabled() != 0, a.on) << a.value;
        EXPECT_EQ(front().activeButton->getToggleState(), a.on) << a.value;
        EXPECT_EQ(front().getTrimLook().trimActive.load(), a.on);
        EXPECT_EQ(front().trimLabel->getText(), juce::String(a.text)) << a.value;
    }
    EXPECT_TRUE(host.changes.empty());
}

TEST_F(EditorFixture, TheActiveButtonShowsWhetherTheTrimIsApplied)
{
    kittest::checkTheActiveButtonShowsWhetherTheTrimIsApplied(*processor, *editor);
}

TEST_F(EditorFixture, OtherIndicesLeaveEveryControlAlone)
{
    setParameter(*processor, 0, 1.0f);
    setParameter(*processor, 1, 0.3f);
    setParameter(*processor, 3, 1.0f);
    setParameter(*processor, 2, 0.7f);
    const auto label = front().trimLabel->getText();
    for (const int index : { -1, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17 })
        editor->updateControl(index, 0.0f);
    EXPECT_EQ(front().holdSwitch->getValue(), 2.0);
    EXPECT_EQ(front().latencyControl->valueMs, 300);
    EXPECT_NEAR(front().trimSlider->getValue(), 8.0, 1e-9);
    EXPECT_EQ(front().trimLabel->getText(), label);
    EXPECT_TRUE(front().activeButton->getToggleState());
    EXPECT_EQ(editor->getFaceRow(), 2);
}

// --- Meter face -------------------------------------------------------------

struct FaceCase
{
    const char* stored;
    int row;
};

inline void PrintTo(const FaceCase& c, std::ostream* os) { *os << "stored " << c.stored << " row " << c.row; }

class EditorMeterFace : public EditorFixture, public ::testing::WithParamInterface<FaceCase>
{
};

// The face row of the backlight lies in the background, pixel for pixel; the
// rest of the background stays as it was.
TEST_P(EditorMeterFace, TheBacklightRowIsPaintedIntoTheBackground)
{
    const auto& c = GetParam();
    const auto& strip = front().faceStrip;
    ASSERT_EQ(strip.getWidth(), 250);
    ASSERT_EQ(strip.getHeight(), 610);
    const auto outside = front().backgroundImage.getPixelAt(5, 5);

    storeSetting(8, c.stored);
    processor->reloadStoredDefaults();
    EXPECT_EQ(editor->getFaceRow(), c.row);

    const auto& background = front().backgroundImage;
    for (int y = 0; y < 122; y += 11)
        for (int x = 0; x < 250; x += 13)
            ASSERT_EQ(background.getPixelAt(12 + x, 16 + y), strip.getPixelAt(x, c.row * 122 + y))
                << "x " << x << " y " << y;
    EXPECT_EQ(background.getPixelAt(5, 5), outside);

    // The screen shows it through the meter, which paints no face.
    const auto shown = snapshot(front());
    EXPECT_EQ(shown.getPixelAt(12 + 20, 16 + 110), strip.getPixelAt(20, c.row * 122 + 110));
}

INSTANTIATE_TEST_SUITE_P(Backlight, EditorMeterFace,
                         ::testing::Values(FaceCase { "0", 0 }, FaceCase { "0.3", 1 }, FaceCase { "0.5", 2 },
                                           FaceCase { "0.75", 3 }, FaceCase { "1", 4 },
                                           FaceCase { "1.5", 2 } /* out of range: the fallback */));

TEST_F(EditorFixture, FaceRowsDifferFromOneAnother)
{
    const auto& strip = front().faceStrip;
    for (int row = 1; row < 5; ++row)
        EXPECT_NE(strip.getPixelAt(40, row * 122 + 30), strip.getPixelAt(40, (row - 1) * 122 + 30)) << row;
}

// --- Pages and sizes --------------------------------------------------------

TEST_F(EditorFixture, BackPanelTakesTheWindowHeightWhenShown)
{
    editor->handleCommandMessage(CommandId::showBackPanel);
    EXPECT_FALSE(front().isVisible());
    EXPECT_TRUE(back().isVisible());
    EXPECT_EQ(back().getBounds(), juce::Rectangle<int>(0, 0, 320, 167));
    EXPECT_GT(editor->getIndexOfChildComponent(&back()), editor->getIndexOfChildComponent(&front()));

    editor->handleCommandMessage(CommandId::showFrontPanel);
    EXPECT_TRUE(front().isVisible());
    EXPECT_FALSE(back().isVisible());
    EXPECT_GT(editor->getIndexOfChildComponent(&front()), editor->getIndexOfChildComponent(&back()));

    // The size button resizes the editor and the front panel; the hidden back
    // panel keeps its height until it is shown again.
    front().buttonClicked(front().sizeButton.get());
    EXPECT_EQ(processor->getSizeFlag().load(), 1);
    EXPECT_EQ(editor->getHeight(), 205);
    EXPECT_EQ(front().getHeight(), 205);
    EXPECT_EQ(back().getHeight(), 167);
    EXPECT_FALSE(front().getPlusLook().smallWindow);

    editor->handleCommandMessage(CommandId::showBackPanel);
    EXPECT_EQ(back().getBounds(), juce::Rectangle<int>(0, 0, 320, 205));

    editor->handleCommandMessage(CommandId::showFrontPanel);
    front().buttonClicked(front().sizeButton.get());
    EXPECT_EQ(processor->getSizeFlag().load(), 0);
    EXPECT_EQ(editor->getHeight(), 167);
    EXPECT_EQ(front().getHeight(), 167);
    EXPECT_TRUE(front().getPlusLook().smallWindow);
    EXPECT_TRUE(host.changes.empty());
}

// Leaving the back panel rereads the store (the face follows) but leaves the
// back-panel texts to the poll.
TEST_F(EditorFixture, ReturningToTheFrontRereadsTheStore)
{
    editor->handleCommandMessage(CommandId::showBackPanel);
    storeSetting(6, "0");
    storeSetting(8, "1");
    editor->handleCommandMessage(CommandId::showFrontPanel);
    EXPECT_FLOAT_EQ(VyrKelsoMAudioProcessor::getGlobalSetting(1), 0.0f);
    EXPECT_EQ(processor->getSettingText(6), "-24.0dBFS");
    EXPECT_EQ(editor->getFaceRow(), 4);
    EXPECT_EQ(back().referenceText, "-18.0dBFS");
}

TEST_F(EditorFixture, PostedPageCommandsArriveOnTheMessageThread)
{
    press(front(), 60, 150);
    EXPECT_TRUE(front().isVisible());
    pump();
    EXPECT_TRUE(back().isVisible());
    EXPECT_FALSE(front().isVisible());

    press(back(), 200, 20, juce::ModifierKeys(juce::ModifierKeys::rightButtonModifier));
    pump();
    EXPECT_TRUE(front().isVisible());
    EXPECT_FALSE(back().isVisible());
}

struct SizeModeCase
{
    int flagBefore;
    int size;
    int height;
};

inline void PrintTo(const SizeModeCase& c, std::ostream* os) { *os << c.flagBefore << " -> " << c.size; }

class EditorSizeMode : public EditorFixture, public ::testing::WithParamInterface<SizeModeCase>
{
};

TEST_P(EditorSizeMode, SetsTheTrackNameAndAllThreeHeights)
{
    const auto& c = GetParam();
    processor->getSizeFlag() = c.flagBefore;
    editor->setSizeMode("Room L", c.size);
    EXPECT_EQ(front().trackNameBox->getText(), "Room L");
    EXPECT_EQ(editor->getBounds(), juce::Rectangle<int>(0, 0, 320, c.height));
    EXPECT_EQ(front().getBounds(), juce::Rectangle<int>(0, 0, 320, c.height));
    EXPECT_EQ(back().getBounds(), juce::Rectangle<int>(0, 0, 320, c.height));
    EXPECT_EQ(front().getPlusLook().smallWindow.load(), c.size == 0);
    // The flag is the restore's to write, not this call's.
    EXPECT_EQ(processor->getSizeFlag().load(), c.flagBefore);
}

INSTANTIATE_TEST_SUITE_P(Sizes, EditorSizeMode,
                         ::testing::Values(SizeModeCase { 0, 1, 205 }, SizeModeCase { 1, 0, 167 },
                                           SizeModeCase { 0, 0, 167 }, SizeModeCase { 1, 1, 205 }));

// A restore on a host thread reaches the editor through the message thread: the
// track name and size as queued calls, the parameters at the next display tick.
TEST_F(EditorFixture, StateRestoredOnAHostThreadReachesTheEditor)
{
    VyrKelsoMAudioProcessor source;
    source.setSignature("Tape Return");
    source.getSizeFlag() = 1;
    setParameter(source, 0, 0.5f);
    setParameter(source, 1, 0.1f);
    setParameter(source, 3, 1.0f);
    setParameter(source, 2, 0.25f);
    juce::MemoryBlock state;
    source.getStateInformation(state);

    std::thread hostThread([&] { processor->setStateInformation(state.getData(), static_cast<int>(state.getSize())); });
    hostThread.join();
    pump(30);
    editor->timerCallback(); // the parameters show at the next display tick

    EXPECT_EQ(front().trackNameBox->getText(), "Tape Return");
    EXPECT_EQ(editor->getHeight(), 205);
    EXPECT_EQ(front().holdSwitch->getValue(), 1.0);
    EXPECT_EQ(front().latencyControl->valueMs, 100);
    EXPECT_NEAR(front().trimSlider->getValue(), -10.0, 1e-9);
    EXPECT_EQ(front().trimLabel->getText(), "-10.0 dB");
    EXPECT_TRUE(front().activeButton->getToggleState());
}

// --- What every meter's window does -----------------------------------------

INSTANTIATE_TYPED_TEST_SUITE_P(KelsoM, MeterWindow, Window);
const bool typedTrimTestsRegistered = kittest::registerTheTypedTrimTests<Window>();
} // namespace vyrkelsom::editortest
