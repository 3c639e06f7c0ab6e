#pragma once

// Helpers shared by the kit's widget tests: film strips whose frames can be told
// apart by one pixel, rendering into images, synthetic mouse events (from
// MouseTesting.h), and a stand-in editor that records the command ids posted to it.

#include "MouseTesting.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace kittest
{
// A strip of `frames` frames, each filled with one opaque colour whose red
// channel encodes the frame index (see frameAt). `tag` goes into the green
// channel, so that two strips can be told apart too. With transparentColumn the
// leftmost column of every frame is left transparent.
inline juce::Image numberedStrip(int width, int frameHeight, int frames, juce::uint8 tag = 77,
                                 bool transparentColumn = false)
{
    juce::Image strip(juce::Image::ARGB, width, frameHeight * frames, true);
    juce::Graphics g(strip);
    for (int k = 0; k < frames; ++k)
    {
        g.setColour(juce::Colour(static_cast<juce::uint8>(k * 5), tag, 200));
        const int x0 = transparentColumn ? 1 : 0;
        g.fillRect(x0, k * frameHeight, width - x0, frameHeight);
    }
    return strip;
}

// The frame index a pixel of a numbered strip shows, or -1 for a pixel that is
// not fully opaque or does not carry the tag.
inline int frameAt(const juce::Image& image, int x, int y, juce::uint8 tag = 77)
{
    const auto c = image.getPixelAt(x, y);
    if (c.getAlpha() != 255 || c.getGreen() != tag || c.getRed() % 5 != 0)
        return -1;
    return c.getRed() / 5;
}

inline juce::Image render(juce::Component& component)
{
    juce::Image image(juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g(image);
    component.paintEntireComponent(g, false);
    return image;
}

inline bool transparentEverywhere(const juce::Image& image, juce::Rectangle<int> area)
{
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (image.getPixelAt(x, y).getAlpha() != 0)
                return false;
    return true;
}

// Stands in for an editor: the widget lies in a panel inside it.
struct CommandRecorder : juce::Component
{
    juce::Component panel;
    std::vector<int> received;

    CommandRecorder()
    {
        setSize(600, 220);
        panel.setBounds(getLocalBounds());
        addAndMakeVisible(panel);
    }

    void handleCommandMessage(int commandId) override { received.push_back(commandId); }

    // Posted commands arrive through the message queue.
    const std::vector<int>& delivered()
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil(20);
        return received;
    }
};
} // namespace kittest
