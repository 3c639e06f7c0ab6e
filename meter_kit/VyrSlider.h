#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vyrkit
{
// A slider that drags in coarse steps over a short mouse path and, with Shift
// held, in its fine interval over a path five times longer. At rest (and for the
// mouse wheel) the fine interval is in force.
//
// Set the style first, then place it with setBoundsAndDragExtents (the extents
// follow the style), then give it its range with setFineRange.
//
// Owners that want double-click-to-value only should pass juce::ModifierKeys()
// as the third argument of setDoubleClickReturnValue: JUCE's default also resets
// the value on Alt+click.
class VyrSlider : public juce::Slider
{
public:
    explicit VyrSlider(double coarseInterval);
    ~VyrSlider() override;

    // Sets the bounds; the drag path for the whole range is the height less 20
    // for a vertical slider, the width less 20 for a horizontal one, and the
    // slider's current full-drag distance for every other style. With Shift the
    // path is five times as long. The slider's own drag distance is not changed
    // here: the first drag sets it.
    void setBoundsAndDragExtents(int x, int y, int width, int height);

    // The range and the interval used at rest and while Shift is held.
    void setFineRange(double minimum, double maximum, double interval);

    void mouseDrag(const juce::MouseEvent&) override;
    void mouseWheelMove(const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

    int getNormalDragExtent() const noexcept { return normalDragExtent; }
    int getFineDragExtent() const noexcept { return fineDragExtent; }
    double getCoarseInterval() const noexcept { return coarseInterval; }
    double getFineInterval() const noexcept { return fineInterval; }

private:
    int normalDragExtent = 250;
    int fineDragExtent = 1250;
    double rangeMinimum = 0.0;
    double rangeMaximum = 10.0;
    double fineInterval = 0.0;
    double coarseInterval;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrSlider)
};
} // namespace vyrkit
