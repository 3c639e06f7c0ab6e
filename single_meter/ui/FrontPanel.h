#pragma once

#include "COldVuMeter2.h"
#include "FrontPanelControls.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>

namespace vyrtarvom
{
// The meter page: the background with the peak programme scale and one needle
// meter over it, and the controls that every front panel has (the kit's
// FrontPanelControls: the four host parameters, the track name, the window size
// and the manual), laid out for this 320-pixel window.
class FrontPanel : public vyrkit::FrontPanelControls
{
public:
    static constexpr int width = 320;
    static constexpr int largeHeight = 205;
    static constexpr int smallHeight = 167;

    // The click area in the lower left (outside every control) that asks for the
    // back panel.
    static bool isBackPanelClick(juce::Point<int> position) noexcept;

    FrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag);
    ~FrontPanel() override;

    void paint(juce::Graphics&) override;

    juce::Image backgroundImage;

    std::unique_ptr<vyrkit::COldVuMeter2> meter;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(FrontPanel)
};
} // namespace vyrtarvom
