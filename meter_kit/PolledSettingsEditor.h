#pragma once

#include "EditorPollRole.h"
#include "FrontPanelDispatch.h"
#include "NeedleReading.h"
#include "TwoPageEditor.h"

namespace vyrkit
{
// The editor of a meter whose back panel only shows the process-wide settings it
// reads from the settings store, and edits none of them (the VU and the
// single-channel meter). One editor in the process holds the poll role: on every
// (ticksBetweenRereads + 1)th display tick it rereads the store and refreshes
// its back-panel texts. Showing the front panel again rereads the store too.
//
// The meter's editor derives from this, registers with its processor, opens the
// pages, then calls showStoredSettings; it copies its needle out of the
// processor's read-out in readMeter, feeds its meter in showMeter and writes its
// back-panel texts in fillBackPanelTexts. Processor is the meter's
// processor (reloadStoredDefaults, and the role's takePollRoleIfFree and
// releasePollRole are its own); FrontPanel names the meter's CommandIds.
// Message thread only.
template <typename FrontPanel, typename BackPanel, typename Processor>
class PolledSettingsEditor : public TwoPageEditor<FrontPanel, BackPanel>
{
public:
    using CommandId = typename FrontPanel::CommandIds;

    // The editor gives up the poll role after its pages have gone; another open
    // editor takes it on its next tick.
    ~PolledSettingsEditor() override { pollRole.giveUp(); }

    void handleCommandMessage(int commandId) override
    {
        JUCE_ASSERT_MESSAGE_THREAD
        if (handleFrontPanelCommand(commandId, *this->frontPanel, settingsProcessor))
            return;
        if (commandId == CommandId::showBackPanel)
        {
            this->showBackPanel(true);
        }
        else if (commandId == CommandId::showFrontPanel)
        {
            // The back-panel texts are refreshed by the poll, not here.
            settingsProcessor.reloadStoredDefaults();
            this->showFrontPanel(true);
        }
        // No control edits the settings, and the unassigned id does nothing.
    }

    // The display tick.
    void timerCallback() override
    {
        JUCE_ASSERT_MESSAGE_THREAD
        // Host parameters that host threads changed since the last tick.
        settingsProcessor.applyPendingParameterChanges();
        const bool wasOwner = pollRole.isOwner();
        // The lock is left before the meter is set and before the settings store
        // is reread, so the audio thread never waits for either.
        this->readIfCallbackLockFreeThenShow([this] { return readMeter(); },
                                             [this](const NeedleReading& reading) { showMeter(reading); });
        if (pollRole.tick(wasOwner))
        {
            settingsProcessor.reloadStoredDefaults();
            fillBackPanelTexts();
            this->backPanel->repaint();
        }
    }

    int getPollTickCount() const noexcept { return pollRole.getTickCount(); }

protected:
    PolledSettingsEditor(Processor& processor, int ticksBetweenRereads)
        : TwoPageEditor<FrontPanel, BackPanel>(processor),
          settingsProcessor(processor),
          pollRole(Processor::takePollRoleIfFree, Processor::releasePollRole, ticksBetweenRereads)
    {
    }

    // In the meter's constructor, once the pages are open: rereads the store
    // (another meter may have saved new settings since this instance was made),
    // takes the poll role if no editor holds it, and writes the back-panel texts.
    void showStoredSettings()
    {
        settingsProcessor.reloadStoredDefaults();
        pollRole.takeIfFree();
        fillBackPanelTexts();
    }

    // Under the callback lock: copies what the tick shows out of the processor's
    // read-out, and nothing more.
    virtual NeedleReading readMeter() = 0;
    // Once the lock is left: sets the meter from the copy and repaints it.
    virtual void showMeter(const NeedleReading& reading) = 0;
    // Writes the back-panel texts from the processor's settings.
    virtual void fillBackPanelTexts() = 0;

    Processor& settingsProcessor;
    EditorPollRole pollRole;
};
} // namespace vyrkit
