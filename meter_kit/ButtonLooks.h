#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>

namespace vyrkit
{
// Look-and-feels that draw a toggle button from a two-frame film strip (frame 0
// off or normal, frame 1 on or highlighted). They ignore the button-down flag,
// the enabled state and the button's text. Like the slider looks they are owned
// by their panels and are not DeletedAtShutdown objects.

// Help button: frame 1 while the mouse is over it, drawn unscaled at the top left.
class ButtonHelpLook : public juce::LookAndFeel_V1
{
public:
    static constexpr int frameHeight = 11;

    ButtonHelpLook();
    ~ButtonHelpLook() override;

    void drawToggleButton(juce::Graphics&, juce::ToggleButton&, bool shouldDrawButtonAsHighlighted,
                          bool shouldDrawButtonAsDown) override;

protected:
    juce::Image filmStrip;
};

// Window-size button: like the help button, from one of two strips according to
// the window's current height.
class ButtonPlusLook : public juce::LookAndFeel_V1
{
public:
    static constexpr int frameHeight = 11;

    ButtonPlusLook();
    ~ButtonPlusLook() override;

    // True while the window has its small height. Written by the front panel
    // and by the editor's size change, which a state restore can run on a host
    // thread while the message thread paints.
    std::atomic<bool> smallWindow { true };

    void drawToggleButton(juce::Graphics&, juce::ToggleButton&, bool shouldDrawButtonAsHighlighted,
                          bool shouldDrawButtonAsDown) override;

protected:
    juce::Image smallWindowStrip;
    juce::Image largeWindowStrip;
};

// Base of the three looks whose frame is the button's toggle state.
class ToggleStateLook : public juce::LookAndFeel_V1
{
public:
    void drawToggleButton(juce::Graphics&, juce::ToggleButton&, bool shouldDrawButtonAsHighlighted,
                          bool shouldDrawButtonAsDown) override;

protected:
    ToggleStateLook(juce::Image strip, int frameHeight);

    // Where the frame goes, in the button's coordinates.
    virtual juce::Rectangle<int> destination(const juce::ToggleButton&) const = 0;

    juce::Image filmStrip;
    int drawnState = 0; // the toggle state of the last paint, 0 or 1

private:
    int frameHeight;
};

// LR/MS switch: frame 1 for mid/side, unscaled at the top left.
class ButtonLRMSLook : public ToggleStateLook
{
public:
    static constexpr int frameHeight = 24;
    ButtonLRMSLook();
    ~ButtonLRMSLook() override;

protected:
    juce::Rectangle<int> destination(const juce::ToggleButton&) const override;
};

// Measurement-mode button: frame 1 for the oversampled measurement, scaled to
// the whole button.
class ButtonOverLook : public ToggleStateLook
{
public:
    static constexpr int frameHeight = 97;
    ButtonOverLook();
    ~ButtonOverLook() override;

protected:
    juce::Rectangle<int> destination(const juce::ToggleButton&) const override;
};

// Active button: frame 1 while the trim is active, scaled to the whole button.
class ButtonActiveLook : public ToggleStateLook
{
public:
    static constexpr int frameHeight = 14;
    ButtonActiveLook();
    ~ButtonActiveLook() override;

protected:
    juce::Rectangle<int> destination(const juce::ToggleButton&) const override;
};
} // namespace vyrkit
