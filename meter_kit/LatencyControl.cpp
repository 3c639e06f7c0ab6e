#include "LatencyControl.h"

#include "FilmStrip.h"
#include "SafeNumbers.h"

#include <VyrKitArt.h>

namespace vyrkit
{
namespace
{
constexpr int layerWidth = 54;
constexpr int layerHeight = 40;

bool inside(int value, int low, int high) noexcept
{
    return value >= low && value <= high;
}
} // namespace

LatencyControl::LatencyControl(int latencyCommandId)
    : commandId(latencyCommandId),
      latencyImage(decodeEmbeddedImage(vyrkit_art::latency_png, vyrkit_art::latency_pngSize))
{
    setSize(layerWidth, layerHeight);
    setWantsKeyboardFocus(true);
    addKeyListener(this);
}

LatencyControl::~LatencyControl()
{
    removeKeyListener(this);
}

void LatencyControl::setValue(float milliseconds, int notify)
{
    valueMs = juce::jlimit(0, 999, truncToInt(milliseconds));

    digitTexts[0] = juce::String(valueMs / 100);
    digitTexts[1] = juce::String((valueMs / 10) % 10);
    digitTexts[2] = juce::String(valueMs % 10);

    repaint();

    if (notify == 1)
        if (auto* parent = getParentComponent())
            if (auto* editor = parent->getParentComponent())
                editor->postCommandMessage(commandId);
}

void LatencyControl::mouseDown(const juce::MouseEvent& e)
{
    const int x = e.getMouseDownX();
    const int y = e.getMouseDownY();
    if (inside(x, 25, 31) && inside(y, 8, 13))
        setValue(static_cast<float>(valueMs + 10), 1);
    else if (inside(x, 25, 31) && inside(y, 30, 35))
        setValue(static_cast<float>(valueMs - 10), 1);
}

void LatencyControl::mouseDrag(const juce::MouseEvent& e)
{
    // One step per drag event, whatever the distance: down lowers, up or
    // sideways raises.
    const int distance = e.getDistanceFromDragStartY();
    const int step = e.mods.isShiftDown() ? 1 : 10;
    const int newValue = distance > lastDragDistance ? valueMs - step : valueMs + step;
    lastDragDistance = distance;
    setValue(static_cast<float>(newValue), 1);
}

void LatencyControl::mouseWheelMove(const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    // Less than one unit of delta changes nothing, but the value is still set
    // and the command posted.
    // The sum is formed in double so that a huge delta saturates in setValue.
    const int delta = truncToInt(wheel.deltaY);
    setValue(static_cast<float>(static_cast<double>(valueMs) + delta), 1);
}

void LatencyControl::mouseDoubleClick(const juce::MouseEvent& e)
{
    if (inside(e.getMouseDownX(), 17, 39) && inside(e.getMouseDownY(), 15, 29))
    {
        editing = true;
        editDigit = 0;
        repaint();
    }
}

bool LatencyControl::keyPressed(const juce::KeyPress& key, juce::Component*)
{
    if (! editing)
        return false;

    // JUCE describes digit keys as "4", "shift + 5" or "numpad 4"; any
    // description with a digit in it fills the cell. Only a text that starts with
    // a number counts as that number when committing.
    const juce::String description = key.getTextDescription();
    if (description.containsAnyOf("0123456789") && editDigit >= 0 && editDigit <= 2)
    {
        digitTexts[editDigit] = description;
        ++editDigit;
        if (editDigit > 2)
            keyPressed(juce::KeyPress(juce::KeyPress::returnKey), this);
    }

    if (key.getKeyCode() == juce::KeyPress::returnKey)
    {
        editing = false;
        const int value = 100 * parseLeadingInt(digitTexts[0])
                        + 10 * parseLeadingInt(digitTexts[1])
                        + parseLeadingInt(digitTexts[2]);
        setValue(static_cast<float>(value), 1);
    }

    // While editing every key is consumed.
    repaint();
    return true;
}

void LatencyControl::focusLost(FocusChangeType)
{
    // Digits typed but not committed are discarded.
    editing = false;
    setValue(static_cast<float>(valueMs), 0);
    repaint();
}

void LatencyControl::paint(juce::Graphics& g)
{
    g.drawImage(latencyImage, 0, 0, layerWidth, layerHeight, 0, 0, layerWidth, layerHeight);

    if (editing && editDigit >= 0 && editDigit <= 2)
    {
        g.setColour(juce::Colours::white);
        g.fillRect(17 + 7 * editDigit, 15, 6, 11);
    }

    g.setFont(13.0f);
    g.setColour(juce::Colours::black);
    for (int i = 0; i < 3; ++i)
        g.drawFittedText(digitTexts[i], 17 + 7 * i, 15, 6, 12, juce::Justification::centred, 1, 0.7f);

    g.drawImage(latencyImage, 0, 0, layerWidth, layerHeight, 0, layerHeight, layerWidth, layerHeight);
    g.drawImage(latencyImage, 0, 0, layerWidth, layerHeight, 0, 2 * layerHeight, layerWidth, layerHeight);
}
} // namespace vyrkit
