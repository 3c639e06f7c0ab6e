// Cost of restoring a saved state, as the host does when it loads a session and
// waits for every instance: a state with a long track name of each script, saved
// by the kit's writer and read back by JUCE's parser behind the guard; and
// hostile chunks, which the guard refuses or lets through bounded.
#include "FourParameterMeter.h"
#include "MeterStateChunk.h"
#include "StateTextGuard.h"

#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <string>

namespace
{
// Just what the kit's writer and reader need of a meter's processor.
struct Instance
{
    std::array<float, 4> values { 0.5f, 0.25f, 0.6f, 1.0f };
    std::atomic<int> size { 1 };
    juce::String name { "M Track" };

    float getParameter(int index) const { return values[(size_t) index]; }
    juce::String getSignature() const { return name; }
    void setSignature(const juce::String& newName) { name = newName; }
    std::atomic<int>& getSizeFlag() noexcept { return size; }
};

constexpr auto layout = vyrkit::fourParameterStateLayout("VYRTARVOMsettings");

// One character of each kind the writer treats differently: plain ASCII kept as
// it is, the markup characters it writes as named references, and characters of
// two, three and four UTF-8 bytes it writes as numeric references.
const char* const scripts[] = { "Lead Vocal Take ", "&<>\"", "\xc3\xa9", "\xe4\xb8\xbb", "\xf0\x9f\x8e\xb8" };
const char* const scriptNames[] = { "plain", "markup", "e-acute", "cjk", "guitar" };

juce::String nameOf(int script, int characters)
{
    const auto piece = juce::String::fromUTF8(scripts[script]);
    return juce::String::repeatedString(piece, characters / piece.length() + 1).substring(0, characters);
}

// A state with a track name of range(1) characters of script range(0), as the
// writer saves it, restored into an instance as a session load does.
void restoreLongTrackName(benchmark::State& state)
{
    const int script = (int) state.range(0);
    const int characters = (int) state.range(1);
    Instance saved;
    saved.name = nameOf(script, characters);
    const auto chunk = vyrkit::writeMeterState(saved, layout);

    Instance restored;
    for (auto _ : state)
    {
        restored.name = "M Track";
        const auto size = vyrkit::restoreMeterState(restored, layout, chunk.getData(), (int) chunk.getSize(),
                                                    [&](int index, float value) { restored.values[(size_t) index] = value; });
        benchmark::DoNotOptimize(size);
    }
    if (restored.name != saved.name)
        state.SkipWithError("the track name was not restored");
    state.SetLabel(scriptNames[script]);
    state.counters["chunk bytes"] = (double) chunk.getSize();
}
BENCHMARK(restoreLongTrackName)
    ->ArgsProduct({ { 0, 1, 2, 3, 4 }, { 1000, 10000, 20000 } })
    ->Unit(benchmark::kMillisecond);

std::string repeat(const std::string& s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

juce::MemoryBlock chunkOf(const std::string& text)
{
    juce::MemoryBlock block;
    const auto length = (juce::uint32) text.size();
    block.append("VC2!", 4);
    block.append(&length, 4);
    block.append(text.data(), text.size());
    block.append("", 1);
    return block;
}

// Chunks built to make a reader crash, recurse, loop or take quadratic time, one
// a little too large, and one as costly to parse as the guard lets through.
const char* const hostileNames[] = {
    "stray quote, 100000 start tags", "100000 nested elements", "100000 attributes",
    "1 MiB of references in a value", "1 MiB of references in text", "document type with entities",
    "text of 1 MiB and one byte", "1 MiB of values at the cost bound",
};

std::string hostileText(int which)
{
    const std::string tag = "VYRTARVOMsettings";
    switch (which)
    {
        case 0: return "<" + tag + " hold=\"1\"><a\"" + repeat("<b>", 100000);
        case 1: return "<" + tag + ">" + repeat("<a>", 100000) + repeat("</a>", 100000) + "</" + tag + ">";
        case 2:
        {
            std::string s = "<" + tag;
            for (int i = 0; i < 100000; ++i)
                s += " n" + std::to_string(i) + "=\"\"";
            return s + "/>";
        }
        case 3: return "<" + tag + " signature=\"" + repeat("&#233;", 174000) + "\"/>";
        case 4: return "<" + tag + ">" + repeat("&#233;", 174000) + "</" + tag + ">";
        case 5: return "<!DOCTYPE x [<!ENTITY a \"" + repeat("a", 1000) + "\">]><" + tag + " signature=\"" + repeat("&a;", 1000) + "\"/>";
        case 6: return "<" + tag + " signature=\"" + repeat("x", (1u << 20) - 32) + "\"/>";
        default:
        {
            // Attributes that each cost the parser as much as one may: k plain
            // characters and k references in turn make 2k appends to a value of
            // 5k bytes.
            size_t k = 1;
            while ((2 * (k + 1) + 1) * 5 * (k + 1) <= vyrkit::maximumStateValueCost)
                ++k;
            const std::string value = repeat("a&#127928;", k);
            std::string s = "<" + tag;
            for (int i = 0; s.size() + value.size() + 16 < vyrkit::maximumStateTextBytes; ++i)
                s += " v" + std::to_string(i) + "=\"" + value + "\"";
            return s + "/>";
        }
    }
}

// "restored" is 1 where the reader took the chunk as a state, 0 where it
// refused it.
void hostileChunk(benchmark::State& state)
{
    const int which = (int) state.range(0);
    const auto chunk = chunkOf(hostileText(which));
    Instance instance;
    bool restored = false;
    for (auto _ : state)
    {
        const auto size = vyrkit::restoreMeterState(instance, layout, chunk.getData(), (int) chunk.getSize(),
                                                    [&](int index, float value) { instance.values[(size_t) index] = value; });
        restored = size.has_value();
        benchmark::DoNotOptimize(size);
    }
    state.SetLabel(hostileNames[which]);
    state.counters["chunk bytes"] = (double) chunk.getSize();
    state.counters["restored"] = restored ? 1 : 0;
}
BENCHMARK(hostileChunk)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
} // namespace
