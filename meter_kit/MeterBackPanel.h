#pragma once

#include "PagePainting.h"
#include "PostToEditor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>

namespace vyrkit
{
// What every meter's back panel (its settings page) has: the window's size
// (Width wide, 167 pixels high in the small window and 205 in the large one,
// after the processor's window-size flag), its background image with the
// version text, and a press outside the page's controls that asks the editor
// for the front panel (CommandIds::showFrontPanel, the meter's own id).
//
// The meter's panel derives from this, adds its controls or texts, and paints
// with paintPage before drawing its values.
template <typename CommandIds, int Width>
class MeterBackPanel : public juce::Component
{
public:
    static constexpr int width = Width;
    static constexpr int largeHeight = 205;
    static constexpr int smallHeight = 167;

    void mouseDown(const juce::MouseEvent&) override { vyrkit::postToEditor(*this, CommandIds::showFrontPanel); }

protected:
    MeterBackPanel(std::atomic<int>* windowSizeFlag, const juce::Image& background)
        : sizeFlag(windowSizeFlag), backgroundImage(background)
    {
        setBounds(getX(), getY(), width, sizeFlag->load() != 0 ? largeHeight : smallHeight);
    }

    // The background (none for a size flag other than 0 and 1) and the version
    // text, whose colour and font the texts drawn after it keep.
    void paintPage(juce::Graphics& g, juce::Rectangle<int> versionTextBox)
    {
        drawPageImage(g, backgroundImage, sizeFlag->load(), width, smallHeight, largeHeight);
        drawVersionText(g, versionTextBox);
    }

    std::atomic<int>* const sizeFlag;

private:
    juce::Image backgroundImage;
};
} // namespace vyrkit
