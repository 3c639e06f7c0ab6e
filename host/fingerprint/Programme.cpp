#include "Programme.h"

#include <algorithm>
#include <cmath>

namespace vyrfp
{
namespace
{
constexpr double pi = 3.14159265358979323846;

enum class Shape
{
    sine,
    bursts, // 10 ms of sine in every 40 ms
    pan,    // constant-power pan from left to right and back
    square,
    alternating, // +a, -a, +a, ... on every sample
    dc,
    antiphase // the sine on the left, inverted on the right
};

struct Segment
{
    double start, end; // seconds
    Shape shape;
    double frequency;  // Hz
    double amplitude;  // linear peak
};

// Silence wherever no segment lies.
constexpr Segment segments[] = {
    { 0.00, 0.10, Shape::sine, 1000.0, 0.1 },           // -20 dBFS
    { 0.10, 0.20, Shape::sine, 1000.0, 0.25118864315 }, // -12 dBFS
    { 0.20, 0.30, Shape::sine, 1000.0, 0.50118723363 }, // -6 dBFS
    { 0.30, 0.40, Shape::sine, 1000.0, 0.70794578438 }, // -3 dBFS
    { 0.40, 0.60, Shape::bursts, 2000.0, 0.89125093813 }, // -1 dBFS
    { 0.90, 1.50, Shape::pan, 440.0, 0.50118723363 },
    { 1.50, 1.55, Shape::sine, 1000.0, 1.41253754462 }, // +3 dBFS
    { 1.55, 1.60, Shape::square, 100.0, 1.0 },
    { 1.60, 1.65, Shape::alternating, 0.0, 1.0 },
    { 1.65, 1.70, Shape::dc, 0.0, 0.5 },
    { 1.70, 1.75, Shape::alternating, 0.0, 1.0e-40 }, // below the smallest normal float
    { 1.75, 1.80, Shape::sine, 1000.0, 0.001 },         // -60 dBFS
    { 1.80, 2.10, Shape::antiphase, 1000.0, 0.50118723363 },
};
} // namespace

std::vector<std::vector<float>> makeProgramme(double rate)
{
    const auto frames = static_cast<size_t>(std::lround(programmeSeconds * rate));
    std::vector<std::vector<float>> audio(2, std::vector<float>(frames, 0.0f));
    for (const auto& s : segments)
    {
        const auto first = static_cast<size_t>(std::lround(s.start * rate));
        const auto last = std::min(frames, static_cast<size_t>(std::lround(s.end * rate)));
        for (size_t i = first; i < last; ++i)
        {
            const double t = static_cast<double>(i - first) / rate;
            const double sine = s.amplitude * std::sin(2.0 * pi * s.frequency * t);
            double left = sine, right = sine;
            switch (s.shape)
            {
                case Shape::sine:
                    break;
                case Shape::bursts:
                    left = right = std::fmod(t, 0.04) < 0.01 ? sine : 0.0;
                    break;
                case Shape::pan:
                {
                    const double position = 0.5 - 0.5 * std::cos(2.0 * pi * t / (s.end - s.start));
                    left = sine * std::cos(position * pi / 2.0);
                    right = sine * std::sin(position * pi / 2.0);
                    break;
                }
                case Shape::square:
                    left = right = std::fmod(t * s.frequency, 1.0) < 0.5 ? s.amplitude : -s.amplitude;
                    break;
                case Shape::alternating:
                    left = right = (i % 2 == 0) ? s.amplitude : -s.amplitude;
                    break;
                case Shape::dc:
                    left = right = s.amplitude;
                    break;
                case Shape::antiphase:
                    right = -sine;
                    break;
            }
            audio[0][i] = static_cast<float>(left);
            audio[1][i] = static_cast<float>(right);
        }
    }
    return audio;
}
} // namespace vyrfp
