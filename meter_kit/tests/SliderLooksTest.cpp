#include "FilmStrip.h"
#include "KitTestSupport.h"
#include "SliderLooks.h"

#include <VyrKitArt.h>

#include <gtest/gtest.h>

#include <type_traits>

using namespace vyrkit;
using kittest::frameAt;
using kittest::numberedStrip;

namespace
{
// A look whose strip is replaced by a numbered one, so the frame it draws can be
// read back from a single pixel.
template <class Look>
struct NumberedLook : Look
{
    NumberedLook(int width, int frameHeight, int frames, bool transparentColumn = false)
    {
        this->filmStrip = numberedStrip(width, frameHeight, frames, 77, transparentColumn);
    }
};

struct Knob : juce::Slider
{
    Knob(juce::LookAndFeel& look, double maximum, double interval, double value)
    {
        setSliderStyle(RotaryVerticalDrag);
        setTextBoxStyle(NoTextBox, true, 0, 0);
        setRange(0.0, maximum, interval);
        setValue(value, juce::dontSendNotification);
        setBounds(0, 0, 43, 41);
        setLookAndFeel(&look);
    }
    ~Knob() override { setLookAndFeel(nullptr); }
};

struct Switch : juce::Slider
{
    Switch(juce::LookAndFeel& look, int width, int height, double value)
    {
        setSliderStyle(LinearHorizontal);
        setTextBoxStyle(NoTextBox, true, 0, 0);
        setRange(0.0, 2.0, 1.0);
        setValue(value, juce::dontSendNotification);
        setBounds(0, 0, width, height);
        setLookAndFeel(&look);
    }
    ~Switch() override { setLookAndFeel(nullptr); }
};

struct TrimSlider : juce::Slider
{
    TrimSlider(juce::LookAndFeel& look, double value)
    {
        setSliderStyle(LinearVertical);
        setTextBoxStyle(NoTextBox, true, 0, 0);
        setRange(-20.0, 20.0, 0.1);
        setValue(value, juce::dontSendNotification);
        setBounds(0, 0, 32, 126);
        setLookAndFeel(&look);
    }
    ~TrimSlider() override { setLookAndFeel(nullptr); }
};

// Frame drawn by a look's drawRotarySlider for a given position proportion.
template <class Look>
int rotaryFrameForProportion(float proportion)
{
    NumberedLook<Look> look(43, 41, 51);
    juce::Slider slider;
    juce::Image image(juce::Image::ARGB, 43, 41, true);
    juce::Graphics g(image);
    look.drawRotarySlider(g, 0, 0, 43, 41, proportion, 0.0f, 6.0f, slider);
    return frameAt(image, 21, 20);
}

struct ValueFrame
{
    double value;
    int frame;
};
} // namespace

TEST(LookClasses, DeriveFromTheStockLooksAndStayOutOfTheShutdownList)
{
    static_assert(std::is_base_of_v<juce::LookAndFeel_V1, SliderUniLook>);
    static_assert(std::is_base_of_v<juce::LookAndFeel_V1, SliderRefLook>);
    static_assert(std::is_base_of_v<juce::LookAndFeel_V1, SliderHoldLook>);
    static_assert(! std::is_base_of_v<juce::LookAndFeel_V1, SliderRefLEDLook>);
    static_assert(! std::is_base_of_v<juce::LookAndFeel_V1, SliderOverLEDLook>);
    static_assert(! std::is_base_of_v<juce::LookAndFeel_V1, SliderMidAttenLook>);
    static_assert(! std::is_base_of_v<juce::LookAndFeel_V1, SliderTrimLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, SliderUniLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, SliderRefLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, SliderRefLEDLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, SliderOverLEDLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, SliderHoldLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, SliderMidAttenLook>);
    static_assert(! std::is_base_of_v<juce::DeletedAtShutdown, SliderTrimLook>);

    SliderTrimLook trim;
    EXPECT_FALSE(trim.trimActive.load());
}

