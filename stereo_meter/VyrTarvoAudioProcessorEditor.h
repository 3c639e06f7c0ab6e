#pragma once

#include "BackPanel.h"
#include "EndEditing.h"
#include "FrontPanel.h"
#include "VyrTarvoAudioProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

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
// Everything here runs on the message thread: the processor queues the calls of
// host threads there.
class VyrTarvoAudioProcessorEditor : public juce::AudioProcessorEditor, public juce::Timer
{
public:
    static constexpr int width = 586;
    static constexpr int largeHeight = 205;
    static constexpr int smallHeight = 167;
    static constexpr int timerPeriodMs = 30;

    explicit VyrTarvoAudioProcessorEditor(VyrTarvoAudioProcessor& processor);
    ~VyrTarvoAudioProcessorEditor() override;

    // Pink shows where no panel covers the window.
    void paint(juce::Graphics& g) override;
    void handleCommandMessage(int commandId) override;

    // Moves the control of a host parameter (0..4) or setting (6..13) to a value;
    // other indices do nothing.
    void updateControl(int index, float value);
    // Applies a restored track name and window size.
    void setSizeMode(const juce::String& trackName, int size);

    // The display tick.
    void timerCallback() override;

    FrontPanel& getFrontPanel() noexcept { return *frontPanel; }
    BackPanel& getBackPanel() noexcept { return *backPanel; }
    bool isLeftOverLatched() const noexcept { return leftOverLatched; }
    bool isRightOverLatched() const noexcept { return rightOverLatched; }

private:
    void notifyParameter(int index, double value);
    void changeMeasurementMode();
    void showBackPanel();
    void showFrontPanel();
    void updateMeters();
    void followOtherInstances();
    float overLedState(int channel, const vyrkit::COldVuMeter2& meter, bool& latched);

    VyrTarvoAudioProcessor& tarvo;
    // Controls without a look of their own get the older stock look; it outlives
    // the panels and is detached before it goes.
    juce::LookAndFeel_V2 stockLook;
    std::unique_ptr<BackPanel> backPanel;
    std::unique_ptr<FrontPanel> frontPanel;
    // A press anywhere in the window ends the editing of the track name and
    // latency elsewhere, also on controls that take no keyboard focus.
    vyrkit::EditingEndsOnPressElsewhere pressesElsewhere { *this };
    bool leftOverLatched = false;
    bool rightOverLatched = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrTarvoAudioProcessorEditor)
};
} // namespace vyrtarvo
