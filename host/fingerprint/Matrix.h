#pragma once

#include "Meter.h"

#include <string>
#include <vector>

namespace vyrfp
{
// A parameter change that reaches the processor at the first block boundary at
// or after the given time, as host automation does.
struct Automation
{
    double seconds;
    int parameter;
    float value;
};

// One pass of the programme through a fresh processor with its editor open.
struct Run
{
    std::string name;
    double rate = 44100.0;
    int inputs = 2, outputs = 2;
    bool oversampled = false;
    // Block sizes, cycled; 0 is an empty block.
    std::vector<int> blocks { 512 };
    // Whether every new block size prepares the processor again first, as the
    // host binding does.
    bool reprepare = false;
    // Host parameters set before the editor opens.
    Values parameters;
    // Settings that differ from the meter's defaults.
    Values settings;
    std::vector<Automation> automation;
    // Settings changed elsewhere after the programme, then this many editor
    // ticks without audio.
    Values changedElsewhere;
    int idleTicks = 10;
    juce::String trackName;
    int windowSize = 0;
    bool snapshots = false;
    bool keepAudio = false;
};

// The runs of the matrix, in the order they are played: every rate, mode and
// kind of block sizes; display delays; hold modes; trim; mid/side; every
// setting at several positions; the other channel layouts; automation; and
// settings changed elsewhere while the editor is open.
std::vector<Run> makeRuns(const Meter& meter);

// The run as text, for its directory.
std::string describe(const Run& run);
} // namespace vyrfp
