#pragma once

// The controls that every front panel has (the kit's FrontPanelControls), set up
// as the window needs them. The three meters' front panel tests run this check on
// their own panels, with the track-name strip's widths and the command ids of
// the meter.

#include "ButtonLooks.h"
#include "FrontPanelControls.h"
#include "SliderLooks.h"

#include <gtest/gtest.h>

namespace kittest
{
struct SharedControlsExpected
{
    int trackTextAreaWidth;
    int trackMaxTextWidth;
    int signatureCommandId;
    int latencyCommandId;
};

template <typename Look>
bool isDrawnBy(juce::Component& c)
{
    return dynamic_cast<Look*>(&c.getLookAndFeel()) != nullptr;
}

inline void checkTheSharedFrontPanelControlsAreSetUp(vyrkit::FrontPanelControls& panel,
                                                     const SharedControlsExpected& expected)
{
    auto& trim = *panel.trimSlider;
    EXPECT_EQ(trim.getSliderStyle(), juce::Slider::LinearVertical);
    EXPECT_EQ(trim.getMinimum(), -20.0);
    EXPECT_EQ(trim.getMaximum(), 20.0);
    EXPECT_EQ(trim.getRange(), juce::Range<double>(-20.0, 20.0));
    EXPECT_EQ(trim.getInterval(), 0.1);
    EXPECT_EQ(trim.getCoarseInterval(), 0.5);
    EXPECT_EQ(trim.getFineInterval(), 0.1);
    // 106 pixels for the whole range in 0.5 dB steps, 530 with Shift.
    EXPECT_EQ(trim.getNormalDragExtent(), 106);
    EXPECT_EQ(trim.getFineDragExtent(), 530);
    EXPECT_FALSE(trim.getSliderSnapsToMousePosition());
    EXPECT_EQ(trim.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_TRUE(trim.isDoubleClickReturnEnabled());
    EXPECT_EQ(trim.getDoubleClickReturnValue(), 0.0);
    EXPECT_TRUE(isDrawnBy<vyrkit::SliderTrimLook>(trim));

    auto& hold = *panel.holdSwitch;
    EXPECT_EQ(hold.getSliderStyle(), juce::Slider::LinearHorizontal);
    EXPECT_EQ(hold.getMinimum(), 0.0);
    EXPECT_EQ(hold.getMaximum(), 2.0);
    EXPECT_EQ(hold.getRange(), juce::Range<double>(0.0, 2.0));
    EXPECT_EQ(hold.getInterval(), 1.0);
    EXPECT_EQ(hold.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_TRUE(hold.isDoubleClickReturnEnabled());
    EXPECT_EQ(hold.getDoubleClickReturnValue(), 0.0);
    EXPECT_TRUE(isDrawnBy<vyrkit::SliderHoldLook>(hold));

    EXPECT_TRUE(isDrawnBy<vyrkit::ButtonHelpLook>(*panel.helpButton));
    EXPECT_TRUE(isDrawnBy<vyrkit::ButtonPlusLook>(*panel.sizeButton));
    EXPECT_TRUE(isDrawnBy<vyrkit::ButtonActiveLook>(*panel.activeButton));
    EXPECT_TRUE(panel.helpButton->getClickingTogglesState());
    EXPECT_TRUE(panel.activeButton->getClickingTogglesState());
    EXPECT_TRUE(panel.sizeButton->getTriggeredOnMouseDown());
    // Buttons leave the keyboard focus to the track name and the latency entry.
    for (auto* b : { panel.helpButton.get(), panel.sizeButton.get(), panel.activeButton.get() })
    {
        EXPECT_FALSE(b->getWantsKeyboardFocus());
        EXPECT_TRUE(b->getButtonText().isEmpty());
    }

    auto& label = *panel.trimLabel;
    EXPECT_EQ(label.getName(), "Trim");
    EXPECT_TRUE(label.isEditableOnSingleClick());
    EXPECT_FALSE(label.isEditableOnDoubleClick());
    EXPECT_FALSE(label.doesLossOfFocusDiscardChanges());
    EXPECT_EQ(label.getFont().getHeight(), 10.0f);
    EXPECT_EQ(label.getJustificationType(), juce::Justification(juce::Justification::centred));
    EXPECT_EQ(label.findColour(juce::Label::textColourId), juce::Colour(170, 170, 170));
    EXPECT_EQ(label.findColour(juce::TextEditor::textColourId), juce::Colour(170, 170, 170));
    EXPECT_EQ(label.findColour(juce::TextEditor::highlightColourId), juce::Colour(0x96aaaaaa));
    EXPECT_EQ(label.findColour(juce::TextEditor::focusedOutlineColourId), juce::Colour(0x00000000));

    auto& box = *panel.trackNameBox;
    EXPECT_EQ(box.textAreaWidth, expected.trackTextAreaWidth);
    EXPECT_EQ(box.maxTextWidth, expected.trackMaxTextWidth);
    EXPECT_EQ(box.textColour, juce::Colour(0xcd042d55));
    EXPECT_EQ(box.getMarkerWidth(), 47);
    EXPECT_EQ(box.font.getHeight(), 44.0f);
    EXPECT_EQ(box.font.getHorizontalScale(), 1.2f);
    EXPECT_EQ(box.getSignatureCommandId(), expected.signatureCommandId);
    EXPECT_EQ(panel.latencyControl->getLatencyCommandId(), expected.latencyCommandId);
}
} // namespace kittest
