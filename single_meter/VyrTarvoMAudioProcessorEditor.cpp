#include "VyrTarvoMAudioProcessorEditor.h"

#include "SafeNumbers.h"
#include "TarvoMCommandIds.h"
#include "TrimActiveDisplay.h"
#include "WindowSize.h"

namespace vyrtarvom
{
using vyrkit::truncToInt;

namespace
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
float parameterValue(VyrTarvoMAudioProcessor& p, int index) { return p.getParameter(index); }
juce::String parameterText(VyrTarvoMAudioProcessor& p, int index) { return p.getParameterText(index); }
void setParameterNotifyingHost(VyrTarvoMAudioProcessor& p, int index, float value)
{
    p.setParameterNotifyingHost(index, value);
}
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

constexpr int heightFor(int sizeFlag) noexcept
{
    return sizeFlag != 0 ? VyrTarvoMAudioProcessorEditor::largeHeight : VyrTarvoMAudioProcessorEditor::smallHeight;
}
} // namespace

VyrTarvoMAudioProcessorEditor::VyrTarvoMAudioProcessorEditor(VyrTarvoMAudioProcessor& p)
    : juce::AudioProcessorEditor(p), tarvo(p)
{
    JUCE_ASSERT_MESSAGE_THREAD
    // Registered before anything of the processor is read: a host call made
    // while this editor is being built is queued behind the constructor.
    tarvo.getEditorLink()->open(*this);
    auto& sizeFlag = tarvo.getSizeFlag();
    setLookAndFeel(&stockLook);
    setSize(width, heightFor(sizeFlag.load()));

    backPanel = std::make_unique<BackPanel>(&sizeFlag);
    addAndMakeVisible(*backPanel);
    backPanel->setOpaque(true);
    backPanel->setBounds(0, 0, backPanel->getWidth(), backPanel->getHeight());
    backPanel->setVisible(false);

    frontPanel = std::make_unique<FrontPanel>(tarvo.getSignature(), &sizeFlag);
    frontPanel->setOpaque(true);
    frontPanel->setBounds(0, 0, frontPanel->getWidth(), frontPanel->getHeight());
    addAndMakeVisible(*frontPanel);

    frontPanel->meter->ledResetRequest = false;
    overLatched = false;

    // The stereo meter may have saved new settings since this instance was made.
    tarvo.reloadStoredDefaults();

    // The first editor of the process holds the poll role.
    ownsPollRole = VyrTarvoMAudioProcessor::takePollRoleIfFree();
    if (ownsPollRole)
        pollTickCount = 0;
    fillBackPanelTexts();

    for (int index = 0; index < VyrTarvoMAudioProcessor::numParameters; ++index)
        updateControl(index, parameterValue(tarvo, index));

    startTimer(timerPeriodMs);
    tarvo.getEditorLink()->opened();
}

VyrTarvoMAudioProcessorEditor::~VyrTarvoMAudioProcessorEditor()
{
    JUCE_ASSERT_MESSAGE_THREAD
    tarvo.getEditorLink()->close();
    stopTimer();
    backPanel.reset();
    frontPanel.reset();
    // Another open editor takes the role on its next tick.
    if (ownsPollRole)
        VyrTarvoMAudioProcessor::releasePollRole();
    setLookAndFeel(nullptr);
}

void VyrTarvoMAudioProcessorEditor::paint(juce::Graphics&) {}

void VyrTarvoMAudioProcessorEditor::notifyParameter(int index, double value)
{
    setParameterNotifyingHost(tarvo, index, static_cast<float>(value));
}

void VyrTarvoMAudioProcessorEditor::handleCommandMessage(int commandId)
{
    JUCE_ASSERT_MESSAGE_THREAD
    auto& front = *frontPanel;
    switch (commandId)
    {
        case CommandId::hold:
            notifyParameter(VyrTarvoMAudioProcessor::holdParameter, front.holdSwitch->getValue() * 0.5);
            break;
        case CommandId::latency:
        {
            const int ms = front.latencyControl->valueMs;
            notifyParameter(VyrTarvoMAudioProcessor::latencyParameter,
                            ms > 999 ? 1.0f : static_cast<float>(ms) / 1000.0f);
            break;
        }
        case CommandId::trim:
            notifyParameter(VyrTarvoMAudioProcessor::trimParameter, (front.trimSlider->getValue() + 20.0) * 0.025);
            break;
        case CommandId::active:
            notifyParameter(VyrTarvoMAudioProcessor::activeParameter, front.activeButton->getToggleState() ? 1.0 : 0.0);
            break;
        case CommandId::signature:
            // The track name is the instance's own; the host is not told.
            tarvo.setSignature(front.trackNameBox->getText());
            break;
        case CommandId::trimText:
        {
            // The leading number of the typed text; none (or "nan", "inf") is 0 dB.
            const float db = juce::jlimit(-20.0f, 20.0f, vyrkit::parseLeadingFloat(front.trimLabel->getText()));
            notifyParameter(VyrTarvoMAudioProcessor::trimParameter, (static_cast<double>(db) + 20.0) * 0.025);
            break;
        }
        case CommandId::showBackPanel:
            showBackPanel();
            break;
        case CommandId::showFrontPanel:
            // The back-panel texts are not refreshed here; the poll owner does that.
            tarvo.reloadStoredDefaults();
            showFrontPanel();
            break;
        default:
            // 4 is not assigned, and no control edits the settings 5..11.
            break;
    }
}

