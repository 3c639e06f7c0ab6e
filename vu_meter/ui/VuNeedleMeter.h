#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

namespace vyrkelsom
{
// The VU needle meter: a black needle on the VU scale, a short red hold tick at
// the scale's edge and the over LED, drawn over the meter face that the front
// panel paints into its own background (the meter is not opaque and paints no
// face). The editor's timer pushes new values with setValues and then calls
// repaintNeedleAreas, which repaints only the band that the old and the new
// needle can cover (and the hold tick's band), plus the LED square. A click
// raises two requests, hold reset and LED reset, that the editor picks up on its
// next tick.
//
// Message thread only.
class COldVuMeter2 : public juce::Component
{
public:
    COldVuMeter2(float pivotX, float pivotY, float needleInnerRadius, float needleOuterRadius,
                 float holdInnerRadius, float holdOuterRadius);
    ~COldVuMeter2() override;

    // Level and hold are clamped to -0.05..3 (NaN becomes -0.05); the LED state
    // (-1 off, 0 latched, 1 lit) is kept as given; hold modes 1 and 2 show the
    // hold tick. Does not repaint.
    void setValues(float newLevel, float newHold, float holdMode, float newLedState);

    // Repaints the needle band chosen from the values last set and last painted,
    // the hold band while the tick is shown (and once more when it has just been
    // hidden, to erase it), and the LED square; then records the values as
    // painted (the hold value also while the tick is hidden).
    void repaintNeedleAreas();

    // Needle angle in radians, anticlockwise from the positive x axis: 136.5
    // degrees at 0, 45.5 degrees at 1.44, on a scale stretched by the power 1.2
    // above 0. Not clamped.
    static double needleAngle(float value) noexcept;

    // The band that covers a needle moving between the two values.
    static juce::Rectangle<int> needleBand(float newValue, float oldValue) noexcept;

    // The point at the given radius on the segment of a needle at angle a, half a
    // pixel off the pivot, in component coordinates (y grows downwards).
    juce::Point<float> needlePoint(double angle, float radius) const noexcept;

    static constexpr int ledX = 181, ledY = 90, ledSize = 20;
    static constexpr float minimumLevel = -0.05f;
    static constexpr float maximumLevel = 3.0f;
    // The needle's stops, where paint clamps the values.
    static constexpr float drawnMaximumLevel = 1.5f;

    void paint(juce::Graphics&) override;
    void mouseDown(const juce::MouseEvent&) override;

    float getLevel() const noexcept { return level; }
    float getHoldLevel() const noexcept { return holdLevel; }
    float getPaintedLevel() const noexcept { return paintedLevel; }
    float getPaintedHoldLevel() const noexcept { return paintedHoldLevel; }
    const juce::Path& getNeedlePath() const noexcept { return needlePath; }
    const juce::Path& getHoldPath() const noexcept { return holdPath; }

    // The rectangles the last repaintNeedleAreas asked for, in order: needle
    // band, hold band (while shown), LED square.
    int getLastRepaintCount() const noexcept { return lastRepaintCount; }
    juce::Rectangle<int> getLastRepaintArea(int index) const noexcept
    {
        return index >= 0 && index < lastRepaintCount ? lastRepaintAreas[(size_t) index] : juce::Rectangle<int>();
    }

    // Read and written by the editor on every tick (message thread only). The
    // LED reset starts raised, so the first tick puts out a latched LED.
    float ledState = -1.0f;
    bool showHold = false;
    bool ledResetRequest = true;
    bool holdResetRequest = false;

private:
    void buildSegment(juce::Path& path, float value, float innerRadius, float outerRadius) const;
    void requestRepaint(juce::Rectangle<int> area);

    juce::Point<float> pivot;
    float needleInnerRadius, needleOuterRadius;
    float holdInnerRadius, holdOuterRadius;

    float level = 0.05f;
    float holdLevel = 0.05f;
    float paintedLevel = 0.05f;
    float paintedHoldLevel = 0.05f;
    bool paintedShowHold = false;

    juce::Image ledImage;
    juce::Path needlePath, holdPath;

    std::array<juce::Rectangle<int>, 3> lastRepaintAreas;
    int lastRepaintCount = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(COldVuMeter2)
};
} // namespace vyrkelsom
