#pragma once

#include "KelsoCommandIds.h"
#include "MeterFrontPanel.h"
#include "VuNeedleMeter.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>

namespace vyrkelsom
{
// The VU meter's main page: the background with the lit meter face (which the
// editor paints into backgroundImage for the chosen backlight), the needle
// meter, and the controls that every front panel has (the kit's
// FrontPanelControls: the four host parameters, the track name, the window size
// and the manual), laid out for this 320-pixel window. A press in the
// lower-left corner, left of the hold switch and outside every control, asks
// for the back panel.
class FrontPanel : public vyrkit::MeterFrontPanel<CommandId, 320, 5, 123>
{
public:
    // Where the meter face lies in the background, and the size of one face in
    // the strip.
    static constexpr int faceX = 12, faceY = 16, faceWidth = 250, faceHeight = 122;
    static constexpr int faceRows = 5;

    FrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag);
    ~FrontPanel() override;

    void paint(juce::Graphics&) override;

    // Paints face row 0..4 of the strip into the background (clamped to the rows
    // the strip holds) and repaints the panel.
    void paintFaceRow(int row);

    juce::Image backgroundImage;
    juce::Image faceStrip;

    std::unique_ptr<COldVuMeter2> meter;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(FrontPanel)
};
} // namespace vyrkelsom
