#pragma once

// The window tests every meter passes the same way, as one typed suite. Each
// meter's editor test instantiates it once with a traits struct:
//
//   struct Window
//   {
//       using Fixture = EditorFixture;         // an open editor, its processor and host
//       static constexpr int width = ...;      // the window's width in pixels
//       static constexpr int timerIntervalMs = ...;
//       static constexpr int holdCommand = ..., signatureCommand = ..., trimTextCommand = ...,
//                            showBackPanelCommand = ..., showFrontPanelCommand = ...;
//       // The buttons that leave the keyboard focus to the text fields.
//       static std::vector<juce::Button*> buttonsWithoutFocus(Fixture&);
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Meter, MeterWindow, Window);
//   const bool typedTrimTestsRegistered = kittest::registerTheTypedTrimTests<Window>();
//
// The typed trims are one test a case, Texts/TrimText.SetsTheTrimFromTheLeadingNumber/N,
// each in a window of its own.

#include "EditorWindowChecks.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <type_traits>

namespace kittest
{
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
    for (juce::Button* button : TypeParam::buttonsWithoutFocus(*this))
        EXPECT_FALSE(button->getWantsKeyboardFocus()) << button->getName();
    EXPECT_TRUE(front.trackNameBox->getWantsKeyboardFocus());
    EXPECT_TRUE(front.latencyControl->getWantsKeyboardFocus());
}

TYPED_TEST_P(MeterWindow, PostedCommandsArriveLaterOnTheMessageThread)
{
    checkPostedCommandsArriveLaterOnTheMessageThread(*this->editor, this->host, TypeParam::holdCommand);
}

TYPED_TEST_P(MeterWindow, TheTrackNameGoesToTheProcessorOnly)
{
    checkTheTrackNameGoesToTheProcessorOnly(*this->processor, *this->editor, this->host,
                                            TypeParam::signatureCommand, "Lead Vocal");
}

TYPED_TEST_P(MeterWindow, HostAutomationMovesTheControls)
{
    checkHostAutomationMovesTheControls(*this->processor, *this->editor);
}

TYPED_TEST_P(MeterWindow, TheBackPanelTakesTheHeightOfTheMomentItIsShown)
{
    checkTheBackPanelTakesTheHeightOfTheMomentItIsShown(*this->editor, TypeParam::width,
                                                        TypeParam::showBackPanelCommand,
                                                        TypeParam::showFrontPanelCommand);
}

TYPED_TEST_P(MeterWindow, TheSizeButtonTogglesTheWindowOnThePress)
{
    checkTheSizeButtonTogglesTheWindowOnThePress(*this->processor, *this->editor, TypeParam::width);
}

TYPED_TEST_P(MeterWindow, SetSizeModeResizesEverythingAndShowsTheName)
{
    checkSetSizeModeResizesEverythingAndShowsTheName(*this->processor, *this->editor, TypeParam::width);
}

REGISTER_TYPED_TEST_SUITE_P(MeterWindow, OpensOnTheFrontPage, TakesItsHeightFromTheWindowSizeFlag,
                            PlainControlsGetTheStockLookAndButtonsTakeNoFocus,
                            PostedCommandsArriveLaterOnTheMessageThread, TheTrackNameGoesToTheProcessorOnly,
                            HostAutomationMovesTheControls,
                            TheBackPanelTakesTheHeightOfTheMomentItIsShown,
                            TheSizeButtonTogglesTheWindowOnThePress,
                            SetSizeModeResizesEverythingAndShowsTheName);

template <typename Window>
struct TypedTrimTest : Window::Fixture
{
    explicit TypedTrimTest(const TypedTrimCase& c) : typed(c) {}

    void TestBody() override
    {
        checkATypedTrimSetsTheTrim(*this->processor, *this->editor, this->host, Window::trimTextCommand, typed);
    }

    TypedTrimCase typed;
};

template <typename Window>
bool registerTheTypedTrimTests()
{
    for (std::size_t i = 0; i < std::size(typedTrimCases); ++i)
    {
        const auto c = typedTrimCases[i];
        std::ostringstream shown;
        shown << c;
        ::testing::RegisterTest("Texts/TrimText", ("SetsTheTrimFromTheLeadingNumber/" + std::to_string(i)).c_str(),
                                nullptr, shown.str().c_str(), __FILE__, __LINE__,
                                [c]() -> typename Window::Fixture* { return new TypedTrimTest<Window>(c); });
    }
    return true;
}
} // namespace kittest
