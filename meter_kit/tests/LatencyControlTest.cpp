#include "KitTestSupport.h"
#include "LatencyControl.h"

#include <gtest/gtest.h>

#include <limits>

using vyrkit::LatencyControl;

namespace
{
juce::KeyPress digitKey(char digit, juce::ModifierKeys mods = {})
{
    return juce::KeyPress(digit, mods, (juce::juce_wchar) digit);
}

const juce::KeyPress returnKey(juce::KeyPress::returnKey);

// The stereo meter's entry inside a panel inside a stand-in editor.
struct LatencyFixture : ::testing::Test
{
    kittest::CommandRecorder editor;
    LatencyControl control { 2 };

    LatencyFixture()
    {
        control.setTopLeftPosition(529, 167);
        editor.panel.addAndMakeVisible(control);
    }

    void start(int value)
    {
        control.setValue((float) value, 0);
        editor.delivered();
        editor.received.clear();
    }

    std::vector<int> posted() { return editor.delivered(); }

    void press(float x, float y, juce::ModifierKeys mods = {}) { control.mouseDown(kittest::click(control, x, y, mods)); }
    void doubleClickDigits() { control.mouseDoubleClick(kittest::click(control, 20.0f, 20.0f)); }
    bool key(const juce::KeyPress& k) { return control.keyPressed(k, &control); }

    void drag(float fromY, std::initializer_list<float> ys, juce::ModifierKeys mods = {})
    {
        for (float y : ys)
            control.mouseDrag(kittest::mouseEvent(control, { 30.0f, y }, { 30.0f, fromY }, mods));
    }

