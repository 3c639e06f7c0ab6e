#include "KitTestSupport.h"
#include "VyrSlider.h"

#include <gtest/gtest.h>

using vyrkit::VyrSlider;

namespace
{
const juce::ModifierKeys shift(juce::ModifierKeys::shiftModifier);

struct ExtentCase
{
    juce::Slider::SliderStyle style;
    int width, height;
    int fullDragBefore; // 0: JUCE's default
    int normal;
};

class DragExtents : public ::testing::TestWithParam<ExtentCase> {};

TEST_P(DragExtents, FollowTheStyleAndTheSize)
{
    const auto& c = GetParam();
    VyrSlider slider(1.0);
    slider.setSliderStyle(c.style);
    if (c.fullDragBefore > 0)
        slider.setMouseDragSensitivity(c.fullDragBefore);
    const int sensitivityBefore = slider.getMouseDragSensitivity();

    slider.setBoundsAndDragExtents(5, 6, c.width, c.height);
    EXPECT_EQ(slider.getBounds(), juce::Rectangle<int>(5, 6, c.width, c.height));
    EXPECT_EQ(slider.getNormalDragExtent(), c.normal);
    EXPECT_EQ(slider.getFineDragExtent(), 5 * c.normal);
    EXPECT_EQ(slider.getMouseDragSensitivity(), sensitivityBefore);
}

INSTANTIATE_TEST_SUITE_P(Styles, DragExtents,
    ::testing::Values(ExtentCase { juce::Slider::LinearVertical, 32, 126, 0, 106 },
                      ExtentCase { juce::Slider::LinearHorizontal, 86, 24, 0, 66 },
                      ExtentCase { juce::Slider::RotaryVerticalDrag, 43, 41, 0, 250 },
                      ExtentCase { juce::Slider::RotaryVerticalDrag, 43, 41, 120, 120 }));

// A slider inside a parent, with a listener that counts notifications.
struct SliderFixture : ::testing::Test, juce::Slider::Listener
{
    juce::Component parent;
    int changes = 0;

    void sliderValueChanged(juce::Slider*) override { ++changes; }

    // Presses at the centre and drags by dy pixels (positive upwards), one
    // drag event per entry.
    static void drag(VyrSlider& s, std::initializer_list<float> upwards, juce::ModifierKeys mods = {})
    {
        const juce::Point<float> down(s.getWidth() * 0.5f, s.getHeight() * 0.5f);
        s.mouseDown(kittest::mouseEvent(s, down, down, mods));
        for (float dy : upwards)
            s.mouseDrag(kittest::mouseEvent(s, down.translated(0.0f, -dy), down, mods));
        s.mouseUp(kittest::mouseEvent(s, down.translated(0.0f, -*(upwards.end() - 1)), down, mods));
    }
};

// The trim slider of every front panel.
struct TrimSlider : SliderFixture
{
    VyrSlider slider { 0.5 };

    TrimSlider()
    {
        slider.setSliderSnapsToMousePosition(false);
        slider.setSliderStyle(juce::Slider::LinearVertical);
        slider.setBoundsAndDragExtents(0, 0, 32, 126);
        slider.setFineRange(-20.0, 20.0, 0.1);
        slider.setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
        slider.addListener(this);
        parent.addAndMakeVisible(slider);
    }
};

TEST_F(TrimSlider, DragsInHalfDecibelsOverItsHeightLessTwenty)
{
    drag(slider, { 27.0f }); // 27 / 106 of 40 dB = 10.19
    EXPECT_DOUBLE_EQ(slider.getValue(), 10.0);
    EXPECT_EQ(changes, 1);

    // At rest the fine interval and the long path are in force again.
    EXPECT_DOUBLE_EQ(slider.getInterval(), 0.1);
    EXPECT_EQ(slider.getMouseDragSensitivity(), 530);

    drag(slider, { 53.0f, 106.0f }); // half and then the whole range up: the top
    EXPECT_DOUBLE_EQ(slider.getValue(), 20.0);
}

TEST_F(TrimSlider, ShiftDragsInTenthsOverTheDefaultPathUntilACoarseDragHasRun)
{
    drag(slider, { 30.0f }, shift); // 30 / 250 of 40 dB = 4.8
    EXPECT_NEAR(slider.getValue(), 4.8, 1e-9);

    slider.setValue(10.0);
    drag(slider, { 0.0f }); // a coarse drag sets the fine path of 530 pixels
    EXPECT_DOUBLE_EQ(slider.getValue(), 10.0);
    drag(slider, { 30.0f }, shift); // 30 / 530 of 40 dB = 2.26
    EXPECT_NEAR(slider.getValue(), 12.3, 1e-9);
}

TEST_F(TrimSlider, ADisabledSliderDoesNotDrag)
{
    slider.setEnabled(false);
    drag(slider, { 27.0f });
    drag(slider, { 27.0f }, shift);
    EXPECT_DOUBLE_EQ(slider.getValue(), 0.0);
    EXPECT_EQ(changes, 0);
}

// The reference knob of the stereo meter's back panel.
struct ReferenceKnob : SliderFixture
{
    VyrSlider knob { 1.0 };

    ReferenceKnob()
    {
        knob.setSliderStyle(juce::Slider::RotaryVerticalDrag);
        knob.setBoundsAndDragExtents(24, 34, 43, 41);
        knob.setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
        knob.setFineRange(0.0, 24.0, 0.1);
        knob.addListener(this);
        parent.addAndMakeVisible(knob);
    }
};

TEST_F(ReferenceKnob, MovesInWholeUnitsWithoutShiftAndInTenthsWithIt)
{
    drag(knob, { 30.0f }); // 30 / 250 of 24 = 2.88
    EXPECT_DOUBLE_EQ(knob.getValue(), 3.0);

    drag(knob, { 30.0f }, shift); // 30 / 1250 of 24 = 0.576
    EXPECT_NEAR(knob.getValue(), 3.6, 1e-9);
}

TEST_F(ReferenceKnob, AFineValueDraggedWithoutShiftFirstJumpsToTheNearestWholeUnit)
{
    knob.setValue(10.3);
    changes = 0;
    drag(knob, { 0.0f });
    EXPECT_DOUBLE_EQ(knob.getValue(), 10.0);

    knob.setValue(10.6);
    drag(knob, { 0.0f });
    EXPECT_DOUBLE_EQ(knob.getValue(), 11.0);
}

TEST_F(ReferenceKnob, TheWheelUsesTheFineInterval)
{
    knob.setValue(10.0);
    juce::MouseWheelDetails wheel {};
    wheel.deltaY = 0.01f;
    knob.mouseWheelMove(kittest::click(knob, 20.0f, 20.0f), wheel);
    const double moved = knob.getValue() - 10.0;
    EXPECT_GT(moved, 0.0);
    EXPECT_NEAR(moved, 0.1 * std::round(moved / 0.1), 1e-9);
    EXPECT_LT(moved, 1.0);
}
} // namespace
