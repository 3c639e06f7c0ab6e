// A press anywhere in the window other than on the field being edited (the face,
// a meter, a button, a slider, the back panel's knobs) ends the editing of the
// track-name strip and the latency entry as a loss of focus does: nothing typed
// is committed, and the press does what it always does. (The window going small
// does the same: the kit's window suite checks it.)
#include "EditorTestSupport.h"

#include "EditingEndChecks.h"
#include "TarvoCommandIds.h"

namespace vyrtarvo::testing
{
TEST_F(EditorFixture, APressElsewhereInTheWindowStopsTheEditing)
{
    auto& back = editor->getBackPanel();
    auto presses = kittest::pressesOnTheFrontPanelControls(front());
    presses.insert(presses.end(), {
        { "face between the meters", &front(), { 270, 60 } },
        { "face beside the switch", &front(), { 150, 150 } },
        { "left meter", front().leftMeter.get(), { 125, 60 } },
        { "right meter", front().rightMeter.get(), { 125, 60 } },
        { "back-panel click area", &front(), { 250, 150 } },
        { "LR/MS button", front().lrmsButton.get(), { 40, 12 } },
        { "reference knob", back.referenceKnob.get(), { 21, 20 } },
        { "integration knob", back.integrationKnob.get(), { 21, 20 } },
        { "hold knob", back.holdKnob.get(), { 21, 20 } },
        { "fall-back knob", back.returnKnob.get(), { 21, 20 } },
        { "over-reference knob", back.overReferenceKnob.get(), { 21, 20 } },
        { "over-count knob", back.overCountKnob.get(), { 21, 20 } },
        { "measurement-mode button", back.measureButton.get(), { 27, 48 } },
        { "mid-attenuation switch", back.midSwitch.get(), { 60, 33 } },
        { "back panel", &back, { 300, 150 } },
    });
    // The window shows the restored settings at once, as its next tick would: a
    // tick between a press on the back panel and the command it posts would put
    // the control back to the setting.
    const auto restoreSettings = [this] {
        restoreDefaultSettings(*processor);
        editor->timerCallback();
    };
    kittest::checkPressesElsewhereStopEditing(*processor, *editor, presses, CommandId::showBackPanel,
                                              CommandId::showFrontPanel, restoreSettings);
}
} // namespace vyrtarvo::testing
