#pragma once

#include <juce_graphics/juce_graphics.h>

#include <cstdint>
#include <string>

namespace vyrfp
{
// Numbers written so that two runs agree in the text exactly when they agree
// in the bits: nine significant digits for a float, seventeen for a double.
std::string exact(float value);
std::string exact(double value);
std::string exact(int value);

// A text in double quotes, so that leading and trailing blanks show.
std::string quoted(const juce::String& text);

// The bytes as hexadecimal digits.
std::string hex(const void* data, size_t size);

// CRC-32 of the samples' bytes.
std::uint32_t crcOf(const float* samples, int count);
std::string crcText(const float* samples, int count);

void writeText(const juce::File& file, const std::string& text);
void writeBytes(const juce::File& file, const void* data, size_t size);
void writePng(const juce::File& file, const juce::Image& image);

// Copies every settings file under the store's root (not the lock files beside
// them) into the destination, keeping their relative paths.
void copySettingsFiles(const juce::File& storeRoot, const juce::File& destination);
} // namespace vyrfp
