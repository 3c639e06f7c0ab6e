#include "FrontPanel.h"

#include "FilmStrip.h"
#include "VyrTarvoArt.h"

namespace vyrtarvo
{
FrontPanel::FrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag)
    : MeterFrontPanel(trackName, windowSizeFlag)
{
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
    vyrkit::makeImageButton(*lrmsButton, lrmsLook, { 8, 142, 87, 24 });
    lrmsButton->addListener(this);
    addAndMakeVisible(*lrmsButton);

    addSharedControls();
}

// The meters and the LR/MS button go before the other controls and the looks.
FrontPanel::~FrontPanel()
{
    leftMeter.reset();
    rightMeter.reset();
    lrmsButton.reset();
}

void FrontPanel::paint(juce::Graphics& g)
{
    paintBackground(g, faceImage);
}

void FrontPanel::buttonClicked(juce::Button* button)
{
    if (button == lrmsButton.get())
        postToEditor(CommandId::lrms);
    else
        vyrkit::FrontPanelControls::buttonClicked(button);
}
} // namespace vyrtarvo
