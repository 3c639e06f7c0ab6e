#include "AudioFile.h"

#include "AnnouncedFrames.h"
#include "OutputFile.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>

namespace vyrhost
{
bool readAudioFile(const std::string& path, AudioData& audio, std::string& error)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
    {
        error = "no such file: " + path;
        return false;
    }
    if (! S_ISREG(status.st_mode))
    {
        error = "not a file: " + path;
        return false;
    }

    SF_INFO info {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
    {
        error = "not a readable audio file: " + path + " (" + sf_strerror(nullptr) + ")";
        return false;
    }

    bool ok = info.channels > 0 && info.samplerate > 0 && info.frames >= 0;
    if (! ok)
        error = "not a usable audio file: " + path;

    // Read to the end in blocks rather than trusting the count: a header may
    // announce more than the file holds.
    std::vector<float> interleaved;
    sf_count_t held = 0;
    if (ok)
    {
        const sf_count_t block = 65536;
        for (;;)
        {
            interleaved.resize(static_cast<std::size_t>(held + block) * static_cast<std::size_t>(info.channels));
            const sf_count_t read = sf_readf_float(
                file, interleaved.data() + static_cast<std::size_t>(held) * static_cast<std::size_t>(info.channels),
                block);
            held += read > 0 ? read : 0;
            if (read < block)
                break;
        }
        interleaved.resize(static_cast<std::size_t>(held) * static_cast<std::size_t>(info.channels));
    }
    sf_close(file);
    if (! ok)
        return false;

    // libsndfile counts the frames a cut file still holds for most formats,
    // so the header's own count is read beside it; for compressed formats its
    // count is the header's and the decoder stops early. A stream whose end
    // libsndfile cannot find (a cut Ogg file) has no count at all.
    if (info.frames == SF_COUNT_MAX)
    {
        error = "truncated: the stream ends without its last page after " + std::to_string(held) + " frames: " + path;
        return false;
    }
    const auto announced = std::max<std::int64_t>(info.frames, readAnnouncedFrames(path, info).value_or(0));
    if (held < announced)
    {
        error = "truncated: the header announces " + std::to_string(announced) + " frames, the file holds "
              + std::to_string(held) + ": " + path;
        return false;
    }
    info.frames = held;

    audio.sampleRate = info.samplerate;
    audio.channels.assign(static_cast<std::size_t>(info.channels),
                          std::vector<float>(static_cast<std::size_t>(info.frames)));
    for (sf_count_t frame = 0; frame < info.frames; ++frame)
        for (int c = 0; c < info.channels; ++c)
        {
            const float sample = interleaved[static_cast<std::size_t>(frame * info.channels + c)];
            // Samples that are not numbers do not reach the plug-in.
            audio.channels[static_cast<std::size_t>(c)][static_cast<std::size_t>(frame)]
                = std::isfinite(sample) ? sample : 0.0f;
        }
    return true;
}

bool writeAudioFile(const std::string& path, const AudioData& audio, std::string& error)
{
    const int channels = audio.getNumChannels();
    const long frames = audio.getNumFrames();
    if (channels <= 0 || ! std::isfinite(audio.sampleRate) || audio.sampleRate < 1.0 || audio.sampleRate > 1.0e6)
    {
        error = "nothing to write to " + path;
        return false;
    }

    OutputFile target(path);
    if (! target.isValid())
    {
        error = "cannot write " + path + ": " + target.getError();
        return false;
    }

    SF_INFO info {};
    info.samplerate = static_cast<int>(std::lround(audio.sampleRate));
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(target.getTemporaryPath().c_str(), SFM_WRITE, &info);
    if (file == nullptr)
    {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_FALSE);

    std::vector<float> interleaved(static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels));
    for (long frame = 0; frame < frames; ++frame)
        for (int c = 0; c < channels; ++c)
            interleaved[static_cast<std::size_t>(frame * channels + c)]
                = audio.channels[static_cast<std::size_t>(c)][static_cast<std::size_t>(frame)];

    const sf_count_t written = sf_writef_float(file, interleaved.data(), frames);
    const int closed = sf_close(file);
    if (written != frames || closed != 0)
    {
        error = "cannot write " + path + ": the disk refused the data";
        return false;
    }
    if (! target.commit())
    {
        error = "cannot write " + path + ": " + target.getError();
        return false;
    }
    return true;
}
} // namespace vyrhost
