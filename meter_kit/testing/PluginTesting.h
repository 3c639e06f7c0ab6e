#pragma once

// A processor and its editor driven the way the host and the plug-in binding do
// it, for tests that the three meters share: host parameters through the legacy
// calls, the editor opened and closed in the order JUCE asserts, and a recorder
// of what the host hears.

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace kittest
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
template <typename Processor>
void setHostParameter(Processor& p, int index, float value) { p.setParameter(index, value); }

template <typename Processor>
float hostParameter(Processor& p, int index) { return p.getParameter(index); }
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

template <typename Editor, typename Processor>
Editor* openEditorOf(Processor& p)
{
    return dynamic_cast<Editor*>(p.createEditorIfNeeded());
}

template <typename Processor, typename Editor>
void closeEditorOf(Processor& p, Editor*& editor)
{
    p.editorBeingDeleted(editor);
    delete editor;
    editor = nullptr;
}

// Stereo in and out at 44100 Hz, as a host prepares an instance.
template <typename Processor>
void prepare(Processor& p)
{
    p.setPlayConfigDetails(2, 2, 44100.0, 256);
    p.prepareToPlay(44100.0, 256);
}

// The indices of the parameter changes the host is told about, while attached.
struct HostHears : juce::AudioProcessorListener
{
    explicit HostHears(juce::AudioProcessor& p) : processor(p) { processor.addListener(this); }
    ~HostHears() override { processor.removeListener(this); }

    void audioProcessorParameterChanged(juce::AudioProcessor*, int index, float) override
    {
        changed.push_back(index);
    }
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}

    juce::AudioProcessor& processor;
    std::vector<int> changed;
};
} // namespace kittest