    juce::String digits() const
    {
        return control.getDigitText(0) + "|" + control.getDigitText(1) + "|" + control.getDigitText(2);
    }
};

//==============================================================================
TEST(LatencyControlSetup, StartsAtZeroWithItsImageSizeAndWantsFocus)
{
    LatencyControl control(1);
    EXPECT_EQ(control.getWidth(), 54);
    EXPECT_EQ(control.getHeight(), 40);
    EXPECT_TRUE(control.getWantsKeyboardFocus());
    EXPECT_EQ(control.valueMs, 0);
    EXPECT_FALSE(control.isEditing());
    EXPECT_EQ(control.getEditDigit(), 0);
    EXPECT_EQ(control.getLatencyCommandId(), 1);
}

struct ValueCase
{
    float milliseconds;
    int value;
    const char* digits;
};

class SetValue : public LatencyFixture, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(SetValue, TruncatesClampsAndShowsThreeDigits)
{
    control.setValue(GetParam().milliseconds, 0);
    EXPECT_EQ(control.valueMs, GetParam().value);
    EXPECT_EQ(digits(), GetParam().digits);
    EXPECT_TRUE(posted().empty());
}

INSTANTIATE_TEST_SUITE_P(Values, SetValue,
    ::testing::Values(ValueCase { 7.0f, 7, "0|0|7" }, ValueCase { 42.0f, 42, "0|4|2" },
                      ValueCase { 999.0f, 999, "9|9|9" }, ValueCase { 100.0f, 100, "1|0|0" },
                      ValueCase { 12.9f, 12, "0|1|2" }, ValueCase { -0.5f, 0, "0|0|0" },
                      ValueCase { -40.0f, 0, "0|0|0" }, ValueCase { 1000.0f, 999, "9|9|9" },
                      ValueCase { 3e9f, 999, "9|9|9" }, ValueCase { -3e9f, 0, "0|0|0" },
                      ValueCase { std::numeric_limits<float>::quiet_NaN(), 0, "0|0|0" },
                      ValueCase { std::numeric_limits<float>::infinity(), 999, "9|9|9" }));

TEST_F(LatencyFixture, SetValueWithNotifyPostsTheCommandOfEachPlugin)
{
    control.setValue(250.0f, 1);
    EXPECT_EQ(posted(), std::vector<int>({ 2 }));

    kittest::CommandRecorder otherEditor;
    LatencyControl vuEntry(1);
    otherEditor.panel.addAndMakeVisible(vuEntry);
    vuEntry.setValue(10.0f, 1);
    vuEntry.setValue(20.0f, 0);
    EXPECT_EQ(otherEditor.delivered(), std::vector<int>({ 1 }));

    // No grandparent: nothing is posted and nothing breaks.
    LatencyControl alone(2);
    alone.setValue(5.0f, 1);
    EXPECT_EQ(alone.valueMs, 5);
}

//==============================================================================
struct ArrowCase
{
    int start;
    float x, y;
    int value;
    bool posts;
};

class Arrows : public LatencyFixture, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(Arrows, StepByTenInsideTheirHotSpots)
{
    const auto& c = GetParam();
    start(c.start);
    press(c.x, c.y);
    EXPECT_EQ(control.valueMs, c.value);
    EXPECT_EQ(posted().size(), c.posts ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(HotSpots, Arrows,
    ::testing::Values(ArrowCase { 100, 28, 10, 110, true }, ArrowCase { 100, 25, 8, 110, true },
                      ArrowCase { 100, 31, 13, 110, true }, ArrowCase { 995, 28, 10, 999, true },
                      ArrowCase { 100, 28, 32, 90, true }, ArrowCase { 100, 31, 35, 90, true },
                      ArrowCase { 0, 28, 32, 0, true },     // stays at 0, still posts
                      ArrowCase { 100, 24, 10, 100, false }, ArrowCase { 100, 32, 10, 100, false },
                      ArrowCase { 100, 28, 14, 100, false }, ArrowCase { 100, 28, 29, 100, false },
                      ArrowCase { 100, 28, 36, 100, false }, ArrowCase { 100, 10, 20, 100, false }));

TEST_F(LatencyFixture, ArrowsWorkWhileEditingAndLeaveTheCursorCell)
{
    start(100);
    doubleClickDigits();
    key(digitKey('5'));
    press(28, 10);
    EXPECT_EQ(control.valueMs, 110);
    EXPECT_TRUE(control.isEditing());
    EXPECT_EQ(control.getEditDigit(), 1);
}

//==============================================================================
TEST_F(LatencyFixture, EachDragEventMovesOneStepByItsDirection)
{
    start(500);
    drag(20, { 25, 40, 40, 38 }); // down, down, no move, up
    EXPECT_EQ(control.valueMs, 500 - 10 - 10 + 10 + 10);
    EXPECT_EQ(posted().size(), 4u);

    drag(20, { 20, 20, 20 }); // sideways only: up by ten each time after the first
    // The first event compares with the last distance of the previous drag (18):
    // 0 is not above it, so it raises too.
    EXPECT_EQ(control.valueMs, 530);
}

TEST_F(LatencyFixture, ShiftDragsInSingleMilliseconds)
{
    start(500);
    drag(20, { 30, 31, 32 }, juce::ModifierKeys::shiftModifier);
    EXPECT_EQ(control.valueMs, 497);
    drag(20, { 10 }, juce::ModifierKeys::shiftModifier);
    EXPECT_EQ(control.valueMs, 498);
}

TEST_F(LatencyFixture, TheFirstEventOfANewDragComparesWithThePreviousDrag)
{
    start(500);
    drag(20, { 60 }); // last distance 40
    EXPECT_EQ(control.valueMs, 490);
    // The pointer moves down by 5, but 5 is not above 40: the value rises.
    drag(20, { 25 });
    EXPECT_EQ(control.valueMs, 500);
}

TEST_F(LatencyFixture, DragsStopAtTheEndsOfTheRange)
{
    start(995);
    drag(20, { 10, 5, 0 });
    EXPECT_EQ(control.valueMs, 999);
    start(5);
    drag(0, { 10, 20 });
    EXPECT_EQ(control.valueMs, 0);
}

//==============================================================================
TEST_F(LatencyFixture, TheWheelAddsItsDeltaTruncatedAndAlwaysPosts)
{
    const struct { float delta; int value; } cases[] = {
        { 0.5f, 300 }, { -0.9f, 300 }, { -2.7f, 298 }, { 3.2f, 303 }, { 1e9f, 999 }, { -1e9f, 0 },
        { std::numeric_limits<float>::quiet_NaN(), 300 },
    };
    for (const auto& c : cases)
    {
        start(300);
        juce::MouseWheelDetails wheel {};
        wheel.deltaY = c.delta;
        control.mouseWheelMove(kittest::click(control, 30, 20), wheel);
        EXPECT_EQ(control.valueMs, c.value) << c.delta;
        EXPECT_EQ(posted().size(), 1u) << c.delta;
    }
}

//==============================================================================
TEST_F(LatencyFixture, DoubleClickOnTheDigitsStartsEntryAtTheHundreds)
{
    const struct { float x, y; bool edits; } cases[] = {
        { 17, 15, true }, { 39, 29, true }, { 28, 22, true },
        { 16, 20, false }, { 40, 20, false }, { 28, 14, false }, { 28, 30, false },
    };
    for (const auto& c : cases)
    {
        control.focusLost(juce::Component::focusChangedByMouseClick);
        control.mouseDoubleClick(kittest::click(control, c.x, c.y));
        EXPECT_EQ(control.isEditing(), c.edits) << c.x << "," << c.y;
    }
}

TEST_F(LatencyFixture, ADigitThenReturnCommitsWithTheOtherDigitsKept)
{
    start(123);
    doubleClickDigits();
    EXPECT_TRUE(key(digitKey('4')));
    EXPECT_EQ(digits(), "4|2|3");
    EXPECT_EQ(control.valueMs, 123);
    EXPECT_TRUE(posted().empty());

    EXPECT_TRUE(key(returnKey));
    EXPECT_FALSE(control.isEditing());
    EXPECT_EQ(control.valueMs, 423);
    EXPECT_EQ(posted(), std::vector<int>({ 2 }));
}

TEST_F(LatencyFixture, TheThirdDigitCommitsWithoutReturn)
{
    start(123);
    doubleClickDigits();
    key(digitKey('5'));
    key(digitKey('6'));
    EXPECT_EQ(control.getEditDigit(), 2);
    key(digitKey('7'));
    EXPECT_FALSE(control.isEditing());
    EXPECT_EQ(control.valueMs, 567);
    EXPECT_EQ(digits(), "5|6|7");
    EXPECT_EQ(posted(), std::vector<int>({ 2 }));
}

TEST_F(LatencyFixture, DescribedKeysWithADigitFillACellButCountAsZero)
{
    // JUCE describes these as "shift + 5" and "numpad 4": they contain a digit
    // but do not start with a number.
    start(123);
    doubleClickDigits();
    key(digitKey('5', juce::ModifierKeys::shiftModifier));
    EXPECT_EQ(control.getDigitText(0), "shift + 5");
    key(juce::KeyPress(juce::KeyPress::numberPad4, {}, '4'));
    EXPECT_EQ(control.getDigitText(1), "numpad 4");
    key(returnKey);
    EXPECT_EQ(control.valueMs, 3);
    EXPECT_EQ(digits(), "0|0|3");
}

TEST_F(LatencyFixture, WhileEditingEveryKeyIsConsumedAndOnlyDigitsAndReturnAct)
{
    start(123);
    EXPECT_FALSE(key(digitKey('4'))); // not editing: left to other listeners
    EXPECT_FALSE(key(returnKey));
    EXPECT_EQ(control.valueMs, 123);

    doubleClickDigits();
    for (const auto& k : { juce::KeyPress(juce::KeyPress::escapeKey), juce::KeyPress('a', {}, 'a'),
                           juce::KeyPress(juce::KeyPress::backspaceKey), juce::KeyPress(juce::KeyPress::upKey) })
        EXPECT_TRUE(key(k));
    EXPECT_TRUE(control.isEditing());
    EXPECT_EQ(control.getEditDigit(), 0);
    EXPECT_EQ(digits(), "1|2|3");
    EXPECT_TRUE(posted().empty());
}

TEST_F(LatencyFixture, LosingTheFocusRestoresTheDigitsWithoutPosting)
{
    start(123);
    doubleClickDigits();
    key(digitKey('4'));
    control.focusLost(juce::Component::focusChangedByMouseClick);
    EXPECT_FALSE(control.isEditing());
    EXPECT_EQ(digits(), "1|2|3");
    EXPECT_EQ(control.valueMs, 123);
    EXPECT_TRUE(posted().empty());
}

//==============================================================================
TEST_F(LatencyFixture, PaintsTheCursorCellWhiteOnlyWhileEditing)
{
    // A cell pixel that neither the overlay layers nor a digit is likely to
    // cover completely is compared with and without the cursor.
    start(0);
    const auto idle = kittest::render(control);
    doubleClickDigits();
    key(digitKey('1'));
    const auto editing = kittest::render(control);

    int changedInCursorCell = 0, changedElsewhere = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 54; ++x)
            if (idle.getPixelAt(x, y) != editing.getPixelAt(x, y))
                (juce::Rectangle<int>(24, 15, 6, 12).contains(x, y) || juce::Rectangle<int>(17, 15, 6, 12).contains(x, y)
                     ? changedInCursorCell : changedElsewhere)++;
    EXPECT_GT(changedInCursorCell, 0);
    EXPECT_EQ(changedElsewhere, 0);
}
} // namespace
