#pragma once

#include "BackPanel.h"
#include "FrontPanel.h"
#include "OverLedLatch.h"
#include "PolledSettingsEditor.h"
#include "VyrTarvoMAudioProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace vyrtarvom
{
// The single-channel meter's window: the front panel (meter and parameter
// controls) and the read-only back panel (settings), one visible at a time.
// Every control posts a command id here, and handleCommandMessage turns it into
// a host-notifying parameter change, the track name or a page switch. The other
// way, updateControl moves a control to a processor value without notifying it.
//
// A 30 ms timer feeds the meter from the processor's read-out whenever the
// callback lock is free. The settings come from the stereo meter's stored
// defaults, which it may save at any time; one editor in the process (the poll
// owner) rereads them every 501st tick and shows them on its back panel (the
// kit's PolledSettingsEditor).
//
// Everything here runs on the message thread: host parameters that host threads
// change are shown at the next tick, and the processor queues its other calls
// of host threads there.
class VyrTarvoMAudioProcessorEditor
    : public vyrkit::PolledSettingsEditor<FrontPanel, BackPanel, VyrTarvoMAudioProcessor>
{
public:
    static constexpr int timerPeriodMs = 30;

    explicit VyrTarvoMAudioProcessorEditor(VyrTarvoMAudioProcessor& processor);
    ~VyrTarvoMAudioProcessorEditor() override;

    // The two opaque panels cover the window; nothing is drawn here.
    void paint(juce::Graphics& g) override;

    // Moves the control of a host parameter (0..3) to a value; other indices do
    // nothing.
    void updateControl(int index, float value);

    bool isOverLatched() const noexcept { return overLed.isLatched(); }
    bool ownsThePollRole() const noexcept { return pollRole.isOwner(); }

private:
    vyrkit::NeedleReading readMeter() override;
    void showMeter(const vyrkit::NeedleReading& reading) override;
    void fillBackPanelTexts() override;

    VyrTarvoMAudioProcessor& tarvo;
    vyrkit::OverLedLatch overLed;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrTarvoMAudioProcessorEditor)
};
} // namespace vyrtarvom
