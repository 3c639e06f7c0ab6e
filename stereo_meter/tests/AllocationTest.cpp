// processBlock and the display read-out must never allocate, nor the editor's
// tick while it holds the callback lock: operator new is counted on the calling
// thread while they run.
#include "EditorTestSupport.h"

#include "AllocationCounting.h"
#include "TickLockChecks.h"

#include <cmath>

using namespace vyrtarvo;
using namespace vyrtarvo::testing;

namespace
{
TEST(TarvoRealTime, ProcessBlockAndReadOutAllocateNothing)
{
    VyrTarvoAudioProcessor p;
    restoreDefaultSettings(p);
    p.setGlobalSetting(13, 1.0f);
    configure(p, 2, 2, 44100.0, 512);
    setParameter(p, 2, 0.2f);
    setParameter(p, 4, 1.0f);
    setParameter(p, 1, 1.0f);
    std::vector<std::vector<float>> audio(2, std::vector<float>(512));
    for (int i = 0; i < 512; ++i)
        audio[0][(size_t) i] = audio[1][(size_t) i] = (float) (1.2 * std::sin(i * 0.1));
    std::vector<float*> pointers = { audio[0].data(), audio[1].data() };
    juce::AudioBuffer<float> buffer(pointers.data(), 2, 512);
    juce::MidiBuffer midi;

    EXPECT_EQ(kittest::allocationsDuring([&] {
                  for (int i = 0; i < 50; ++i)
                      p.processBlock(buffer, midi);
                  p.updateDisplayIndex();
                  p.getDisplayLevel(0, 0.3f);
                  p.getDisplayHold(1, 0.3f);
                  p.readOverCount(0);
                  p.setOverCount(0, 0.0);
              }),
              0);
}

using TarvoTickUnderTheLock = EditorFixture;

TEST_F(TarvoTickUnderTheLock, AllocatesNothing)
{
    kittest::checkTheTickAllocatesNothingWhileItHoldsTheCallbackLock(*processor, *editor, *front().leftMeter,
                                                                    *front().rightMeter);
}
} // namespace
