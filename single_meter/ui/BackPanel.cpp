#include "BackPanel.h"

#include "FilmStrip.h"
#include "VyrTarvoMArt.h"

namespace vyrtarvom
{
const std::array<juce::Rectangle<int>, BackPanel::numTextSlots> BackPanel::textBoxes { {
    { 3, 145, 51, 15 },   // reference level
    { 56, 145, 59, 15 },  // integration time
    { 116, 145, 30, 15 }, // hold time
    { 148, 145, 48, 15 }, // fall-back time
    { 203, 145, 32, 15 }, // LED reference
    { 241, 145, 29, 15 }, // over count
    { 275, 145, 40, 15 }, // measurement mode
} };

const std::array<int, BackPanel::numTextSlots> BackPanel::settingTextIndices { { 5, 6, 7, 8, 10, 9, 11 } };

const juce::Rectangle<int> BackPanel::versionTextBox { 212, 32, 30, 14 };

BackPanel::BackPanel(std::atomic<int>* windowSizeFlag)
    : MeterBackPanel(windowSizeFlag,
                     vyrkit::decodeEmbeddedImage(vyrtarvom_art::back_panel_png, vyrtarvom_art::back_panel_pngSize))
{
}

BackPanel::~BackPanel() = default;

// The texts are drawn even when an unknown size flag leaves out the background.
void BackPanel::paint(juce::Graphics& g)
{
    paintPage(g, versionTextBox);

    g.setFont(g.getCurrentFont().withHeight(8.0f));
    for (size_t slot = 0; slot < texts.size(); ++slot)
        g.drawFittedText(texts[slot], textBoxes[slot], juce::Justification::centred, 1, 0.7f);
}
} // namespace vyrtarvom
