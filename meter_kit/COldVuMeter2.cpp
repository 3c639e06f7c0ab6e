#include "COldVuMeter2.h"

#include "FilmStrip.h"
#include "SafeNumbers.h"

#include <VyrKitArt.h>

#include <cmath>

namespace vyrkit
{
namespace
{
constexpr float minimumLevel = 0.16f;
constexpr float maximumLevel = 32.0f;

float clampLevel(float v) noexcept
{
    if (std::isnan(v))
        return minimumLevel;
    return juce::jlimit(minimumLevel, maximumLevel, v);
}
} // namespace

COldVuMeter2::COldVuMeter2(float pivotX, float pivotY, float needleInner, float needleOuter,
                           float holdInner, float holdOuter)
    : pivot(pivotX, pivotY),
      needleInnerRadius(needleInner),
      needleOuterRadius(needleOuter),
      holdInnerRadius(holdInner),
      holdOuterRadius(holdOuter),
      ledImage(decodeEmbeddedImage(vyrkit_art::over_led_png, vyrkit_art::over_led_pngSize))
{
}

COldVuMeter2::~COldVuMeter2() = default;

void COldVuMeter2::setValues(float newLevel, float newLedState, float newHoldLevel)
{
    level = clampLevel(newLevel);
    ledState = truncToInt(newLedState);
    holdLevel = clampLevel(newHoldLevel);
}

double COldVuMeter2::needleAngle(float value) noexcept
{
    const double pi = juce::MathConstants<double>::pi;
    const double a = pi - 20.0 * std::log10(16.0 * static_cast<double>(value)) * pi / 48.0;
    if (std::isnan(a))
        return 5.0 * pi / 6.0;
    return juce::jlimit(pi / 6.0, 5.0 * pi / 6.0, a);
}

juce::Rectangle<int> COldVuMeter2::needleStrip(float newValue, float oldValue, bool holdNeedle) noexcept
{
    if (newValue < 0.5f && oldValue < 0.5f)
        return { 18, 28, 122, 87 };
    if (newValue >= 1.1f && oldValue >= 1.1f)
        return { 120, 28, holdNeedle ? 115 : 113, 87 };
    if (newValue >= 0.5f && newValue < 1.1f && oldValue >= 0.5f && oldValue < 1.1f)
        return { 70, 28, 110, 87 };
    return { 18, 28, 217, 87 };
}

void COldVuMeter2::requestRepaint(juce::Rectangle<int> area)
{
    if (lastRepaintCount < static_cast<int>(lastRepaintAreas.size()))
        lastRepaintAreas[(size_t) lastRepaintCount++] = area;
    repaint(area);
}

void COldVuMeter2::repaintNeedleAreas()
{
    lastRepaintCount = 0;

    requestRepaint(needleStrip(level, paintedLevel, false));
    requestRepaint({ ledX, ledY, ledSize, ledSize });
    // Once more after the hold needle is hidden, so that the last one drawn is
    // erased.
    if (showHold || paintedShowHold)
        requestRepaint(needleStrip(holdLevel, paintedHoldLevel, true));

    // The hold value is recorded even while hidden, so that showing the hold
    // later chooses its strip from current values.
    paintedLevel = level;
    paintedHoldLevel = holdLevel;
    paintedShowHold = showHold;
}

void COldVuMeter2::buildNeedle(juce::Path& path, float value, float innerRadius, float outerRadius) const
{
    const auto a = static_cast<float>(needleAngle(value));
    const float cx = pivot.x + 0.5f;
    const float cy = pivot.y + 0.5f;
    const float c = std::cos(a);
    const float s = std::sin(a);

    path.clear();
    path.startNewSubPath(cx + innerRadius * c, cy - innerRadius * s);
    path.lineTo(cx + outerRadius * c, cy - outerRadius * s);
    path.closeSubPath();
}

void COldVuMeter2::paint(juce::Graphics& g)
{
    buildNeedle(needlePath, level, needleInnerRadius, needleOuterRadius);
    buildNeedle(holdPath, holdLevel, holdInnerRadius, holdOuterRadius);

    g.setColour(juce::Colour(229, 218, 202));
    g.strokePath(needlePath, juce::PathStrokeType(2.4f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));

    if (showHold)
    {
        g.setColour(juce::Colour(255, 0, 0));
        g.strokePath(holdPath, juce::PathStrokeType(2.8f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
    }

    // Lit, latched and off are the frames at source y 40, 20 and 0; any other
    // state draws no LED.
    int sourceY = -1;
    switch (ledState)
    {
        case 1:  sourceY = 40; break;
        case 0:  sourceY = 20; break;
        case -1: sourceY = 0; break;
        default: break;
    }
    if (sourceY >= 0)
        g.drawImage(ledImage, ledX, ledY, ledSize, ledSize, 0, sourceY, ledSize, ledSize, false);
}

void COldVuMeter2::mouseDown(const juce::MouseEvent&)
{
    ledResetRequest = true;
    holdResetRequest = true;
}
} // namespace vyrkit
