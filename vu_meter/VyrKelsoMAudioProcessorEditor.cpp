#include "VyrKelsoMAudioProcessorEditor.h"

#include "KelsoCommandIds.h"
#include "SafeNumbers.h"
#include "TrimActiveDisplay.h"
#include "WindowSize.h"

namespace vyrkelsom
{
using vyrkit::truncToInt;

namespace
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
float parameterValue(VyrKelsoMAudioProcessor& p, int index) { return p.getParameter(index); }
juce::String parameterText(VyrKelsoMAudioProcessor& p, int index) { return p.getParameterText(index); }
void setParameterNotifyingHost(VyrKelsoMAudioProcessor& p, int index, float value)
{
    p.setParameterNotifyingHost(index, value);
}
JUCE_END_IGNORE_WARNINGS_GCC_LIKE
} // namespace

VyrKelsoMAudioProcessorEditor::VyrKelsoMAudioProcessorEditor(VyrKelsoMAudioProcessor& p)
    : juce::AudioProcessorEditor(p), kelso(p)
{
    JUCE_ASSERT_MESSAGE_THREAD
    // Registered before anything of the processor is read: a host call made
    // while this editor is being built, and the face repaints of the reread
    // below, are queued behind the constructor.
    kelso.getEditorLink()->open(*this);
    auto& sizeFlag = kelso.getSizeFlag();
    setLookAndFeel(&stockLook);
    setSize(width, sizeFlag.load() != 0 ? largeHeight : smallHeight);

    backPanel = std::make_unique<BackPanel>(&sizeFlag);
    addAndMakeVisible(*backPanel);
    backPanel->setOpaque(true);
    backPanel->setBounds(0, 0, backPanel->getWidth(), backPanel->getHeight());
    backPanel->setVisible(false);

    frontPanel = std::make_unique<FrontPanel>(kelso.getSignature(), &sizeFlag);
    addAndMakeVisible(*frontPanel);
    frontPanel->setOpaque(true);
    frontPanel->setBounds(0, 0, frontPanel->getWidth(), frontPanel->getHeight());

    // A latched LED until the first tick puts it out.
    frontPanel->meter->setValues(0.0f, 0.0f, 0.0f, 0.0f);

    kelso.reloadStoredDefaults();

    ownsPollRole = false;
    if (VyrKelsoMAudioProcessor::takePollRoleIfFree())
    {
        pollTickCount = 0;
        ownsPollRole = true;
    }

    fillBackPanelTexts();

    for (int index = 0; index < VyrKelsoMAudioProcessor::numParameters; ++index)
        updateControl(index, parameterValue(kelso, index));
    for (int index = CommandId::vuType; index <= CommandId::showFrontPanel; ++index)
        updateControl(index, index <= CommandId::measurementMode
                                 ? VyrKelsoMAudioProcessor::getGlobalSetting(index - CommandId::vuType)
                                 : 0.0f);

    frontPanel->repaint();
    startTimer(timerPeriodMs);
    kelso.getEditorLink()->opened();
}

VyrKelsoMAudioProcessorEditor::~VyrKelsoMAudioProcessorEditor()
{
    JUCE_ASSERT_MESSAGE_THREAD
    kelso.getEditorLink()->close();
    stopTimer();
    frontPanel.reset();
    backPanel.reset();
    // Another open editor takes the role on its next tick.
    if (ownsPollRole)
        VyrKelsoMAudioProcessor::releasePollRole();
    setLookAndFeel(nullptr);
}

void VyrKelsoMAudioProcessorEditor::paint(juce::Graphics& g)
{
    g.fillAll(juce::Colours::pink);
}

void VyrKelsoMAudioProcessorEditor::notifyParameter(int index, double value)
{
    setParameterNotifyingHost(kelso, index, static_cast<float>(value));
}

