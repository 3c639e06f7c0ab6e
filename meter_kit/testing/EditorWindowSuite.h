#pragma once

// The window tests every meter passes the same way, as one typed suite. Each
// meter's editor test instantiates it once with a traits struct:
//
//   struct Window : kittest::WindowFacts<EditorFixture> // an open editor, its processor and host
//   {
//       static constexpr int width = ..., timerIntervalMs = ...;
//       static constexpr kittest::WindowCommandIds commands { CommandId::hold, ... };
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Meter, MeterWindow, Window);
//   const bool typedTrimTestsRegistered = kittest::registerTheTypedTrimTests<Window>();
//
// The typed trims are one test a case, Texts/TrimText.SetsTheTrimFromTheLeadingNumber/N,
// each in a window of its own.

#include "EditingEndChecks.h"
#include "EditorWindowChecks.h"
#include "RegisteredCaseTests.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

namespace kittest
{
// The commands of the window that the suite sends.
struct WindowCommandIds
{
    int hold;
    int signature;
    int trimText;
    int showBackPanel;
    int showFrontPanel;
};

template <typename EditorFixture>
struct WindowFacts
{
    using Fixture = EditorFixture;

    // The buttons beyond the help, size and Active buttons that leave the
    // keyboard focus to the text fields.
    static std::vector<juce::Button*> moreButtonsWithoutFocus(Fixture&) { return {}; }
};

template <typename Window>
struct MeterWindow : Window::Fixture
{
    using Fixture = typename Window::Fixture;
};

TYPED_TEST_SUITE_P(MeterWindow);

TYPED_TEST_P(MeterWindow, OpensOnTheFrontPage)
{
    checkTheEditorOpensOnTheFrontPage(*this->processor, *this->editor, TypeParam::width, TypeParam::timerIntervalMs);
}

TYPED_TEST_P(MeterWindow, TakesItsHeightFromTheWindowSizeFlag)
{
    using Processor = std::remove_reference_t<decltype(*this->processor)>;
    using Editor = std::remove_reference_t<decltype(*this->editor)>;
    checkTheEditorTakesItsHeightFromTheWindowSizeFlag<Processor, Editor>();
}

TYPED_TEST_P(MeterWindow, PlainControlsGetTheStockLookAndButtonsTakeNoFocus)
{
    auto& front = this->front();
    EXPECT_NE(dynamic_cast<juce::LookAndFeel_V2*>(&front.trimLabel->getLookAndFeel()), nullptr);
    EXPECT_EQ(dynamic_cast<juce::LookAndFeel_V3*>(&front.trimLabel->getLookAndFeel()), nullptr);
    auto buttons = TypeParam::moreButtonsWithoutFocus(*this);
    buttons.insert(buttons.end(), { front.helpButton.get(), front.sizeButton.get(), front.activeButton.get() });
    for (juce::Button* button : buttons)
        EXPECT_FALSE(button->getWantsKeyboardFocus()) << button->getName();
    EXPECT_TRUE(front.trackNameBox->getWantsKeyboardFocus());
    EXPECT_TRUE(front.latencyControl->getWantsKeyboardFocus());
}

TYPED_TEST_P(MeterWindow, PostedCommandsArriveLaterOnTheMessageThread)
{
    checkPostedCommandsArriveLaterOnTheMessageThread(*this->editor, this->host, TypeParam::commands.hold);
}

TYPED_TEST_P(MeterWindow, TheTrackNameGoesToTheProcessorOnly)
{
    checkTheTrackNameGoesToTheProcessorOnly(*this->processor, *this->editor, this->host,
                                            TypeParam::commands.signature, "Lead Vocal");
}

TYPED_TEST_P(MeterWindow, HostAutomationMovesTheControls)
{
    checkHostAutomationMovesTheControls(*this->processor, *this->editor);
}

TYPED_TEST_P(MeterWindow, TheBackPanelTakesTheHeightOfTheMomentItIsShown)
{
    checkTheBackPanelTakesTheHeightOfTheMomentItIsShown(*this->editor, TypeParam::width,
                                                        TypeParam::commands.showBackPanel,
                                                        TypeParam::commands.showFrontPanel);
}

TYPED_TEST_P(MeterWindow, TheSizeButtonTogglesTheWindowOnThePress)
{
    checkTheSizeButtonTogglesTheWindowOnThePress(*this->processor, *this->editor, TypeParam::width);
}

TYPED_TEST_P(MeterWindow, SetSizeModeResizesEverythingAndShowsTheName)
{
    checkSetSizeModeResizesEverythingAndShowsTheName(*this->processor, *this->editor, TypeParam::width);
}

// Going small ends the editing of the track-name strip and the latency entry as
// a loss of focus does: nothing typed is committed.
TYPED_TEST_P(MeterWindow, MakingTheWindowSmallStopsTheEditing)
{
    checkMakingTheWindowSmallStopsEditing(*this->processor, *this->editor);
}

REGISTER_TYPED_TEST_SUITE_P(MeterWindow, OpensOnTheFrontPage, TakesItsHeightFromTheWindowSizeFlag,
                            PlainControlsGetTheStockLookAndButtonsTakeNoFocus,
                            PostedCommandsArriveLaterOnTheMessageThread, TheTrackNameGoesToTheProcessorOnly,
                            HostAutomationMovesTheControls,
                            TheBackPanelTakesTheHeightOfTheMomentItIsShown,
                            TheSizeButtonTogglesTheWindowOnThePress,
                            SetSizeModeResizesEverythingAndShowsTheName, MakingTheWindowSmallStopsTheEditing);

template <typename Window>
bool registerTheTypedTrimTests()
{
    using Fixture = typename Window::Fixture;
    return registerCaseTests<Fixture, TypedTrimCase>(
        "Texts/TrimText", "SetsTheTrimFromTheLeadingNumber",
        std::vector<TypedTrimCase>(std::begin(typedTrimCases), std::end(typedTrimCases)),
        [](const TypedTrimCase&, std::size_t i) { return std::to_string(i); },
        [](Fixture& f, const TypedTrimCase& c) {
            checkATypedTrimSetsTheTrim(*f.processor, *f.editor, f.host, Window::commands.trimText, c);
        });
}
} // namespace kittest
