// A press anywhere in the window other than on the field being edited (the face,
// the meter, a button, a slider, the back panel), and the window going small, end
// the editing of the track-name strip and the latency entry as a loss of focus
// does: nothing typed is committed, and the press does what it always does.
#include "EditorTestSupport.h"

#include "EditingEndChecks.h"
#include "KelsoCommandIds.h"

namespace vyrkelsom::editortest
{
TEST_F(EditorFixture, APressElsewhereInTheWindowStopsTheEditing)
{
    if (! kittest::hasDisplay())
        GTEST_SKIP() << "no X display";
    const kittest::PressElsewhere presses[] = {
        { "face beside the trim", &front(), { 266, 60 } },
        { "face beside the switch", &front(), { 150, 150 } },
        { "meter", front().meter.get(), { 125, 60 } },
        { "back-panel click area", &front(), { 60, 150 } },
        { "hold switch", front().holdSwitch.get(), { 70, 12 } },
        { "Active button", front().activeButton.get(), { 20, 7 } },
        { "size button", front().sizeButton.get(), { 5, 7 } },
        { "help button", front().helpButton.get(), { 5, 7 } },
        { "trim slider", front().trimSlider.get(), { 16, 60 } },
        { "back panel", &back(), { 150, 100 } },
    };
    kittest::checkPressesElsewhereStopEditing(*processor, *editor, presses, CommandId::showBackPanel,
                                              CommandId::showFrontPanel);
}

TEST_F(EditorFixture, MakingTheWindowSmallStopsTheEditing)
{
    kittest::checkMakingTheWindowSmallStopsEditing(*processor, *editor);
}
} // namespace vyrkelsom::editortest
