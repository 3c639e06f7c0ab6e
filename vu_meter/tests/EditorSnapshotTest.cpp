// The editor painted as the screen shows it: the panels cover the window's pink
// on both pages and in both sizes, and the lit face lies in the front page's
// background. With VYR_SNAPSHOT_DIR set, the pictures are also written there as
// PNG files for a look by eye.
#include "EditorTestSupport.h"

#include "EditorWindowChecks.h"

#include "KelsoCommandIds.h"

namespace vyrkelsom::editortest
{
namespace
{
const juce::Colour pink(255, 192, 203);
} // namespace

struct Snapshot : EditorFixture, ::testing::WithParamInterface<int>
{
};

TEST_P(Snapshot, ThePanelsCoverTheWindowOnBothPages)
{
    const int size = GetParam();
    kittest::setUpAWindowForItsPicture(*processor, *editor, "Lead Vocal", size);
    setParameter(*processor, VyrKelsoMAudioProcessor::trimParameter, 0.55f); // +2 dB

    // A sine at the reference level, then a quieter one, leaves the hold tick
    // above the needle.
    auto loud = sine(0.125f * 1.11f, 22050);
    process(*processor, loud, { 441 });
    auto quiet = sine(0.125f * 0.3f, 13230);
    process(*processor, quiet, { 441 });
    testMilliseconds = testMilliseconds.load() + 5;
    editor->timerCallback();

    const auto& meter = *front().meter;
    EXPECT_GT(meter.getHoldLevel(), meter.getLevel() + 0.2f);
    EXPECT_TRUE(meter.showHold);

    const auto frontImage = snapshot(*editor);
    EXPECT_EQ(frontImage.getHeight(), size != 0 ? 205 : 167);
    EXPECT_EQ(countPixels(frontImage, frontImage.getBounds(), pink), 0);
    keepForInspection(frontImage, "vu_front_" + juce::String(size));

    // Overs light the LED in its lamp on the face, once the display delay has
    // passed.
    std::vector<std::vector<float>> overs(2, std::vector<float>(441 * 6));
    for (size_t i = 0; i < 441; ++i)
        overs[0][i] = overs[1][i] = (i % 2 == 0 ? 1.2f : -1.2f);
    process(*processor, overs, { 441 });
    editor->timerCallback();
    ASSERT_EQ(meter.ledState, 1.0f);
    const auto litImage = snapshot(*editor);
    const juce::Rectangle<int> lamp(12 + 181, 16 + 90, 20, 20);
    int brighter = 0;
    for (int y = lamp.getY(); y < lamp.getBottom(); ++y)
        for (int x = lamp.getX(); x < lamp.getRight(); ++x)
            if (litImage.getPixelAt(x, y).getBrightness() > frontImage.getPixelAt(x, y).getBrightness() + 0.1f)
                ++brighter;
    EXPECT_GT(brighter, 40);
    keepForInspection(litImage, "vu_front_lit_" + juce::String(size));

    editor->handleCommandMessage(CommandId::showBackPanel);
    const auto backImage = snapshot(*editor);
    EXPECT_EQ(backImage.getHeight(), size != 0 ? 205 : 167);
    EXPECT_EQ(countPixels(backImage, backImage.getBounds(), pink), 0);
    keepForInspection(backImage, "vu_back_" + juce::String(size));
}

INSTANTIATE_TEST_SUITE_P(Sizes, Snapshot, ::testing::Values(0, 1));
} // namespace vyrkelsom::editortest
