#include "FrontPanel.h"

#include "FilmStrip.h"
#include "TarvoCommandIds.h"
#include "TrackNameFont.h"
#include "VyrKitArt.h"
#include "VyrTarvoArt.h"
#include "WindowSize.h"

namespace vyrtarvo
{
namespace
{
// JUCE 7's buttons want the keyboard focus and click on Return; these must leave
// the focus with the track-name strip and the latency entry.
void makeImageButton(juce::ToggleButton& button, juce::LookAndFeel& look, juce::Rectangle<int> bounds)
{
    button.setWantsKeyboardFocus(false);
    button.setBounds(bounds);
    button.setLookAndFeel(&look);
}
} // namespace

bool FrontPanel::isBackPanelClick(juce::Point<int> position) noexcept
{
    return position.y > 141 && position.x >= 216 && position.x <= 329;
}

FrontPanel::FrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag)
    : sizeFlag(windowSizeFlag)
{
    const bool large = sizeFlag->load() != 0;
    setBounds(getX(), getY(), width, large ? largeHeight : smallHeight);
    plusLook.smallWindow = ! large;

    lrFaceImage = vyrkit::decodeEmbeddedImage(vyrtarvo_art::face_lr_png, vyrtarvo_art::face_lr_pngSize);
    msFaceImage = vyrkit::decodeEmbeddedImage(vyrtarvo_art::face_ms_png, vyrtarvo_art::face_ms_pngSize);
    faceImage = lrFaceImage;

    leftMeter = std::make_unique<vyrkit::COldVuMeter2>(126.0f, 149.8f, 3.0f, 121.0f, 108.0f, 121.0f);
    leftMeter->setBounds(12, 16, 250, 115);
    addAndMakeVisible(*leftMeter);

    rightMeter = std::make_unique<vyrkit::COldVuMeter2>(127.0f, 149.8f, 3.0f, 121.0f, 108.0f, 121.0f);
    rightMeter->setBounds(277, 16, 250, 115);
    addAndMakeVisible(*rightMeter);

    lrmsButton = std::make_unique<juce::ToggleButton>(juce::String());
    lrmsButton->setClickingTogglesState(true);
    makeImageButton(*lrmsButton, lrmsLook, { 8, 142, 87, 24 });
    lrmsButton->addListener(this);
    addAndMakeVisible(*lrmsButton);

    holdSwitch = std::make_unique<juce::Slider>();
    holdSwitch->setSliderStyle(juce::Slider::LinearHorizontal);
    holdSwitch->setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    holdSwitch->setRange(0.0, 2.0, 1.0);
    holdSwitch->setDoubleClickReturnValue(true, 0.0, juce::ModifierKeys());
    holdSwitch->setBounds(442, 142, 86, 24);
    holdSwitch->setLookAndFeel(&holdLook);
    holdSwitch->addListener(this);
    addAndMakeVisible(*holdSwitch);

    helpButton = std::make_unique<juce::ToggleButton>(juce::String());
    helpButton->setClickingTogglesState(true);
    makeImageButton(*helpButton, helpLook, { 574, 0, 16, 14 });
    helpButton->addListener(this);
    addAndMakeVisible(*helpButton);

    // The size button acts on the press, not on the release.
    sizeButton = std::make_unique<juce::ToggleButton>(juce::String());
    sizeButton->setTriggeredOnMouseDown(true);
    makeImageButton(*sizeButton, plusLook, { 574, 152, 16, 14 });
    sizeButton->addListener(this);
    addAndMakeVisible(*sizeButton);

    // Coarse 0.5 dB steps over 106 pixels, 0.1 dB with Shift; a press does not
    // jump the thumb to the mouse.
    trimSlider = std::make_unique<vyrkit::VyrSlider>(0.5);
    trimSlider->setSliderSnapsToMousePosition(false);
    trimSlider->setSliderStyle(juce::Slider::LinearVertical);
    trimSlider->setBoundsAndDragExtents(538, 15, 32, 126);
    trimSlider->setFineRange(-20.0, 20.0, 0.1);
    trimSlider->setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    trimSlider->setDoubleClickReturnValue(true, 0.0, juce::ModifierKeys());
    trimSlider->setLookAndFeel(&trimLook);
    trimSlider->addListener(this);
    addAndMakeVisible(*trimSlider);

    // The trim value as text; a single click opens it for typing, and the typed
    // text is read when the edit ends, also when the focus moves away.
    trimLabel = std::make_unique<juce::Label>("Trim", "0 dB");
    trimLabel->setBounds(533, 140, 42, 15);
    trimLabel->setEditable(true, false, false);
    trimLabel->setFont(juce::Font(10.0f, juce::Font::plain));
    trimLabel->setJustificationType(juce::Justification::centred);
    trimLabel->setColour(juce::Label::textColourId, juce::Colour(170, 170, 170));
    trimLabel->setColour(juce::TextEditor::textColourId, juce::Colour(170, 170, 170));
    trimLabel->setColour(juce::TextEditor::highlightColourId,
                         juce::Colour(170, 170, 170).withAlpha(static_cast<juce::uint8>(150)));
    trimLabel->setColour(juce::TextEditor::focusedOutlineColourId, juce::Colour(0, 0, 0).withAlpha(static_cast<juce::uint8>(0)));
    trimLabel->addListener(this);
    addAndMakeVisible(*trimLabel);

    activeButton = std::make_unique<juce::ToggleButton>(juce::String());
    activeButton->setClickingTogglesState(true);
    makeImageButton(*activeButton, activeLook, { 531, 0, 43, 14 });
    activeButton->addListener(this);
    addAndMakeVisible(*activeButton);

    // The manual's place is read once; a path stored later is seen by the next panel.
    manualFile = std::make_unique<vyrkit::ManualLink>();

    latencyControl = std::make_unique<vyrkit::LatencyControl>(CommandId::latency);
    latencyControl->setBounds(529, 167, 54, 40);
    addAndMakeVisible(*latencyControl);

    trackNameBox = std::make_unique<vyrkit::VyrBox>(CommandId::signature);
    trackNameBox->setBounds(17, 167, 506, 39);
    trackNameBox->font = vyrkit::makeTrackNameFont();
    trackNameBox->textColour = juce::Colour(4, 45, 85).withAlpha(static_cast<juce::uint8>(205));
    trackNameBox->textAreaWidth = 506;
    trackNameBox->maxTextWidth = 496;
    trackNameBox->setMarkerImage(vyrkit::decodeEmbeddedImage(vyrkit_art::marker_png, vyrkit_art::marker_pngSize));
    trackNameBox->setText(trackName);
    addAndMakeVisible(*trackNameBox);
}

