#include "FrontPanelControls.h"

#include "PagePainting.h"
#include "PostToEditor.h"
#include "TrackNameFont.h"
#include "WindowSize.h"

namespace vyrkit
{
FrontPanelLayout FrontPanelLayout::alongRightEdge(int width, int smallHeight, int largeHeight,
                                                  int backPanelClickLeft, int backPanelClickRight) noexcept
{
    return {
        width,
        smallHeight,
        largeHeight,
        { width - 144, 142, 86, 24 }, // hold switch
        { width - 12, 0, 16, 14 },    // help button
        { width - 12, 152, 16, 14 },  // size button
        { width - 48, 15, 32, 126 },  // trim slider
        { width - 53, 140, 42, 15 },  // trim label
        { width - 55, 0, 43, 14 },    // Active button
        { width - 57, 167, 54, 40 },  // latency entry
        { 17, 167, width - 80, 39 },  // track-name strip
        width - 90,                   // widest track name
        141,
        backPanelClickLeft,
        backPanelClickRight,
    };
}

void makeImageButton(juce::ToggleButton& button, juce::LookAndFeel& look, juce::Rectangle<int> bounds)
{
    button.setWantsKeyboardFocus(false);
    button.setBounds(bounds);
    button.setLookAndFeel(&look);
}

FrontPanelControls::FrontPanelControls(const FrontPanelLayout& layout, const FrontPanelCommands& commands,
                                       const juce::String& trackName, const juce::Image& markerImage,
                                       std::atomic<int>* windowSizeFlag)
    : panelLayout(layout), panelCommands(commands), sizeFlag(windowSizeFlag)
{
    const bool large = sizeFlag->load() != 0;
    setBounds(getX(), getY(), layout.width, large ? layout.largeHeight : layout.smallHeight);
    plusLook.smallWindow = ! large;

    holdSwitch = std::make_unique<juce::Slider>();
    holdSwitch->setSliderStyle(juce::Slider::LinearHorizontal);
    holdSwitch->setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    holdSwitch->setRange(0.0, 2.0, 1.0);
    // Without ModifierKeys() an Alt-click would reset the switch too.
    holdSwitch->setDoubleClickReturnValue(true, 0.0, juce::ModifierKeys());
    holdSwitch->setBounds(layout.holdSwitch);
    holdSwitch->setLookAndFeel(&holdLook);
    holdSwitch->addListener(this);

    // The help and size buttons reach 4 pixels past the right edge and are
    // clipped there, as the artwork expects.
    helpButton = std::make_unique<juce::ToggleButton>(juce::String());
    helpButton->setClickingTogglesState(true);
    makeImageButton(*helpButton, helpLook, layout.helpButton);
    helpButton->addListener(this);

    // The manual's place is read once; a path stored later is seen by the next panel.
    manualFile = std::make_unique<ManualLink>();

    // The size button acts on the press, not on the release.
    sizeButton = std::make_unique<juce::ToggleButton>(juce::String());
    sizeButton->setTriggeredOnMouseDown(true);
    makeImageButton(*sizeButton, plusLook, layout.sizeButton);
    sizeButton->addListener(this);

    // Coarse 0.5 dB steps over 106 pixels, 0.1 dB with Shift; a press does not
    // jump the thumb to the mouse.
    trimSlider = std::make_unique<VyrSlider>(0.5);
    trimSlider->setSliderSnapsToMousePosition(false);
    trimSlider->setSliderStyle(juce::Slider::LinearVertical);
    trimSlider->setBoundsAndDragExtents(layout.trimSlider.getX(), layout.trimSlider.getY(),
                                        layout.trimSlider.getWidth(), layout.trimSlider.getHeight());
    trimSlider->setFineRange(-20.0, 20.0, 0.1);
    trimSlider->setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    trimSlider->setDoubleClickReturnValue(true, 0.0, juce::ModifierKeys());
    trimSlider->setLookAndFeel(&trimLook);
    trimSlider->addListener(this);

    // The trim value as text; a single click opens it for typing, and the typed
    // text is read when the edit ends, also when the focus moves away.
    trimLabel = std::make_unique<juce::Label>("Trim", "0 dB");
    trimLabel->setBounds(layout.trimLabel);
    trimLabel->setEditable(true, false, false);
    trimLabel->setFont(juce::Font(10.0f, juce::Font::plain));
    trimLabel->setJustificationType(juce::Justification::centred);
    trimLabel->setColour(juce::Label::textColourId, juce::Colour(170, 170, 170));
    trimLabel->setColour(juce::TextEditor::textColourId, juce::Colour(170, 170, 170));
    trimLabel->setColour(juce::TextEditor::highlightColourId,
                         juce::Colour(170, 170, 170).withAlpha(static_cast<juce::uint8>(150)));
    trimLabel->setColour(juce::TextEditor::focusedOutlineColourId,
                         juce::Colour(0, 0, 0).withAlpha(static_cast<juce::uint8>(0)));
    trimLabel->addListener(this);

    activeButton = std::make_unique<juce::ToggleButton>(juce::String());
    activeButton->setClickingTogglesState(true);
    makeImageButton(*activeButton, activeLook, layout.activeButton);
    activeButton->addListener(this);

    // Both lie below the small window's edge and are reached in the large one.
    latencyControl = std::make_unique<LatencyControl>(commands.latency);
    latencyControl->setBounds(layout.latencyControl);

    trackNameBox = std::make_unique<VyrBox>(commands.signature);
    trackNameBox->setBounds(layout.trackNameBox);
    trackNameBox->font = makeTrackNameFont();
    trackNameBox->textColour = juce::Colour(4, 45, 85).withAlpha(static_cast<juce::uint8>(205));
    trackNameBox->textAreaWidth = layout.trackNameBox.getWidth();
    trackNameBox->maxTextWidth = layout.trackNameMaxTextWidth;
    trackNameBox->setMarkerImage(markerImage);
    trackNameBox->setText(trackName);
}

FrontPanelControls::~FrontPanelControls()
{
    // The controls go first, before the looks that draw them (members, destroyed
    // after this body). The meter's own panel has deleted its meters already.
    holdSwitch.reset();
    helpButton.reset();
    manualFile.reset();
    sizeButton.reset();
    trackNameBox.reset();
    latencyControl.reset();
    trimLabel.reset();
    trimSlider.reset();
    activeButton.reset();
}

void FrontPanelControls::addSharedControls()
{
    juce::Component* const controls[] = { holdSwitch.get(), helpButton.get(),   sizeButton.get(),     trimSlider.get(),
                                          trimLabel.get(),  activeButton.get(), latencyControl.get(), trackNameBox.get() };
    for (auto* control : controls)
        if (control->getParentComponent() != this)
            addAndMakeVisible(*control);
}

void FrontPanelControls::paintBackground(juce::Graphics& g, const juce::Image& image)
{
    drawPageImage(g, image, sizeFlag->load(), panelLayout.width, panelLayout.smallHeight, panelLayout.largeHeight);
}

void FrontPanelControls::mouseDown(const juce::MouseEvent& e)
{
    if (panelLayout.isBackPanelClick(e.getPosition()))
        postToEditor(panelCommands.showBackPanel);
}

void FrontPanelControls::buttonClicked(juce::Button* button)
{
    if (button == helpButton.get())
        manualFile->open();
    else if (button == sizeButton.get())
        toggleWindowSize(*this, *sizeFlag, plusLook, panelLayout.width, panelLayout.smallHeight, panelLayout.largeHeight);
    else if (button == activeButton.get())
        postToEditor(panelCommands.active);
}

void FrontPanelControls::sliderValueChanged(juce::Slider* slider)
{
    if (slider == trimSlider.get())
        postToEditor(panelCommands.trim);
    else if (slider == holdSwitch.get())
        postToEditor(panelCommands.hold);
}

void FrontPanelControls::labelTextChanged(juce::Label* label)
{
    if (label == trimLabel.get())
        postToEditor(panelCommands.trimText);
}

void FrontPanelControls::postToEditor(int commandId)
{
    vyrkit::postToEditor(*this, commandId);
}
} // namespace vyrkit
