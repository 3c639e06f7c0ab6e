#pragma once

#include <string>
#include <vector>

namespace vyrhost
{
// Audio as the host handles it: planar float channels at one rate.
struct AudioData
{
    double sampleRate = 44100.0;
    std::vector<std::vector<float>> channels;

    int getNumChannels() const { return static_cast<int>(channels.size()); }
    long getNumFrames() const { return channels.empty() ? 0 : static_cast<long>(channels[0].size()); }
};

// Reads any audio file libsndfile knows, as floats. Returns false and sets error
// (one line) for a missing, unreadable or non-audio file.
bool readAudioFile(const std::string& path, AudioData& audio, std::string& error);

// Writes a 32-bit float WAV file, so that floats pass through bit-exact. The
// file appears complete or not at all (see OutputFile for links, FIFOs and
// devices).
bool writeAudioFile(const std::string& path, const AudioData& audio, std::string& error);
} // namespace vyrhost
