#pragma once

#include "BackPanel.h"
#include "FrontPanel.h"
#include "OverLedLatch.h"
#include "PolledSettingsEditor.h"
#include "VyrKelsoMAudioProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace vyrkelsom
{
// The VU meter's window: the front panel (needle meter and parameter controls)
// and the read-only back panel (settings), one visible at a time. Every control
// posts a command id here, and handleCommandMessage turns it into a
// host-notifying parameter change, the track name or a page switch. The other
// way, updateControl moves a control to a processor value without notifying it,
// and paints the meter face of the backlight setting into the front panel's
// background. A 20 ms timer feeds the needle meter from the processor's read-out
// whenever the callback lock is free. One editor in the process holds the poll
// role: it rereads the settings store every 501st tick and refreshes its
// back-panel texts (the kit's PolledSettingsEditor).
//
// Everything here runs on the message thread: host parameters that host threads
// change are shown at the next tick, and the processor queues its other calls
// of host threads there.
class VyrKelsoMAudioProcessorEditor
    : public vyrkit::PolledSettingsEditor<FrontPanel, BackPanel, VyrKelsoMAudioProcessor>
{
public:
    static constexpr int timerPeriodMs = 20;
    // The poll owner counts this many ticks and rereads on the next one.
    static constexpr int pollTicks = 500;

    explicit VyrKelsoMAudioProcessorEditor(VyrKelsoMAudioProcessor& processor);
    ~VyrKelsoMAudioProcessorEditor() override;

    // Moves the control of a host parameter (0..3) to a value, or repaints the
    // meter face for the backlight setting (8); other indices do nothing.
    void updateControl(int index, float value);

    bool isOverLatched() const noexcept { return overLed.isLatched(); }
    bool holdsPollRole() const noexcept { return pollRole.isOwner(); }
    // The face row painted last (0..4), -1 before the first.
    int getFaceRow() const noexcept { return faceRow; }

private:
    vyrkit::NeedleReading readMeter() override;
    void showMeter(const vyrkit::NeedleReading& reading) override;
    void fillBackPanelTexts() override;
    void paintMeterFace();

    VyrKelsoMAudioProcessor& kelso;
    vyrkit::OverLedLatch overLed;
    int faceRow = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrKelsoMAudioProcessorEditor)
};
} // namespace vyrkelsom
