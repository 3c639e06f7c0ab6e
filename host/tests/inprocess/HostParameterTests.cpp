// Host parameter calls through the binding's C interface, as an audio thread
// makes them between blocks: with the editor open in a real window they never
// allocate, the editor shows the last values at its next tick, and a Hold
// change never waits for the callback lock that the editor's tick or a block
// may hold. Needs an X display for the editor (skipped without one).
#include "AllocationCounting.h"
#include "FrontPanelControls.h"
#include "HostWindow.h"
#include "MessageThread.h"
#include "MetersInProcess.h"
#include "SafeNumbers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <future>
#include <string>
#include <thread>

using vyrinprocess::Instance;
using vyrinprocess::MeterUnderTest;
using vyrplatform::MessageThread;

namespace
{
constexpr double rate = 44100.0;
constexpr int blockSize = 256;

// The index of the host parameter with this name, or -1.
int parameterIndex(const Instance& instance, const std::string& name)
{
    const auto& factory = vyrinprocess::effectFactory();
    VyrParameterInfo info {};
    for (int i = 0; i < factory.getNumParameters(instance.handle); ++i)
        if (factory.getParameterInfo(instance.handle, i, &info) == VYR_OK && name == info.name)
            return i;
    return -1;
}

// A stereo block of a tone at the given level, the same every time.
struct ToneBlock
{
    explicit ToneBlock(float level)
    {
        for (int i = 0; i < blockSize; ++i)
            left[(std::size_t) i] = right[(std::size_t) i] = level * (float) std::sin(0.3 * i);
    }
    void through(Instance& instance)
    {
        const float* in[] = { left.data(), right.data() };
        float* out[] = { outLeft.data(), outRight.data() };
        instance.process(in, out, blockSize);
    }
    std::vector<float> left = std::vector<float>(blockSize), right = std::vector<float>(blockSize);
    std::vector<float> outLeft = std::vector<float>(blockSize), outRight = std::vector<float>(blockSize);
};

// What the open editor's controls show of the four parameters every meter has,
// and the stereo meter's LR/MS switch (false for the others).
struct Shown
{
    double holdSwitch;
    int latencyMs;
    double trimPosition;
    bool active;
    juce::String trimText;
    bool midSide;

    bool operator==(const Shown& o) const
    {
        return holdSwitch == o.holdSwitch && latencyMs == o.latencyMs && trimPosition == o.trimPosition
               && active == o.active && trimText == o.trimText && midSide == o.midSide;
    }
};

std::ostream& operator<<(std::ostream& os, const Shown& s)
{
    return os << "hold " << s.holdSwitch << ", latency " << s.latencyMs << " ms, trim " << s.trimPosition << " ("
              << s.trimText << "), active " << s.active << ", MS " << s.midSide;
}

// The meter page among the editor's children.
vyrkit::FrontPanelControls* frontPanelOf(juce::Component& editor)
{
    for (auto* child : editor.getChildren())
        if (auto* front = dynamic_cast<vyrkit::FrontPanelControls*>(child))
            return front;
    return nullptr;
}

// The stereo meter's LR/MS switch: the one toggle button of its front panel
// that the controls every meter has do not include.
const juce::ToggleButton* ownToggle(vyrkit::FrontPanelControls& front)
{
    for (auto* child : front.getChildren())
        if (auto* button = dynamic_cast<juce::ToggleButton*>(child))
            if (button != front.helpButton.get() && button != front.sizeButton.get()
                && button != front.activeButton.get())
                return button;
    return nullptr;
}

// Message thread: one display tick of the open editor, then what it shows.
bool tickAndRead(juce::AudioProcessor& processor, Shown& shown)
{
    auto* editor = processor.getActiveEditor();
    auto* timer = dynamic_cast<juce::Timer*>(editor);
    auto* front = editor != nullptr ? frontPanelOf(*editor) : nullptr;
    if (timer == nullptr || front == nullptr)
        return false;
    timer->timerCallback();
    const auto* midSide = ownToggle(*front);
    shown = { front->holdSwitch->getValue(), front->latencyControl->valueMs,
              front->trimSlider->getValue(), front->activeButton->getToggleState(),
              front->trimLabel->getText(),   midSide != nullptr && midSide->getToggleState() };
    return true;
}

// What the controls show for the processor's values.
Shown expectedFor(juce::AudioProcessor& processor, const Instance& instance)
{
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    const auto value = [&](const char* name) {
        const int index = parameterIndex(instance, name);
        return index >= 0 ? processor.getParameter(index) : 0.0f;
    };
    return { (double) vyrkit::truncToInt(value("Hold") * 2.0f + 0.5),
             vyrkit::truncToInt(value("Latency Compensation") * 1000.0f + 0.5),
             vyrkit::truncToInt(value("Trim") * 400.0f + 0.5) * 0.1 - 20.0,
             value("Active") > 0.5f,
             processor.getParameterText(parameterIndex(instance, "Trim")),
             parameterIndex(instance, " LR/MS ") >= 0 && value(" LR/MS ") >= 0.5f };
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
}

class HostParameterCalls : public ::testing::TestWithParam<const MeterUnderTest*>
{
};

std::string meterName(const ::testing::TestParamInfo<const MeterUnderTest*>& info) { return info.param->name; }

std::vector<const MeterUnderTest*> everyMeter()
{
    std::vector<const MeterUnderTest*> list;
    for (const auto& meter : vyrinprocess::meters())
        list.push_back(&meter);
    return list;
}
} // namespace

