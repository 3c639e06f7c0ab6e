// The editor painted as the screen shows it: the opaque panels cover the window on
// both pages and in both sizes, with the needle, the controls and the texts on
// top. With VYR_SNAPSHOT_DIR set, the pictures are also written there as PNG
// files for a look by eye.
#include "EditorTestSupport.h"

#include "EditorWindowChecks.h"

#include "TarvoMCommandIds.h"

#include <cstdlib>

namespace vyrtarvom::editortesting
{
namespace
{
int countTransparent(const juce::Image& image)
{
    int n = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (! image.getPixelAt(x, y).isOpaque())
                ++n;
    return n;
}
} // namespace

struct Snapshot : EditorFixture, ::testing::WithParamInterface<int>
{
};

TEST_P(Snapshot, ThePanelsCoverTheWindowOnBothPages)
{
    const int size = GetParam();
    kittest::setUpAWindowForItsPicture(*processor, *editor, "Lead Vox", size);
    setParameter(*processor, VyrTarvoMAudioProcessor::trimParameter, 0.6f);

    auto loud = tone(0.35f, 8820);
    process(*processor, loud, { 441 });
    auto softer = tone(0.12f, 4410);
    process(*processor, softer, { 441 });
    editor->timerCallback();

    const auto frontImage = snapshot(*editor);
    EXPECT_EQ(frontImage.getBounds(), juce::Rectangle<int>(0, 0, 320, size != 0 ? 205 : 167));
    EXPECT_EQ(countTransparent(frontImage), 0);
    keepForInspection(frontImage, "single_front_" + juce::String(size));

    editor->handleCommandMessage(CommandId::showBackPanel);
    const auto backImage = snapshot(*editor);
    EXPECT_EQ(backImage.getBounds(), frontImage.getBounds());
    EXPECT_EQ(countTransparent(backImage), 0);
    keepForInspection(backImage, "single_back_" + juce::String(size));
}

INSTANTIATE_TEST_SUITE_P(Sizes, Snapshot, ::testing::Values(0, 1));
} // namespace vyrtarvom::editortesting
