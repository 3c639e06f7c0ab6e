#include "SliderLooks.h"

#include "FilmStrip.h"
#include "SafeNumbers.h"

#include <VyrKitArt.h>

#include <cmath>

namespace vyrkit
{
namespace
{
constexpr int knobLastFrame = 50;

juce::Image decodeKnobStrip()
{
    return decodeEmbeddedImage(vyrkit_art::knob_png, vyrkit_art::knob_pngSize);
}

int clampKnobFrame(double frame) noexcept
{
    return juce::jlimit(0, knobLastFrame, truncToInt(frame));
}
} // namespace

//==============================================================================
SliderUniLook::SliderUniLook() : filmStrip(decodeKnobStrip()) {}
SliderUniLook::~SliderUniLook() = default;

int SliderUniLook::frameFor(double value, double maximum) noexcept
{
    // A maximum of 0 gives NaN or infinity here; the clamp keeps the frame inside
    // the strip (NaN counts as 0).
    return clampKnobFrame(std::floor(value * 50.0 / maximum));
}

void SliderUniLook::drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height,
                                     float, float, float, juce::Slider& slider)
{
    g.setOpacity(1.0f);
    drawStripFrame(g, filmStrip, frameFor(slider.getValue(), slider.getMaximum()), frameHeight,
                   { x, y, width, height });
}

//==============================================================================
SliderRefLook::SliderRefLook() : filmStrip(decodeKnobStrip()) {}
SliderRefLook::~SliderRefLook() = default;

int SliderRefLook::frameFor(double value) noexcept
{
    // 2.09 as a float, widened: 24 gives 50.16 and so the last frame.
    return clampKnobFrame(std::floor(value * static_cast<double>(2.09f)));
}

void SliderRefLook::drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height,
                                     float, float, float, juce::Slider& slider)
{
    g.setOpacity(1.0f);
    drawStripFrame(g, filmStrip, frameFor(slider.getValue()), frameHeight, { x, y, width, height });
}

//==============================================================================
SliderRefLEDLook::SliderRefLEDLook() : filmStrip(decodeKnobStrip()) {}
SliderRefLEDLook::~SliderRefLEDLook() = default;

int SliderRefLEDLook::frameFor(float p) noexcept
{
    // The equalities are tested in single precision, the thresholds with p
    // widened to double against double constants (0.3f widened is above 0.3).
    if (p == 1.0f)
        return 44;
    if (static_cast<double>(p) >= 0.6)
        return 32;
    if (static_cast<double>(p) >= 0.3)
        return 19;
    if (p == 0.0f)
        return 6;
    return -1;
}

void SliderRefLEDLook::drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height,
                                        float sliderPosProportional, float, float, juce::Slider&)
{
    g.setOpacity(1.0f);
    drawStripFrame(g, filmStrip, frameFor(sliderPosProportional), frameHeight, { x, y, width, height });
}

//==============================================================================
SliderOverLEDLook::SliderOverLEDLook() : filmStrip(decodeKnobStrip()) {}
SliderOverLEDLook::~SliderOverLEDLook() = default;

int SliderOverLEDLook::frameFor(float p) noexcept
{
    // Every comparison in single precision.
    if (p == 0.0f)
        return 2;
    if (p == 1.0f)
        return 48;

    struct Step { float threshold; int frame; };
    static constexpr Step steps[] = {
        { 0.8f, 42 }, { 0.7f, 37 }, { 0.6f, 33 }, { 0.5f, 28 },
        { 0.4f, 23 }, { 0.3f, 18 }, { 0.2f, 12 }, { 0.1f, 8 },
    };
    for (const auto& s : steps)
        if (p >= s.threshold)
            return s.frame;
    return -1;
}

void SliderOverLEDLook::drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height,
                                         float sliderPosProportional, float, float, juce::Slider&)
{
    g.setOpacity(1.0f);
    drawStripFrame(g, filmStrip, frameFor(sliderPosProportional), frameHeight, { x, y, width, height });
}

//==============================================================================
SliderHoldLook::SliderHoldLook()
    : filmStrip(decodeEmbeddedImage(vyrkit_art::hold_switch_png, vyrkit_art::hold_switch_pngSize))
{
}
SliderHoldLook::~SliderHoldLook() = default;

int SliderHoldLook::frameFor(double value) noexcept
{
    if (value == 0.0)
        return 0;
    if (value == 2.0)
        return 1;
    return 2;
}

void SliderHoldLook::drawLinearSlider(juce::Graphics& g, int, int, int, int, float, float, float,
                                      juce::Slider::SliderStyle, juce::Slider& slider)
{
    // Pink shows through wherever the frame is transparent and outside the
    // frame on a larger slider. The opacity is left as it is.
    g.fillAll(juce::Colours::pink);
    drawStripFrame(g, filmStrip, frameFor(slider.getValue()), frameHeight, { 0, 0, 86, 24 });
}

//==============================================================================
SliderMidAttenLook::SliderMidAttenLook()
    : filmStrip(decodeEmbeddedImage(vyrkit_art::mid_atten_png, vyrkit_art::mid_atten_pngSize))
{
}
SliderMidAttenLook::~SliderMidAttenLook() = default;

int SliderMidAttenLook::frameFor(double value) noexcept
{
    if (value == 0.0)
        return 0;
    if (value == 2.0)
        return 2;
    return 1;
}

void SliderMidAttenLook::drawLinearSlider(juce::Graphics& g, int, int, int, int, float, float, float,
                                          juce::Slider::SliderStyle, juce::Slider& slider)
{
    g.setOpacity(1.0f);
    drawStripFrame(g, filmStrip, frameFor(slider.getValue()), frameHeight, { 0, 0, 70, 67 });
}

//==============================================================================
SliderTrimLook::SliderTrimLook()
    : filmStrip(decodeEmbeddedImage(vyrkit_art::trim_thumb_png, vyrkit_art::trim_thumb_pngSize))
{
}
SliderTrimLook::~SliderTrimLook() = default;

int SliderTrimLook::thumbTop(float sliderPos) noexcept
{
    return truncToInt(sliderPos - 9.5f);
}

void SliderTrimLook::drawLinearSliderBackground(juce::Graphics&, int, int, int, int, float, float,
                                                float, juce::Slider::SliderStyle, juce::Slider&)
{
    // The trim slot is part of the panel's face: no track.
}

void SliderTrimLook::drawLinearSliderThumb(juce::Graphics& g, int x, int y, int width, int height,
                                           float sliderPos, float minSliderPos, float maxSliderPos,
                                           juce::Slider::SliderStyle style, juce::Slider& slider)
{
    if (style != juce::Slider::LinearVertical)
    {
        // Every trim slider is vertical; anything else keeps the stock thumb.
        LookAndFeel_V2::drawLinearSliderThumb(g, x, y, width, height, sliderPos, minSliderPos,
                                              maxSliderPos, style, slider);
        return;
    }

    g.setOpacity(1.0f);
    const int frame = trimActive.load(std::memory_order_relaxed) ? 0 : 1;
    drawStripFrame(g, filmStrip, frame, frameHeight, { x, thumbTop(sliderPos), 32, 19 });
}
} // namespace vyrkit
