#pragma once

#include "COldVuMeter2.h"
#include "MeterFrontPanel.h"
#include "TarvoMCommandIds.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>

namespace vyrtarvom
{
// The meter page: the background with the peak programme scale and one needle
// meter over it, and the controls that every front panel has (the kit's
// FrontPanelControls: the four host parameters, the track name, the window size
// and the manual), laid out for this 320-pixel window. The back panel is asked
// for in the lower left, left of the hold switch.
class FrontPanel : public vyrkit::MeterFrontPanel<CommandId, 320, 5, 123>
{
public:
    FrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag);
    ~FrontPanel() override;

    void paint(juce::Graphics&) override;

    juce::Image backgroundImage;

    std::unique_ptr<vyrkit::COldVuMeter2> meter;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(FrontPanel)
};
} // namespace vyrtarvom
