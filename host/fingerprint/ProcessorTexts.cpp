// The texts and values a processor shows of itself.
#include "ProcessorTexts.h"

#include "OutputFiles.h"

#include <sstream>

namespace vyrfp
{
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
void setParameter(juce::AudioProcessor& p, int index, float value) { p.setParameter(index, value); }

namespace
{
// Index, name, value, text and default of every host parameter, one a line.
std::string parameters(juce::AudioProcessor& p)
{
    std::ostringstream text;
    for (int i = 0; i < p.getNumParameters(); ++i)
        text << "parameter " << i << " " << quoted(p.getParameterName(i)) << " " << exact(p.getParameter(i)) << " "
             << quoted(p.getParameterText(i)) << " default " << exact(p.getParameterDefaultValue(i)) << "\n";
    return text.str();
}

std::string channelNames(juce::AudioProcessor& p)
{
    std::ostringstream text;
    for (int i = 0; i < 2; ++i)
        text << "input " << i << " " << quoted(p.getInputChannelName(i)) << " pair " << p.isInputChannelStereoPair(i)
             << "\noutput " << i << " " << quoted(p.getOutputChannelName(i)) << " pair "
             << p.isOutputChannelStereoPair(i) << "\n";
    return text.str();
}
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

std::string settingTexts(Meter& meter, juce::AudioProcessor& p)
{
    std::ostringstream text;
    for (int index : meter.settingTextIndices)
        text << " " << quoted(meter.getSettingText(p, index));
    return text.str();
}

juce::AudioChannelSet channelSet(int channels)
{
    return channels == 0 ? juce::AudioChannelSet::disabled() : juce::AudioChannelSet::canonicalChannelSet(channels);
}
} // namespace

// Everything the processor shows of itself as text.
std::string texts(Meter& meter, juce::AudioProcessor& p)
{
    return parameters(p) + "settings" + settingTexts(meter, p) + "\nglobal " + meter.globalState(p)
         + "\nsignature " + quoted(meter.getSignature(p)) + "\nwindow size " + exact(meter.getWindowSize(p)) + "\n";
}

std::string stateChunk(juce::AudioProcessor& p, juce::MemoryBlock& chunk)
{
    p.getStateInformation(chunk);
    return hex(chunk.getData(), chunk.getSize());
}

void writeDescription(Meter& meter, const juce::File& dir)
{
    auto p = meter.createProcessor();
    std::ostringstream text;
    text << "name " << quoted(p->getName()) << "\n" << parameters(*p) << channelNames(*p);
    for (int ins = 0; ins <= 2; ++ins)
        for (int outs = 0; outs <= 2; ++outs)
        {
            juce::AudioProcessor::BusesLayout layout;
            layout.inputBuses.add(channelSet(ins));
            layout.outputBuses.add(channelSet(outs));
            text << "layout " << ins << " in " << outs << " out: " << p->checkBusesLayoutSupported(layout) << "\n";
        }
    text << "midi in " << p->acceptsMidi() << " out " << p->producesMidi() << "\ntail "
         << exact(p->getTailLengthSeconds())
         << "\nlatency samples " << p->getLatencySamples() << "\nprograms " << p->getNumPrograms() << " current "
         << p->getCurrentProgram() << " " << quoted(p->getProgramName(0)) << "\nhas editor " << p->hasEditor()
         << "\n" << texts(meter, *p);
    juce::MemoryBlock chunk;
    text << "state " << stateChunk(*p, chunk) << "\n";
    writeText(dir.getChildFile("description.txt"), text.str());
}

// Every parameter over its range in steps of 1/400 and every setting in steps
// of 1/160, with a few values between the steps: the texts and values that
// follow.
void writeSweep(Meter& meter, const juce::File& dir)
{
    auto p = meter.createProcessor();
    const float between[] = { 1.0e-7f, 0.0012345f, 0.4999999f, 0.5000001f, 0.9999999f, 0.333333f };
    std::ostringstream text;
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
    for (int i = 0; i < p->getNumParameters(); ++i)
    {
        auto line = [&](float value) {
            setParameter(*p, i, value);
            text << "parameter " << i << " " << exact(value) << " " << exact(p->getParameter(i)) << " "
                 << quoted(p->getParameterText(i)) << "\n";
        };
        for (int k = 0; k <= 400; ++k)
            line(static_cast<float>(k) / 400.0f);
        for (float value : between)
            line(value);
        setParameter(*p, i, p->getParameterDefaultValue(i));
    }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    for (const auto& [index, defaultValue] : meter.defaultSettings)
    {
        auto line = [&, index = index](float value) {
            meter.setGlobalSetting(*p, index, value);
            text << "setting " << index << " " << exact(value) << settingTexts(meter, *p) << " "
                 << meter.globalState(*p) << "\n";
        };
        for (int k = 0; k <= 160; ++k)
            line(static_cast<float>(k) / 160.0f);
        for (float value : between)
            line(value);
        meter.setGlobalSetting(*p, index, defaultValue);
    }
    writeText(dir.getChildFile("sweep.txt"), text.str());
}

} // namespace vyrfp
