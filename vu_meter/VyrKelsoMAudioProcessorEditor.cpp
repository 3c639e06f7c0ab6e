#include "VyrKelsoMAudioProcessorEditor.h"

namespace vyrkelsom
{
VyrKelsoMAudioProcessorEditor::VyrKelsoMAudioProcessorEditor(VyrKelsoMAudioProcessor& p)
    : juce::AudioProcessorEditor(p), kelso(p), trackName(p.getSignature())
{
    JUCE_ASSERT_MESSAGE_THREAD
    setSize(width, p.getSizeFlag().load() != 0 ? largeHeight : smallHeight);
    kelso.getEditorLink()->editor = this;
}

VyrKelsoMAudioProcessorEditor::~VyrKelsoMAudioProcessorEditor()
{
    JUCE_ASSERT_MESSAGE_THREAD
    kelso.getEditorLink()->editor = nullptr;
}

void VyrKelsoMAudioProcessorEditor::paint(juce::Graphics& g)
{
    g.fillAll(juce::Colour(0xff1c1d20));
    g.setColour(juce::Colour(0xffd8cfc0));
    g.setFont(16.0f);
    g.drawText("Vyr KelsoM", getLocalBounds().removeFromTop(smallHeight), juce::Justification::centred);
    g.setFont(12.0f);
    g.drawText(trackName, getLocalBounds().removeFromBottom(24), juce::Justification::centred);
}

void VyrKelsoMAudioProcessorEditor::updateControl(int, float)
{
    JUCE_ASSERT_MESSAGE_THREAD
    repaint();
}

void VyrKelsoMAudioProcessorEditor::setSizeMode(const juce::String& name, int size)
{
    JUCE_ASSERT_MESSAGE_THREAD
    trackName = name;
    setSize(width, size != 0 ? largeHeight : smallHeight);
    repaint();
}
} // namespace vyrkelsom
