#include "Matrix.h"

#include <sstream>

namespace vyrfp
{
namespace
{
const std::vector<int> varyingBlocks { 1, 17, 64, 333, 1024, 0, 160, 2048, 7, 480 };
const double rates[] = { 44100.0, 48000.0, 96000.0 };
const float positions[] = { 0.0f, 0.25f, 0.5f, 0.75f, 1.0f };

std::string rateName(double rate)
{
    return std::to_string(static_cast<int>(rate));
}

std::string modeName(bool oversampled)
{
    return oversampled ? "oversampled" : "cpu";
}

std::string valueName(float value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}
} // namespace

std::vector<Run> makeRuns(const Meter& meter)
{
    std::vector<Run> runs;
    // Hold "On" unless a run says otherwise; the rest at the parameters' defaults.
    auto add = [&](const std::string& name, double rate, bool oversampled) -> Run& {
        Run run;
        run.name = name + "-" + rateName(rate) + "-" + modeName(oversampled);
        run.rate = rate;
        run.oversampled = oversampled;
        run.blocks = varyingBlocks;
        run.parameters = { { meter.holdParameter, 1.0f } };
        runs.push_back(run);
        return runs.back();
    };

    for (double rate : rates)
        for (bool oversampled : { false, true })
        {
            auto& fixed = add("blocks512", rate, oversampled);
            fixed.blocks = { 512 };
            fixed.snapshots = rate == 44100.0;
            fixed.windowSize = rate == 48000.0 ? 1 : 0;
            add("varying", rate, oversampled).trackName = juce::String::fromUTF8("Bass \xc3\xbc 2");
            add("varying-reprepared", rate, oversampled).reprepare = true;
        }

    for (float delay : { 0.1f, 0.5f, 0.999f })
        for (double rate : rates)
            for (bool oversampled : { false, true })
            {
                auto& run = add("delay" + valueName(delay), rate, oversampled);
                run.parameters.push_back({ meter.latencyParameter, delay });
                run.snapshots = delay > 0.9f && rate == 44100.0 && ! oversampled;
            }

    for (bool oversampled : { false, true })
    {
        add("holdoff", 44100.0, oversampled).parameters = { { meter.holdParameter, 0.0f } };
        add("holdinfinity", 44100.0, oversampled).parameters = { { meter.holdParameter, 0.5f } };
        add("holdinfinity-delay0.5", 44100.0, oversampled).parameters
            = { { meter.holdParameter, 0.5f }, { meter.latencyParameter, 0.5f } };
    }

    for (float trim : { 0.0f, 0.3f, 0.5f, 0.6125f, 1.0f })
        for (float active : { 0.0f, 1.0f })
        {
            auto& run = add("trim" + valueName(trim) + "-active" + valueName(active), 44100.0, false);
            run.parameters.push_back({ meter.trimParameter, trim });
            run.parameters.push_back({ meter.activeParameter, active });
            run.snapshots = trim == 1.0f && active == 1.0f;
        }

    if (meter.lrmsParameter >= 0)
        for (bool oversampled : { false, true })
        {
            auto& ms = add("ms", 44100.0, oversampled);
            ms.parameters.push_back({ meter.lrmsParameter, 1.0f });
            ms.snapshots = ! oversampled;
            add("ms-delay0.5", 44100.0, oversampled).parameters
                = { { meter.holdParameter, 1.0f }, { meter.lrmsParameter, 1.0f }, { meter.latencyParameter, 0.5f } };
            add("lrms0.5", 44100.0, oversampled).parameters.push_back({ meter.lrmsParameter, 0.5f });
        }

    for (const auto& axis : meter.settingAxes)
        for (float position : positions)
            for (bool oversampled : { false, true })
            {
                auto& run = add(axis.name + valueName(position), 44100.0, oversampled);
                run.settings = { { axis.index, position } };
                run.parameters.insert(run.parameters.end(), axis.withParameters.begin(), axis.withParameters.end());
                run.snapshots = axis.snapshots && ! oversampled;
            }

    for (const auto& [ins, outs] : meter.otherLayouts)
        for (bool oversampled : { false, true })
        {
            auto& run = add("in" + std::to_string(ins) + "out" + std::to_string(outs), 48000.0, oversampled);
            run.inputs = ins;
            run.outputs = outs;
            run.parameters.push_back({ meter.trimParameter, 0.75f });
            run.parameters.push_back({ meter.activeParameter, 1.0f });
        }

    // Trim glides and switches, hold modes, delay and mid/side changed while
    // the programme plays.
    std::vector<Automation> automation {
        { 0.05, meter.activeParameter, 1.0f }, { 0.15, meter.trimParameter, 0.75f },
        { 0.35, meter.trimParameter, 0.25f },  { 0.5, meter.holdParameter, 0.5f },
        { 0.7, meter.latencyParameter, 0.25f }, { 1.2, meter.activeParameter, 0.0f },
        { 1.3, meter.trimParameter, 0.5f },    { 1.4, meter.activeParameter, 1.0f },
        { 1.6, meter.holdParameter, 0.0f },    { 1.9, meter.latencyParameter, 0.0f },
        { 2.0, meter.holdParameter, 1.0f },
    };
    if (meter.lrmsParameter >= 0)
    {
        automation.push_back({ 1.0, meter.lrmsParameter, 1.0f });
        automation.push_back({ 2.0, meter.lrmsParameter, 0.0f });
    }
    for (const auto& [rate, oversampled] : { std::pair { 44100.0, false }, { 44100.0, true }, { 96000.0, true } })
    {
        auto& run = add("automation", rate, oversampled);
        run.automation = automation;
        run.keepAudio = true;
        run.snapshots = ! oversampled;
    }

    // The first moved setting and the measurement mode changed by someone else;
    // the editor ticks on long enough for a periodic reread.
    auto& elsewhere = add("changed-elsewhere", 44100.0, false);
    elsewhere.blocks = { 512 };
    elsewhere.changedElsewhere = { { meter.settingAxes.front().index, 0.25f }, { meter.measurementSetting, 1.0f } };
    elsewhere.idleTicks = 520;
    elsewhere.snapshots = true;
    return runs;
}

std::string describe(const Run& run)
{
    std::ostringstream text;
    const auto values = [&text](const char* label, const Values& list) {
        text << label << ":";
        for (const auto& [index, value] : list)
            text << " " << index << "=" << value;
        text << "\n";
    };
    text << "name: " << run.name << "\nrate: " << run.rate << "\nchannels in: " << run.inputs
         << "\nchannels out: " << run.outputs << "\noversampled: " << run.oversampled << "\nblocks:";
    for (int n : run.blocks)
        text << " " << n;
    text << "\nprepared again at each new block size: " << run.reprepare << "\n";
    values("parameters", run.parameters);
    values("settings", run.settings);
    text << "automation:";
    for (const auto& a : run.automation)
        text << " " << a.seconds << "s:" << a.parameter << "=" << a.value;
    text << "\n";
    values("changed elsewhere", run.changedElsewhere);
    text << "idle ticks: " << run.idleTicks << "\ntrack name: " << run.trackName.toStdString()
         << "\nwindow size: " << run.windowSize << "\n";
    return text.str();
}
} // namespace vyrfp
