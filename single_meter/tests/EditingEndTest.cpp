// A press on the face or on the meter, and the window going small, end the
// editing of the track-name strip and the latency entry as a loss of focus
// does: nothing typed is committed.
#include "EditorTestSupport.h"

#include "EditingEndChecks.h"
#include "TarvoMCommandIds.h"

namespace vyrtarvom::editortesting
{
TEST_F(EditorFixture, APressOnTheFaceOrTheMeterStopsTheEditing)
{
    const kittest::PressElsewhere presses[] = {
        { "face beside the trim", &front(), { 266, 60 } },
        { "face beside the switch", &front(), { 150, 150 } },
        { "meter", front().meter.get(), { 125, 60 } },
        { "back-panel click area", &front(), { 60, 150 } },
    };
    kittest::checkPressesElsewhereStopEditing(*processor, *editor, presses, CommandId::showFrontPanel);
}

TEST_F(EditorFixture, MakingTheWindowSmallStopsTheEditing)
{
    kittest::checkMakingTheWindowSmallStopsEditing(*processor, *editor);
}
} // namespace vyrtarvom::editortesting
