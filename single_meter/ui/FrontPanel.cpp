#include "FrontPanel.h"

#include "FilmStrip.h"
#include "TarvoMCommandIds.h"
#include "VyrKitArt.h"
#include "VyrTarvoMArt.h"

namespace vyrtarvom
{
namespace
{
// The back panel is asked for in the lower left, left of the hold switch.
const vyrkit::FrontPanelLayout layout =
    vyrkit::FrontPanelLayout::alongRightEdge(FrontPanel::width, FrontPanel::smallHeight, FrontPanel::largeHeight, 5, 123);

const vyrkit::FrontPanelCommands commands { CommandId::hold,      CommandId::latency,  CommandId::trim,
                                            CommandId::active,    CommandId::signature, CommandId::trimText,
                                            CommandId::showBackPanel };
} // namespace

bool FrontPanel::isBackPanelClick(juce::Point<int> position) noexcept
{
    return layout.isBackPanelClick(position);
}

FrontPanel::FrontPanel(const juce::String& trackName, std::atomic<int>* windowSizeFlag)
    : vyrkit::FrontPanelControls(layout, commands, trackName,
                                 vyrkit::decodeEmbeddedImage(vyrkit_art::marker_png, vyrkit_art::marker_pngSize),
                                 windowSizeFlag)
{
    backgroundImage = vyrkit::decodeEmbeddedImage(vyrtarvom_art::face_png, vyrtarvom_art::face_pngSize);

    meter = std::make_unique<vyrkit::COldVuMeter2>(126.0f, 149.8f, 3.0f, 121.0f, 108.0f, 121.0f);
    meter->setBounds(12, 16, 250, 115);
    addAndMakeVisible(*meter);

    addSharedControls();
}

// The meter goes before the controls and their looks.
FrontPanel::~FrontPanel()
{
    meter.reset();
}

void FrontPanel::paint(juce::Graphics& g)
{
    paintBackground(g, backgroundImage);
}
} // namespace vyrtarvom
