#pragma once

#include "Meter.h"

#include <string>

namespace vyrfp
{
// A host parameter set through JUCE's parameter interface, as the host does.
void setParameter(juce::AudioProcessor& p, int index, float value);

// Every host parameter (name, value, text, default), the setting texts, the
// process-wide values, the track name and the window size, as lines of text.
std::string texts(Meter& meter, juce::AudioProcessor& p);

// The state chunk, returned as hexadecimal text.
std::string stateChunk(juce::AudioProcessor& p, juce::MemoryBlock& chunk);

// description.txt: what a fresh processor says of itself (name, parameters,
// channel names and layouts, MIDI, tail, latency, programs, texts, chunk).
void writeDescription(Meter& meter, const juce::File& dir);

// sweep.txt: every parameter over its range in steps of 1/400 and every
// setting in steps of 1/160, with a few values between the steps, and the
// texts and values that follow.
void writeSweep(Meter& meter, const juce::File& dir);
} // namespace vyrfp
