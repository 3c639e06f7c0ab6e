#include "ButtonLooks.h"

#include "FilmStrip.h"

#include <VyrKitArt.h>

namespace vyrkit
{
//==============================================================================
ButtonHelpLook::ButtonHelpLook()
    : filmStrip(decodeEmbeddedImage(vyrkit_art::help_png, vyrkit_art::help_pngSize))
{
}
ButtonHelpLook::~ButtonHelpLook() = default;

void ButtonHelpLook::drawToggleButton(juce::Graphics& g, juce::ToggleButton&, bool highlighted, bool)
{
    g.setOpacity(1.0f);
    drawStripFrame(g, filmStrip, highlighted ? 1 : 0, frameHeight, { 0, 0, 11, 11 });
}

//==============================================================================
ButtonPlusLook::ButtonPlusLook()
    : smallWindowStrip(decodeEmbeddedImage(vyrkit_art::size_small_png, vyrkit_art::size_small_pngSize)),
      largeWindowStrip(decodeEmbeddedImage(vyrkit_art::size_large_png, vyrkit_art::size_large_pngSize))
{
}
ButtonPlusLook::~ButtonPlusLook() = default;

void ButtonPlusLook::drawToggleButton(juce::Graphics& g, juce::ToggleButton&, bool highlighted, bool)
{
    g.setOpacity(1.0f);
    const auto& strip = smallWindow.load(std::memory_order_relaxed) ? smallWindowStrip : largeWindowStrip;
    drawStripFrame(g, strip, highlighted ? 1 : 0, frameHeight, { 0, 0, 11, 11 });
}

//==============================================================================
ToggleStateLook::ToggleStateLook(juce::Image strip, int height)
    : filmStrip(std::move(strip)), frameHeight(height)
{
}

void ToggleStateLook::drawToggleButton(juce::Graphics& g, juce::ToggleButton& button, bool, bool)
{
    drawnState = button.getToggleState() ? 1 : 0;
    g.setOpacity(1.0f);
    drawStripFrame(g, filmStrip, drawnState, frameHeight, destination(button));
}

//==============================================================================
ButtonLRMSLook::ButtonLRMSLook()
    : ToggleStateLook(decodeEmbeddedImage(vyrkit_art::lrms_png, vyrkit_art::lrms_pngSize), frameHeight)
{
}
ButtonLRMSLook::~ButtonLRMSLook() = default;

juce::Rectangle<int> ButtonLRMSLook::destination(const juce::ToggleButton&) const
{
    return { 0, 0, 87, 24 };
}

//==============================================================================
ButtonOverLook::ButtonOverLook()
    : ToggleStateLook(decodeEmbeddedImage(vyrkit_art::measure_mode_png, vyrkit_art::measure_mode_pngSize),
                      frameHeight)
{
}
ButtonOverLook::~ButtonOverLook() = default;

juce::Rectangle<int> ButtonOverLook::destination(const juce::ToggleButton& button) const
{
    return { 0, 0, button.getWidth(), button.getHeight() };
}

//==============================================================================
ButtonActiveLook::ButtonActiveLook()
    : ToggleStateLook(decodeEmbeddedImage(vyrkit_art::active_png, vyrkit_art::active_pngSize), frameHeight)
{
}
ButtonActiveLook::~ButtonActiveLook() = default;

juce::Rectangle<int> ButtonActiveLook::destination(const juce::ToggleButton& button) const
{
    return { 0, 0, button.getWidth(), button.getHeight() };
}
} // namespace vyrkit
