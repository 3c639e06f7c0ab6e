#pragma once

#include "VyrTarvoAudioProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace vyrtarvo
{
// The stereo meter's window. For now a plain page of the right size that
// follows the window-size flag; the meter pages replace it.
class VyrTarvoAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    static constexpr int width = 586;
    static constexpr int largeHeight = 205;
    static constexpr int smallHeight = 167;

    explicit VyrTarvoAudioProcessorEditor(VyrTarvoAudioProcessor& processor);
    ~VyrTarvoAudioProcessorEditor() override;

    void paint(juce::Graphics& g) override;

    // Moves the control of a host parameter (0..4) or setting (6..13) to a value.
    void updateControl(int index, float value);
    // Applies a restored track name and window size.
    void setSizeMode(const juce::String& trackName, int size);

private:
    VyrTarvoAudioProcessor& tarvo;
    juce::String trackName;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrTarvoAudioProcessorEditor)
};
} // namespace vyrtarvo
