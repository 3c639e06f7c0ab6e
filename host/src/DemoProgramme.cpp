#include "DemoProgramme.h"

#include <cmath>

namespace vyrhost
{
namespace
{
constexpr double pi = 3.14159265358979323846;

double gainFromDb(double db)
{
    return std::pow(10.0, db / 20.0);
}

// A 5 ms linear fade at both ends of a segment, so that steps do not click.
double edgeFade(double t, double start, double end)
{
    const double fade = 0.005;
    const double in = (t - start) / fade;
    const double out = (end - t) / fade;
    return std::fmax(0.0, std::fmin(1.0, std::fmin(in, out)));
}
} // namespace

AudioData makeDemoProgramme(double sampleRate)
{
    AudioData audio;
    audio.sampleRate = sampleRate;
    const auto frames = static_cast<std::size_t>(std::lround(demoProgrammeSeconds * sampleRate));
    audio.channels.assign(2, std::vector<float>(frames, 0.0f));

    const double steps[] = { -20.0, -12.0, -6.0, -3.0 };
    for (std::size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / sampleRate;
        double left = 0.0, right = 0.0;

        if (t < 2.0)
        {
            // Tone steps of 0.5 s each.
            const int step = static_cast<int>(t / 0.5);
            const double start = step * 0.5;
            const double v = gainFromDb(steps[step]) * edgeFade(t, start, start + 0.5)
                           * std::sin(2.0 * pi * 1000.0 * t);
            left = right = v;
        }
        else if (t < 3.0)
        {
            // Five bursts of 10 ms, one every 200 ms.
            const double local = t - 2.0;
            const int burst = static_cast<int>(local / 0.2);
            const double start = 2.0 + burst * 0.2;
            if (t < start + 0.01)
                left = right = gainFromDb(-1.0) * std::sin(2.0 * pi * 2000.0 * (t - start));
        }
        else if (t >= 3.5 && t < 5.5)
        {
            // Constant-power pan, left to right and back over two seconds.
            const double position = 0.5 - 0.5 * std::cos(2.0 * pi * (t - 3.5) / 2.0);
            const double v = gainFromDb(-10.0) * edgeFade(t, 3.5, 5.5) * std::sin(2.0 * pi * 440.0 * t);
            left = v * std::cos(position * pi / 2.0);
            right = v * std::sin(position * pi / 2.0);
        }

        audio.channels[0][i] = static_cast<float>(left);
        audio.channels[1][i] = static_cast<float>(right);
    }
    return audio;
}
} // namespace vyrhost
