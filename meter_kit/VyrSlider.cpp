#include "VyrSlider.h"

namespace vyrkit
{
VyrSlider::VyrSlider(double coarse) : coarseInterval(coarse)
{
    // Until setFineRange runs, the extents and range follow a default slider.
    normalDragExtent = getMouseDragSensitivity();
    fineDragExtent = 5 * normalDragExtent;
    rangeMinimum = getMinimum();
    rangeMaximum = getMaximum();
    fineInterval = getInterval();
}

VyrSlider::~VyrSlider() = default;

void VyrSlider::setBoundsAndDragExtents(int x, int y, int width, int height)
{
    setBounds(x, y, width, height);

    switch (getSliderStyle())
    {
        case LinearVertical:   normalDragExtent = height - 20; break;
        case LinearHorizontal: normalDragExtent = width - 20; break;
        default:               normalDragExtent = getMouseDragSensitivity(); break;
    }
    fineDragExtent = 5 * normalDragExtent;
}

void VyrSlider::setFineRange(double minimum, double maximum, double interval)
{
    setRange(minimum, maximum, interval);
    rangeMinimum = minimum;
    rangeMaximum = maximum;
    fineInterval = interval;
}

void VyrSlider::mouseDrag(const juce::MouseEvent& e)
{
    if (e.mods.isShiftDown())
    {
        // Fine drag with what is in force at rest.
        if (isEnabled())
            Slider::mouseDrag(e);
        return;
    }

    // Coarse drag: the short path and the coarse interval for this event only.
    // Each setRange snaps the value to the new interval without notifying; the
    // drag's own change notifies as usual.
    setMouseDragSensitivity(juce::jmax(1, normalDragExtent));
    setRange(rangeMinimum, rangeMaximum, coarseInterval);
    if (isEnabled())
        Slider::mouseDrag(e);
    setRange(rangeMinimum, rangeMaximum, fineInterval);
    setMouseDragSensitivity(juce::jmax(1, fineDragExtent));
}

void VyrSlider::mouseWheelMove(const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    Slider::mouseWheelMove(e, wheel);
}
} // namespace vyrkit
