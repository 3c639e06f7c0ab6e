// Cost of giving the track-name strip a restored name, from a short name to a
// 100,000-character signature: the front panel does it when the editor opens and
// the state restore when a session is loaded, both while the host waits.
#include "TrackNameFont.h"
#include "VyrBox.h"

#include <benchmark/benchmark.h>

namespace
{
juce::String signatureOf(int length)
{
    const juce::String words("Lead Vocal Take ");
    return juce::String::repeatedString(words, length / words.length() + 1).substring(0, length);
}

// The stereo meter's strip: the widest limit, so the most characters kept.
void setText(benchmark::State& state)
{
    vyrkit::VyrBox box(14);
    box.font = vyrkit::makeTrackNameFont();
    box.textAreaWidth = 506;
    box.maxTextWidth = 496;
    const auto signature = signatureOf(static_cast<int>(state.range(0)));

    for (auto _ : state)
    {
        box.setText(signature);
        benchmark::DoNotOptimize(box.getText().length());
    }
    state.counters["kept"] = box.getText().length();
}
BENCHMARK(setText)->Arg(16)->Arg(2000)->Arg(32000)->Arg(64000)->Arg(100000)->Unit(benchmark::kMicrosecond);
} // namespace
