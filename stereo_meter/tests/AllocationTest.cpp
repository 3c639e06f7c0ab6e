// processBlock and the display read-out must never allocate: operator new is
// counted on the calling thread while they run.
#include "TarvoTestSupport.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wmismatched-new-delete")

namespace
{
std::atomic<long> allocations { 0 };
thread_local bool counting = false;
} // namespace

void* operator new(size_t size)
{
    if (counting)
        allocations.fetch_add(1);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

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

    counting = true;
    for (int i = 0; i < 50; ++i)
        p.processBlock(buffer, midi);
    p.updateDisplayIndex();
    p.getDisplayLevel(0, 0.3f);
    p.getDisplayHold(1, 0.3f);
    p.readOverCount(0);
    p.setOverCount(0, 0.0);
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
}
} // namespace
