#pragma once

// A press anywhere in a one-needle window other than on the field being edited
// ends the editing as a loss of focus does, as a typed suite for the two meters
// with one needle. Each instantiates it with its window facts (see
// EditorWindowSuite.h):
//
//   INSTANTIATE_TYPED_TEST_SUITE_P(Meter, OneNeedleWindowEditing, Window);

#include "EditingEndChecks.h"

#include <gtest/gtest.h>

namespace kittest
{
template <typename Window>
struct OneNeedleWindowEditing : Window::Fixture
{
};

TYPED_TEST_SUITE_P(OneNeedleWindowEditing);

TYPED_TEST_P(OneNeedleWindowEditing, APressElsewhereInTheWindowStopsTheEditing)
{
    checkPressesElsewhereStopEditing(*this->processor, *this->editor,
                                     pressesElsewhereInAOneNeedleWindow(this->front(), this->back()),
                                     TypeParam::commands.showBackPanel, TypeParam::commands.showFrontPanel);
}

REGISTER_TYPED_TEST_SUITE_P(OneNeedleWindowEditing, APressElsewhereInTheWindowStopsTheEditing);
} // namespace kittest
