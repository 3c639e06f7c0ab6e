#include "VuNeedleMeter.h"

#include "KelsoImages.h"

#include <cmath>

namespace vyrkelsom
{
namespace
{
float clampStored(float v) noexcept
{
    if (std::isnan(v))
        return COldVuMeter2::minimumLevel;
    return juce::jlimit(COldVuMeter2::minimumLevel, COldVuMeter2::maximumLevel, v);
}

const juce::PathStrokeType needleStroke(2.4f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt);
const juce::PathStrokeType holdStroke(2.8f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt);
} // namespace

COldVuMeter2::COldVuMeter2(float pivotX, float pivotY, float needleInner, float needleOuter,
                           float holdInner, float holdOuter)
    : pivot(pivotX, pivotY),
      needleInnerRadius(needleInner),
      needleOuterRadius(needleOuter),
      holdInnerRadius(holdInner),
      holdOuterRadius(holdOuter),
      ledImage(decodeVuLedImage())
{
}

COldVuMeter2::~COldVuMeter2() = default;

void COldVuMeter2::setValues(float newLevel, float newHold, float holdMode, float newLedState)
{
    level = clampStored(newLevel);
    holdLevel = clampStored(newHold);
    ledState = newLedState;
    showHold = holdMode >= 1.0f;
}

// 136.5 degrees at 0 and 91 degrees of sweep to 1.44 (about +3.2 VU); above 0 the
// scale is stretched by the power 1.2, which spreads the upper end of the scale.
double COldVuMeter2::needleAngle(float value) noexcept
{
    const double v = static_cast<double>(value) / 1.44;
    const double p = value > 0.0f ? std::pow(v, 1.2) : v;
    return 2.3823744289722595 - 1.5882496193148399 * p;
}

// Low, high and middle of the scale each have a narrow band; a needle that
// crosses from one to another repaints the wide one.
juce::Rectangle<int> COldVuMeter2::needleBand(float newValue, float oldValue) noexcept
{
    if (newValue < 0.5f && oldValue < 0.5f)
        return { 18, 20, 122, 96 };
    if (newValue >= 1.1f && oldValue >= 1.1f)
        return { 130, 20, 103, 96 };
    if (newValue >= 0.5f && newValue < 1.1f && oldValue >= 0.5f && oldValue < 1.1f)
        return { 70, 20, 110, 96 };
    return { 20, 20, 220, 96 };
}

juce::Point<float> COldVuMeter2::needlePoint(double angle, float radius) const noexcept
{
    const double cx = static_cast<double>(pivot.x) + 0.5;
    const double cy = static_cast<double>(pivot.y) + 0.5;
    const double r = static_cast<double>(radius);
    return { static_cast<float>(cx + r * std::cos(angle)), static_cast<float>(cy - r * std::sin(angle)) };
}

void COldVuMeter2::requestRepaint(juce::Rectangle<int> area)
{
    area = area.getIntersection(getLocalBounds());
    if (area.isEmpty())
        return;
    if (lastRepaintCount < static_cast<int>(lastRepaintAreas.size()))
        lastRepaintAreas[(size_t) lastRepaintCount++] = area;
    repaint(area);
}

void COldVuMeter2::repaintNeedleAreas()
{
    lastRepaintCount = 0;
    requestRepaint(needleBand(level, paintedLevel));
    // Once more after the tick is hidden, so that the last one drawn is erased.
    if (showHold || paintedShowHold)
        requestRepaint(needleBand(holdLevel, paintedHoldLevel));
    requestRepaint({ ledX, ledY, ledSize, ledSize });

    paintedLevel = level;
    paintedHoldLevel = holdLevel;
    paintedShowHold = showHold;
}

void COldVuMeter2::buildSegment(juce::Path& path, float value, float innerRadius, float outerRadius) const
{
    const double a = needleAngle(value);
    const auto inner = needlePoint(a, innerRadius);
    const auto outer = needlePoint(a, outerRadius);
    path.clear();
    path.startNewSubPath(inner);
    path.lineTo(outer);
    path.closeSubPath();
}

void COldVuMeter2::paint(juce::Graphics& g)
{
    g.setOpacity(1.0f);
    // The needle's stops; setValues has already turned NaN into the left stop.
    level = juce::jlimit(minimumLevel, drawnMaximumLevel, level);
    holdLevel = juce::jlimit(minimumLevel, drawnMaximumLevel, holdLevel);

    buildSegment(needlePath, level, needleInnerRadius, needleOuterRadius);
    buildSegment(holdPath, holdLevel, holdInnerRadius, holdOuterRadius);

    g.setColour(juce::Colours::black);

    // Lit, latched and off are the frames at source y 40, 20 and 0; any other
    // state draws no LED. The needle is drawn after it and crosses it near full
    // scale.
    int sourceY = -1;
    if (ledState == 1.0f)
        sourceY = 40;
    else if (ledState == 0.0f)
        sourceY = 20;
    else if (ledState == -1.0f)
        sourceY = 0;
    if (sourceY >= 0)
        g.drawImage(ledImage, ledX, ledY, ledSize, ledSize, 0, sourceY, ledSize, ledSize, false);

    g.strokePath(needlePath, needleStroke);

    if (showHold)
    {
        g.setColour(juce::Colour(220, 0, 0));
        g.strokePath(holdPath, holdStroke);
    }
}

void COldVuMeter2::mouseDown(const juce::MouseEvent&)
{
    holdResetRequest = true;
    ledResetRequest = true;
}
} // namespace vyrkelsom
