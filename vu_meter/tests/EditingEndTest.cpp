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
    kittest::checkPressesElsewhereStopEditing(*processor, *editor,
                                              kittest::pressesElsewhereInAOneNeedleWindow(front(), back()),
                                              CommandId::showBackPanel, CommandId::showFrontPanel);
}

TEST_F(EditorFixture, MakingTheWindowSmallStopsTheEditing)
{
    kittest::checkMakingTheWindowSmallStopsEditing(*processor, *editor);
}
} // namespace vyrkelsom::editortest
