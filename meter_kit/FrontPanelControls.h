#pragma once

#include "ButtonLooks.h"
#include "LatencyControl.h"
#include "ManualLink.h"
#include "SliderLooks.h"
#include "VyrBox.h"
#include "VyrSlider.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>

namespace vyrkit
{
// Where a meter's front panel places the controls that every front panel has.
struct FrontPanelLayout
{
    // The places of every meter's windows: the controls keep their distance to
    // the window's right edge, the track-name strip runs from x 17 to 63 pixels
    // short of it, and the back-panel click area lies below y 141.
    static FrontPanelLayout alongRightEdge(int width, int smallHeight, int largeHeight, int backPanelClickLeft,
                                           int backPanelClickRight) noexcept;

    int width;
    int smallHeight;
    int largeHeight;

    juce::Rectangle<int> holdSwitch;
    juce::Rectangle<int> helpButton;
    juce::Rectangle<int> sizeButton;
    juce::Rectangle<int> trimSlider; // the slider's area; its drag extents follow from it
    juce::Rectangle<int> trimLabel;
    juce::Rectangle<int> activeButton;
    juce::Rectangle<int> latencyControl;
    juce::Rectangle<int> trackNameBox; // also the strip's text area
    int trackNameMaxTextWidth;

    // A press below backPanelClickTop with x from backPanelClickLeft to
    // backPanelClickRight, outside every control, asks for the back panel.
    int backPanelClickTop;
    int backPanelClickLeft;
    int backPanelClickRight;

    bool isBackPanelClick(juce::Point<int> position) const noexcept
    {
        return position.y > backPanelClickTop && position.x >= backPanelClickLeft && position.x <= backPanelClickRight;
    }
};

// The command ids that these controls post to the editor (the panel's parent).
// The hold, latency, trim and Active ids are the indices of their host
// parameters.
struct FrontPanelCommands
{
    int hold;
    int latency;
    int trim;
    int active;
    int signature;
    int trimText;
    int showBackPanel;
};

// The part of a front panel that every meter has: the hold switch, the help and
// size buttons, the trim slider with its typed-in label, the Active button, the
// latency entry, the track-name strip and the manual link, with their looks. The
// controls post their command ids to the parent (the editor), which changes the
// processor and moves the controls back. Two buttons act here: the help button
// opens the manual, and the size button flips the processor's window-size flag
// and resizes the editor and the panel.
//
// The meter's own panel derives from this, adds its needle meters and whatever
// else it shows first, then calls addSharedControls, and paints its background
// with paintBackground.
class FrontPanelControls : public juce::Component,
                           public juce::Button::Listener,
                           public juce::Slider::Listener,
                           public juce::Label::Listener
{
public:
    // Takes the panel's size from the flag and builds the controls; they become
    // children in addSharedControls.
    FrontPanelControls(const FrontPanelLayout& layout, const FrontPanelCommands& commands,
                       const juce::String& trackName, const juce::Image& markerImage,
                       std::atomic<int>* windowSizeFlag);
    ~FrontPanelControls() override;

    void mouseDown(const juce::MouseEvent&) override;

    void buttonClicked(juce::Button*) override;
    void sliderValueChanged(juce::Slider*) override;
    void labelTextChanged(juce::Label*) override;

private:
    // The looks are constructed first and outlive the controls that use them.
    SliderHoldLook holdLook;
    ButtonHelpLook helpLook;
    ButtonPlusLook plusLook;
    SliderTrimLook trimLook;
    ButtonActiveLook activeLook;

    const FrontPanelLayout panelLayout;
    const FrontPanelCommands panelCommands;

protected:
    std::atomic<int>* const sizeFlag;

public:
    // The ids the controls post; the editor answers them.
    const FrontPanelCommands& getCommands() const noexcept { return panelCommands; }

    // What the editor reaches to show the processor's values.
    SliderTrimLook& getTrimLook() noexcept { return trimLook; }
    ButtonPlusLook& getPlusLook() noexcept { return plusLook; }

    std::unique_ptr<juce::Slider> holdSwitch;
    std::unique_ptr<juce::ToggleButton> helpButton;
    std::unique_ptr<ManualLink> manualFile; // the manual's file, read once
    std::unique_ptr<juce::ToggleButton> sizeButton;
    std::unique_ptr<VyrSlider> trimSlider;
    std::unique_ptr<juce::Label> trimLabel;
    std::unique_ptr<juce::ToggleButton> activeButton;
    std::unique_ptr<LatencyControl> latencyControl;
    std::unique_ptr<VyrBox> trackNameBox;

protected:
    // Adds the controls as visible children, above those the panel added before,
    // in the order hold, help, size, trim, trim label, Active, latency, track
    // name; a control that the panel has added itself already keeps its place.
    void addSharedControls();
    // Draws the top of the image at its own size: 167 rows in the small window,
    // 205 in the large one, nothing for a size flag other than 0 and 1.
    void paintBackground(juce::Graphics& g, const juce::Image& image);
    void postToEditor(int commandId);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(FrontPanelControls)
};

// JUCE 7's buttons want the keyboard focus and click on Return; image buttons
// must leave the focus with the track-name strip and the latency entry.
void makeImageButton(juce::ToggleButton& button, juce::LookAndFeel& look, juce::Rectangle<int> bounds);
} // namespace vyrkit
