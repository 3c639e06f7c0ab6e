#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vyrhost
{
// Writes 8-bit RGB pixels (row after row, three bytes each) as a PNG file,
// complete or not at all.
bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb,
              std::string& error);
} // namespace vyrhost
