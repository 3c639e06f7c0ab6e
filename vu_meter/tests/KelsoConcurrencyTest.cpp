// The processor under the threads that reach it at once: the audio thread in
// processBlock under the callback lock, a host thread automating, restoring and
// re-preparing, and the message thread rereading the settings and reading the
// display under a try-lock. Meant for the ThreadSanitizer build; in a plain
// build it checks that the values stay sane.
#include "KelsoTestSupport.h"

#include <atomic>
#include <thread>

using namespace vyrkelsom;
using namespace vyrkelsom::testing;

namespace
{
using KelsoConcurrency = KelsoTest;

TEST_F(KelsoConcurrency, AudioHostAndMessageThreadsTogether)
{
    storeValue("vuOverSampling", "1");
    VyrKelsoMAudioProcessor p;
    configure(p, 2, 2, 44100.0, 256);
    setParameter(p, 1, 0.05f);
    juce::MemoryBlock state;
    p.getStateInformation(state);

    std::atomic<bool> stop { false };
    std::thread audio([&] {
        auto buffer = sine(2, 256, 440.0, 44100.0, 0.8);
        juce::MidiBuffer midi;
        while (! stop)
        {
            std::vector<float*> pointers = { buffer[0].data(), buffer[1].data() };
            juce::AudioBuffer<float> block(pointers.data(), 2, 256);
            const juce::ScopedLock lock(p.getCallbackLock());
            p.processBlock(block, midi);
        }
    });
    std::thread host([&] {
        for (int i = 0; i < 300; ++i)
        {
            setParameter(p, i % 4, (float) (i % 7) / 6.0f);
            if (i % 10 == 0)
                p.setStateInformation(state.getData(), (int) state.getSize());
            if (i % 25 == 0)
                p.prepareToPlay(i % 50 == 0 ? 48000.0 : 44100.0, 256);
            p.setSignature(juce::String(i));
        }
    });

    for (int i = 0; i < 100; ++i)
    {
        if (i % 10 == 0)
        {
            storeValue("vuOverSampling", i % 20 == 0 ? "0" : "1");
            storeValue("vuType", i % 30 == 0 ? "1" : "0");
            p.reloadStoredDefaults();
        }
        const juce::ScopedTryLock lock(p.getCallbackLock());
        if (lock.isLocked())
        {
            p.updateDisplayIndex();
            const float x = p.getDisplayFraction(p.nowInSeconds());
            EXPECT_TRUE(std::isfinite(p.getDisplayLevel(x)));
            EXPECT_TRUE(std::isfinite(p.getDisplayHold(x)));
            p.resetPeakHold(x);
            if (p.readOverCount() >= VyrKelsoMAudioProcessor::getOverCountLimit())
                p.setOverCount(0.0);
        }
        p.getSettingText(5);
        p.getSignature();
    }

    host.join();
    stop = true;
    audio.join();
    EXPECT_TRUE(std::isfinite(p.getNeedleLevel()));
}
} // namespace
