#include "FrontPanel.h"

#include "FilmStrip.h"
#include "VyrTarvoMArt.h"

namespace vyrtarvom
{
FrontPanel::FrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag)
    : MeterFrontPanel(trackName, windowSizeFlag)
{
    backgroundImage = vyrkit::decodeEmbeddedImage(vyrtarvom_art::face_png, vyrtarvom_art::face_pngSize);

    meter = std::make_unique<vyrkit::COldVuMeter2>(126.0f, 149.8f, 3.0f, 121.0f, 108.0f, 121.0f);
    meter->setBounds(12, 16, 250, 115);
    addAndMakeVisible(*meter);

    addSharedControls();
}

// The meter goes before the controls and their looks.
FrontPanel::~FrontPanel()
{
    meter.reset();
}

void FrontPanel::paint(juce::Graphics& g)
{
    paintBackground(g, backgroundImage);
}
} // namespace vyrtarvom
