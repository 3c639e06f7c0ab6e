#include "VyrTarvoAudioProcessorEditor.h"

#include "SafeNumbers.h"
#include "TarvoCommandIds.h"
#include "TarvoSettings.h"
#include "TrimActiveDisplay.h"
#include "WindowSize.h"

namespace vyrtarvo
{
using vyrkit::truncToInt;

namespace
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
float parameterValue(VyrTarvoAudioProcessor& p, int index) { return p.getParameter(index); }
juce::String parameterText(VyrTarvoAudioProcessor& p, int index) { return p.getParameterText(index); }
void setParameterNotifyingHost(VyrTarvoAudioProcessor& p, int index, float value)
{
    p.setParameterNotifyingHost(index, value);
}
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

// The value boxes lie partly outside the rectangles that carry their texts'
// middle; repainting both leaves nothing of an old, wider text behind.
void repaintValueText(juce::Component& panel, juce::Rectangle<int> area, juce::Rectangle<int> textBox)
{
    panel.repaint(area.getUnion(textBox));
}
} // namespace

VyrTarvoAudioProcessorEditor::VyrTarvoAudioProcessorEditor(VyrTarvoAudioProcessor& p)
    : juce::AudioProcessorEditor(p), tarvo(p)
{
    JUCE_ASSERT_MESSAGE_THREAD
    // Registered before anything of the processor is read: a host call made
    // while this editor is being built is queued behind the constructor.
    tarvo.getEditorLink()->open(*this);
    auto& sizeFlag = tarvo.getSizeFlag();
    setLookAndFeel(&stockLook);
    setSize(width, sizeFlag.load() != 0 ? largeHeight : smallHeight);

    backPanel = std::make_unique<BackPanel>(&sizeFlag);
    addAndMakeVisible(*backPanel);
    backPanel->setOpaque(true);
    backPanel->setBounds(0, 0, backPanel->getWidth(), backPanel->getHeight());
    backPanel->setVisible(false);

    frontPanel = std::make_unique<FrontPanel>(tarvo.getSignature(), &sizeFlag);
    frontPanel->setOpaque(true);
    frontPanel->setTopLeftPosition(0, 0);
    addAndMakeVisible(*frontPanel);

    frontPanel->leftMeter->ledResetRequest = false;
    frontPanel->rightMeter->ledResetRequest = false;
    leftOverLatched = false;
    rightOverLatched = false;

    for (int index = 0; index < VyrTarvoAudioProcessor::numParameters; ++index)
        updateControl(index, parameterValue(tarvo, index));
    for (int index = 6; index <= 13; ++index)
        updateControl(index, VyrTarvoAudioProcessor::getGlobalSetting(index - 6));

    startTimer(timerPeriodMs);
    tarvo.getEditorLink()->opened();
}

VyrTarvoAudioProcessorEditor::~VyrTarvoAudioProcessorEditor()
{
    JUCE_ASSERT_MESSAGE_THREAD
    tarvo.getEditorLink()->close();
    stopTimer();
    backPanel.reset();
    frontPanel.reset();
    setLookAndFeel(nullptr);
}

void VyrTarvoAudioProcessorEditor::paint(juce::Graphics& g)
{
    g.fillAll(juce::Colours::pink);
}

void VyrTarvoAudioProcessorEditor::notifyParameter(int index, double value)
{
    setParameterNotifyingHost(tarvo, index, static_cast<float>(value));
}

