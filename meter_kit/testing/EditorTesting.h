#pragma once

// Helpers that the three meters' editor and panel tests share: a millisecond
// clock the tests move by hand, message-loop pumping, a recorder of what the host
// hears of parameter changes, an audio thread that holds the callback lock, the
// editor closed in the order JUCE asserts,
// synthetic mouse events delivered to a component directly, and pictures of
// components as the screen would show them.

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace kittest
{
// The processor's millisecond clock, moved by the tests.
inline std::atomic<juce::uint32> testMilliseconds { 100000 };
inline juce::uint32 testClock() { return testMilliseconds.load(); }

// A stereo sine of the given amplitude, both channels alike, about 441 Hz at
// 44100 Hz.
inline std::vector<std::vector<float>> tone(float amplitude, int samples)
{
    std::vector<std::vector<float>> channels(2, std::vector<float>((size_t) samples));
    for (int i = 0; i < samples; ++i)
        channels[0][(size_t) i] = channels[1][(size_t) i] = amplitude * static_cast<float>(std::sin(0.0628 * i));
    return channels;
}

// Runs the message loop so that posted commands and queued calls arrive.
inline void pump(int milliseconds = 20)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil(milliseconds);
}

// What the host hears of parameter changes.
struct HostNotifications : juce::AudioProcessorListener
{
    struct Change
    {
        int index;
        float value;
    };
    std::vector<Change> changes;

    void audioProcessorParameterChanged(juce::AudioProcessor*, int index, float value) override
    {
        changes.push_back({ index, value });
    }
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}
};

// Holds a processor's callback lock on another thread until destroyed, as the
// audio thread does while it is inside processBlock.
class BusyAudioThread
{
public:
    explicit BusyAudioThread(juce::AudioProcessor& p) : BusyAudioThread(p.getCallbackLock()) {}

    explicit BusyAudioThread(const juce::CriticalSection& lock)
        : thread([this, &lock] {
              const juce::ScopedLock held(lock);
              std::unique_lock<std::mutex> guard(mutex);
              locked = true;
              changed.notify_all();
              changed.wait(guard, [this] { return released; });
          })
    {
        std::unique_lock<std::mutex> guard(mutex);
        changed.wait(guard, [this] { return locked; });
    }

    ~BusyAudioThread()
    {
        {
            const std::lock_guard<std::mutex> guard(mutex);
            released = true;
        }
        changed.notify_all();
        thread.join();
    }

private:
    std::mutex mutex;
    std::condition_variable changed;
    bool locked = false;
    bool released = false;
    std::thread thread; // last, so that it starts once the rest is built
};

// Closes an open editor as the binding does, in the order JUCE asserts; nothing
// when none is open.
template <typename Processor, typename Editor>
void closeEditorIfOpen(Processor& p, Editor*& editor)
{
    if (editor == nullptr)
        return;
    p.editorBeingDeleted(editor);
    delete editor;
    editor = nullptr;
}

// A press (and release) at a point of a component, delivered to it directly.
inline juce::MouseEvent mouseAt(juce::Component& component, int x, int y, int clicks = 1,
                                juce::ModifierKeys mods = juce::ModifierKeys())
{
    const auto now = juce::Time::getCurrentTime();
    const juce::Point<float> pos { static_cast<float>(x), static_cast<float>(y) };
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), pos, mods,
                            juce::MouseInputSource::defaultPressure,
                            juce::MouseInputSource::defaultOrientation,
                            juce::MouseInputSource::defaultRotation,
                            juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY,
                            &component, &component, now, pos, now, clicks, false);
}

// Mouse handlers reached through Component, where they are public.
inline void press(juce::Component& component, int x, int y, int clicks = 1)
{
    component.mouseDown(mouseAt(component, x, y, clicks));
}

inline void press(juce::Component& component, int x, int y, juce::ModifierKeys mods)
{
    component.mouseDown(mouseAt(component, x, y, 1, mods));
}

inline void release(juce::Component& component, int x, int y)
{
    component.mouseUp(mouseAt(component, x, y));
}

// Paints a component with its children into an image, as the screen would.
inline juce::Image snapshot(juce::Component& component)
{
    return component.createComponentSnapshot(component.getLocalBounds(), true, 1.0f);
}

inline int countPixels(const juce::Image& image, juce::Rectangle<int> area, juce::Colour colour)
{
    int n = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (image.getPixelAt(x, y).getARGB() == colour.getARGB())
                ++n;
    return n;
}

// The smallest rectangle holding every pixel that is not fully transparent.
inline juce::Rectangle<int> paintedArea(const juce::Image& image)
{
    juce::Rectangle<int> area;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt(x, y).getAlpha() != 0)
                area = area.isEmpty() ? juce::Rectangle<int>(x, y, 1, 1) : area.getUnion({ x, y, 1, 1 });
    return area;
}

// Writes the picture to $VYR_SNAPSHOT_DIR, when set, for a look by eye.
inline void keepForInspection(const juce::Image& image, const juce::String& name)
{
    const char* dir = std::getenv("VYR_SNAPSHOT_DIR");
    if (dir == nullptr || *dir == 0)
        return;
    const auto file = juce::File(dir).getChildFile(name + ".png");
    file.deleteFile();
    juce::FileOutputStream out(file);
    juce::PNGImageFormat().writeImageToStream(image, out);
}
} // namespace kittest
