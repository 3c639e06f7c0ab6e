#include "PagePainting.h"

namespace vyrkit
{
void drawPageImage(juce::Graphics& g, const juce::Image& image, int sizeFlag, int width, int smallHeight,
                   int largeHeight)
{
    if (sizeFlag != 0 && sizeFlag != 1)
        return;
    const int height = sizeFlag == 0 ? smallHeight : largeHeight;
    g.drawImage(image, 0, 0, width, height, 0, 0, width, height);
}

juce::Colour backPanelTextColour() { return juce::Colour(178, 177, 177).withAlpha(0.8f); }

void drawVersionText(juce::Graphics& g, juce::Rectangle<int> box)
{
    g.setColour(backPanelTextColour());
    g.setFont(g.getCurrentFont().withHeight(10.0f));
    g.drawFittedText("v.2.1.0", box, juce::Justification::centredBottom, 1, 0.7f);
}
} // namespace vyrkit
