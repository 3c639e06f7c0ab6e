#pragma once

#include "ButtonLooks.h"
#include "LatencyControl.h"
#include "ManualLink.h"
#include "SliderLooks.h"
#include "VuNeedleMeter.h"
#include "VyrBox.h"
#include "VyrSlider.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>

namespace vyrkelsom
{
// The VU meter's main page: the background with the lit meter face (which the
// editor paints into backgroundImage for the chosen backlight), the needle
// meter, and the controls of the four host parameters, the track name, the
// window size and the manual. The controls post their command ids to the parent
// (the editor), which changes the processor and moves the controls back with its
// updateControl. Two buttons act here: the help button opens the manual, and the
// size button flips the processor's window-size flag and resizes the editor and
// this panel. A press in the lower-left corner, outside every control, asks for
// the back panel.
class FrontPanel : public juce::Component,
                   public juce::Slider::Listener,
                   public juce::Button::Listener,
                   public juce::Label::Listener
{
public:
    static constexpr int width = 320;
    static constexpr int largeHeight = 205;
    static constexpr int smallHeight = 167;

    // Where the meter face lies in the background, and the size of one face in
    // the strip.
    static constexpr int faceX = 12, faceY = 16, faceWidth = 250, faceHeight = 122;
    static constexpr int faceRows = 5;

    // The click area (outside every control) that asks for the back panel.
    static bool isBackPanelClick(juce::Point<int> position) noexcept;

    FrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag);
    ~FrontPanel() override;

    void paint(juce::Graphics&) override;
    void mouseDown(const juce::MouseEvent&) override;

    void sliderValueChanged(juce::Slider*) override;
    void buttonClicked(juce::Button*) override;
    void labelTextChanged(juce::Label*) override;

    // Paints face row 0..4 of the strip into the background (clamped to the rows
    // the strip holds) and repaints the panel.
    void paintFaceRow(int row);

private:
    // The looks are constructed first and outlive the controls that use them.
    vyrkit::SliderHoldLook holdLook;
    vyrkit::ButtonHelpLook helpLook;
    vyrkit::ButtonPlusLook plusLook;
    vyrkit::SliderTrimLook trimLook;
    vyrkit::ButtonActiveLook activeLook;

    std::atomic<int>* sizeFlag;

public:
    // What the editor reaches to show the processor's values.
    vyrkit::SliderTrimLook& getTrimLook() noexcept { return trimLook; }
    vyrkit::ButtonPlusLook& getPlusLook() noexcept { return plusLook; }

    juce::Image backgroundImage;
    juce::Image faceStrip;

    std::unique_ptr<COldVuMeter2> meter;
    std::unique_ptr<juce::ToggleButton> helpButton;
    std::unique_ptr<juce::Slider> holdSwitch;
    std::unique_ptr<juce::ToggleButton> sizeButton;
    std::unique_ptr<vyrkit::ManualLink> manualFile; // the manual's file, read once
    std::unique_ptr<vyrkit::VyrSlider> trimSlider;
    std::unique_ptr<juce::Label> trimLabel;
    std::unique_ptr<juce::ToggleButton> activeButton;
    std::unique_ptr<vyrkit::LatencyControl> latencyControl;
    std::unique_ptr<vyrkit::VyrBox> trackNameBox;

private:
    void postToEditor(int commandId);
    void toggleWindowSize();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(FrontPanel)
};
} // namespace vyrkelsom
