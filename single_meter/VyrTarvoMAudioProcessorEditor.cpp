#include "VyrTarvoMAudioProcessorEditor.h"

#include "FrontPanelDispatch.h"
#include "HostParameterAccess.h"
#include "TarvoMCommandIds.h"

namespace vyrtarvom
{
VyrTarvoMAudioProcessorEditor::VyrTarvoMAudioProcessorEditor(VyrTarvoMAudioProcessor& p)
    : vyrkit::TwoPageEditor<FrontPanel, BackPanel>(p), tarvo(p)
{
    JUCE_ASSERT_MESSAGE_THREAD
    // Registered before anything of the processor is read: a host call made
    // while this editor is being built is queued behind the constructor.
    tarvo.getEditorLink()->open(*this);
    openPages(tarvo.getSignature(), tarvo.getSizeFlag());

    frontPanel->meter->ledResetRequest = false;

    // The stereo meter may have saved new settings since this instance was made.
    tarvo.reloadStoredDefaults();

    // The first editor of the process holds the poll role.
    pollRole.takeIfFree();
    fillBackPanelTexts();

    for (int index = 0; index < VyrTarvoMAudioProcessor::numParameters; ++index)
        updateControl(index, vyrkit::parameterValue(tarvo, index));

    startTimer(timerPeriodMs);
    tarvo.getEditorLink()->opened();
}

VyrTarvoMAudioProcessorEditor::~VyrTarvoMAudioProcessorEditor()
{
    JUCE_ASSERT_MESSAGE_THREAD
    tarvo.getEditorLink()->close();
    closePages();
    // Another open editor takes the role on its next tick.
    pollRole.giveUp();
}

void VyrTarvoMAudioProcessorEditor::paint(juce::Graphics&) {}

void VyrTarvoMAudioProcessorEditor::handleCommandMessage(int commandId)
{
    JUCE_ASSERT_MESSAGE_THREAD
    if (vyrkit::handleFrontPanelCommand(commandId, *frontPanel, tarvo))
        return;
    if (commandId == CommandId::showBackPanel)
    {
        showBackPanel(true);
    }
    else if (commandId == CommandId::showFrontPanel)
    {
        // The back-panel texts are not refreshed here; the poll owner does that.
        tarvo.reloadStoredDefaults();
        showFrontPanel(true);
    }
    // 4 is not assigned, and no control edits the settings 5..11.
}

void VyrTarvoMAudioProcessorEditor::updateControl(int index, float value)
{
    JUCE_ASSERT_MESSAGE_THREAD
    vyrkit::updateFrontPanelControl(index, value, *frontPanel, tarvo);
}

void VyrTarvoMAudioProcessorEditor::setSizeMode(const juce::String& trackName, int size)
{
    JUCE_ASSERT_MESSAGE_THREAD
    applySizeMode(trackName, size);
}

void VyrTarvoMAudioProcessorEditor::timerCallback()
{
    JUCE_ASSERT_MESSAGE_THREAD
    const bool wasOwner = pollRole.isOwner();
    // The lock is left before the poll, so the audio thread never waits for a
    // reread of the stored defaults either.
    updateIfCallbackLockFree([this] { updateMeter(); });
    if (pollRole.tick(wasOwner))
    {
        tarvo.reloadStoredDefaults();
        fillBackPanelTexts();
        backPanel->repaint();
    }
}

// Under the callback lock: everything read from the processor's meter state.
void VyrTarvoMAudioProcessorEditor::updateMeter()
{
    auto& meter = *frontPanel->meter;

    const float fraction = tarvo.getDisplayFraction(tarvo.nowInSeconds());
    tarvo.updateDisplayIndex();

    if (meter.holdResetRequest)
    {
        meter.holdResetRequest = false;
        tarvo.resetPeakHold();
    }

    const float level = tarvo.getDisplayLevel(fraction);
    const float hold = tarvo.getDisplayHold(fraction);

    const bool overCounted = tarvo.readOverCount() >= VyrTarvoMAudioProcessor::getOverCount();
    if (overCounted)
        tarvo.setOverCount(0.0);
    float led = overLed.next(overCounted, meter.ledState == -1);
    // A click on the meter puts out a latched LED; a new over still lights it.
    if (meter.ledResetRequest)
    {
        meter.ledResetRequest = false;
        led = vyrkit::OverLedLatch::afterResetClick(led);
    }

    meter.showHold = tarvo.getHoldMode() != 0.0f;
    meter.setValues(level, led, hold);
    meter.repaintNeedleAreas();
}

void VyrTarvoMAudioProcessorEditor::fillBackPanelTexts()
{
    for (size_t slot = 0; slot < backPanel->texts.size(); ++slot)
        backPanel->texts[slot] = tarvo.getSettingText(BackPanel::settingTextIndices[slot]);
}
} // namespace vyrtarvom
