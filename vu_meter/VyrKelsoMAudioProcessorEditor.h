#pragma once

#include "BackPanel.h"
#include "EndEditing.h"
#include "FrontPanel.h"
#include "VyrKelsoMAudioProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

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
// back-panel texts.
//
// Everything here runs on the message thread: the processor queues the calls of
// host threads there.
class VyrKelsoMAudioProcessorEditor : public juce::AudioProcessorEditor, public juce::Timer
{
public:
    static constexpr int width = 320;
    static constexpr int largeHeight = 205;
    static constexpr int smallHeight = 167;
    static constexpr int timerPeriodMs = 20;
    // The poll owner counts this many ticks and rereads on the next one.
    static constexpr int pollTicks = 500;

    explicit VyrKelsoMAudioProcessorEditor(VyrKelsoMAudioProcessor& processor);
    ~VyrKelsoMAudioProcessorEditor() override;

    // The two opaque panels cover the window; pink shows where they do not.
    void paint(juce::Graphics& g) override;
    void handleCommandMessage(int commandId) override;

    // Moves the control of a host parameter (0..3) to a value, or repaints the
    // meter face for the backlight setting (8); other indices do nothing.
    void updateControl(int index, float value);
    // Applies a restored track name and window size.
    void setSizeMode(const juce::String& trackName, int size);

    // The display tick.
    void timerCallback() override;

    FrontPanel& getFrontPanel() noexcept { return *frontPanel; }
    BackPanel& getBackPanel() noexcept { return *backPanel; }
    bool isOverLatched() const noexcept { return overLatched; }
    bool holdsPollRole() const noexcept { return ownsPollRole; }
    int getPollTickCount() const noexcept { return pollTickCount; }
    // The face row painted last (0..4), -1 before the first.
    int getFaceRow() const noexcept { return faceRow; }

private:
    void notifyParameter(int index, double value);
    void showBackPanel();
    void showFrontPanel();
    void updateMeter();
    void pollStoredDefaults(bool wasOwner);
    void fillBackPanelTexts();
    void paintMeterFace();

    VyrKelsoMAudioProcessor& kelso;
    // Controls without a look of their own get the older stock look; it outlives
    // the panels and is detached before it goes.
    juce::LookAndFeel_V2 stockLook;
    std::unique_ptr<BackPanel> backPanel;
    std::unique_ptr<FrontPanel> frontPanel;
    // A press anywhere in the window ends the editing of the track name and
    // latency elsewhere, also on controls that take no keyboard focus.
    vyrkit::EditingEndsOnPressElsewhere pressesElsewhere { *this };
    bool ownsPollRole = false;
    int pollTickCount = 0;
    bool overLatched = false;
    int faceRow = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrKelsoMAudioProcessorEditor)
};
} // namespace vyrkelsom
