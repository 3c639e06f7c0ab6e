#include "VyrTarvoMAudioProcessorEditor.h"

#include "FrontPanelDispatch.h"
#include "HostParameterAccess.h"
#include "OverLedTick.h"

namespace vyrtarvom
{
VyrTarvoMAudioProcessorEditor::VyrTarvoMAudioProcessorEditor(VyrTarvoMAudioProcessor& p)
    : PolledSettingsEditor(p, VyrTarvoMAudioProcessor::pollTicksBetweenReloads), tarvo(p)
{
    JUCE_ASSERT_MESSAGE_THREAD
    // Registered before anything of the processor is read: a host call made
    // while this editor is being built is queued behind the constructor.
    tarvo.getEditorLink()->open(*this);
    openPages(tarvo.getSignature(), tarvo.getSizeFlag());

    frontPanel->meter->ledResetRequest = false;

    // The stereo meter may have saved new settings since this instance was made;
    // the first editor of the process holds the poll role.
    showStoredSettings();

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
}

void VyrTarvoMAudioProcessorEditor::paint(juce::Graphics&) {}

void VyrTarvoMAudioProcessorEditor::updateControl(int index, float value)
{
    JUCE_ASSERT_MESSAGE_THREAD
    vyrkit::updateFrontPanelControl(index, value, *frontPanel, tarvo);
}

// Under the callback lock: everything read from the processor's meter state,
// copied and nothing more.
vyrkit::NeedleReading VyrTarvoMAudioProcessorEditor::readMeter()
{
    auto& meter = *frontPanel->meter;

    const float fraction = tarvo.getDisplayFraction(tarvo.nowInSeconds());
    tarvo.updateDisplayIndex();

    if (meter.holdResetRequest)
    {
        meter.holdResetRequest = false;
        tarvo.resetPeakHold();
    }

    vyrkit::NeedleReading reading;
    reading.level = tarvo.getDisplayLevel(fraction);
    reading.hold = tarvo.getDisplayHold(fraction);
    reading.overCounted = vyrkit::takeOver(tarvo, VyrTarvoMAudioProcessor::getOverCount());
    return reading;
}

// Once the lock is left: the meter and its repaint.
void VyrTarvoMAudioProcessorEditor::showMeter(const vyrkit::NeedleReading& reading)
{
    auto& meter = *frontPanel->meter;

    // A click on the meter puts out a latched LED; a new over still lights it.
    const float led = vyrkit::overLedTick(reading.overCounted, meter, overLed);

    meter.showHold = tarvo.getHoldMode() != 0.0f;
    meter.setValues(reading.level, led, reading.hold);
    meter.repaintNeedleAreas();
}

void VyrTarvoMAudioProcessorEditor::fillBackPanelTexts()
{
    for (size_t slot = 0; slot < backPanel->texts.size(); ++slot)
        backPanel->texts[slot] = tarvo.getSettingText(BackPanel::settingTextIndices[slot]);
}
} // namespace vyrtarvom
