#include "ParameterChunk.h"

#include <cstring>

namespace vyrplatform
{
namespace
{
constexpr char magic[4] = { 'V', 'Y', 'R', 'P' };

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t getU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
         | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
} // namespace

std::vector<std::uint8_t> writeParameterChunk(const std::vector<ParameterValue>& values)
{
    std::vector<std::uint8_t> out(magic, magic + 4);
    putU32(out, static_cast<std::uint32_t>(values.size()));
    for (const auto& entry : values)
    {
        const auto length = entry.id.size() < 255 ? entry.id.size() : 255;
        out.push_back(static_cast<std::uint8_t>(length));
        out.insert(out.end(), entry.id.begin(), entry.id.begin() + static_cast<std::ptrdiff_t>(length));
        std::uint32_t bits;
        std::memcpy(&bits, &entry.value, sizeof bits);
        putU32(out, bits);
    }
    return out;
}

std::optional<std::vector<ParameterValue>> readParameterChunk(const void* data, std::size_t size)
{
    if (data == nullptr || size < 8)
        return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (std::memcmp(bytes, magic, 4) != 0)
        return std::nullopt;

    const std::uint32_t count = getU32(bytes + 4);
    // Each entry takes at least five bytes: refuse counts the data cannot hold
    // before reserving anything.
    if (count > (size - 8) / 5)
        return std::nullopt;

    std::vector<ParameterValue> values;
    values.reserve(count);
    std::size_t pos = 8;
    for (std::uint32_t i = 0; i < count; ++i)
    {
        if (pos >= size)
            return std::nullopt;
        const std::size_t length = bytes[pos++];
        if (size - pos < length + 4)
            return std::nullopt;
        ParameterValue entry;
        entry.id.assign(reinterpret_cast<const char*>(bytes + pos), length);
        pos += length;
        const std::uint32_t bits = getU32(bytes + pos);
        std::memcpy(&entry.value, &bits, sizeof bits);
        pos += 4;
        values.push_back(std::move(entry));
    }
    if (pos != size)
        return std::nullopt;
    return values;
}
} // namespace vyrplatform
