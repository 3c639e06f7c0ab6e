// The back panel: its eight controls, the commands they post through the editor,
// the press that returns to the front panel, and its painting.
#include "EditorTestSupport.h"

#include "TarvoCommandIds.h"

#include <functional>

namespace vyrtarvo::testing
{
namespace
{
struct KnobCase
{
    const char* name;
    juce::Slider* (*control)(BackPanel&);
    juce::Rectangle<int> bounds;
    juce::Slider::SliderStyle style;
    double maximum, interval, doubleClickValue;
    int dragLength;
};

std::ostream& operator<<(std::ostream& os, const KnobCase& c) { return os << c.name; }

const KnobCase knobCases[] = {
    { "Reference", [](BackPanel& b) -> juce::Slider* { return b.referenceKnob.get(); }, { 24, 34, 43, 41 },
      juce::Slider::RotaryVerticalDrag, 24.0, 0.1, 12.0, 250 },
    { "Integration", [](BackPanel& b) -> juce::Slider* { return b.integrationKnob.get(); }, { 136, 33, 43, 41 },
      juce::Slider::RotaryVerticalDrag, 20.0, 0.25, 10.0, 250 },
    { "Hold", [](BackPanel& b) -> juce::Slider* { return b.holdKnob.get(); }, { 80, 109, 43, 41 },
      juce::Slider::RotaryVerticalDrag, 20.0, 0.25, 10.0, 250 },
    { "Return", [](BackPanel& b) -> juce::Slider* { return b.returnKnob.get(); }, { 192, 109, 43, 41 },
      juce::Slider::RotaryVerticalDrag, 20.0, 0.25, 13.0, 250 },
    { "OverReference", [](BackPanel& b) -> juce::Slider* { return b.overReferenceKnob.get(); }, { 418, 33, 43, 41 },
      juce::Slider::RotaryVerticalDrag, 3.0, 1.0, 3.0, 120 },
    { "OverCount", [](BackPanel& b) -> juce::Slider* { return b.overCountKnob.get(); }, { 475, 109, 43, 41 },
      juce::Slider::RotaryVerticalDrag, 9.0, 1.0, 2.0, 250 },
    { "MidAttenuation", [](BackPanel& b) -> juce::Slider* { return b.midSwitch.get(); }, { 200, 34, 70, 67 },
      juce::Slider::LinearHorizontal, 2.0, 1.0, 0.0, 250 },
};

struct BackPanelKnob : ::testing::TestWithParam<KnobCase>
{
    std::atomic<int> sizeFlag { 1 };
    BackPanel panel { &sizeFlag };
    void SetUp() override { panel.setVisible(true); }
};
} // namespace

TEST_P(BackPanelKnob, IsPlacedAndSetUp)
{
    const auto& c = GetParam();
    auto& knob = *c.control(panel);
    EXPECT_EQ(knob.getBounds(), c.bounds);
    EXPECT_EQ(knob.getSliderStyle(), c.style);
    EXPECT_EQ(knob.getMinimum(), 0.0);
    EXPECT_EQ(knob.getMaximum(), c.maximum);
    EXPECT_EQ(knob.getInterval(), c.interval);
    EXPECT_EQ(knob.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_TRUE(knob.isDoubleClickReturnEnabled());
    EXPECT_EQ(knob.getDoubleClickReturnValue(), c.doubleClickValue);
    EXPECT_EQ(knob.getMouseDragSensitivity(), c.dragLength);
    EXPECT_EQ(knob.getValue(), 0.0);
    EXPECT_TRUE(knob.isVisible());
    EXPECT_EQ(panel.getComponentAt(c.bounds.getCentre()), &knob);

    // The level and time knobs drag in whole units, with Shift in their interval.
    if (auto* fine = dynamic_cast<vyrkit::VyrSlider*>(&knob))
    {
        EXPECT_EQ(fine->getCoarseInterval(), 1.0);
        EXPECT_EQ(fine->getNormalDragExtent(), 250);
        EXPECT_EQ(fine->getFineDragExtent(), 1250);
    }
}

INSTANTIATE_TEST_SUITE_P(Knobs, BackPanelKnob, ::testing::ValuesIn(knobCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BackPanelLayout, ControlsInOrderWithTheirLooks)
{
    std::atomic<int> flag { 0 };
    BackPanel panel(&flag);
    EXPECT_EQ(panel.getBounds(), juce::Rectangle<int>(0, 0, 586, 167));

    const std::vector<juce::Component*> order { panel.referenceKnob.get(), panel.integrationKnob.get(),
                                                panel.holdKnob.get(), panel.returnKnob.get(),
                                                panel.overReferenceKnob.get(), panel.overCountKnob.get(),
                                                panel.measureButton.get(), panel.midSwitch.get() };
    ASSERT_EQ(panel.getNumChildComponents(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(panel.getChildComponent(i), order[(size_t) i]) << i;

    EXPECT_NE(dynamic_cast<vyrkit::SliderRefLook*>(&panel.referenceKnob->getLookAndFeel()), nullptr);
    // One look object draws the three time knobs.
    auto* uni = dynamic_cast<vyrkit::SliderUniLook*>(&panel.integrationKnob->getLookAndFeel());
    ASSERT_NE(uni, nullptr);
    EXPECT_EQ(&panel.holdKnob->getLookAndFeel(), uni);
    EXPECT_EQ(&panel.returnKnob->getLookAndFeel(), uni);
    EXPECT_NE(dynamic_cast<vyrkit::SliderRefLEDLook*>(&panel.overReferenceKnob->getLookAndFeel()), nullptr);
    EXPECT_NE(dynamic_cast<vyrkit::SliderOverLEDLook*>(&panel.overCountKnob->getLookAndFeel()), nullptr);
    EXPECT_NE(dynamic_cast<vyrkit::ButtonOverLook*>(&panel.measureButton->getLookAndFeel()), nullptr);
    EXPECT_NE(dynamic_cast<vyrkit::SliderMidAttenLook*>(&panel.midSwitch->getLookAndFeel()), nullptr);

    EXPECT_EQ(panel.measureButton->getBounds(), juce::Rectangle<int>(532, 10, 54, 97));
    EXPECT_TRUE(panel.measureButton->getClickingTogglesState());
    EXPECT_FALSE(panel.measureButton->getToggleState());
    EXPECT_TRUE(panel.referenceText.isEmpty());
}

// Each control posts its id; the editor then sets the setting from the control.
struct BackPanelCommand
{
    const char* name;
    std::function<void(BackPanel&)> use;
    int slot;
    float expected;
};

std::ostream& operator<<(std::ostream& os, const BackPanelCommand& c) { return os << c.name; }

struct BackPanelPosts : EditorFixture, ::testing::WithParamInterface<BackPanelCommand>
{
};

TEST_P(BackPanelPosts, ItsSettingThroughTheEditor)
{
    editor->handleCommandMessage(CommandId::showBackPanel);
    GetParam().use(back());
    pump();
    EXPECT_EQ(VyrTarvoAudioProcessor::getGlobalSetting(GetParam().slot), GetParam().expected);
    EXPECT_TRUE(host.changes.empty());
    EXPECT_TRUE(back().isVisible());
}

const auto sync = juce::sendNotificationSync;

INSTANTIATE_TEST_SUITE_P(
    Controls, BackPanelPosts,
    ::testing::Values(
        BackPanelCommand { "Reference", [](auto& b) { b.referenceKnob->setValue(0.0, sync); }, 0, 0.0f },
        BackPanelCommand { "Integration", [](auto& b) { b.integrationKnob->setValue(4.0, sync); }, 1, 0.2f },
        BackPanelCommand { "Hold", [](auto& b) { b.holdKnob->setValue(20.0, sync); }, 2, 1.0f },
        BackPanelCommand { "Return", [](auto& b) { b.returnKnob->setValue(2.0, sync); }, 3, 0.1f },
        BackPanelCommand { "OverCount", [](auto& b) { b.overCountKnob->setValue(0.0, sync); }, 4, 0.0f },
        BackPanelCommand { "OverReference", [](auto& b) { b.overReferenceKnob->setValue(1.0, sync); }, 5, 0.333f },
        BackPanelCommand { "MidAttenuation", [](auto& b) { b.midSwitch->setValue(2.0, sync); }, 6, 1.0f },
        BackPanelCommand { "Measurement", [](auto& b) { b.measureButton->setToggleState(true, sync); }, 7, 1.0f },
        // A double-click returns a knob to its value and posts like a drag.
        BackPanelCommand { "ReferenceDoubleClick",
                           [](auto& b) {
                               b.referenceKnob->setValue(3.0, juce::dontSendNotification);
                               press(*b.referenceKnob, 20, 20, 2);
                               static_cast<juce::Component&>(*b.referenceKnob).mouseDoubleClick(mouseAt(*b.referenceKnob, 20, 20, 2));
                           },
                           0, static_cast<float>(12.0 * 0.041666f) },
        BackPanelCommand { "ReturnDoubleClick",
                           [](auto& b) {
                               b.returnKnob->setValue(3.0, juce::dontSendNotification);
                               static_cast<juce::Component&>(*b.returnKnob).mouseDoubleClick(mouseAt(*b.returnKnob, 20, 20, 2));
                           },
                           3, 0.65f }),
    [](const auto& info) { return std::string(info.param.name); });

// A press outside the controls stores the settings and returns to the front page.
TEST_F(EditorFixture, APressOnTheBackPanelReturnsToTheFront)
{
    editor->handleCommandMessage(CommandId::showBackPanel);
    processor->setGlobalSetting(12, 1.0f);
    ASSERT_EQ(back().getComponentAt(300, 150), &back());
    press(back(), 300, 150);
    EXPECT_TRUE(back().isVisible());
    pump();
    EXPECT_TRUE(front().isVisible());
    EXPECT_FALSE(back().isVisible());
    EXPECT_EQ(VyrTarvoAudioProcessor::readStoredDefault(12), 1.0f);
    restoreDefaultSettings(*processor);
    VyrTarvoAudioProcessor::saveStoredDefaults();
}

namespace
{
bool anyPixelBrighterThan(const juce::Image& image, juce::Rectangle<int> area, float brightness)
{
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (image.getPixelAt(x, y).getBrightness() > brightness)
                return true;
    return false;
}
} // namespace

// The background at the flag's height, and the value texts in their boxes.
TEST(BackPanelPaint, DrawsTheBackgroundForTheSizeAndTheTexts)
{
    std::atomic<int> flag { 0 };
    BackPanel panel(&flag);
    panel.setSize(586, 205);

    juce::Image small(juce::Image::ARGB, 586, 205, true);
    {
        juce::Graphics g(small);
        panel.paint(g);
    }
    EXPECT_TRUE(small.getPixelAt(300, 166).isOpaque());
    for (int y = 167; y < 205; ++y)
        ASSERT_TRUE(small.getPixelAt(300, y).isTransparent()) << y;

    flag = 1;
    juce::Image large(juce::Image::ARGB, 586, 205, true);
    juce::Image withText(juce::Image::ARGB, 586, 205, true);
    {
        juce::Graphics g(large);
        panel.paint(g);
    }
    panel.holdText = "8.88s";
    {
        juce::Graphics g(withText);
        panel.paint(g);
    }
    EXPECT_TRUE(large.getPixelAt(300, 204).isOpaque());
    // The hold text appears only in its box; the version text is always there.
    bool holdDrawn = false;
    for (int y = 147; y < 161; ++y)
        for (int x = 75; x < 127; ++x)
            holdDrawn = holdDrawn || large.getPixelAt(x, y) != withText.getPixelAt(x, y);
    EXPECT_TRUE(holdDrawn);
    EXPECT_TRUE(anyPixelBrighterThan(large, BackPanel::versionTextBox, 0.5f));

    flag = 2;
    juce::Image none(juce::Image::ARGB, 586, 205, true);
    {
        juce::Graphics g(none);
        panel.paint(g);
    }
    EXPECT_TRUE(none.getPixelAt(300, 20).isTransparent());
}
} // namespace vyrtarvo::testing
