#include "VyrKelsoMAudioProcessorEditor.h"

#include "FrontPanelDispatch.h"
#include "HostParameterAccess.h"
#include "KelsoCommandIds.h"
#include "OverLedTick.h"
#include "SafeNumbers.h"

namespace vyrkelsom
{
using vyrkit::truncToInt;

VyrKelsoMAudioProcessorEditor::VyrKelsoMAudioProcessorEditor(VyrKelsoMAudioProcessor& p)
    : PolledSettingsEditor(p, pollTicks), kelso(p)
{
    JUCE_ASSERT_MESSAGE_THREAD
    // Registered before anything of the processor is read: a host call made
    // while this editor is being built, and the face repaints of the reread
    // below, are queued behind the constructor.
    kelso.getEditorLink()->open(*this);
    openPages(kelso.getSignature(), kelso.getSizeFlag());

    // A latched LED until the first tick puts it out.
    frontPanel->meter->setValues(0.0f, 0.0f, 0.0f, 0.0f);

    showStoredSettings();

    for (int index = 0; index < VyrKelsoMAudioProcessor::numParameters; ++index)
        updateControl(index, vyrkit::parameterValue(kelso, index));
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
    closePages();
}

// Controls are set without notification, so nothing is posted back.
void VyrKelsoMAudioProcessorEditor::updateControl(int index, float value)
{
    JUCE_ASSERT_MESSAGE_THREAD
    if (vyrkit::updateFrontPanelControl(index, value, *frontPanel, kelso))
    {
        // The hold switch and the needle meter's hold tick are drawn anew.
        if (index == CommandId::hold)
        {
            frontPanel->repaint();
            frontPanel->meter->repaint();
        }
    }
    else if (index == CommandId::backlight)
    {
        // The face follows the stored setting; the value is not used.
        paintMeterFace();
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

// Under the callback lock: everything read from the processor's meter state,
// copied and nothing more.
vyrkit::NeedleReading VyrKelsoMAudioProcessorEditor::readMeter()
{
    auto& meter = *frontPanel->meter;

    const float fraction = kelso.getDisplayFraction(kelso.nowInSeconds());
    kelso.updateDisplayIndex();

    if (meter.holdResetRequest)
    {
        meter.holdResetRequest = false;
        kelso.resetPeakHold(fraction);
    }

    vyrkit::NeedleReading reading;
    reading.level = kelso.getDisplayLevel(fraction);
    reading.hold = kelso.getDisplayHold(fraction);
    reading.overCounted = vyrkit::takeOver(kelso, VyrKelsoMAudioProcessor::getOverCountLimit());
    return reading;
}

// Once the lock is left: the meter and its repaint.
void VyrKelsoMAudioProcessorEditor::showMeter(const vyrkit::NeedleReading& reading)
{
    auto& meter = *frontPanel->meter;
    const int holdMode = truncToInt(static_cast<double>(vyrkit::parameterValue(kelso, 0) * 2.0f) + 0.5);

    // A click puts out a latched LED; a lit one stays lit.
    const float led = vyrkit::overLedTick(reading.overCounted, meter, overLed);

    meter.setValues(reading.level, reading.hold, static_cast<float>(holdMode), led);
    meter.repaintNeedleAreas();
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
