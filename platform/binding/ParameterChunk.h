#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vyrplatform
{
// The binding's own chunk of host parameter values: "VYRP", a 32-bit
// little-endian count, then per parameter one byte of id length, the id and
// the value as a 32-bit little-endian IEEE float. Exact for every float.
struct ParameterValue
{
    std::string id;
    float value;
};

std::vector<std::uint8_t> writeParameterChunk(const std::vector<ParameterValue>& values);

// Reads a chunk written by writeParameterChunk. Returns nothing for data that
// is not such a chunk (wrong magic, truncated, trailing bytes, more entries
// than the data can hold). Values are returned as stored, including ones that
// are not finite: the caller decides what to apply.
std::optional<std::vector<ParameterValue>> readParameterChunk(const void* data, std::size_t size);
} // namespace vyrplatform
