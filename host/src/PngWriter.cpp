#include "PngWriter.h"

#include "OutputFile.h"

#include <png.h>

#include <cstdio>

namespace vyrhost
{
bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb,
              std::string& error)
{
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
    {
        error = "no image to write to " + path;
        return false;
    }
    OutputFile target(path);
    if (! target.isValid())
    {
        error = "cannot write " + path + ": " + target.getError();
        return false;
    }

    FILE* file = std::fopen(target.getTemporaryPath().c_str(), "wb");
    if (file == nullptr)
    {
        error = "cannot write " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    volatile bool ok = png != nullptr && info != nullptr;
    if (ok && setjmp(png_jmpbuf(png)) == 0)
    {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y)
            png_write_row(png, rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3);
        png_write_end(png, nullptr);
    }
    else
        ok = false;
    png_destroy_write_struct(png != nullptr ? &png : nullptr, info != nullptr ? &info : nullptr);
    if (std::fclose(file) != 0)
        ok = false;

    if (! ok)
    {
        error = "cannot write " + path;
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
