#include "HostSession.h"

#include "DemoProgramme.h"
#include "StateRestore.h"

#include <algorithm>

namespace vyrhost
{
namespace
{
std::string configurationName(int inputs, int outputs)
{
    return std::to_string(inputs) + "x" + std::to_string(outputs);
}
} // namespace

bool startSession(const Options& options, HostSession& session, PluginInstance::Callbacks callbacks,
                  std::string& error)
{
    session.library = PluginLibrary::load(options.library, error);
    if (session.library == nullptr)
        return false;

    if (options.demo)
        session.input = makeDemoProgramme(options.rate);
    else if (! options.input.empty())
    {
        if (! readAudioFile(options.input, session.input, error))
            return false;
        if (options.rateGiven)
            session.input.sampleRate = options.rate;
        else if (session.input.sampleRate < 8000.0 || session.input.sampleRate > 768000.0)
        {
            error = "the input's sample rate is outside 8000 to 768000 Hz: " + options.input;
            return false;
        }
    }
    else
    {
        // open without input: one second of stereo silence, played in a loop.
        session.input.sampleRate = options.rate;
        session.input.channels.assign(2, std::vector<float>(static_cast<std::size_t>(options.rate), 0.0f));
    }

    const int channels = session.input.getNumChannels();
    int inputs = options.configInputs, outputs = options.configOutputs;
    if (! options.configGiven)
    {
        if (channels == 2)
            inputs = outputs = 2;
        else if (channels == 1)
            inputs = outputs = 1;
        else
        {
            error = "the input has " + std::to_string(channels) + " channels; the plug-in takes 1 or 2";
            return false;
        }
    }
    if (options.configGiven && inputs != channels)
    {
        // Silence stands in for a missing input in open: fit it to the configuration.
        if (! options.demo && options.input.empty())
            session.input.channels.resize(static_cast<std::size_t>(inputs), session.input.channels[0]);
        else
        {
            error = "the input has " + std::to_string(channels) + " channel" + (channels == 1 ? "" : "s")
                  + "; configuration " + configurationName(inputs, outputs) + " takes " + std::to_string(inputs);
            return false;
        }
    }

    session.configurationIndex = session.library->findConfiguration(inputs, outputs);
    if (session.configurationIndex < 0)
    {
        error = "the plug-in has no configuration " + configurationName(inputs, outputs);
        return false;
    }

    session.instance = PluginInstance::create(*session.library, session.configurationIndex,
                                              session.input.sampleRate, std::move(callbacks));
    if (session.instance == nullptr)
    {
        error = "the plug-in could not create an instance";
        return false;
    }

    if (! options.stateIn.empty()
        && ! restoreStateDirectory(*session.library, session.configurationIndex, session.input.sampleRate,
                                   *session.instance, options.stateIn, error))
        return false;

    const int numParameters = session.instance->getNumParameters();
    for (const auto& [index, value] : options.sets)
        if (index >= numParameters || ! session.instance->setParameterValue(index, value))
        {
            error = "--set " + std::to_string(index) + ": the plug-in has parameters 0 to "
                  + std::to_string(numParameters - 1);
            return false;
        }

    if (options.bypass)
    {
        const int bypass = session.instance->findBypassParameter();
        if (bypass < 0 || ! session.instance->setParameterValue(bypass, 1.0f))
        {
            error = "the plug-in cannot be bypassed";
            return false;
        }
    }
    return true;
}

AudioData renderThrough(PluginInstance& instance, const AudioData& input, int blockSize)
{
    AudioData output;
    output.sampleRate = input.sampleRate;
    const long frames = input.getNumFrames();
    output.channels.assign(static_cast<std::size_t>(instance.getNumOutputs()),
                           std::vector<float>(static_cast<std::size_t>(frames), 0.0f));

    std::vector<const float*> in(static_cast<std::size_t>(instance.getNumInputs()));
    std::vector<float*> out(static_cast<std::size_t>(instance.getNumOutputs()));
    for (long start = 0; start < frames; start += blockSize)
    {
        const int n = static_cast<int>(std::min<long>(blockSize, frames - start));
        for (std::size_t c = 0; c < in.size(); ++c)
            in[c] = input.channels[c].data() + start;
        for (std::size_t c = 0; c < out.size(); ++c)
            out[c] = output.channels[c].data() + start;
        instance.process(in.data(), out.data(), n);
    }
    return output;
}
} // namespace vyrhost
