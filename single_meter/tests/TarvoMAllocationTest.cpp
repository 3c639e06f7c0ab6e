// processBlock and the display read-out must never allocate, nor the editor's
// tick while it holds the callback lock: operator new is counted on the calling
// thread while they run.
#include "EditorTestSupport.h"
#include "TarvoMTestSupport.h"

#include "AllocationCounting.h"
#include "TickLockChecks.h"

#include <cmath>

using namespace vyrtarvom;
using namespace vyrtarvom::testing;

namespace
{
struct Configuration
{
    int ins, outs;
    bool oversampled;
    float latency;
};

class TarvoMRealTime : public ::testing::TestWithParam<Configuration> {};

TEST_P(TarvoMRealTime, ProcessBlockAndReadOutAllocateNothing)
{
    const auto& c = GetParam();
    VyrTarvoMAudioProcessor p;
    restoreDefaultSettings(p);
    p.setGlobalSetting(VyrTarvoMAudioProcessor::measurementSetting, c.oversampled ? 1.0f : 0.0f);
    configure(p, c.ins, c.outs, 44100.0, 512);
    setParameter(p, VyrTarvoMAudioProcessor::latencyParameter, c.latency);
    setParameter(p, VyrTarvoMAudioProcessor::activeParameter, 1.0f);
    setParameter(p, VyrTarvoMAudioProcessor::holdParameter, 0.5f);
    const int channels = juce::jmax(c.ins, c.outs);
    std::vector<std::vector<float>> audio((size_t) channels, std::vector<float>(512));
    for (int i = 0; i < 512; ++i)
        for (auto& ch : audio)
            ch[(size_t) i] = (float) (1.2 * std::sin(i * 0.1));
    std::vector<float*> pointers;
    for (auto& ch : audio)
        pointers.push_back(ch.data());
    juce::AudioBuffer<float> buffer(pointers.data(), channels, 512);
    juce::MidiBuffer midi;

    EXPECT_EQ(kittest::allocationsDuring([&] {
                  for (int i = 0; i < 50; ++i)
                  {
                      p.processBlock(buffer, midi);
                      p.updateDisplayIndex();
                      p.getDisplayLevel(p.getDisplayFraction(p.nowInSeconds()));
                      p.getDisplayHold(0.3f);
                      if (p.readOverCount() >= VyrTarvoMAudioProcessor::getOverCount())
                          p.setOverCount(0.0);
                  }
              }),
              0);
}

INSTANTIATE_TEST_SUITE_P(Configurations, TarvoMRealTime, ::testing::Values(
    Configuration { 2, 2, false, 0.0f }, Configuration { 2, 2, true, 0.2f }, Configuration { 1, 1, true, 0.0f },
    Configuration { 1, 2, false, 0.5f }));

using TarvoMTickUnderTheLock = editortesting::EditorFixture;

TEST_F(TarvoMTickUnderTheLock, AllocatesNothing)
{
    kittest::checkTheTickAllocatesNothingWhileItHoldsTheCallbackLock(*processor, *editor, *front().meter);
}
} // namespace
