#include "BackPanel.h"

#include "FilmStrip.h"
#include "TarvoMCommandIds.h"
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
    : sizeFlag(windowSizeFlag)
{
    setBounds(getX(), getY(), width, sizeFlag->load() != 0 ? largeHeight : smallHeight);
    backgroundImage = vyrkit::decodeEmbeddedImage(vyrtarvom_art::back_panel_png, vyrtarvom_art::back_panel_pngSize);
}

BackPanel::~BackPanel() = default;

// The texts are drawn even when an unknown size flag leaves out the background.
void BackPanel::paint(juce::Graphics& g)
{
    const int flag = sizeFlag->load();
    if (flag == 0)
        g.drawImage(backgroundImage, 0, 0, width, smallHeight, 0, 0, width, smallHeight);
    else if (flag == 1)
        g.drawImage(backgroundImage, 0, 0, width, largeHeight, 0, 0, width, largeHeight);

    g.setColour(juce::Colour(178, 177, 177).withAlpha(0.8f));
    g.setFont(g.getCurrentFont().withHeight(10.0f));
    g.drawFittedText("v.2.1.0", versionTextBox, juce::Justification::centredBottom, 1, 0.7f);

    g.setFont(g.getCurrentFont().withHeight(8.0f));
    for (size_t slot = 0; slot < texts.size(); ++slot)
        g.drawFittedText(texts[slot], textBoxes[slot], juce::Justification::centred, 1, 0.7f);
}

void BackPanel::mouseDown(const juce::MouseEvent&)
{
    if (auto* editor = getParentComponent())
        editor->postCommandMessage(CommandId::showFrontPanel);
}
} // namespace vyrtarvom
