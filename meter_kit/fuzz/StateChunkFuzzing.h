#pragma once

// The state-chunk fuzz target of every meter: the input is the chunk a host hands
// to setStateInformation. Each meter's target passes a Meter description:
//
//   struct Meter
//   {
//       using Processor = ...;
//       static void expectFiniteSettings();            // the process-wide settings
//       static void expectFiniteMeter(Processor&);     // needles, holds, read-out
//   };
//
// and defines its entry points with VYR_STATE_CHUNK_FUZZ_TARGET(Meter).
//
// For every input: where the guard passes its text, JUCE's parser reads an
// element from it, the one JUCE's reader of chunks reads; restore it into a new
// instance; every parameter and setting is finite; a save of that instance,
// restored into a fresh instance and saved again, gives the same bytes; and the
// restored instance turns finite audio, in blocks of
// changing sizes and two channel layouts, into finite audio and finite needles
// (once only for all inputs that leave the instance as new).

#include "FuzzSupport.h"
#include "RegistryStore.h"
#include "StateChunk.h"
#include "StateTextGuard.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <vector>

namespace vyrkit::fuzzing
{
using vyrplatform::fuzzing::expect;
using vyrplatform::fuzzing::fail;

// The instances read their stored defaults from, and the stereo meter writes them
// to, a settings store of the process's own. Call from LLVMFuzzerInitialize.
inline void useScratchSettingsStore()
{
    vyrplatform::RegistryStore::setRootDirectory(vyrplatform::fuzzing::scratchFolder().getChildFile("config"));
}

inline bool isFinite(double v) noexcept { return std::isfinite(v); }

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
template <typename Processor>
void expectFiniteParameters(Processor& p)
{
    for (int i = 0; i < Processor::numParameters; ++i)
    {
        if (! isFinite(p.getParameter(i)))
            fail("every parameter is finite", juce::String(i));
        p.getParameterText(i); // the host shows the texts: they must not fail either
    }
}
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

// Finite audio that reaches the meters' branches: full-scale square waves and
// single full-scale clicks, a sine, a DC offset, silence and the smallest values
// down to denormals. Channel 1 runs a little behind channel 0.
inline float programmeSample(int channel, int i)
{
    const int t = i + channel * 37;
    switch ((t / 1500) % 6)
    {
        case 0: return (t / 11) % 2 == 0 ? 1.0f : -1.0f;
        case 1: return static_cast<float>(0.5 * std::sin(t * 0.0712));
        case 2: return t % 700 == 0 ? -1.0f : 0.0f;
        case 3: return 0.25f;
        case 4: return t % 2 == 0 ? std::numeric_limits<float>::denorm_min() : -std::numeric_limits<float>::min();
        default: return 0.0f;
    }
}

template <typename Meter>
void expectFiniteAudioAndNeedles(typename Meter::Processor& p)
{
    struct Layout
    {
        int ins, outs;
        double rate;
    };
    static constexpr Layout layouts[] = { { 2, 2, 44100.0 }, { 1, 2, 96000.0 } };
    static constexpr int blockSizes[] = { 512, 1, 17, 480, 64, 1024, 3 };
    constexpr int programmeLength = 6000;

    // Made once: fresh buffers for every input would cost more than the metering.
    static const auto programme = [] {
        std::vector<std::vector<float>> channels(2, std::vector<float>((size_t) programmeLength));
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < programmeLength; ++i)
                channels[(size_t) c][(size_t) i] = programmeSample(c, i);
        return channels;
    }();
    static auto audio = programme;

    juce::MidiBuffer midi;
    for (const auto& layout : layouts)
    {
        p.setPlayConfigDetails(layout.ins, layout.outs, layout.rate, 512);
        p.prepareToPlay(layout.rate, 512);
        audio = programme;

        int start = 0;
        for (size_t block = 0; start < programmeLength; ++block)
        {
            const int n = juce::jmin(blockSizes[block % std::size(blockSizes)], programmeLength - start);
            float* channels[2] = { audio[0].data() + start, audio[1].data() + start };
            juce::AudioBuffer<float> buffer(channels, layout.outs, n);
            {
                const juce::ScopedLock lock(p.getCallbackLock());
                p.processBlock(buffer, midi);
                for (int c = 0; c < layout.outs; ++c)
                    for (int i = 0; i < n; ++i)
                        if (! std::isfinite(channels[c][i]))
                            fail("finite audio in gives finite audio out",
                                 "channel " + juce::String(c) + ", sample " + juce::String(start + i));
                p.updateDisplayIndex();
                Meter::expectFiniteMeter(p);
            }
            start += n;
        }
        p.releaseResources();
    }
}

