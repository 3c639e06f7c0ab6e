#include "BackPanel.h"

#include "KelsoImages.h"

namespace vyrkelsom
{
const juce::Rectangle<int> BackPanel::versionTextBox { 212, 32, 30, 14 };
const juce::Rectangle<int> BackPanel::referenceTextBox { 3, 145, 51, 15 };
const juce::Rectangle<int> BackPanel::integrationTextBox { 59, 145, 59, 15 };
const juce::Rectangle<int> BackPanel::holdTimeTextBox { 124, 145, 30, 15 };
const juce::Rectangle<int> BackPanel::needleTypeTextBox { 154, 145, 48, 15 };
const juce::Rectangle<int> BackPanel::overReferenceTextBox { 202, 145, 32, 15 };
const juce::Rectangle<int> BackPanel::overCountTextBox { 241, 145, 29, 15 };
const juce::Rectangle<int> BackPanel::measurementTextBox { 275, 145, 40, 15 };

BackPanel::BackPanel(std::atomic<int>* windowSizeFlag)
    : MeterBackPanel(windowSizeFlag, decodeBackBackground())
{
}

BackPanel::~BackPanel() = default;

void BackPanel::paint(juce::Graphics& g)
{
    paintPage(g, versionTextBox);

    // Too wide a text is squeezed down to 0.7 of its width, then shortened.
    g.setFont(8.0f);
    const std::pair<const juce::String*, juce::Rectangle<int>> texts[] = {
        { &referenceText, referenceTextBox },     { &integrationText, integrationTextBox },
        { &holdTimeText, holdTimeTextBox },       { &needleTypeText, needleTypeTextBox },
        { &overReferenceText, overReferenceTextBox }, { &overCountText, overCountTextBox },
        { &measurementText, measurementTextBox },
    };
    for (const auto& [text, box] : texts)
        if (text->isNotEmpty())
            g.drawFittedText(*text, box, juce::Justification::centred, 1, 0.7f);
}
} // namespace vyrkelsom
