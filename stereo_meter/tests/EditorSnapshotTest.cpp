// The editor painted as the screen shows it: the face covers the window's pink
// on both pages and in both sizes. With VYR_SNAPSHOT_DIR set, the pictures are
// also written there as PNG files for a look by eye.
#include "EditorTestSupport.h"

#include "EditorWindowChecks.h"

#include "TarvoCommandIds.h"

#include <cstdlib>

namespace vyrtarvo::testing
{
namespace
{
const juce::Colour pink(255, 192, 203);
} // namespace

struct Snapshot : EditorFixture, ::testing::WithParamInterface<int>
{
};

TEST_P(Snapshot, TheFaceCoversTheWindowOnBothPages)
{
    const int size = GetParam();
    kittest::setUpAWindowForItsPicture(*processor, *editor, "Master Track", size);

    auto loud = [] {
        std::vector<std::vector<float>> c(2, std::vector<float>(8820));
        for (size_t i = 0; i < c[0].size(); ++i)
        {
            c[0][i] = 0.6f * static_cast<float>(std::sin(0.05 * static_cast<double>(i)));
            c[1][i] = 0.2f * static_cast<float>(std::sin(0.07 * static_cast<double>(i)));
        }
        return c;
    }();
    process(*processor, loud, { 441 });
    editor->timerCallback();

    const auto frontImage = snapshot(*editor);
    EXPECT_EQ(frontImage.getHeight(), size != 0 ? 205 : 167);
    EXPECT_EQ(countPixels(frontImage, frontImage.getBounds(), pink), 0);
    keepForInspection(frontImage, "front_" + juce::String(size));

    editor->handleCommandMessage(CommandId::showBackPanel);
    const auto backImage = snapshot(*editor);
    EXPECT_EQ(countPixels(backImage, backImage.getBounds(), pink), 0);
    keepForInspection(backImage, "back_" + juce::String(size));

    setParameter(*processor, 1, 1.0f);
    editor->handleCommandMessage(CommandId::showFrontPanel);
    keepForInspection(snapshot(*editor), "front_ms_" + juce::String(size));
}

INSTANTIATE_TEST_SUITE_P(Sizes, Snapshot, ::testing::Values(0, 1));
} // namespace vyrtarvo::testing
