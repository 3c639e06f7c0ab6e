#pragma once

#include <sndfile.h>

#include <cstdint>
#include <optional>
#include <string>

namespace vyrhost
{
// The number of frames that an audio file's header announces, for the formats
// whose header records the length of the audio: WAV (also WAVE_FORMAT_EXTENSIBLE
// and RF64), Sony Wave64, AIFF/AIFC, AU and CAF. libsndfile shortens its own
// count to the frames that a cut file still holds, without a word; this count
// is the one the file was written with. Nothing for other formats, for a length
// the header marks as unknown, or for a compressed encoding whose length the
// header gives only in bytes. info is what libsndfile read from the file.
std::optional<std::int64_t> readAnnouncedFrames(const std::string& path, const SF_INFO& info);
} // namespace vyrhost
