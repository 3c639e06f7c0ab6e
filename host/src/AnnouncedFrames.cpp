#include "AnnouncedFrames.h"

#include <cstring>
#include <fstream>

namespace vyrhost
{
namespace
{
// Reads the header fields at byte offsets of the file; a read past the end
// fails.
class HeaderReader
{
public:
    explicit HeaderReader(const std::string& path) : file(path, std::ios::binary)
    {
        file.seekg(0, std::ios::end);
        size = file.good() ? static_cast<std::uint64_t>(file.tellg()) : 0;
    }

    std::uint64_t getSize() const { return size; }

    bool read(std::uint64_t offset, void* data, std::size_t length)
    {
        if (offset > size || length > size - offset)
            return false;
        file.clear();
        file.seekg(static_cast<std::streamoff>(offset));
        file.read(static_cast<char*>(data), static_cast<std::streamsize>(length));
        return file.good();
    }

    bool tagIs(std::uint64_t offset, const char* tag)
    {
        char bytes[4];
        return read(offset, bytes, 4) && std::memcmp(bytes, tag, 4) == 0;
    }

    // An unsigned integer of length bytes, little- or big-endian.
    bool number(std::uint64_t offset, std::size_t length, bool bigEndian, std::uint64_t& value)
    {
        unsigned char bytes[8];
        if (length > sizeof bytes || ! read(offset, bytes, length))
            return false;
        value = 0;
        for (std::size_t i = 0; i < length; ++i)
            value |= static_cast<std::uint64_t>(bytes[bigEndian ? length - 1 - i : i]) << (8 * i);
        return true;
    }

private:
    std::ifstream file;
    std::uint64_t size = 0;
};

// Bytes per frame of the encodings whose frames all have one size.
std::optional<std::uint64_t> bytesPerFrame(const SF_INFO& info)
{
    std::uint64_t bytes = 0;
    switch (info.format & SF_FORMAT_SUBMASK)
    {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW: bytes = 1; break;
        case SF_FORMAT_PCM_16: bytes = 2; break;
        case SF_FORMAT_PCM_24: bytes = 3; break;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT: bytes = 4; break;
        case SF_FORMAT_DOUBLE: bytes = 8; break;
        default: return std::nullopt;
    }
    if (info.channels <= 0)
        return std::nullopt;
    return bytes * static_cast<std::uint64_t>(info.channels);
}

std::optional<std::int64_t> framesOfBytes(std::uint64_t bytes, const SF_INFO& info)
{
    const auto frameSize = bytesPerFrame(info);
    if (! frameSize)
        return std::nullopt;
    return static_cast<std::int64_t>(bytes / *frameSize);
}

// Walks the chunks of a RIFF-like file from offset: a four-byte id, a size of
// sizeBytes, the body padded to alignment. Returns the offset of the first
// chunk with this id, or nothing.
std::optional<std::uint64_t> findChunk(HeaderReader& header, std::uint64_t offset, const char* id,
                                       std::size_t idBytes, std::size_t sizeBytes, bool bigEndian,
                                       std::uint64_t alignment, bool sizeIncludesHeader)
{
    for (int chunks = 0; chunks < 10000; ++chunks)
    {
        if (header.tagIs(offset, id))
            return offset;
        std::uint64_t size = 0;
        if (! header.number(offset + idBytes, sizeBytes, bigEndian, size))
            return std::nullopt;
        std::uint64_t next = offset + (sizeIncludesHeader ? 0 : idBytes + sizeBytes);
        if (size > header.getSize() || next + size > header.getSize())
            return std::nullopt;
        next += size;
        next += (alignment - next % alignment) % alignment;
        if (next <= offset)
            return std::nullopt;
        offset = next;
    }
    return std::nullopt;
}

std::optional<std::int64_t> wavFrames(HeaderReader& header, const SF_INFO& info)
{
    const bool riff = header.tagIs(0, "RIFF"), rifx = header.tagIs(0, "RIFX");
    if ((riff || rifx) && header.tagIs(8, "WAVE"))
    {
        const auto data = findChunk(header, 12, "data", 4, 4, rifx, 2, false);
        std::uint64_t size = 0;
        // 0xffffffff: written by a stream that never learned its length.
        if (! data || ! header.number(*data + 4, 4, rifx, size) || size == 0xffffffffu)
            return std::nullopt;
        return framesOfBytes(size, info);
    }
    if ((header.tagIs(0, "RF64") || header.tagIs(0, "BW64")) && header.tagIs(8, "WAVE"))
    {
        // The 64-bit sizes are in the "ds64" chunk: RIFF size, then data size.
        const auto ds64 = findChunk(header, 12, "ds64", 4, 4, false, 2, false);
        std::uint64_t size = 0;
        if (! ds64 || ! header.number(*ds64 + 16, 8, false, size))
            return std::nullopt;
        return framesOfBytes(size, info);
    }
    return std::nullopt;
}

std::optional<std::int64_t> wave64Frames(HeaderReader& header, const SF_INFO& info)
{
    // Chunks are named by 16-byte GUIDs whose first four bytes spell the
    // name; each size counts the 24 bytes of GUID and size.
    if (! header.tagIs(0, "riff") || ! header.tagIs(24, "wave"))
        return std::nullopt;
    const auto data = findChunk(header, 40, "data", 16, 8, false, 8, true);
    std::uint64_t size = 0;
    if (! data || ! header.number(*data + 16, 8, false, size) || size < 24)
        return std::nullopt;
    return framesOfBytes(size - 24, info);
}

std::optional<std::int64_t> aiffFrames(HeaderReader& header)
{
    if (! header.tagIs(0, "FORM") || ! (header.tagIs(8, "AIFF") || header.tagIs(8, "AIFC")))
        return std::nullopt;
    // "COMM": channels (16 bits), then the number of frames (32 bits).
    const auto comm = findChunk(header, 12, "COMM", 4, 4, true, 2, false);
    std::uint64_t frames = 0;
    if (! comm || ! header.number(*comm + 10, 4, true, frames))
        return std::nullopt;
    return static_cast<std::int64_t>(frames);
}

std::optional<std::int64_t> auFrames(HeaderReader& header, const SF_INFO& info)
{
    const bool bigEndian = header.tagIs(0, ".snd");
    if (! bigEndian && ! header.tagIs(0, "dns."))
        return std::nullopt;
    std::uint64_t size = 0;
    // 0xffffffff is the format's own mark for an unknown length.
    if (! header.number(8, 4, bigEndian, size) || size == 0xffffffffu)
        return std::nullopt;
    return framesOfBytes(size, info);
}

std::optional<std::int64_t> cafFrames(HeaderReader& header, const SF_INFO& info)
{
    if (! header.tagIs(0, "caff"))
        return std::nullopt;
    const auto data = findChunk(header, 8, "data", 4, 8, true, 1, false);
    std::uint64_t size = 0;
    // A size of -1 means that the audio runs to the end of the file; the
    // size counts a 32-bit edit count before the audio.
    if (! data || ! header.number(*data + 4, 8, true, size) || size == ~std::uint64_t(0) || size < 4)
        return std::nullopt;
    return framesOfBytes(size - 4, info);
}
} // namespace

std::optional<std::int64_t> readAnnouncedFrames(const std::string& path, const SF_INFO& info)
{
    HeaderReader header(path);
    switch (info.format & SF_FORMAT_TYPEMASK)
    {
        case SF_FORMAT_WAV:
        case SF_FORMAT_WAVEX:
        case SF_FORMAT_RF64: return wavFrames(header, info);
        case SF_FORMAT_W64: return wave64Frames(header, info);
        case SF_FORMAT_AIFF: return aiffFrames(header);
        case SF_FORMAT_AU: return auFrames(header, info);
        case SF_FORMAT_CAF: return cafFrames(header, info);
        default: return std::nullopt;
    }
}
} // namespace vyrhost
