#include "OutputFiles.h"

#include <zlib.h>

#include <cstdio>

namespace vyrfp
{
std::string exact(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string exact(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string exact(int value)
{
    return std::to_string(value);
}

std::string quoted(const juce::String& text)
{
    return "\"" + text.toStdString() + "\"";
}

std::string hex(const void* data, size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i)
    {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

std::uint32_t crcOf(const float* samples, int count)
{
    const auto crc = ::crc32(0L, Z_NULL, 0);
    if (count <= 0)
        return static_cast<std::uint32_t>(crc);
    return static_cast<std::uint32_t>(
        ::crc32(crc, reinterpret_cast<const Bytef*>(samples), static_cast<uInt>(count * sizeof(float))));
}

std::string crcText(const float* samples, int count)
{
    char text[12];
    std::snprintf(text, sizeof text, "%08x", crcOf(samples, count));
    return text;
}

void writeText(const juce::File& file, const std::string& text)
{
    writeBytes(file, text.data(), text.size());
}

void writeBytes(const juce::File& file, const void* data, size_t size)
{
    file.getParentDirectory().createDirectory();
    if (! file.replaceWithData(data, size))
        throw std::runtime_error("cannot write " + file.getFullPathName().toStdString());
}

void writePng(const juce::File& file, const juce::Image& image)
{
    juce::MemoryOutputStream png;
    if (! juce::PNGImageFormat().writeImageToStream(image, png))
        throw std::runtime_error("cannot encode " + file.getFullPathName().toStdString());
    writeBytes(file, png.getData(), png.getDataSize());
}

void copySettingsFiles(const juce::File& storeRoot, const juce::File& destination)
{
    for (const auto& entry : juce::RangedDirectoryIterator(storeRoot, true, "*", juce::File::findFiles))
    {
        const auto& file = entry.getFile();
        if (file.getFileName().endsWith(".lock"))
            continue;
        juce::MemoryBlock bytes;
        file.loadFileAsData(bytes);
        writeBytes(destination.getChildFile(file.getRelativePathFrom(storeRoot)), bytes.getData(), bytes.getSize());
    }
}
} // namespace vyrfp
