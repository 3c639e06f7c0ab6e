// A press on the face or on a meter, and the window going small, end the
// editing of the track-name strip and the latency entry as a loss of focus
// does: nothing typed is committed.
#include "EditorTestSupport.h"

#include "EditingEndChecks.h"
#include "TarvoCommandIds.h"

namespace vyrtarvo::testing
{
TEST_F(EditorFixture, APressOnTheFaceOrAMeterStopsTheEditing)
{
    const kittest::PressElsewhere presses[] = {
        { "face between the meters", &front(), { 270, 60 } },
        { "face beside the switch", &front(), { 150, 150 } },
        { "left meter", front().leftMeter.get(), { 125, 60 } },
        { "right meter", front().rightMeter.get(), { 125, 60 } },
        { "back-panel click area", &front(), { 250, 150 } },
    };
    kittest::checkPressesElsewhereStopEditing(*processor, *editor, presses, CommandId::showFrontPanel);
}

TEST_F(EditorFixture, MakingTheWindowSmallStopsTheEditing)
{
    kittest::checkMakingTheWindowSmallStopsEditing(*processor, *editor);
}
} // namespace vyrtarvo::testing
