// Build-time tool: draws the plug-ins' images and converts the track-name font.
//
//   vyr_artgen <kit|stereo|vu|single|all> <output dir> <sans.ttf> <sans-bold.ttf> <script font>
//
// "kit" writes the kit's film strips, the marker and the track-name typeface,
// "stereo" the stereo meter's faces and back panel, "vu" the VU meter's pages,
// face strip and over LED, "single" the single-channel meter's pages, and "all"
// every set, each into a directory of its own named after the set. Each image is checked for its
// size, pixel format and opacity before it is written; any failure ends the run
// with a non-zero status so that the build stops.
#include "ArtCanvas.h"
#include "TrackTypeface.h"

#include <iostream>

namespace
{

juce::Typeface::Ptr loadTypeface (const juce::File& file)
{
    juce::MemoryBlock data;
    if (! file.loadFileAsData (data) || data.getSize() == 0)
        return nullptr;
    return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
}

bool fail (const juce::String& message)
{
    std::cerr << "vyr_artgen: " << message << std::endl;
    return false;
}

// Makes `dir` and its missing parents. The build runs the generator for several
// image sets at once into one tree, so another run may make a level between our
// look and our mkdir: that level counts as made. (juce::File::createDirectory
// alone fails then, on the parent, and never makes the child.)
bool makeDirectories (const juce::File& dir)
{
    if (dir.isDirectory())
        return true;
    const auto parent = dir.getParentDirectory();
    if (parent == dir || ! makeDirectories (parent))
        return false;
    // The parent is there, so this makes the last level only.
    return dir.createDirectory().wasOk() || dir.isDirectory();
}

bool hasTranslucentPixel (const juce::Image& image)
{
    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (pixels.getPixelColour (x, y).getAlpha() != 255)
                return true;
    return false;
}

bool writeImage (const vyrart::ArtImage& item, const vyrart::ArtFonts& fonts, const juce::File& dir)
{
    const auto image = item.paint (fonts);
    const juce::String name (item.fileName);

    if (image.getWidth() != item.width || image.getHeight() != item.height)
        return fail (name + ": drawn at " + juce::String (image.getWidth()) + " x "
                     + juce::String (image.getHeight()));
    if (item.frames < 1 || item.height % item.frames != 0)
        return fail (name + ": height is not a whole number of frames");
    if (image.hasAlphaChannel() != item.hasAlpha)
        return fail (name + ": wrong pixel format");
    if (item.opaque && hasTranslucentPixel (image))
        return fail (name + ": translucent pixel in an opaque image");

    juce::MemoryOutputStream png;
    juce::PNGImageFormat format;
    if (! format.writeImageToStream (image, png))
        return fail (name + ": PNG encoding failed");

    if (! dir.getChildFile (name).replaceWithData (png.getData(), png.getDataSize()))
        return fail (name + ": cannot write into " + dir.getFullPathName());
    return true;
}

bool writeTypeface (const vyrart::ArtFonts& fonts, const juce::File& dir)
{
    float scale = 1.0f;
    const auto stream = vyrart::makeTrackTypefaceStream (fonts.scriptFontData, scale);
    if (stream.isEmpty())
        return fail ("the handwriting font could not be converted");
    if (scale != 1.0f)
        std::cout << "vyr_artgen: track typeface scaled by " << scale << " to fit the strip" << std::endl;
    if (! dir.getChildFile ("track_typeface.bin").replaceWithData (stream.getData(), stream.getSize()))
        return fail ("cannot write track_typeface.bin");
    return true;
}

} // namespace

int main (int argc, char* argv[])
{
    if (argc != 6)
    {
        std::cerr << "usage: vyr_artgen <kit|stereo|vu|single|all> <output dir> <sans.ttf> <sans-bold.ttf> <script font>\n";
        return 2;
    }

    const juce::String set (argv[1]);
    if (set != "kit" && set != "stereo" && set != "vu" && set != "single" && set != "all")
    {
        fail ("unknown image set " + set);
        return 2;
    }

    const juce::File outDir (juce::File::getCurrentWorkingDirectory().getChildFile (argv[2]));
    if (! makeDirectories (outDir))
    {
        fail ("cannot create " + outDir.getFullPathName());
        return 1;
    }

    vyrart::ArtFonts fonts;
    fonts.sans = loadTypeface (juce::File::getCurrentWorkingDirectory().getChildFile (argv[3]));
    fonts.sansBold = loadTypeface (juce::File::getCurrentWorkingDirectory().getChildFile (argv[4]));
    if (fonts.sans == nullptr || fonts.sansBold == nullptr)
    {
        fail ("cannot read the panel fonts");
        return 1;
    }
    if (! juce::File::getCurrentWorkingDirectory().getChildFile (argv[5]).loadFileAsData (fonts.scriptFontData))
    {
        fail ("cannot read the handwriting font");
        return 1;
    }

    // "all" puts each set into a directory of its own, as the build does: two sets
    // may both hold an image of the same name (each meter has a back_panel.png).
    const bool all = set == "all";
    const auto dirFor = [&] (const char* name) { return all ? outDir.getChildFile (name) : outDir; };
    const auto writeSet = [&] (const std::vector<vyrart::ArtImage>& images, const juce::File& dir) {
        if (! makeDirectories (dir))
            return fail ("cannot create " + dir.getFullPathName());
        bool written = true;
        for (const auto& item : images)
            written = writeImage (item, fonts, dir) && written;
        return written;
    };

    bool ok = true;
    if (set == "kit" || all)
    {
        ok = writeSet (vyrart::kitImages(), dirFor ("kit")) && ok;
        ok = writeTypeface (fonts, dirFor ("kit")) && ok;
    }
    if (set == "stereo" || all)
        ok = writeSet (vyrart::stereoImages(), dirFor ("stereo")) && ok;
    if (set == "vu" || all)
        ok = writeSet (vyrart::vuImages(), dirFor ("vu")) && ok;
    if (set == "single" || all)
        ok = writeSet (vyrart::singleImages(), dirFor ("single")) && ok;

    return ok ? 0 : 1;
}
