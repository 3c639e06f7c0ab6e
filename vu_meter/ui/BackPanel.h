#pragma once

#include "KelsoCommandIds.h"
#include "MeterBackPanel.h"
#include "PagePainting.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>

namespace vyrkelsom
{
// The settings page, read only: seven of the process-wide settings as short
// texts along the bottom row of a background that carries their captions, and
// the version. The settings come from the settings store; the editor writes the
// texts (in its constructor and, in the editor that polls the store, after every
// reread). Any press on the page asks the editor for the front panel.
class BackPanel : public vyrkit::MeterBackPanel<CommandId, 320>
{
public:
    static const juce::Rectangle<int> versionTextBox;
    static const juce::Rectangle<int> referenceTextBox;
    static const juce::Rectangle<int> integrationTextBox;
    static const juce::Rectangle<int> holdTimeTextBox;
    static const juce::Rectangle<int> needleTypeTextBox;
    static const juce::Rectangle<int> overReferenceTextBox;
    static const juce::Rectangle<int> overCountTextBox;
    static const juce::Rectangle<int> measurementTextBox;

    // The colour of every text on the page.
    static juce::Colour textColour() { return vyrkit::backPanelTextColour(); }

    explicit BackPanel(std::atomic<int>* windowSizeFlag);
    ~BackPanel() override;

    void paint(juce::Graphics&) override;

    // The setting texts; empty until the editor fills them.
    juce::String referenceText;
    juce::String integrationText;
    juce::String holdTimeText;
    juce::String needleTypeText;
    juce::String overReferenceText;
    juce::String overCountText;
    juce::String measurementText;

    // The window-size flag the panel draws with; the editor reads it when it
    // shows the panel.
    std::atomic<int>* getSizeFlag() const noexcept { return sizeFlag; }

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(BackPanel)
};
} // namespace vyrkelsom
