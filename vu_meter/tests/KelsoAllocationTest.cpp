// processBlock and the display read-out must never allocate, nor the editor's
// tick while it holds the callback lock: operator new is counted on the calling
// thread while they run.
#include "EditorTestSupport.h"
#include "KelsoTestSupport.h"

#include "AllocationCounting.h"
#include "TickLockChecks.h"

#include <cmath>

using namespace vyrkelsom;
using namespace vyrkelsom::testing;

namespace
{
struct AllocationCase
{
    int ins, outs;
    double rate;
    float measurement;
    float latency;
};

using KelsoRealTime = KelsoTest;

TEST_F(KelsoRealTime, ProcessBlockAndReadOutAllocateNothing)
{
    const AllocationCase cases[] = {
        { 2, 2, 44100.0, 1.0f, 0.2f }, { 2, 2, 96000.0, 1.0f, 0.0f }, { 1, 2, 48000.0, 0.0f, 1.0f },
        { 1, 1, 192000.0, 1.0f, 0.5f },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.ins) + " in, " + juce::String(c.rate));
        VyrKelsoMAudioProcessor p;
        p.setGlobalSetting(12, c.measurement);
        configure(p, c.ins, c.outs, c.rate, 512);
        setParameter(p, 0, 0.5f);
        setParameter(p, 1, c.latency);
        setParameter(p, 2, 0.7f);
        setParameter(p, 3, 1.0f);
        std::vector<std::vector<float>> audio((size_t) c.outs, std::vector<float>(512));
        for (int i = 0; i < 512; ++i)
            audio[0][(size_t) i] = (float) (1.2 * std::sin(i * 0.1));
        std::vector<float*> pointers;
        for (auto& channel : audio)
            pointers.push_back(channel.data());
        juce::AudioBuffer<float> buffer(pointers.data(), c.outs, 512);
        juce::MidiBuffer midi;

        EXPECT_EQ(kittest::allocationsDuring([&] {
                      for (int i = 0; i < 50; ++i)
                      {
                          const juce::ScopedLock lock(p.getCallbackLock());
                          p.processBlock(buffer, midi);
                          p.processBlockBypassed(buffer, midi);
                          p.updateDisplayIndex();
                          const float x = p.getDisplayFraction(p.nowInSeconds());
                          p.getDisplayLevel(x);
                          p.getDisplayHold(x);
                          p.resetPeakHold(x);
                          if (p.readOverCount() >= VyrKelsoMAudioProcessor::getOverCountLimit())
                              p.setOverCount(0.0);
                      }
                  }),
                  0);
    }
}

using KelsoTickUnderTheLock = editortest::EditorFixture;

TEST_F(KelsoTickUnderTheLock, AllocatesNothing)
{
    kittest::checkTheTickAllocatesNothingWhileItHoldsTheCallbackLock(*processor, *editor, *front().meter);
}
} // namespace
