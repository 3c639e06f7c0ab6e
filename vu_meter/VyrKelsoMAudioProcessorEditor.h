#pragma once

#include "VyrKelsoMAudioProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace vyrkelsom
{
// The VU meter's window. For now a plain page of the right size that follows
// the window-size flag; the meter pages replace it.
class VyrKelsoMAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    static constexpr int width = 320;
    static constexpr int largeHeight = 205;
    static constexpr int smallHeight = 167;

    explicit VyrKelsoMAudioProcessorEditor(VyrKelsoMAudioProcessor& processor);
    ~VyrKelsoMAudioProcessorEditor() override;

    void paint(juce::Graphics& g) override;

    // Moves the control of a host parameter (0..3) or setting (5..12) to a value.
    void updateControl(int index, float value);
    // Applies a restored track name and window size.
    void setSizeMode(const juce::String& trackName, int size);

private:
    VyrKelsoMAudioProcessor& kelso;
    juce::String trackName;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrKelsoMAudioProcessorEditor)
};
} // namespace vyrkelsom
