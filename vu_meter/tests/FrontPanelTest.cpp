// The VU front panel: where its controls lie and how they are set up, the click
// area that asks for the back panel, the commands its controls post, the size
// button, and what it paints.
#include "EditorTestSupport.h"

#include "FrontPanelControlChecks.h"
#include "KelsoCommandIds.h"

namespace vyrkelsom::editortest
{
namespace
{
template <typename Look>
bool hasLook(juce::Component& c)
{
    return dynamic_cast<Look*>(&c.getLookAndFeel()) != nullptr;
}
} // namespace

struct LayoutCase
{
    const char* name;
    juce::Component* (*control)(FrontPanel&);
    juce::Rectangle<int> bounds;
    bool (*look)(juce::Component&);
};

class FrontPanelLayout : public EditorFixture, public ::testing::WithParamInterface<LayoutCase>
{
};

TEST_P(FrontPanelLayout, ControlLiesInItsPlaceWithItsLook)
{
    auto* control = GetParam().control(front());
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->getParentComponent(), &front());
    EXPECT_TRUE(control->isVisible());
    EXPECT_EQ(control->getBounds(), GetParam().bounds);
    if (GetParam().look != nullptr)
    {
        EXPECT_TRUE(GetParam().look(*control));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, FrontPanelLayout,
    ::testing::Values(
        LayoutCase { "meter", [](FrontPanel& f) -> juce::Component* { return f.meter.get(); }, { 12, 16, 250, 116 }, nullptr },
        LayoutCase { "help", [](FrontPanel& f) -> juce::Component* { return f.helpButton.get(); }, { 308, 0, 16, 14 }, &hasLook<vyrkit::ButtonHelpLook> },
        LayoutCase { "hold", [](FrontPanel& f) -> juce::Component* { return f.holdSwitch.get(); }, { 176, 142, 86, 24 }, &hasLook<vyrkit::SliderHoldLook> },
        LayoutCase { "size", [](FrontPanel& f) -> juce::Component* { return f.sizeButton.get(); }, { 308, 152, 16, 14 }, &hasLook<vyrkit::ButtonPlusLook> },
        LayoutCase { "trim", [](FrontPanel& f) -> juce::Component* { return f.trimSlider.get(); }, { 272, 15, 32, 126 }, &hasLook<vyrkit::SliderTrimLook> },
        LayoutCase { "trimLabel", [](FrontPanel& f) -> juce::Component* { return f.trimLabel.get(); }, { 267, 140, 42, 15 }, &hasLook<juce::LookAndFeel_V2> },
        LayoutCase { "active", [](FrontPanel& f) -> juce::Component* { return f.activeButton.get(); }, { 265, 0, 43, 14 }, &hasLook<vyrkit::ButtonActiveLook> },
        LayoutCase { "latency", [](FrontPanel& f) -> juce::Component* { return f.latencyControl.get(); }, { 263, 167, 54, 40 }, nullptr },
        LayoutCase { "trackName", [](FrontPanel& f) -> juce::Component* { return f.trackNameBox.get(); }, { 17, 167, 240, 39 }, nullptr }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorFixture, FrontPanelControlsAreCreatedInOrder)
{
    juce::Component* order[] = { front().meter.get(), front().helpButton.get(), front().holdSwitch.get(),
                                 front().sizeButton.get(), front().trimSlider.get(), front().trimLabel.get(),
                                 front().activeButton.get(), front().latencyControl.get(), front().trackNameBox.get() };
    for (size_t i = 1; i < std::size(order); ++i)
        EXPECT_LT(front().getIndexOfChildComponent(order[i - 1]), front().getIndexOfChildComponent(order[i])) << i;
}

TEST_F(EditorFixture, FrontPanelControlsAreSetUp)
{
    auto& f = front();
    kittest::checkTheSharedFrontPanelControlsAreSetUp(f, { 240, 230, CommandId::signature, CommandId::latency });

    EXPECT_EQ(f.backgroundImage.getBounds(), juce::Rectangle<int>(0, 0, 320, 205));
    EXPECT_EQ(f.faceStrip.getBounds(), juce::Rectangle<int>(0, 0, 250, 610));
}

struct ClickCase
{
    int x, y;
    bool showsBack;
};

inline void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.x << "," << c.y; }

class FrontPanelClick : public EditorFixture, public ::testing::WithParamInterface<ClickCase>
{
};

TEST_P(FrontPanelClick, TheLowerLeftCornerAsksForTheBackPanel)
{
    const auto& c = GetParam();
    EXPECT_EQ(FrontPanel::isBackPanelClick({ c.x, c.y }), c.showsBack);
    press(front(), c.x, c.y);
    pump();
    EXPECT_EQ(back().isVisible(), c.showsBack);
    EXPECT_EQ(front().isVisible(), ! c.showsBack);
}

INSTANTIATE_TEST_SUITE_P(Points, FrontPanelClick,
                         ::testing::Values(ClickCase { 5, 142, true }, ClickCase { 123, 166, true },
                                           ClickCase { 60, 150, true }, ClickCase { 4, 150, false },
                                           ClickCase { 124, 150, false }, ClickCase { 60, 141, false },
                                           ClickCase { 200, 100, false }));

// In the large window the lower-left click below the window's small edge lands
// on the track-name strip from x 17 on.
TEST_F(EditorFixture, InTheLargeWindowTheTrackNameLiesUnderTheCorner)
{
    front().buttonClicked(front().sizeButton.get());
    EXPECT_EQ(front().getComponentAt(60, 180), front().trackNameBox.get());
    EXPECT_EQ(front().getComponentAt(10, 180), &front());
    EXPECT_EQ(front().getComponentAt(280, 185), front().latencyControl.get());
}

struct PostCase
{
    const char* name;
    void (*act)(FrontPanel&);
    int parameter;
    float value;
};

class FrontPanelPost : public EditorFixture, public ::testing::WithParamInterface<PostCase>
{
};

// Each control posts its id; the editor acts when the message arrives.
TEST_P(FrontPanelPost, TheControlPostsItsCommandToTheEditor)
{
    GetParam().act(front());
    EXPECT_TRUE(host.changes.empty());
    pump();
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].index, GetParam().parameter);
    EXPECT_FLOAT_EQ(host.changes[0].value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, FrontPanelPost,
    ::testing::Values(
        PostCase { "hold", [](FrontPanel& f) { f.holdSwitch->setValue(2.0, juce::sendNotificationSync); }, 0, 1.0f },
        PostCase { "trim", [](FrontPanel& f) { f.trimSlider->setValue(-5.0, juce::sendNotificationSync); }, 2, 0.375f },
        PostCase { "active", [](FrontPanel& f) { f.activeButton->setToggleState(true, juce::sendNotificationSync); }, 3, 1.0f },
        PostCase { "trimText", [](FrontPanel& f) { f.trimLabel->setText("12", juce::sendNotificationSync); }, 2, 0.8f },
        PostCase { "latency", [](FrontPanel& f) { f.latencyControl->setValue(120.0f, 1); }, 1, 0.12f },
        // A double-click returns the trim to 0 dB and the hold switch to "Off".
        PostCase { "trimDoubleClick",
                   [](FrontPanel& f) {
                       f.trimSlider->setValue(7.5, juce::dontSendNotification);
                       f.trimSlider->mouseDoubleClick(mouseAt(*f.trimSlider, 16, 60, 2));
                   },
                   2, 0.5f },
        PostCase { "holdDoubleClick",
                   [](FrontPanel& f) {
                       f.holdSwitch->setValue(2.0, juce::dontSendNotification);
                       f.holdSwitch->mouseDoubleClick(mouseAt(*f.holdSwitch, 40, 12, 2));
                   },
                   0, 0.0f }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorFixture, TheTrackNameStripPostsItsTextWhenEditingEnds)
{
    auto& box = *front().trackNameBox;
    box.mouseDoubleClick(mouseAt(box, 120, 20, 2));
    ASSERT_TRUE(box.isEditing());
    for (const char c : juce::String("Hat"))
        box.keyPressed(juce::KeyPress(c, juce::ModifierKeys(), static_cast<juce::juce_wchar>(c)), &box);
    box.keyPressed(juce::KeyPress(juce::KeyPress::returnKey), &box);
    EXPECT_EQ(processor->getSignature(), "M Track");
    pump();
    EXPECT_EQ(processor->getSignature(), "Hat");
    EXPECT_TRUE(host.changes.empty());
}

// Without an editor around it the panel still switches its own height and the flag.
TEST(FrontPanelAlone, TheSizeButtonTogglesTheFlagAndTheHeight)
{
    std::atomic<int> flag { 0 };
    FrontPanel panel("Solo", &flag);
    EXPECT_EQ(panel.getBounds(), juce::Rectangle<int>(0, 0, 320, 167));
    EXPECT_TRUE(panel.getPlusLook().smallWindow);
    panel.buttonClicked(panel.sizeButton.get());
    EXPECT_EQ(flag.load(), 1);
    EXPECT_EQ(panel.getHeight(), 205);
    EXPECT_FALSE(panel.getPlusLook().smallWindow);
    panel.buttonClicked(panel.sizeButton.get());
    EXPECT_EQ(flag.load(), 0);
    EXPECT_EQ(panel.getHeight(), 167);
    EXPECT_TRUE(panel.getPlusLook().smallWindow);
}

TEST(FrontPanelAlone, TheHelpButtonWithoutAManualDoesNothing)
{
    std::atomic<int> flag { 1 };
    FrontPanel panel("Solo", &flag);
    EXPECT_EQ(panel.getHeight(), 205);
    EXPECT_FALSE(panel.getPlusLook().smallWindow);
    EXPECT_EQ(panel.manualFile->getFile(), juce::File());
    panel.buttonClicked(panel.helpButton.get());
}

// The panel draws the window's rows of the background and no text; a flag other
// than 0 or 1 draws nothing.
TEST(FrontPanelAlone, PaintsTheBackgroundRowsOfTheWindow)
{
    for (const int size : { 0, 1, 2 })
    {
        std::atomic<int> flag { size };
        FrontPanel panel("Solo", &flag);
        panel.setSize(320, 205);
        juce::Image image(juce::Image::ARGB, 320, 205, true);
        {
            juce::Graphics g(image);
            panel.paint(g);
        }
        const auto& bg = panel.backgroundImage;
        const int drawnRows = size == 0 ? 167 : (size == 1 ? 205 : 0);
        for (const int y : { 0, 100, 166, 167, 204 })
        {
            if (y < drawnRows)
                EXPECT_EQ(image.getPixelAt(150, y), bg.getPixelAt(150, y)) << size << " " << y;
            else
                EXPECT_EQ(image.getPixelAt(150, y).getAlpha(), 0) << size << " " << y;
        }
    }
}
} // namespace vyrkelsom::editortest
