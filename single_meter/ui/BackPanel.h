#pragma once

#include "MeterBackPanel.h"
#include "TarvoMCommandIds.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <atomic>

namespace vyrtarvom
{
// The settings page. This plug-in takes its seven ballistics settings from the
// stereo meter's stored defaults and never edits them, so the page only shows
// them: a background with the captions, the version, and seven value texts that
// the editor writes. Any press on the page asks the editor for the front panel.
class BackPanel : public vyrkit::MeterBackPanel<CommandId, 320>
{
public:
    // The value texts from left to right. The LED reference lies left of the over
    // count, although its setting comes after it.
    enum TextSlot
    {
        referenceSlot,
        integrationSlot,
        holdSlot,
        fallBackSlot,
        ledReferenceSlot,
        oversSlot,
        measurementSlot,
        numTextSlots
    };

    // Where each value text is drawn, and the setting text index it shows.
    static const std::array<juce::Rectangle<int>, numTextSlots> textBoxes;
    static const std::array<int, numTextSlots> settingTextIndices;
    static const juce::Rectangle<int> versionTextBox;

    explicit BackPanel(std::atomic<int>* windowSizeFlag);
    ~BackPanel() override;

    void paint(juce::Graphics&) override;

    // Written by the editor; empty until it does.
    std::array<juce::String, numTextSlots> texts;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(BackPanel)
};
} // namespace vyrtarvom