void VyrKelsoMAudioProcessorEditor::handleCommandMessage(int commandId)
{
    JUCE_ASSERT_MESSAGE_THREAD
    auto& front = *frontPanel;
    switch (commandId)
    {
        case CommandId::hold:
            // Positions 0, 1, 2 send 0, 0.5, 1.
            notifyParameter(VyrKelsoMAudioProcessor::holdParameter, front.holdSwitch->getValue() * 0.5);
            break;
        case CommandId::latency:
        {
            const int ms = front.latencyControl->valueMs;
            notifyParameter(VyrKelsoMAudioProcessor::latencyParameter,
                            ms > 999 ? 1.0f : static_cast<float>(ms) / 1000.0f);
            break;
        }
        case CommandId::trim:
            notifyParameter(VyrKelsoMAudioProcessor::trimParameter, (front.trimSlider->getValue() + 20.0) * 0.025);
            break;
        case CommandId::active:
            notifyParameter(VyrKelsoMAudioProcessor::activeParameter, front.activeButton->getToggleState() ? 1.0 : 0.0);
            break;
        case CommandId::signature:
            // The track name is the instance's own; the host is not told.
            kelso.setSignature(front.trackNameBox->getText());
            break;
        case CommandId::trimText:
        {
            // The leading number of the typed text; none (or "nan", "inf") is 0 dB.
            const float db = juce::jlimit(-20.0f, 20.0f, vyrkit::parseLeadingFloat(front.trimLabel->getText()));
            notifyParameter(VyrKelsoMAudioProcessor::trimParameter, (static_cast<double>(db) + 20.0) * 0.025);
            break;
        }
        case CommandId::showBackPanel:
            showBackPanel();
            break;
        case CommandId::showFrontPanel:
            // The back-panel texts are refreshed by the poll, not here.
            kelso.reloadStoredDefaults();
            showFrontPanel();
            break;
        default:
            // 4 is not assigned, and no widget edits the settings 5..12.
            break;
    }
}

void VyrKelsoMAudioProcessorEditor::showBackPanel()
{
    const auto* flag = backPanel->getSizeFlag();
    backPanel->setBounds(backPanel->getX(), backPanel->getY(), width,
                         flag->load() != 0 ? largeHeight : smallHeight);
    frontPanel->toBack();
    backPanel->toFront(true);
    frontPanel->setVisible(false);
    backPanel->setVisible(true);
}

void VyrKelsoMAudioProcessorEditor::showFrontPanel()
{
    frontPanel->setVisible(true);
    frontPanel->repaint();
    backPanel->setVisible(false);
    frontPanel->toFront(true);
    backPanel->toBack();
    repaint();
}

// Controls are set without notification, so nothing is posted back.
void VyrKelsoMAudioProcessorEditor::updateControl(int index, float value)
{
    JUCE_ASSERT_MESSAGE_THREAD
    auto& front = *frontPanel;
    const auto quiet = juce::dontSendNotification;
    switch (index)
    {
        case 0:
            front.holdSwitch->setValue(truncToInt(static_cast<double>(value * 2.0f) + 0.5), quiet);
            front.repaint();
            front.meter->repaint();
            break;
        case 1:
            front.latencyControl->setValue(static_cast<float>(truncToInt(static_cast<double>(value * 1000.0f) + 0.5)), 0);
            break;
        case 2:
            front.trimSlider->setValue(truncToInt(static_cast<double>(value * 400.0f) + 0.5) * 0.1 - 20.0, quiet);
            front.trimLabel->setText(parameterText(kelso, 2), quiet);
            break;
        case 3:
            vyrkit::showTrimActive(*front.activeButton, front.getTrimLook(), *front.trimSlider, kelso.getTrimEnabled());
            front.trimLabel->setText(parameterText(kelso, 2), quiet);
            break;
        case 8:
            // The face follows the stored setting; the value is not used.
            paintMeterFace();
            break;
        default:
            break;
    }
}

