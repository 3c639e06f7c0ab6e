#include "VyrTarvoAudioProcessorEditor.h"

#include "FrontPanelDispatch.h"
#include "HostParameterAccess.h"
#include "SafeNumbers.h"
#include "TarvoCommandIds.h"
#include "TarvoSettings.h"

namespace vyrtarvo
{
using vyrkit::truncToInt;

namespace
{
// The value boxes lie partly outside the rectangles that carry their texts'
// middle; repainting both leaves nothing of an old, wider text behind.
void repaintValueText(juce::Component& panel, juce::Rectangle<int> area, juce::Rectangle<int> textBox)
{
    panel.repaint(area.getUnion(textBox));
}
} // namespace

VyrTarvoAudioProcessorEditor::VyrTarvoAudioProcessorEditor(VyrTarvoAudioProcessor& p)
    : vyrkit::TwoPageEditor<FrontPanel, BackPanel>(p), tarvo(p)
{
    JUCE_ASSERT_MESSAGE_THREAD
    // Registered before anything of the processor is read: a host call made
    // while this editor is being built is queued behind the constructor.
    tarvo.getEditorLink()->open(*this);
    openPages(tarvo.getSignature(), tarvo.getSizeFlag());

    frontPanel->leftMeter->ledResetRequest = false;
    frontPanel->rightMeter->ledResetRequest = false;

    for (int index = 0; index < VyrTarvoAudioProcessor::numParameters; ++index)
        updateControl(index, vyrkit::parameterValue(tarvo, index));
    for (int index = 6; index <= 13; ++index)
        updateControl(index, VyrTarvoAudioProcessor::getGlobalSetting(index - 6));

    startTimer(timerPeriodMs);
    tarvo.getEditorLink()->opened();
}

VyrTarvoAudioProcessorEditor::~VyrTarvoAudioProcessorEditor()
{
    JUCE_ASSERT_MESSAGE_THREAD
    tarvo.getEditorLink()->close();
    closePages();
}

// Positions become normalised values in double precision; the factors are the
// product's own, so the reference knob at 24 stores 0.999984 and the over
// reference at 3 stores 0.999. The constants of the reference, the integration
// time and the over reference are single-precision literals.
void VyrTarvoAudioProcessorEditor::handleCommandMessage(int commandId)
{
    JUCE_ASSERT_MESSAGE_THREAD
    if (vyrkit::handleFrontPanelCommand(commandId, *frontPanel, tarvo))
        return;
    auto& front = *frontPanel;
    auto& back = *backPanel;
    switch (commandId)
    {
        case CommandId::lrms:
            vyrkit::setParameterNotifyingHost(tarvo, VyrTarvoAudioProcessor::lrmsParameter,
                                              front.lrmsButton->getToggleState() ? 1.0 : 0.0);
            break;
        case CommandId::referenceLevel:
            tarvo.setGlobalSetting(6, static_cast<float>(back.referenceKnob->getValue() * 0.041666f));
            break;
        case CommandId::integrationTime:
            tarvo.setGlobalSetting(7, static_cast<float>(back.integrationKnob->getValue() * 0.05f));
            break;
        case CommandId::holdTime:
            tarvo.setGlobalSetting(8, static_cast<float>(back.holdKnob->getValue() * 0.05));
            break;
        case CommandId::returnTime:
            tarvo.setGlobalSetting(9, static_cast<float>(back.returnKnob->getValue() * 0.05));
            break;
        case CommandId::overCount:
            tarvo.setGlobalSetting(10, static_cast<float>(back.overCountKnob->getValue() / 9.0));
            break;
        case CommandId::overReference:
            tarvo.setGlobalSetting(11, static_cast<float>(back.overReferenceKnob->getValue() * 0.333f));
            break;
        case CommandId::midAttenuation:
            tarvo.setGlobalSetting(12, static_cast<float>(back.midSwitch->getValue() * 0.5));
            break;
        case CommandId::measurementMode:
            changeMeasurementMode();
            break;
        case CommandId::showBackPanel:
            showBackPanel(false);
            break;
        case CommandId::showFrontPanel:
            VyrTarvoAudioProcessor::saveStoredDefaults();
            showFrontPanel(false);
            break;
        default:
            break;
    }
}

// Pressing the button into the state the setting already has changes nothing,
// not even the change counter.
void VyrTarvoAudioProcessorEditor::changeMeasurementMode()
{
    const float mode = backPanel->measureButton->getToggleState() ? 1.0f : 0.0f;
    if (mode == VyrTarvoAudioProcessor::getGlobalSetting(7))
        return;
    tarvo.setGlobalSetting(13, mode);
    tarvo.updateProcessingRate();
}

// Controls are set without notification, so nothing is posted back.
void VyrTarvoAudioProcessorEditor::updateControl(int index, float value)
{
    JUCE_ASSERT_MESSAGE_THREAD
    if (vyrkit::updateFrontPanelControl(index, value, *frontPanel, tarvo))
        return;
    auto& front = *frontPanel;
    auto& back = *backPanel;
    const auto quiet = juce::dontSendNotification;
    switch (index)
    {
        case 1:
        {
            const bool on = truncToInt(static_cast<double>(value) + 0.5) != 0;
            front.lrmsButton->setToggleState(on, quiet);
            front.faceImage = on ? front.msFaceImage : front.lrFaceImage;
            front.repaint();
            break;
        }
        // The four level and time settings show the stored (quantised) value.
        case 6:
            back.referenceKnob->setValue(VyrTarvoAudioProcessor::getGlobalSetting(0) * 24.0, quiet);
            back.referenceText = VyrTarvoAudioProcessor::getSettingText(6);
            repaintValueText(back, { 24, 67, 44, 20 }, BackPanel::referenceTextBox);
            break;
        case 7:
            back.integrationKnob->setValue(VyrTarvoAudioProcessor::getGlobalSetting(1) * 20.0, quiet);
            back.integrationText = VyrTarvoAudioProcessor::getSettingText(7);
            repaintValueText(back, { 137, 70, 40, 20 }, BackPanel::integrationTextBox);
            break;
        case 8:
            back.holdKnob->setValue(VyrTarvoAudioProcessor::getGlobalSetting(2) * 20.0, quiet);
            back.holdText = VyrTarvoAudioProcessor::getSettingText(8);
            repaintValueText(back, { 84, 145, 35, 20 }, BackPanel::holdTextBox);
            break;
        case 9:
            back.returnKnob->setValue(VyrTarvoAudioProcessor::getGlobalSetting(3) * 20.0, quiet);
            back.returnText = VyrTarvoAudioProcessor::getSettingText(9);
            repaintValueText(back, { 196, 145, 35, 20 }, BackPanel::returnTextBox);
            break;
        case 10:
            back.overCountKnob->setValue(value * 9.0f, quiet);
            break;
        case 11:
            back.overReferenceKnob->setValue(value * 3.0f, quiet);
            break;
        case 12:
            back.midSwitch->setValue(truncToInt(static_cast<double>(value * 2.0f) + 0.5), quiet);
            break;
        case 13:
            back.measureButton->setToggleState(value > 0.5f, quiet);
            break;
        default:
            break;
    }
}

void VyrTarvoAudioProcessorEditor::timerCallback()
{
    JUCE_ASSERT_MESSAGE_THREAD
    // Host parameters that host threads changed since the last tick.
    tarvo.applyPendingParameterChanges();
    // The audio thread is never waited for: a busy lock skips the meters for one
    // tick. The lock is left before the meters are set and before the back panel
    // is refreshed, so the audio thread never waits for either.
    readIfCallbackLockFreeThenShow([this] { return readMeters(); },
                                   [this](const MeterReadings& readings) { showMeters(readings); });
    followOtherInstances();
}

// Under the callback lock: everything read from the processor's meter state,
// copied and nothing more.
VyrTarvoAudioProcessorEditor::MeterReadings VyrTarvoAudioProcessorEditor::readMeters()
{
    auto& left = *frontPanel->leftMeter;
    auto& right = *frontPanel->rightMeter;

    const float fraction = tarvo.getDisplayFraction(tarvo.nowInSeconds());
    tarvo.updateDisplayIndex();

    if (left.holdResetRequest || right.holdResetRequest)
    {
        left.holdResetRequest = false;
        right.holdResetRequest = false;
        tarvo.resetPeakHold();
    }

    MeterReadings readings;
    readings[0].level = tarvo.getDisplayLevel(0, fraction);
    readings[1].level = tarvo.getDisplayLevel(1, fraction);
    readings[0].hold = tarvo.getDisplayHold(0, fraction);
    readings[1].hold = tarvo.getDisplayHold(1, fraction);

    // An over lights its LED once: the count is cleared as it is taken.
    const double overLimit = processWideSettings().overCount.load();
    readings[0].overCounted = vyrkit::takeOver(tarvo, overLimit, 0);
    readings[1].overCounted = vyrkit::takeOver(tarvo, overLimit, 1);
    return readings;
}

// Once the lock is left: the LEDs, the meters and their repaint.
void VyrTarvoAudioProcessorEditor::showMeters(const MeterReadings& readings)
{
    auto& left = *frontPanel->leftMeter;
    auto& right = *frontPanel->rightMeter;

    float leftLed = leftOverLed.next(readings[0].overCounted, left.ledState == -1);
    float rightLed = rightOverLed.next(readings[1].overCounted, right.ledState == -1);

    // A click on either meter puts out a latched LED on both; a new over still lights.
    if (left.ledResetRequest || right.ledResetRequest)
    {
        left.ledResetRequest = false;
        right.ledResetRequest = false;
        leftLed = vyrkit::OverLedLatch::afterResetClick(leftLed);
        rightLed = vyrkit::OverLedLatch::afterResetClick(rightLed);
    }

    const bool showHold = tarvo.getHoldMode() != 0.0f;
    left.showHold = showHold;
    right.showHold = showHold;

    left.setValues(readings[0].level, leftLed, readings[0].hold);
    right.setValues(readings[1].level, rightLed, readings[1].hold);
    right.repaintNeedleAreas();
    left.repaintNeedleAreas();
}

// Settings changed by another instance (or this one) since the last refresh.
void VyrTarvoAudioProcessorEditor::followOtherInstances()
{
    const int counter = VyrTarvoAudioProcessor::getGlobalChangeCounter();
    if (tarvo.shownChangeCount >= counter)
        return;
    for (int index = 6; index <= 13; ++index)
        updateControl(index, VyrTarvoAudioProcessor::getGlobalSetting(index - 6));
    tarvo.shownChangeCount = counter;
}
} // namespace vyrtarvo
