#include "FrontPanel.h"

#include "KelsoImages.h"

namespace vyrkelsom
{
FrontPanel::FrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag)
    : MeterFrontPanel(trackName, windowSizeFlag)
{
    backgroundImage = decodeFrontBackground();
    faceStrip = decodeFaceStrip();

    // The pivot lies 39 pixels below the meter's bottom edge, under the face's
    // scale; the hold tick is the outer 13 pixels of the needle's reach.
    meter = std::make_unique<COldVuMeter2>(128.0f, 155.0f, 3.0f, 134.0f, 121.0f, 134.0f);
    meter->setBounds(faceX, faceY, faceWidth, 116);
    addAndMakeVisible(*meter);

    // On this page the help button comes before the hold switch.
    addAndMakeVisible(*helpButton);
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

void FrontPanel::paintFaceRow(int row)
{
    row = juce::jlimit(0, faceRows - 1, row);
    if (backgroundImage.isValid() && faceStrip.isValid())
    {
        juce::Graphics g(backgroundImage);
        g.drawImage(faceStrip, faceX, faceY, faceWidth, faceHeight, 0, row * faceHeight, faceWidth, faceHeight);
    }
    repaint();
}
} // namespace vyrkelsom
