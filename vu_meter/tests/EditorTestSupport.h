#pragma once

// Helpers of the VU editor and panel tests: an editor opened and closed the way
// the plug-in binding does it, a clock the tests move by hand, a recorder of host
// notifications, the settings store under test control, message-loop pumping and
// synthetic mouse events.

#include "RegistryStore.h"
#include "VyrKelsoMAudioProcessorEditor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>
#include <vector>

namespace vyrkelsom::editortest
{
// The processor's millisecond clock, moved by the tests.
inline std::atomic<juce::uint32> testMilliseconds { 100000 };
inline juce::uint32 testClock() { return testMilliseconds.load(); }

// Runs the message loop so that posted commands and queued calls arrive.
inline void pump(int milliseconds = 20)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil(milliseconds);
}

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
inline void setParameter(VyrKelsoMAudioProcessor& p, int index, float value) { p.setParameter(index, value); }
inline float getParameter(VyrKelsoMAudioProcessor& p, int index) { return p.getParameter(index); }
inline juce::String parameterText(VyrKelsoMAudioProcessor& p, int index) { return p.getParameterText(index); }
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

// The VU meter's key in the settings store, and its eight values (indices 5..12).
inline const juce::String storeKey = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRKELSO\\";
inline const char* const storedValueNames[] = { "vuType",    "vuReference", "vuIntegration", "vuBacklit",
                                                "vuHold",    "vuOver",      "vuOverRef",     "vuOverSampling" };

inline void storeSetting(int index, const juce::String& text)
{
    ASSERT_TRUE(vyrplatform::RegistryStore::setValue(storeKey + storedValueNames[index - 5], text));
}

// Removes every stored value, so the next reread gives the defaults.
inline void clearStoredSettings()
{
    for (const char* name : storedValueNames)
        vyrplatform::RegistryStore::deleteValue(storeKey + name);
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

// Opens the editor as the binding does, and closes it in the order JUCE asserts.
inline VyrKelsoMAudioProcessorEditor* openEditor(VyrKelsoMAudioProcessor& p)
{
    return dynamic_cast<VyrKelsoMAudioProcessorEditor*>(p.createEditorIfNeeded());
}

inline void closeEditor(VyrKelsoMAudioProcessor& p, VyrKelsoMAudioProcessorEditor*& editor)
{
    if (editor == nullptr)
        return;
    p.editorBeingDeleted(editor);
    delete editor;
    editor = nullptr;
}

// Configures an instance as a host does: channels, rate, then prepareToPlay.
inline void configure(VyrKelsoMAudioProcessor& p, int ins, int outs, double rate, int blockSize)
{
    p.setPlayConfigDetails(ins, outs, rate, blockSize);
    p.prepareToPlay(rate, blockSize);
}

// Feeds the channels through processBlock in blocks of the given size, in place,
// under the callback lock as the host does.
inline void process(VyrKelsoMAudioProcessor& p, std::vector<std::vector<float>>& channels, int blockSize)
{
    const int total = static_cast<int>(channels[0].size());
    std::vector<float*> pointers(channels.size());
    juce::MidiBuffer midi;
    for (int start = 0; start < total; start += blockSize)
    {
        const int n = juce::jmin(blockSize, total - start);
        for (size_t c = 0; c < channels.size(); ++c)
            pointers[c] = channels[c].data() + start;
        juce::AudioBuffer<float> buffer(pointers.data(), static_cast<int>(channels.size()), n);
        const juce::ScopedLock lock(p.getCallbackLock());
        p.processBlock(buffer, midi);
    }
}

// A stereo sine of the given peak, both channels alike.
inline std::vector<std::vector<float>> sine(float peak, int samples, double cyclesPerSample = 1000.0 / 44100.0)
{
    std::vector<std::vector<float>> c(2, std::vector<float>(static_cast<size_t>(samples)));
    for (size_t i = 0; i < c[0].size(); ++i)
        c[0][i] = c[1][i] = peak * static_cast<float>(std::sin(2.0 * juce::MathConstants<double>::pi
                                                             * cyclesPerSample * static_cast<double>(i)));
    return c;
}

// A processor at 44100 Hz with the stored defaults (the store holds no values),
// its clock under test control, and an open editor that holds the poll role.
struct EditorFixture : ::testing::Test
{
    std::unique_ptr<VyrKelsoMAudioProcessor> processor;
    VyrKelsoMAudioProcessorEditor* editor = nullptr;
    HostNotifications host;

    void SetUp() override
    {
        clearStoredSettings();
        processor = std::make_unique<VyrKelsoMAudioProcessor>();
        processor->setMillisecondClock(&testClock);
        configure(*processor, 2, 2, 44100.0, 441);
        pump(1);
        ASSERT_FALSE(VyrKelsoMAudioProcessor::isPollRoleTaken()) << "an editor of an earlier test is still open";
        editor = openEditor(*processor);
        ASSERT_NE(editor, nullptr);
        processor->addListener(&host);
    }

    void TearDown() override
    {
        processor->removeListener(&host);
        closeEditor(*processor, editor);
        pump(1);
        clearStoredSettings();
        processor->reloadStoredDefaults();
        processor.reset();
    }

    FrontPanel& front() { return editor->getFrontPanel(); }
    BackPanel& back() { return editor->getBackPanel(); }
};

// A press at a point of a component, delivered to it directly.
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

inline void press(juce::Component& component, int x, int y, juce::ModifierKeys mods = juce::ModifierKeys())
{
    component.mouseDown(mouseAt(component, x, y, 1, mods));
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
} // namespace vyrkelsom::editortest