//==============================================================================
TEST(FilmStrip, ClampsFrameIndicesToTheStripAndDrawsNothingForNoFrame)
{
    const auto strip = numberedStrip(10, 4, 3);
    const struct { int frame; int drawn; } cases[] = { { 0, 0 }, { 2, 2 }, { 3, 2 }, { 1000000, 2 }, { -1, -1 } };
    for (const auto& c : cases)
    {
        juce::Image image(juce::Image::ARGB, 10, 4, true);
        juce::Graphics g(image);
        drawStripFrame(g, strip, c.frame, 4, { 0, 0, 10, 4 });
        EXPECT_EQ(frameAt(image, 5, 2), c.drawn) << "frame " << c.frame;
    }

    juce::Image image(juce::Image::ARGB, 10, 4, true);
    juce::Graphics g(image);
    drawStripFrame(g, juce::Image(), 0, 4, { 0, 0, 10, 4 });
    EXPECT_TRUE(kittest::transparentEverywhere(image, image.getBounds()));
    EXPECT_EQ(stripFrameCount(strip, 0), 0);
}

//==============================================================================
class UniKnob : public ::testing::TestWithParam<ValueFrame> {};

TEST_P(UniKnob, FrameIsTheFloorOfValueTimes50OverMaximum)
{
    NumberedLook<SliderUniLook> look(43, 41, 51);
    Knob knob(look, 20.0, 0.25, GetParam().value);
    EXPECT_EQ(frameAt(kittest::render(knob), 21, 20), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(TimeKnobs, UniKnob,
    ::testing::Values(ValueFrame { 0, 0 }, ValueFrame { 0.25, 0 }, ValueFrame { 10, 25 },
                      ValueFrame { 13, 32 }, ValueFrame { 19.75, 49 }, ValueFrame { 20, 50 }));

TEST(UniKnob, AMaximumOfZeroOrAValueOutsideTheTravelStaysOnTheStrip)
{
    EXPECT_EQ(SliderUniLook::frameFor(0.0, 0.0), 0);  // 0 / 0
    EXPECT_EQ(SliderUniLook::frameFor(5.0, 0.0), 50); // infinity
    EXPECT_EQ(SliderUniLook::frameFor(-1.0, 20.0), 0);
    EXPECT_EQ(SliderUniLook::frameFor(40.0, 20.0), 50);
    EXPECT_EQ(SliderRefLook::frameFor(-0.5), 0);
    EXPECT_EQ(SliderRefLook::frameFor(1e300), 50);
}

class RefKnob : public ::testing::TestWithParam<ValueFrame> {};

TEST_P(RefKnob, FrameUsesTheSinglePrecisionFactor)
{
    NumberedLook<SliderRefLook> look(43, 41, 51);
    Knob knob(look, 24.0, 0.1, GetParam().value);
    EXPECT_EQ(frameAt(kittest::render(knob), 21, 20), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(ReferenceKnob, RefKnob,
    ::testing::Values(ValueFrame { 0, 0 }, ValueFrame { 12, 25 }, ValueFrame { 23.9, 49 },
                      ValueFrame { 24, 50 }));

//==============================================================================
struct ProportionFrame
{
    float proportion;
    int frame; // -1: nothing drawn
};

class RefLedKnob : public ::testing::TestWithParam<ProportionFrame> {};

TEST_P(RefLedKnob, ThresholdsInDoubleEqualitiesInSingle)
{
    EXPECT_EQ(rotaryFrameForProportion<SliderRefLEDLook>(GetParam().proportion), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(Proportions, RefLedKnob,
    ::testing::Values(ProportionFrame { 0.0f, 6 }, ProportionFrame { 0.2f, -1 },
                      ProportionFrame { 0.29999f, -1 }, ProportionFrame { 0.3f, 19 },
                      ProportionFrame { 1.0f / 3.0f, 19 }, ProportionFrame { 0.59999f, 19 },
                      ProportionFrame { 0.6f, 32 }, ProportionFrame { 2.0f / 3.0f, 32 },
                      ProportionFrame { 0.99999f, 32 }, ProportionFrame { 1.0f, 44 }));

class OverLedKnob : public ::testing::TestWithParam<ProportionFrame> {};

TEST_P(OverLedKnob, ThresholdsInSinglePrecision)
{
    EXPECT_EQ(rotaryFrameForProportion<SliderOverLEDLook>(GetParam().proportion), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(Proportions, OverLedKnob,
    ::testing::Values(ProportionFrame { 0.0f, 2 }, ProportionFrame { 0.05f, -1 },
                      ProportionFrame { 0.0999f, -1 }, ProportionFrame { 0.1f, 8 },
                      ProportionFrame { 1.0f / 9.0f, 8 }, ProportionFrame { 0.7f, 37 },
                      ProportionFrame { 8.0f / 9.0f, 42 }, ProportionFrame { 1.0f, 48 }));

TEST(LedKnobs, EveryPositionOfTheStepKnobsShowsItsFrame)
{
    NumberedLook<SliderRefLEDLook> refLook(43, 41, 51);
    const int refFrames[] = { 6, 19, 32, 44 };
    for (int v = 0; v <= 3; ++v)
    {
        Knob knob(refLook, 3.0, 1.0, v);
        EXPECT_EQ(frameAt(kittest::render(knob), 21, 20), refFrames[v]) << "over reference " << v;
    }

    NumberedLook<SliderOverLEDLook> countLook(43, 41, 51);
    const int countFrames[] = { 2, 8, 12, 18, 23, 28, 33, 37, 42, 48 };
    for (int v = 0; v <= 9; ++v)
    {
        Knob knob(countLook, 9.0, 1.0, v);
        EXPECT_EQ(frameAt(kittest::render(knob), 21, 20), countFrames[v]) << "over count " << v;
    }
}

//==============================================================================
TEST(HoldSwitch, ShowsOffOnInfinityOrderOverPink)
{
    NumberedLook<SliderHoldLook> look(86, 24, 3, true);
    const ValueFrame cases[] = { { 0, 0 }, { 1, 2 }, { 2, 1 }, { 0.5, 2 } };
    for (const auto& c : cases)
    {
        Switch holdSwitch(look, 86, 24, c.value);
        const auto image = kittest::render(holdSwitch);
        EXPECT_EQ(frameAt(image, 43, 12), c.frame) << "value " << c.value;
        // The frame's transparent column shows the pink fill.
        EXPECT_EQ(image.getPixelAt(0, 12), juce::Colours::pink);
    }
}

TEST(HoldSwitch, DrawsAtTheFixedPlaceAndPinkFillsTheRestOfALargerSlider)
{
    NumberedLook<SliderHoldLook> look(86, 24, 3);
    Switch holdSwitch(look, 120, 40, 2.0);
    const auto image = kittest::render(holdSwitch);
    EXPECT_EQ(frameAt(image, 85, 23), 1);
    EXPECT_EQ(frameAt(image, 1, 0), 1);
    EXPECT_EQ(image.getPixelAt(86, 10), juce::Colours::pink);
    EXPECT_EQ(image.getPixelAt(40, 24), juce::Colours::pink);
    EXPECT_EQ(image.getPixelAt(119, 39), juce::Colours::pink);
}

TEST(MidAttenuationSwitch, ShowsItsThreePositionsInOrder)
{
    NumberedLook<SliderMidAttenLook> look(70, 67, 3);
    const ValueFrame cases[] = { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 0.5, 1 } };
    for (const auto& c : cases)
    {
        Switch midSwitch(look, 70, 67, c.value);
        const auto image = kittest::render(midSwitch);
        EXPECT_EQ(frameAt(image, 35, 33), c.frame) << "value " << c.value;
        EXPECT_EQ(frameAt(image, 69, 66), c.frame);
    }
}

//==============================================================================
TEST(TrimThumb, TopEdgeIsThePositionLessNineAndAHalfTruncated)
{
    const struct { float position; int top; } cases[] = {
        { 9.0f, 0 }, { 9.4f, 0 }, { 10.0f, 0 }, { 11.0f, 1 }, { 63.0f, 53 }, { 117.0f, 107 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(SliderTrimLook::thumbTop(c.position), c.top) << c.position;
}

TEST(TrimThumb, SitsInsideTheSliderAndShowsTheActiveState)
{
    const struct { double value; bool active; int top; int frame; } cases[] = {
        { 20.0, true, 0, 0 }, { 0.0, true, 53, 0 }, { -20.0, true, 107, 0 }, { -20.0, false, 107, 1 },
        { 20.0, false, 0, 1 },
    };
    for (const auto& c : cases)
    {
        NumberedLook<SliderTrimLook> look(32, 19, 2);
        look.trimActive = c.active;
        TrimSlider slider(look, c.value);
        const auto image = kittest::render(slider);

        EXPECT_EQ(frameAt(image, 0, c.top), c.frame) << "value " << c.value;
        EXPECT_EQ(frameAt(image, 31, c.top + 18), c.frame);
        // No track and no other thumb: everything else stays transparent.
        EXPECT_TRUE(kittest::transparentEverywhere(image, { 0, 0, 32, c.top }));
        EXPECT_TRUE(kittest::transparentEverywhere(image, { 0, c.top + 19, 32, 126 - c.top - 19 }));
    }
}

//==============================================================================
// The embedded strips themselves: what a look draws is the frame cut from the
// decoded strip, pixel for pixel. The looks are called directly here, since the
// first stock look gives sliders a drop-shadow effect when JUCE paints them.
namespace
{
juce::Image frameOf(const juce::Image& strip, int frame, int h)
{
    return strip.getClippedImage({ 0, frame * h, strip.getWidth(), h });
}

bool sameImage(const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return false;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt(x, y).getARGB() != b.getPixelAt(x, y).getARGB())
                return false;
    return true;
}
} // namespace

TEST(EmbeddedStrips, KnobAndSwitchLooksCopyTheirFramesUnscaled)
{
    const auto knobStrip = decodeEmbeddedImage(vyrkit_art::knob_png, vyrkit_art::knob_pngSize);
    ASSERT_EQ(knobStrip.getBounds(), juce::Rectangle<int>(0, 0, 43, 2091));
    ASSERT_FALSE(sameImage(frameOf(knobStrip, 0, 41), frameOf(knobStrip, 32, 41)));

    SliderUniLook uni;
    for (int value : { 0, 13, 20 })
    {
        Knob knob(uni, 20.0, 0.25, value);
        juce::Image image(juce::Image::ARGB, 43, 41, true);
        juce::Graphics g(image);
        uni.drawRotarySlider(g, 0, 0, 43, 41, (float) knob.valueToProportionOfLength(value), 0.0f, 6.0f, knob);
        EXPECT_TRUE(sameImage(image, frameOf(knobStrip, SliderUniLook::frameFor(value, 20.0), 41))) << "value " << value;
    }

    const auto holdStrip = decodeEmbeddedImage(vyrkit_art::hold_switch_png, vyrkit_art::hold_switch_pngSize);
    EXPECT_EQ(holdStrip.getBounds(), juce::Rectangle<int>(0, 0, 86, 72));
    const auto midStrip = decodeEmbeddedImage(vyrkit_art::mid_atten_png, vyrkit_art::mid_atten_pngSize);
    ASSERT_EQ(midStrip.getBounds(), juce::Rectangle<int>(0, 0, 70, 201));

    SliderMidAttenLook mid;
    Switch midSwitch(mid, 70, 67, 2.0);
    EXPECT_TRUE(sameImage(kittest::render(midSwitch), frameOf(midStrip, 2, 67)));
}
