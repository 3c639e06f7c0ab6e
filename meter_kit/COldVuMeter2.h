#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

namespace vyrkit
{
// The peak programme needle meter: one needle, an optional hold needle and an
// over LED, drawn over the meter face that the parent paints (the meter is not
// opaque and paints no background). The editor's timer pushes new values with
// setValues and then calls repaintNeedleAreas, which repaints only the strips
// that the old and the new needle can cover. A click raises two reset requests
// that the editor picks up on its next tick.
class COldVuMeter2 : public juce::Component
{
public:
    COldVuMeter2(float pivotX, float pivotY, float needleInnerRadius, float needleOuterRadius,
                 float holdInnerRadius, float holdOuterRadius);
    ~COldVuMeter2() override;

    // Levels are linear amplitudes relative to the reference level, clamped to
    // 0.16..32 (NaN becomes 0.16). The LED state arrives as -1.0 (off), 0.0
    // (latched) or 1.0 (lit) and is truncated toward zero. Does not repaint.
    void setValues(float newLevel, float newLedState, float newHoldLevel);

    // Repaints the needle strip (and the hold strip while the hold is shown, and
    // once more when it has just been hidden, to erase it) chosen from the values
    // last set and last painted, plus the LED square, then records the values as
    // painted.
    void repaintNeedleAreas();

    // Needle angle in radians for a level, anticlockwise from the positive x
    // axis: 3.75 degrees per dB, clamped to 30..150 degrees.
    static double needleAngle(float value) noexcept;

    // The strip that covers a needle moving from oldValue to newValue. The hold
    // needle's strip for high values reaches two pixels further right.
    static juce::Rectangle<int> needleStrip(float newValue, float oldValue, bool holdNeedle) noexcept;

    static constexpr int ledX = 210, ledY = 14, ledSize = 20;

    void paint(juce::Graphics&) override;
    void mouseDown(const juce::MouseEvent&) override;

    float getLevel() const noexcept { return level; }
    float getHoldLevel() const noexcept { return holdLevel; }
    float getPaintedLevel() const noexcept { return paintedLevel; }
    float getPaintedHoldLevel() const noexcept { return paintedHoldLevel; }

    // The rectangles the last repaintNeedleAreas asked for, in order: needle
    // strip, LED square and, while the hold is shown or was shown at the last
    // repaint, the hold strip.
    int getLastRepaintCount() const noexcept { return lastRepaintCount; }
    juce::Rectangle<int> getLastRepaintArea(int index) const noexcept
    {
        return index >= 0 && index < lastRepaintCount ? lastRepaintAreas[(size_t) index] : juce::Rectangle<int>();
    }

    // Read and written by the editor on every tick (message thread only).
    int ledState = -1;
    bool showHold = false;
    bool ledResetRequest = false;
    bool holdResetRequest = false;

private:
    void buildNeedle(juce::Path& path, float value, float innerRadius, float outerRadius) const;
    void requestRepaint(juce::Rectangle<int> area);

    juce::Point<float> pivot;
    float needleInnerRadius, needleOuterRadius;
    float holdInnerRadius, holdOuterRadius;

    float level = 0.19f;
    float holdLevel = 0.19f;
    float paintedLevel = 0.19f;
    float paintedHoldLevel = 0.19f;
    bool paintedShowHold = false;

    juce::Image ledImage;
    juce::Path needlePath, holdPath;

    std::array<juce::Rectangle<int>, 3> lastRepaintAreas;
    int lastRepaintCount = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(COldVuMeter2)
};
} // namespace vyrkit