void VyrTarvoMAudioProcessorEditor::showBackPanel()
{
    backPanel->setBounds(backPanel->getX(), backPanel->getY(), width, heightFor(tarvo.getSizeFlag().load()));
    frontPanel->toBack();
    backPanel->toFront(true);
    frontPanel->setVisible(false);
    backPanel->setVisible(true);
}

void VyrTarvoMAudioProcessorEditor::showFrontPanel()
{
    frontPanel->setVisible(true);
    frontPanel->repaint();
    backPanel->setVisible(false);
    frontPanel->toFront(true);
    backPanel->toBack();
    repaint();
}

// Controls are set without notification, so nothing is posted back.
void VyrTarvoMAudioProcessorEditor::updateControl(int index, float value)
{
    JUCE_ASSERT_MESSAGE_THREAD
    auto& front = *frontPanel;
    const auto quiet = juce::dontSendNotification;
    switch (index)
    {
        case VyrTarvoMAudioProcessor::holdParameter:
            front.holdSwitch->setValue(truncToInt(static_cast<double>(value * 2.0f) + 0.5), quiet);
            break;
        case VyrTarvoMAudioProcessor::latencyParameter:
            front.latencyControl->setValue(static_cast<float>(truncToInt(static_cast<double>(value * 1000.0f) + 0.5)), 0);
            break;
        case VyrTarvoMAudioProcessor::trimParameter:
            front.trimSlider->setValue(truncToInt(static_cast<double>(value * 400.0f) + 0.5) * 0.1 - 20.0, quiet);
            front.trimLabel->setText(parameterText(tarvo, VyrTarvoMAudioProcessor::trimParameter), quiet);
            break;
        case VyrTarvoMAudioProcessor::activeParameter:
            vyrkit::showTrimActive(*front.activeButton, front.getTrimLook(), *front.trimSlider, tarvo.getTrimEnabled());
            front.trimLabel->setText(parameterText(tarvo, VyrTarvoMAudioProcessor::trimParameter), quiet);
            break;
        default:
            break;
    }
}

void VyrTarvoMAudioProcessorEditor::setSizeMode(const juce::String& trackName, int size)
{
    JUCE_ASSERT_MESSAGE_THREAD
    if (size == 0)
        vyrkit::endEditingForSmallWindow(*frontPanel);
    frontPanel->trackNameBox->setText(trackName);
    // The strip shows the new name even when the window keeps its height.
    frontPanel->trackNameBox->repaint();

    const int height = heightFor(size);
    setSize(width, height);
    frontPanel->setSize(width, height);
    backPanel->setSize(width, height);
    frontPanel->getPlusLook().smallWindow = size == 0;
}

void VyrTarvoMAudioProcessorEditor::timerCallback()
{
    JUCE_ASSERT_MESSAGE_THREAD
    // The audio thread is never waited for: a busy lock leaves the needle where
    // it is for one tick. The lock is left before the poll, so the audio thread
    // never waits for a reread of the stored defaults either.
    if (tarvo.getCallbackLock().tryEnter())
    {
        updateMeter();
        tarvo.getCallbackLock().exit();
    }
    pollStoredDefaults(ownsPollRole);
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

    float led = overLedState();
    // A click on the meter puts out a latched LED; a new over still lights it.
    if (meter.ledResetRequest)
    {
        meter.ledResetRequest = false;
        if (led == 0.0f)
            led = -1.0f;
    }

    meter.showHold = tarvo.getHoldMode() != 0.0f;
    meter.setValues(level, led, hold);
    meter.repaintNeedleAreas();
}

// 1 (lit) when enough over samples have been counted, which starts the latch;
// otherwise 0 (dim) while latched, -1 (off) when not. The latch ends once the
// meter has shown the LED off, after a reset click.
float VyrTarvoMAudioProcessorEditor::overLedState()
{
    if (tarvo.readOverCount() >= VyrTarvoMAudioProcessor::getOverCount())
    {
        tarvo.setOverCount(0.0);
        overLatched = true;
        return 1.0f;
    }
    if (frontPanel->meter->ledState == -1)
        overLatched = false;
    return overLatched ? 0.0f : -1.0f;
}

// The poll owner rereads the stored defaults on every 501st tick. An editor that
// finds the role free takes it, and starts counting on its next tick.
void VyrTarvoMAudioProcessorEditor::pollStoredDefaults(bool wasOwner)
{
    if (! ownsPollRole && VyrTarvoMAudioProcessor::takePollRoleIfFree())
    {
        pollTickCount = 0;
        ownsPollRole = true;
    }
    if (! wasOwner)
        return;
    if (pollTickCount < VyrTarvoMAudioProcessor::pollTicksBetweenReloads)
    {
        ++pollTickCount;
        return;
    }
    tarvo.reloadStoredDefaults();
    pollTickCount = 0;
    fillBackPanelTexts();
    backPanel->repaint();
}

void VyrTarvoMAudioProcessorEditor::fillBackPanelTexts()
{
    for (size_t slot = 0; slot < backPanel->texts.size(); ++slot)
        backPanel->texts[slot] = tarvo.getSettingText(BackPanel::settingTextIndices[slot]);
}
} // namespace vyrtarvom
