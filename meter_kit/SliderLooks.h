#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>

namespace vyrkit
{
// Look-and-feels that draw a slider from a film strip: each decodes its strip
// once, in its constructor, and on every paint copies the one frame that the
// slider's value (or position proportion) selects. They draw no text, track or
// outline. Panels own them as members and attach them with setLookAndFeel, so
// they are deliberately not DeletedAtShutdown objects: JUCE's shutdown must never
// delete a look that a living panel still holds.
//
// The static frameFor functions give the frame a value selects; -1 means that
// nothing is drawn.

// Integration, hold and fall-back knobs (0..max): 51 knob frames over the travel.
class SliderUniLook : public juce::LookAndFeel_V1
{
public:
    static constexpr int frameHeight = 41;

    SliderUniLook();
    ~SliderUniLook() override;

    // floor(value * 50 / maximum) in double; the range minimum does not enter.
    static int frameFor(double value, double maximum) noexcept;

    void drawRotarySlider(juce::Graphics&, int x, int y, int width, int height,
                          float sliderPosProportional, float rotaryStartAngle,
                          float rotaryEndAngle, juce::Slider&) override;

protected:
    juce::Image filmStrip;
};

// Reference knob, 0..24 in tenths: frames 0 to 50.
class SliderRefLook : public juce::LookAndFeel_V1
{
public:
    static constexpr int frameHeight = 41;

    SliderRefLook();
    ~SliderRefLook() override;

    // floor(value * 2.09f) with the constant widened to double.
    static int frameFor(double value) noexcept;

    void drawRotarySlider(juce::Graphics&, int x, int y, int width, int height,
                          float sliderPosProportional, float rotaryStartAngle,
                          float rotaryEndAngle, juce::Slider&) override;

protected:
    juce::Image filmStrip;
};

// Over-reference knob (four positions), drawn from the knob strip.
class SliderRefLEDLook : public juce::LookAndFeel_V2
{
public:
    static constexpr int frameHeight = 41;

    SliderRefLEDLook();
    ~SliderRefLEDLook() override;

    static int frameFor(float proportion) noexcept;

    void drawRotarySlider(juce::Graphics&, int x, int y, int width, int height,
                          float sliderPosProportional, float rotaryStartAngle,
                          float rotaryEndAngle, juce::Slider&) override;

protected:
    juce::Image filmStrip;
};

// Over-count knob (ten positions), drawn from the knob strip.
class SliderOverLEDLook : public juce::LookAndFeel_V2
{
public:
    static constexpr int frameHeight = 41;

    SliderOverLEDLook();
    ~SliderOverLEDLook() override;

    static int frameFor(float proportion) noexcept;

    void drawRotarySlider(juce::Graphics&, int x, int y, int width, int height,
                          float sliderPosProportional, float rotaryStartAngle,
                          float rotaryEndAngle, juce::Slider&) override;

protected:
    juce::Image filmStrip;
};

// Three-position hold-mode switch (Off, Infinity, On). Fills the slider with pink
// before drawing its frame at a fixed place.
class SliderHoldLook : public juce::LookAndFeel_V1
{
public:
    static constexpr int frameHeight = 24;

    SliderHoldLook();
    ~SliderHoldLook() override;

    // The strip's frames are ordered Off, On, Infinity.
    static int frameFor(double value) noexcept;

    void drawLinearSlider(juce::Graphics&, int x, int y, int width, int height,
                          float sliderPos, float minSliderPos, float maxSliderPos,
                          juce::Slider::SliderStyle, juce::Slider&) override;

protected:
    juce::Image filmStrip;
};

// Three-position mid-attenuation switch.
class SliderMidAttenLook : public juce::LookAndFeel_V2
{
public:
    static constexpr int frameHeight = 67;

    SliderMidAttenLook();
    ~SliderMidAttenLook() override;

    static int frameFor(double value) noexcept;

    void drawLinearSlider(juce::Graphics&, int x, int y, int width, int height,
                          float sliderPos, float minSliderPos, float maxSliderPos,
                          juce::Slider::SliderStyle, juce::Slider&) override;

protected:
    juce::Image filmStrip;
};

// Trim slider: no track, a 32 x 19 thumb that shows whether the trim is active.
// The base's drawLinearSlider fills the (transparent) background and calls the
// two methods below.
class SliderTrimLook : public juce::LookAndFeel_V2
{
public:
    static constexpr int frameHeight = 19;

    SliderTrimLook();
    ~SliderTrimLook() override;

    // Written by the editor when the Active parameter changes, which host
    // automation can do on a host thread while the message thread paints.
    std::atomic<bool> trimActive { false };

    // Top edge of the thumb for a slider position in pixels: position - 9.5,
    // truncated toward zero.
    static int thumbTop(float sliderPos) noexcept;

    void drawLinearSliderBackground(juce::Graphics&, int x, int y, int width, int height,
                                    float sliderPos, float minSliderPos, float maxSliderPos,
                                    juce::Slider::SliderStyle, juce::Slider&) override;
    void drawLinearSliderThumb(juce::Graphics&, int x, int y, int width, int height,
                               float sliderPos, float minSliderPos, float maxSliderPos,
                               juce::Slider::SliderStyle, juce::Slider&) override;

protected:
    juce::Image filmStrip;
};
} // namespace vyrkit
