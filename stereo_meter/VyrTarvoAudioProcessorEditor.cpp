#include "VyrTarvoAudioProcessorEditor.h"

namespace vyrtarvo
{
VyrTarvoAudioProcessorEditor::VyrTarvoAudioProcessorEditor(VyrTarvoAudioProcessor& p)
    : juce::AudioProcessorEditor(p), tarvo(p), trackName(p.getSignature())
{
    JUCE_ASSERT_MESSAGE_THREAD
    setSize(width, p.getSizeFlag().load() != 0 ? largeHeight : smallHeight);
    tarvo.getEditorLink()->editor = this;
}

VyrTarvoAudioProcessorEditor::~VyrTarvoAudioProcessorEditor()
{
    JUCE_ASSERT_MESSAGE_THREAD
    tarvo.getEditorLink()->editor = nullptr;
}

void VyrTarvoAudioProcessorEditor::paint(juce::Graphics& g)
{
    g.fillAll(juce::Colour(0xff1c1d20));
    g.setColour(juce::Colour(0xffd8cfc0));
    g.setFont(16.0f);
    g.drawText("Vyr Tarvo", getLocalBounds().removeFromTop(smallHeight), juce::Justification::centred);
    g.setFont(12.0f);
    g.drawText(trackName, getLocalBounds().removeFromBottom(24), juce::Justification::centred);
}

void VyrTarvoAudioProcessorEditor::updateControl(int, float)
{
    JUCE_ASSERT_MESSAGE_THREAD
    repaint();
}

void VyrTarvoAudioProcessorEditor::setSizeMode(const juce::String& name, int size)
{
    JUCE_ASSERT_MESSAGE_THREAD
    trackName = name;
    setSize(width, size != 0 ? largeHeight : smallHeight);
    repaint();
}
} // namespace vyrtarvo
