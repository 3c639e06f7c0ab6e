#include "BackPanel.h"

#include "FilmStrip.h"
#include "PostToEditor.h"
#include "VyrTarvoArt.h"

namespace vyrtarvo
{
const juce::Rectangle<int> BackPanel::versionTextBox { 280, 84, 110, 14 };
const juce::Rectangle<int> BackPanel::referenceTextBox { 14, 73, 62, 14 };
const juce::Rectangle<int> BackPanel::integrationTextBox { 132, 72, 52, 14 };
const juce::Rectangle<int> BackPanel::returnTextBox { 187, 147, 52, 14 };
const juce::Rectangle<int> BackPanel::holdTextBox { 75, 147, 52, 14 };

BackPanel::BackPanel(std::atomic<int>* windowSizeFlag)
    : MeterBackPanel(windowSizeFlag,
                     vyrkit::decodeEmbeddedImage(vyrtarvo_art::back_panel_png, vyrtarvo_art::back_panel_pngSize))
{
    // The knobs drag in whole units, and in their interval with Shift.
    referenceKnob = makeFineKnob({ 24, 34, 43, 41 }, 24.0, 0.1, refLook, 12.0);
    integrationKnob = makeFineKnob({ 136, 33, 43, 41 }, 20.0, 0.25, uniLook, 10.0);
    holdKnob = makeFineKnob({ 80, 109, 43, 41 }, 20.0, 0.25, uniLook, 10.0);
    returnKnob = makeFineKnob({ 192, 109, 43, 41 }, 20.0, 0.25, uniLook, 13.0);

    overReferenceKnob = makeKnob(juce::Slider::RotaryVerticalDrag, { 418, 33, 43, 41 }, 3.0, refLedLook, 3.0);
    // Four positions want a shorter drag than the default 250 pixels.
    overReferenceKnob->setMouseDragSensitivity(static_cast<int>(250 * 0.48));
    overCountKnob = makeKnob(juce::Slider::RotaryVerticalDrag, { 475, 109, 43, 41 }, 9.0, overLedLook, 2.0);

    measureButton = std::make_unique<juce::ToggleButton>(juce::String());
    measureButton->setClickingTogglesState(true);
    // A button with focus would click on Return; the page has nothing to type into.
    measureButton->setWantsKeyboardFocus(false);
    measureButton->setBounds(532, 10, 54, 97);
    measureButton->addListener(this);
    measureButton->setLookAndFeel(&overLook);
    addAndMakeVisible(*measureButton);

    midSwitch = makeKnob(juce::Slider::LinearHorizontal, { 200, 34, 70, 67 }, 2.0, midAttenLook, 0.0);
}

BackPanel::~BackPanel()
{
    referenceKnob.reset();
    integrationKnob.reset();
    holdKnob.reset();
    returnKnob.reset();
    overReferenceKnob.reset();
    overCountKnob.reset();
    measureButton.reset();
    midSwitch.reset();
}

std::unique_ptr<vyrkit::VyrSlider> BackPanel::makeFineKnob(juce::Rectangle<int> bounds, double maximum,
                                                           double interval, juce::LookAndFeel& look,
                                                           double doubleClickValue)
{
    auto knob = std::make_unique<vyrkit::VyrSlider>(1.0);
    knob->setSliderStyle(juce::Slider::RotaryVerticalDrag);
    // After the style, so that the drag extents are those of a rotary knob.
    knob->setBoundsAndDragExtents(bounds.getX(), bounds.getY(), bounds.getWidth(), bounds.getHeight());
    knob->setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    knob->setFineRange(0.0, maximum, interval);
    knob->setLookAndFeel(&look);
    knob->setDoubleClickReturnValue(true, doubleClickValue, juce::ModifierKeys());
    addAndMakeVisible(*knob);
    knob->addListener(this);
    return knob;
}

std::unique_ptr<juce::Slider> BackPanel::makeKnob(juce::Slider::SliderStyle style, juce::Rectangle<int> bounds,
                                                  double maximum, juce::LookAndFeel& look, double doubleClickValue)
{
    auto knob = std::make_unique<juce::Slider>();
    knob->setSliderStyle(style);
    knob->setBounds(bounds);
    knob->setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    knob->setRange(0.0, maximum, 1.0);
    knob->setLookAndFeel(&look);
    knob->setDoubleClickReturnValue(true, doubleClickValue, juce::ModifierKeys());
    addAndMakeVisible(*knob);
    knob->addListener(this);
    return knob;
}

void BackPanel::paint(juce::Graphics& g)
{
    // The value texts sit centred under their knobs, like the version text.
    paintPage(g, versionTextBox);
    const auto drawValue = [&g](const juce::String& text, juce::Rectangle<int> box) {
        g.drawFittedText(text, box, juce::Justification::centredBottom, 1, 0.7f);
    };
    drawValue(referenceText, referenceTextBox);
    drawValue(integrationText, integrationTextBox);
    drawValue(returnText, returnTextBox);
    drawValue(holdText, holdTextBox);
}

void BackPanel::sliderValueChanged(juce::Slider* slider)
{
    if (slider == referenceKnob.get())
        postToEditor(CommandId::referenceLevel);
    else if (slider == integrationKnob.get())
        postToEditor(CommandId::integrationTime);
    else if (slider == holdKnob.get())
        postToEditor(CommandId::holdTime);
    else if (slider == returnKnob.get())
        postToEditor(CommandId::returnTime);
    else if (slider == overCountKnob.get())
        postToEditor(CommandId::overCount);
    else if (slider == overReferenceKnob.get())
        postToEditor(CommandId::overReference);
    else if (slider == midSwitch.get())
        postToEditor(CommandId::midAttenuation);
}

void BackPanel::buttonClicked(juce::Button* button)
{
    if (button == measureButton.get())
        postToEditor(CommandId::measurementMode);
}

void BackPanel::postToEditor(int commandId)
{
    vyrkit::postToEditor(*this, commandId);
}
} // namespace vyrtarvo
