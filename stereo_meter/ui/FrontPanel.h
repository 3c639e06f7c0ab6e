#pragma once

#include "ButtonLooks.h"
#include "COldVuMeter2.h"
#include "MeterFrontPanel.h"
#include "TarvoCommandIds.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>

namespace vyrtarvo
{
// The meter page: the face with the two needle meters, the LR/MS button, and the
// controls that every front panel has (the kit's FrontPanelControls: hold,
// latency, trim, Active, the track name, the window size and the manual), laid
// out for this 586-pixel window. The LR/MS button posts its command id to the
// parent (the editor) like the others. The back panel is asked for below the
// face, between the two meters' captions.
class FrontPanel : public vyrkit::MeterFrontPanel<CommandId, 586, 216, 329>
{
public:
    FrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag);
    ~FrontPanel() override;

    void paint(juce::Graphics&) override;

    void buttonClicked(juce::Button*) override;

private:
    // Constructed before the button it draws, and outlives it.
    vyrkit::ButtonLRMSLook lrmsLook;

public:
    juce::Image lrFaceImage;
    juce::Image msFaceImage;
    juce::Image faceImage;

    std::unique_ptr<vyrkit::COldVuMeter2> leftMeter;
    std::unique_ptr<vyrkit::COldVuMeter2> rightMeter;
    std::unique_ptr<juce::ToggleButton> lrmsButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(FrontPanel)
};
} // namespace vyrtarvo