// An audio thread automates every parameter between its blocks while the
// editor is open: no call allocates, and one tick later the editor shows the
// last value of each.
TEST_P(HostParameterCalls, NeverAllocateAndTheNextTickShowsTheLastValues)
{
    vyrinprocess::choose(*GetParam());
    Instance instance(rate);
    ASSERT_NE(instance.processor, nullptr);
    vyrhost::HostWindow window;
    std::string error;
    if (! window.create("host parameters", 100, 100, error))
        GTEST_SKIP() << "needs an X display: " << error;
    const auto& factory = vyrinprocess::effectFactory();
    std::int32_t width = 0, height = 0;
    ASSERT_EQ(factory.openEditor(instance.handle, window.getNativeHandle(), &width, &height), VYR_OK);

    const int parameters = factory.getNumParameters(instance.handle) - 1; // without the bypass
    ToneBlock block(0.5f);
    // The last round leaves every parameter away from its default.
    const float values[] = { 0.0f, 0.3f, 0.5f, 0.25f, 0.75f, 1.0f };
    const long allocations = kittest::allocationsDuring([&] {
        for (int round = 0; round < 200; ++round)
        {
            for (int index = 0; index < parameters; ++index)
                factory.setParameterValue(instance.handle, index, values[(round + index) % 6]);
            block.through(instance);
            if (round % 20 == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(5)); // the editor ticks meanwhile
        }
    });
    EXPECT_EQ(allocations, 0);

    Shown shown {};
    bool read = false;
    ASSERT_TRUE(MessageThread::callAndWait([&] { read = tickAndRead(*instance.processor, shown); }));
    ASSERT_TRUE(read);
    const Shown expected = expectedFor(*instance.processor, instance);
    EXPECT_EQ(shown, expected);
    // Not the defaults: the values set last show.
    EXPECT_EQ(expected.holdSwitch, 1.0);
    EXPECT_TRUE(expected.active);

    EXPECT_EQ(factory.closeEditor(instance.handle), VYR_OK);
}

// A Hold change from a host thread returns while another thread holds the
// callback lock, and the holds then restart from the same needles as when the
// change is made on the message thread with the lock free.
TEST_P(HostParameterCalls, AHoldChangeDoesNotWaitForTheCallbackLock)
{
    const auto& meter = *GetParam();
    vyrinprocess::choose(meter);
    Instance waiting(rate), atOnce(rate);
    ASSERT_TRUE(waiting.processor != nullptr && atOnce.processor != nullptr);
    const int hold = parameterIndex(waiting, "Hold");
    const auto& factory = vyrinprocess::effectFactory();

    ToneBlock loud(0.9f), quiet(0.05f);
    for (auto* instance : { &waiting, &atOnce })
    {
        factory.setParameterValue(instance->handle, hold, 0.5f); // Infinity
        for (int i = 0; i < 100; ++i)
            loud.through(*instance);
        for (int i = 0; i < 20; ++i)
            quiet.through(*instance);
        meter.read(*instance->processor);
    }

    // Off, then Infinity again: the holds restart from the needles.
    std::atomic<bool> locked { false }, release { false };
    std::thread window([&] {
        const juce::ScopedLock lock(waiting.processor->getCallbackLock());
        locked = true;
        while (! release.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    while (! locked.load())
        std::this_thread::yield();
    auto call = std::async(std::launch::async, [&] {
        factory.setParameterValue(waiting.handle, hold, 0.0f);
        factory.setParameterValue(waiting.handle, hold, 0.5f);
    });
    const bool returned = call.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
    release = true;
    window.join();
    call.wait();
    EXPECT_TRUE(returned) << "the Hold change waited for the callback lock";

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    ASSERT_TRUE(MessageThread::callAndWait([&] {
        atOnce.processor->setParameter(hold, 0.0f);
        atOnce.processor->setParameter(hold, 0.5f);
    }));
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    for (int i = 0; i < 10; ++i)
    {
        quiet.through(waiting);
        quiet.through(atOnce);
        EXPECT_EQ(meter.read(*waiting.processor), meter.read(*atOnce.processor)) << "block " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Meters, HostParameterCalls, ::testing::ValuesIn(everyMeter()), meterName);