// Every text the guard passes JUCE's parser reads to an element, and the kit's
// reader of chunks gives the element JUCE's own reader of chunks gives.
inline void expectJuceReadsWhatTheGuardPasses(const uint8_t* data, int size)
{
    if (size <= 8 || std::memcmp(data, "VC2!", 4) != 0)
        return;
    juce::uint32 declared = 0;
    std::memcpy(&declared, data + 4, 4);
    declared = juce::ByteOrder::swapIfBigEndian(declared);
    if (declared == 0 || declared > 0x7fffffffu)
        return;
    const auto length = std::min(static_cast<size_t>(size) - 8, static_cast<size_t>(declared));
    if (! isSafeStateText(reinterpret_cast<const char*>(data) + 8, length))
        return;
    const auto read = parseStateChunk(data, size);
    if (read == nullptr)
        fail("JUCE's parser reads an element from every text the guard passes");
    const auto juceRead = juce::AudioProcessor::getXmlFromBinary(data, size);
    if (juceRead == nullptr || ! juceRead->isEquivalentTo(read.get(), false))
        fail("the kit reads the element JUCE's reader of chunks reads", read->toString());
}

template <typename Meter>
void fuzzStateChunk(const uint8_t* data, size_t size)
{
    using Processor = typename Meter::Processor;
    if (size > static_cast<size_t>(std::numeric_limits<int>::max()))
        return;
    expectJuceReadsWhatTheGuardPasses(data, static_cast<int>(size));

    auto restored = std::make_unique<Processor>();
    restored->setStateInformation(data, static_cast<int>(size));
    expectFiniteParameters(*restored);
    Meter::expectFiniteSettings();

    juce::MemoryBlock saved;
    restored->getStateInformation(saved);
    {
        Processor fresh;
        fresh.setStateInformation(saved.getData(), static_cast<int>(saved.getSize()));
        juce::MemoryBlock savedAgain;
        fresh.getStateInformation(savedAgain);
        if (savedAgain != saved)
            fail("a saved chunk restored into a fresh instance saves the same bytes",
                 "first:  " + saved.toString() + "\nsecond: " + savedAgain.toString());
    }

    // A chunk that left the instance as new changes nothing the audio could
    // show; the first such input has shown it once.
    static const juce::MemoryBlock newInstance = [] {
        juce::MemoryBlock block;
        Processor().getStateInformation(block);
        return block;
    }();
    static bool newInstanceMetered = false;
    if (saved == newInstance)
    {
        if (newInstanceMetered)
            return;
        newInstanceMetered = true;
    }
    expectFiniteAudioAndNeedles<Meter>(*restored);
}

// The description of a meter with one needle (the VU and single-channel meters),
// whose settings are slots 0 to numSettings - 1 of getGlobalSetting.
template <typename P, int numSettings>
struct OneNeedleMeter
{
    using Processor = P;

    static void expectFiniteSettings()
    {
        for (int slot = 0; slot < numSettings; ++slot)
            expect(isFinite(Processor::getGlobalSetting(slot)), "every setting is finite");
    }

    static void expectFiniteMeter(Processor& p)
    {
        expect(isFinite(p.getNeedleLevel()) && isFinite(p.getHoldNeedle()), "the needles are finite");
        for (float fraction : { 0.0f, 0.5f, 1.0f })
            expect(isFinite(p.getDisplayLevel(fraction)) && isFinite(p.getDisplayHold(fraction)),
                   "the read-out is finite");
        expect(isFinite(p.readOverCount()), "the over count is finite");
    }
};
} // namespace vyrkit::fuzzing

#define VYR_STATE_CHUNK_FUZZ_TARGET(Meter)                                      \
    extern "C" int LLVMFuzzerInitialize(int*, char***)                         \
    {                                                                          \
        vyrkit::fuzzing::useScratchSettingsStore();                            \
        return 0;                                                              \
    }                                                                          \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)    \
    {                                                                          \
        vyrkit::fuzzing::fuzzStateChunk<Meter>(data, size);                    \
        return 0;                                                              \
    }
