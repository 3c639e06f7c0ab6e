#pragma once

#include "BackPanel.h"
#include "FrontPanel.h"
#include "NeedleReading.h"
#include "OverLedLatch.h"
#include "TwoPageEditor.h"
#include "VyrTarvoAudioProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

namespace vyrtarvo
{
// The stereo meter's window: the front panel (meters and parameter controls) and
// the back panel (settings), one visible at a time. Every control posts a command
// id here, and handleCommandMessage turns it into a host-notifying parameter
// change, a setting change, the track name or a page switch. The other way,
// updateControl moves a control to a processor value without notifying it.
// A 30 ms timer feeds the meters from the processor's read-out whenever the
// callback lock is free, and follows setting changes made by other instances.
//
// Everything here runs on the message thread: host parameters that host threads
// change are shown at the next tick, and the processor queues its other calls
// of host threads there.
class VyrTarvoAudioProcessorEditor : public vyrkit::TwoPageEditor<FrontPanel, BackPanel>
{
public:
    static constexpr int timerPeriodMs = 30;

    explicit VyrTarvoAudioProcessorEditor(VyrTarvoAudioProcessor& processor);
    ~VyrTarvoAudioProcessorEditor() override;

    void handleCommandMessage(int commandId) override;

    // Moves the control of a host parameter (0..4) or setting (6..13) to a value;
    // other indices do nothing.
    void updateControl(int index, float value);

    // The display tick.
    void timerCallback() override;

    bool isLeftOverLatched() const noexcept { return leftOverLed.isLatched(); }
    bool isRightOverLatched() const noexcept { return rightOverLed.isLatched(); }

private:
    // What a tick copies out of the read-out for channel 0 and channel 1.
    using MeterReadings = std::array<vyrkit::NeedleReading, 2>;

    void changeMeasurementMode();
    MeterReadings readMeters();
    void showMeters(const MeterReadings& readings);
    void followOtherInstances();

    VyrTarvoAudioProcessor& tarvo;
    vyrkit::OverLedLatch leftOverLed;
    vyrkit::OverLedLatch rightOverLed;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrTarvoAudioProcessorEditor)
};
} // namespace vyrtarvo
