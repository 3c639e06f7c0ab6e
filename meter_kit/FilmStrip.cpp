#include "FilmStrip.h"

namespace vyrkit
{
int stripFrameCount(const juce::Image& strip, int frameHeight) noexcept
{
    if (! strip.isValid() || frameHeight <= 0)
        return 0;
    return strip.getHeight() / frameHeight;
}

void drawStripFrame(juce::Graphics& g, const juce::Image& strip, int frame, int frameHeight,
                    juce::Rectangle<int> dest)
{
    const int frames = stripFrameCount(strip, frameHeight);
    if (frame < 0 || frames == 0)
        return;

    frame = juce::jmin(frame, frames - 1);
    g.drawImage(strip, dest.getX(), dest.getY(), dest.getWidth(), dest.getHeight(),
                0, frame * frameHeight, strip.getWidth(), frameHeight, false);
}

juce::Image decodeEmbeddedImage(const char* data, int size)
{
    if (data == nullptr || size <= 0)
        return {};
    return juce::ImageFileFormat::loadFrom(data, static_cast<size_t>(size));
}
} // namespace vyrkit
