#pragma once

#include "FilmStrip.h"
#include "FrontPanelControls.h"

#include <VyrKitArt.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>

namespace vyrkit
{
// What every meter's front panel declares before its own needle meters: the
// window's size (Width wide, 167 pixels high in the small window and 205 in the
// large one), the back-panel click area from BackPanelClickLeft to
// BackPanelClickRight along the bottom, and the kit's shared controls laid out
// along the right edge, posting the meter's command ids (Ids, a struct naming hold,
// latency, trim, active, signature, trimText and showBackPanel), with the kit's
// pen marker in the track-name strip.
//
// The meter's panel derives from this, builds its meters, then calls
// addSharedControls, and paints its background with paintBackground.
template <typename Ids, int Width, int BackPanelClickLeft, int BackPanelClickRight>
class MeterFrontPanel : public FrontPanelControls
{
public:
    // The meter's command ids, for the editor that answers them.
    using CommandIds = Ids;

    static constexpr int width = Width;
    static constexpr int largeHeight = 205;
    static constexpr int smallHeight = 167;

    // The click area (outside every control) that asks for the back panel.
    static bool isBackPanelClick(juce::Point<int> position) noexcept { return layout().isBackPanelClick(position); }

protected:
    MeterFrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag)
        : FrontPanelControls(layout(), commands(), trackName,
                             decodeEmbeddedImage(vyrkit_art::marker_png, vyrkit_art::marker_pngSize), windowSizeFlag)
    {
    }

private:
    static const FrontPanelLayout& layout() noexcept
    {
        static const FrontPanelLayout panelLayout =
            FrontPanelLayout::alongRightEdge(width, smallHeight, largeHeight, BackPanelClickLeft, BackPanelClickRight);
        return panelLayout;
    }

    static FrontPanelCommands commands() noexcept
    {
        return { CommandIds::hold,      CommandIds::latency,  CommandIds::trim,         CommandIds::active,
                 CommandIds::signature, CommandIds::trimText, CommandIds::showBackPanel };
    }
};
} // namespace vyrkit
