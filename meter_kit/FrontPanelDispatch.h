#pragma once

#include "FrontPanelControls.h"
#include "HostParameterAccess.h"
#include "SafeNumbers.h"
#include "TrimActiveDisplay.h"

namespace vyrkit
{
// The editors' side of the controls that every front panel has. The hold,
// latency, trim and Active ids are the indices of their host parameters (see
// FrontPanelCommands). Processor is the meter's processor: setSignature and
// getTrimEnabled are its own.

// Answers a command of those controls: a host-notifying parameter change (whose
// setParameter moves the control back) or the track name, which is the
// instance's own and not told to the host. False for any other id, the page
// switch included.
template <typename Processor>
bool handleFrontPanelCommand(int commandId, FrontPanelControls& front, Processor& processor)
{
    const auto& ids = front.getCommands();
    if (commandId == ids.hold)
    {
        // Positions 0, 1, 2 send 0, 0.5, 1.
        setParameterNotifyingHost(processor, ids.hold, front.holdSwitch->getValue() * 0.5);
    }
    else if (commandId == ids.latency)
    {
        const int ms = front.latencyControl->valueMs;
        setParameterNotifyingHost(processor, ids.latency, ms > 999 ? 1.0f : static_cast<float>(ms) / 1000.0f);
    }
    else if (commandId == ids.trim)
    {
        setParameterNotifyingHost(processor, ids.trim, (front.trimSlider->getValue() + 20.0) * 0.025);
    }
    else if (commandId == ids.active)
    {
        setParameterNotifyingHost(processor, ids.active, front.activeButton->getToggleState() ? 1.0 : 0.0);
    }
    else if (commandId == ids.signature)
    {
        processor.setSignature(front.trackNameBox->getText());
    }
    else if (commandId == ids.trimText)
    {
        // The leading number of the typed text; none (or "nan", "inf") is 0 dB.
        const float db = juce::jlimit(-20.0f, 20.0f, parseLeadingFloat(front.trimLabel->getText()));
        setParameterNotifyingHost(processor, ids.trim, (static_cast<double>(db) + 20.0) * 0.025);
    }
    else
    {
        return false;
    }
    return true;
}

// Moves the control of the hold, latency, trim or Active parameter to a value
// without notifying it, so nothing is posted back. False for any other index.
template <typename Processor>
bool updateFrontPanelControl(int index, float value, FrontPanelControls& front, Processor& processor)
{
    const auto& ids = front.getCommands();
    const auto quiet = juce::dontSendNotification;
    if (index == ids.hold)
    {
        front.holdSwitch->setValue(truncToInt(static_cast<double>(value * 2.0f) + 0.5), quiet);
    }
    else if (index == ids.latency)
    {
        front.latencyControl->setValue(static_cast<float>(truncToInt(static_cast<double>(value * 1000.0f) + 0.5)), 0);
    }
    else if (index == ids.trim)
    {
        front.trimSlider->setValue(truncToInt(static_cast<double>(value * 400.0f) + 0.5) * 0.1 - 20.0, quiet);
        front.trimLabel->setText(parameterText(processor, ids.trim), quiet);
    }
    else if (index == ids.active)
    {
        showTrimActive(*front.activeButton, front.getTrimLook(), *front.trimSlider, processor.getTrimEnabled());
        front.trimLabel->setText(parameterText(processor, ids.trim), quiet);
    }
    else
    {
        return false;
    }
    return true;
}
} // namespace vyrkit
