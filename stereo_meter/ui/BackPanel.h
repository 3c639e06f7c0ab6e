#pragma once

#include "ButtonLooks.h"
#include "MeterBackPanel.h"
#include "SliderLooks.h"
#include "TarvoCommandIds.h"
#include "VyrSlider.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>

namespace vyrtarvo
{
// The settings page: seven knobs and switches and one toggle for the eight
// process-wide ballistics settings, over a background with their legends and
// scales, with the values of the four level and time settings written under
// their knobs. Every change is posted to the parent (the editor), which sets the
// setting and writes the value back with its updateControl. A press outside the
// controls asks the editor for the front panel.
class BackPanel : public vyrkit::MeterBackPanel<CommandId, 586>,
                  public juce::Slider::Listener,
                  public juce::Button::Listener
{
public:
    explicit BackPanel(std::atomic<int>* windowSizeFlag);
    ~BackPanel() override;

    void paint(juce::Graphics&) override;

    void sliderValueChanged(juce::Slider*) override;
    void buttonClicked(juce::Button*) override;

    // Where the value texts are written, and where the editor repaints them.
    static const juce::Rectangle<int> versionTextBox;
    static const juce::Rectangle<int> referenceTextBox;
    static const juce::Rectangle<int> integrationTextBox;
    static const juce::Rectangle<int> returnTextBox;
    static const juce::Rectangle<int> holdTextBox;

private:
    vyrkit::SliderRefLook refLook;
    vyrkit::SliderUniLook uniLook;
    vyrkit::SliderRefLEDLook refLedLook;
    vyrkit::SliderOverLEDLook overLedLook;
    vyrkit::ButtonOverLook overLook;
    vyrkit::SliderMidAttenLook midAttenLook;

public:
    // What the editor reaches to show the settings.
    juce::String referenceText;
    juce::String integrationText;
    juce::String holdText;
    juce::String returnText;

    std::unique_ptr<vyrkit::VyrSlider> referenceKnob;
    std::unique_ptr<vyrkit::VyrSlider> integrationKnob;
    std::unique_ptr<vyrkit::VyrSlider> holdKnob;
    std::unique_ptr<vyrkit::VyrSlider> returnKnob;
    std::unique_ptr<juce::Slider> overReferenceKnob;
    std::unique_ptr<juce::Slider> overCountKnob;
    std::unique_ptr<juce::ToggleButton> measureButton;
    std::unique_ptr<juce::Slider> midSwitch;

private:
    std::unique_ptr<vyrkit::VyrSlider> makeFineKnob(juce::Rectangle<int> bounds, double maximum, double interval,
                                                    juce::LookAndFeel& look, double doubleClickValue);
    std::unique_ptr<juce::Slider> makeKnob(juce::Slider::SliderStyle style, juce::Rectangle<int> bounds,
                                           double maximum, juce::LookAndFeel& look, double doubleClickValue);
    void postToEditor(int commandId);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(BackPanel)
};
} // namespace vyrtarvo
