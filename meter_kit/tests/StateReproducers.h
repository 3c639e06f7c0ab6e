#pragma once

// The state chunks that once crashed or hung the meters, kept as files in
// meter_kit/fuzz/state-reproducers (where the fuzz targets replay them too), for
// the state tests of every meter.

#include <juce_core/juce_core.h>

#include <vector>

namespace vyrkit::testing
{
struct StateReproducer
{
    juce::String name;
    juce::MemoryBlock data;
};

inline std::vector<StateReproducer> stateReproducers()
{
    auto files = juce::File(VYR_STATE_REPRODUCERS_DIR).findChildFiles(juce::File::findFiles, false, "*.chunk");
    files.sort();
    std::vector<StateReproducer> reproducers;
    for (const auto& f : files)
    {
        StateReproducer r { f.getFileName(), {} };
        f.loadFileAsData(r.data);
        reproducers.push_back(std::move(r));
    }
    return reproducers;
}
} // namespace vyrkit::testing