// The face of the backlight step becomes part of the background, so later paints
// cost one image as before.
void VyrKelsoMAudioProcessorEditor::paintMeterFace()
{
    const float backlight = VyrKelsoMAudioProcessor::getGlobalSetting(3);
    faceRow = juce::jlimit(0, FrontPanel::faceRows - 1, truncToInt(static_cast<double>(backlight * 4.0f) + 0.5));
    frontPanel->paintFaceRow(faceRow);
}

void VyrKelsoMAudioProcessorEditor::setSizeMode(const juce::String& trackName, int size)
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

void VyrKelsoMAudioProcessorEditor::timerCallback()
{
    JUCE_ASSERT_MESSAGE_THREAD
    const bool wasOwner = ownsPollRole;
    // The audio thread is never waited for: a busy lock skips the meter for one
    // tick. The lock is left before the settings store is read, so the audio
    // thread never waits for that either.
    if (kelso.getCallbackLock().tryEnter())
    {
        updateMeter();
        kelso.getCallbackLock().exit();
    }
    pollStoredDefaults(wasOwner);
}

// Under the callback lock: everything read from the processor's meter state.
void VyrKelsoMAudioProcessorEditor::updateMeter()
{
    auto& meter = *frontPanel->meter;

    const float fraction = kelso.getDisplayFraction(kelso.nowInSeconds());
    kelso.updateDisplayIndex();

    if (meter.holdResetRequest)
    {
        meter.holdResetRequest = false;
        kelso.resetPeakHold(fraction);
    }

    const float level = kelso.getDisplayLevel(fraction);
    const float hold = kelso.getDisplayHold(fraction);
    const int holdMode = truncToInt(static_cast<double>(parameterValue(kelso, 0) * 2.0f) + 0.5);

    // Lit when enough over samples were counted, which starts the latch; then the
    // latched look until the meter has shown the LED off after a click.
    float led = -1.0f;
    if (kelso.readOverCount() >= VyrKelsoMAudioProcessor::getOverCountLimit())
    {
        kelso.setOverCount(0.0);
        led = 1.0f;
        overLatched = true;
    }
    else
    {
        if (meter.ledState == -1.0f)
            overLatched = false;
        led = overLatched ? 0.0f : -1.0f;
    }

    // A click puts out a latched LED; a lit one stays lit.
    if (meter.ledResetRequest)
    {
        meter.ledResetRequest = false;
        if (led == 0.0f)
            led = -1.0f;
    }

    meter.setValues(level, hold, static_cast<float>(holdMode), led);
    meter.repaintNeedleAreas();
}

void VyrKelsoMAudioProcessorEditor::pollStoredDefaults(bool wasOwner)
{
    // A free role is taken here, but counting starts on the next tick.
    if (! VyrKelsoMAudioProcessor::isPollRoleTaken() && VyrKelsoMAudioProcessor::takePollRoleIfFree())
    {
        pollTickCount = 0;
        ownsPollRole = true;
    }
    if (! wasOwner)
        return;
    if (pollTickCount < pollTicks)
    {
        ++pollTickCount;
        return;
    }
    kelso.reloadStoredDefaults();
    pollTickCount = 0;
    fillBackPanelTexts();
    backPanel->repaint();
}

void VyrKelsoMAudioProcessorEditor::fillBackPanelTexts()
{
    auto& back = *backPanel;
    back.referenceText = kelso.getSettingText(CommandId::referenceLevel);
    back.integrationText = kelso.getSettingText(CommandId::integrationTime);
    back.holdTimeText = kelso.getSettingText(CommandId::holdTime);
    back.needleTypeText = kelso.getSettingText(CommandId::vuType);
    back.overReferenceText = kelso.getSettingText(CommandId::overReference);
    back.overCountText = kelso.getSettingText(CommandId::overCount);
    back.measurementText = kelso.getSettingText(CommandId::measurementMode);
}
} // namespace vyrkelsom