FrontPanel::~FrontPanel()
{
    // The controls go first, before the looks that draw them (members, destroyed
    // after this body).
    leftMeter.reset();
    rightMeter.reset();
    holdSwitch.reset();
    lrmsButton.reset();
    helpButton.reset();
    manualFile.reset();
    trimSlider.reset();
    trimLabel.reset();
    activeButton.reset();
    sizeButton.reset();
    trackNameBox.reset();
    latencyControl.reset();
}

void FrontPanel::paint(juce::Graphics& g)
{
    const int flag = sizeFlag->load();
    if (flag != 0 && flag != 1)
        return;
    const int height = flag == 0 ? smallHeight : largeHeight;
    g.drawImage(faceImage, 0, 0, width, height, 0, 0, width, height);
}

void FrontPanel::mouseDown(const juce::MouseEvent& e)
{
    if (isBackPanelClick(e.getPosition()))
        postToEditor(CommandId::showBackPanel);
}

void FrontPanel::buttonClicked(juce::Button* button)
{
    if (button == helpButton.get())
        manualFile->open();
    else if (button == sizeButton.get())
        toggleWindowSize();
    else if (button == lrmsButton.get())
        postToEditor(CommandId::lrms);
    else if (button == activeButton.get())
        postToEditor(CommandId::active);
}

void FrontPanel::sliderValueChanged(juce::Slider* slider)
{
    if (slider == trimSlider.get())
        postToEditor(CommandId::trim);
    else if (slider == holdSwitch.get())
        postToEditor(CommandId::hold);
}

void FrontPanel::labelTextChanged(juce::Label* label)
{
    if (label == trimLabel.get())
        postToEditor(CommandId::trimText);
}

void FrontPanel::postToEditor(int commandId)
{
    if (auto* editor = getParentComponent())
        editor->postCommandMessage(commandId);
}

void FrontPanel::toggleWindowSize()
{
    vyrkit::toggleWindowSize(*this, *sizeFlag, plusLook, width, smallHeight, largeHeight);
}
} // namespace vyrtarvo