// Positions become normalised values in double precision; the factors are the
// product's own, so the reference knob at 24 stores 0.999984 and the over
// reference at 3 stores 0.999. The constants of the reference, the integration
// time and the over reference are single-precision literals.
void VyrTarvoAudioProcessorEditor::handleCommandMessage(int commandId)
{
    JUCE_ASSERT_MESSAGE_THREAD
    auto& front = *frontPanel;
    auto& back = *backPanel;
    switch (commandId)
    {
        case CommandId::hold:
            notifyParameter(VyrTarvoAudioProcessor::holdParameter, front.holdSwitch->getValue() * 0.5);
            break;
        case CommandId::lrms:
            notifyParameter(VyrTarvoAudioProcessor::lrmsParameter, front.lrmsButton->getToggleState() ? 1.0 : 0.0);
            break;
        case CommandId::latency:
        {
            const int ms = front.latencyControl->valueMs;
            notifyParameter(VyrTarvoAudioProcessor::latencyParameter,
                            ms > 999 ? 1.0f : static_cast<float>(ms) / 1000.0f);
            break;
        }
        case CommandId::trim:
            notifyParameter(VyrTarvoAudioProcessor::trimParameter, (front.trimSlider->getValue() + 20.0) * 0.025);
            break;
        case CommandId::active:
            notifyParameter(VyrTarvoAudioProcessor::activeParameter, front.activeButton->getToggleState() ? 1.0 : 0.0);
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
        case CommandId::signature:
            // The track name is the instance's own; the host is not told.
            tarvo.setSignature(front.trackNameBox->getText());
            break;
        case CommandId::trimText:
        {
            // The leading number of the typed text; none (or "nan", "inf") is 0 dB.
            const float db = juce::jlimit(-20.0f, 20.0f, vyrkit::parseLeadingFloat(front.trimLabel->getText()));
            notifyParameter(VyrTarvoAudioProcessor::trimParameter, (static_cast<double>(db) + 20.0) * 0.025);
            break;
        }
        case CommandId::showBackPanel:
            showBackPanel();
            break;
        case CommandId::showFrontPanel:
            VyrTarvoAudioProcessor::saveStoredDefaults();
            showFrontPanel();
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

void VyrTarvoAudioProcessorEditor::showBackPanel()
{
    backPanel->setBounds(backPanel->getX(), backPanel->getY(), width,
                         tarvo.getSizeFlag().load() != 0 ? largeHeight : smallHeight);
    frontPanel->toBack();
    backPanel->toFront(false);
    frontPanel->setVisible(false);
    backPanel->setVisible(true);
}

void VyrTarvoAudioProcessorEditor::showFrontPanel()
{
    frontPanel->setVisible(true);
    frontPanel->repaint();
    backPanel->setVisible(false);
    frontPanel->toFront(false);
    backPanel->toBack();
    repaint();
}

// Controls are set without notification, so nothing is posted back.
void VyrTarvoAudioProcessorEditor::updateControl(int index, float value)
{
    JUCE_ASSERT_MESSAGE_THREAD
    auto& front = *frontPanel;
    auto& back = *backPanel;
    const auto quiet = juce::dontSendNotification;
    switch (index)
    {
        case 0:
            front.holdSwitch->setValue(truncToInt(static_cast<double>(value * 2.0f) + 0.5), quiet);
            break;
        case 1:
        {
            const bool on = truncToInt(static_cast<double>(value) + 0.5) != 0;
            front.lrmsButton->setToggleState(on, quiet);
            front.faceImage = on ? front.msFaceImage : front.lrFaceImage;
            front.repaint();
            break;
        }
        case 2:
            front.latencyControl->setValue(static_cast<float>(truncToInt(static_cast<double>(value * 1000.0f) + 0.5)), 0);
            break;
        case 3:
            front.trimSlider->setValue(truncToInt(static_cast<double>(value * 400.0f) + 0.5) * 0.1 - 20.0, quiet);
            front.trimLabel->setText(parameterText(tarvo, 3), quiet);
            break;
        case 4:
            vyrkit::showTrimActive(*front.activeButton, front.getTrimLook(), *front.trimSlider, tarvo.getTrimEnabled());
            front.trimLabel->setText(parameterText(tarvo, 3), quiet);
            break;
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

void VyrTarvoAudioProcessorEditor::setSizeMode(const juce::String& trackName, int size)
{
    JUCE_ASSERT_MESSAGE_THREAD
    if (size == 0)
        vyrkit::endEditingForSmallWindow(*frontPanel);
    frontPanel->trackNameBox->setText(trackName);
    // The strip shows the new name even when the window keeps its height.
    frontPanel->trackNameBox->repaint();

    const int height = size != 0 ? largeHeight : smallHeight;
    setSize(width, height);
    frontPanel->setSize(width, height);
    backPanel->setSize(width, height);
    frontPanel->getPlusLook().smallWindow = size == 0;
}

void VyrTarvoAudioProcessorEditor::timerCallback()
{
    JUCE_ASSERT_MESSAGE_THREAD
    // The audio thread is never waited for: a busy lock skips the meters for one
    // tick. The lock is left before the back panel is refreshed, so the audio
    // thread never waits for that either.
    if (tarvo.getCallbackLock().tryEnter())
    {
        updateMeters();
        tarvo.getCallbackLock().exit();
    }
    followOtherInstances();
}

// Under the callback lock: everything read from the processor's meter state.
void VyrTarvoAudioProcessorEditor::updateMeters()
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

    const float leftLevel = tarvo.getDisplayLevel(0, fraction);
    const float rightLevel = tarvo.getDisplayLevel(1, fraction);
    const float leftHold = tarvo.getDisplayHold(0, fraction);
    const float rightHold = tarvo.getDisplayHold(1, fraction);

    float leftLed = overLedState(0, left, leftOverLatched);
    float rightLed = overLedState(1, right, rightOverLatched);

    // A click on either meter puts out a latched LED on both; a new over still lights.
    if (left.ledResetRequest || right.ledResetRequest)
    {
        left.ledResetRequest = false;
        right.ledResetRequest = false;
        if (leftLed == 0.0f)
            leftLed = -1.0f;
        if (rightLed == 0.0f)
            rightLed = -1.0f;
    }

    const bool showHold = tarvo.getHoldMode() != 0.0f;
    left.showHold = showHold;
    right.showHold = showHold;

    left.setValues(leftLevel, leftLed, leftHold);
    right.setValues(rightLevel, rightLed, rightHold);
    right.repaintNeedleAreas();
    left.repaintNeedleAreas();
}

// 1 (lit) when the channel has counted enough over samples, which starts the
// latch; otherwise 0 (dim) while latched, -1 (off) when not. The latch ends once
// the meter has shown the LED off, after a reset click.
float VyrTarvoAudioProcessorEditor::overLedState(int channel, const vyrkit::COldVuMeter2& meter, bool& latched)
{
    if (tarvo.readOverCount(channel) >= processWideSettings().overCount.load())
    {
        tarvo.setOverCount(channel, 0.0);
        latched = true;
        return 1.0f;
    }
    if (meter.ledState == -1)
        latched = false;
    return latched ? 0.0f : -1.0f;
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
