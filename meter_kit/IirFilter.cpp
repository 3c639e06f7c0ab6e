#include "IirFilter.h"

#include <cmath>

namespace vyrkit
{
namespace
{
constexpr double twoPi = 6.283185307179586;
}

IirFilter::IirFilter(double rate, int filterType, double freq, double quality, double gain) noexcept
    : sampleRate(rate), type(filterType), frequency(freq), q(quality), gainDb(gain)
{
    designCoefficients();
}

void IirFilter::designCoefficients() noexcept
{
    a0 = a1 = a2 = b0 = b1 = b2 = 1.0;

    if (frequency > 0.499 * sampleRate)
        frequency = 0.499 * sampleRate;

    const double f = frequency;
    const double fs = sampleRate;

    if (type == 2 || type == 9)
    {
        const double p = std::pow(0.005, f / fs);
        a0 = p;
        if (type == 9)
            a1 = (p + 1.0) / 2.0;
        return;
    }

    if (type < 1 || type > 10)
        return;

    const double w = twoPi * f / fs;
    const double c = std::cos(w);
    const double s = std::sin(w);
    const double A = std::pow(10.0, gainDb / 40.0);
    const auto correction = [f, fs](double e) { return 1.0 - std::pow(f / (0.5001 * fs), e); };

    double ra0 = 1.0, ra1 = 1.0, ra2 = 1.0, rb0 = 1.0, rb1 = 1.0, rb2 = 1.0;

    switch (type)
    {
        case 1:
        {
            const double alpha = s / (correction(6.0) * q * 2.0);
            ra0 = 1.0 + alpha;
            ra1 = -2.0 * c;
            ra2 = 1.0 - alpha;
            rb0 = (1.0 + c) / 2.0;
            rb1 = -(1.0 + c);
            rb2 = (1.0 + c) / 2.0;
            break;
        }
        case 3:
        {
            const double g = s * std::sqrt(A) / (correction(3.5) * q);
            ra0 = (A + 1.0) + (A - 1.0) * c + g;
            ra1 = -2.0 * ((A + 1.0) * c + (A - 1.0));
            ra2 = (A + 1.0) + (A - 1.0) * c - g;
            rb0 = A * ((A + 1.0) - (A - 1.0) * c + g);
            rb1 = 2.0 * A * ((A - 1.0) - (A + 1.0) * c);
            rb2 = A * ((A + 1.0) - (A - 1.0) * c - g);
            break;
        }
        case 4:
        {
            const double alpha = s / (correction(2.8) * q * 2.0);
            ra0 = 1.0 + alpha / A;
            ra1 = -2.0 * c;
            ra2 = 1.0 - alpha / A;
            rb0 = 1.0 + alpha * A;
            rb1 = -2.0 * c;
            rb2 = 1.0 - alpha * A;
            break;
        }
        case 5:
        {
            const double alpha = s / (correction(2.8) * q * 2.0);
            ra0 = 1.0 + alpha;
            ra1 = -2.0 * c;
            ra2 = 1.0 - alpha;
            rb0 = alpha;
            rb1 = 0.0;
            rb2 = -alpha;
            break;
        }
        case 6:
        {
            const double alpha = s / (correction(2.8) * q * 2.0);
            ra0 = 1.0 + alpha;
            ra1 = -2.0 * c;
            ra2 = 1.0 - alpha;
            rb0 = 1.0;
            rb1 = -2.0 * c;
            rb2 = 1.0;
            break;
        }
        case 7:
        {
            const double g = s * std::sqrt(A) / (correction(4.0) * q);
            ra0 = (A + 1.0) - (A - 1.0) * c + g;
            ra1 = 2.0 * ((A - 1.0) - (A + 1.0) * c);
            ra2 = (A + 1.0) - (A - 1.0) * c - g;
            rb0 = A * ((A + 1.0) + (A - 1.0) * c + g);
            rb1 = -2.0 * A * ((A + 1.0) * c + (A - 1.0));
            rb2 = A * ((A + 1.0) + (A - 1.0) * c - g);
            break;
        }
        case 8:
        {
            // The low-pass correction uses 0.50001 rather than 0.5001.
            const double alpha = s / ((1.0 - std::pow(f / (0.50001 * fs), 8.0)) * q * 2.0);
            ra0 = 1.0 + alpha;
            ra1 = -2.0 * c;
            ra2 = 1.0 - alpha;
            rb0 = (1.0 - c) / 2.0;
            rb1 = 1.0 - c;
            rb2 = (1.0 - c) / 2.0;
            denormalOffset = 1e-12;
            break;
        }
        case 10:
        {
            const double alpha = s / (q * 2.0);
            ra0 = 1.0 + alpha;
            ra1 = -2.0 * c;
            ra2 = 1.0 - alpha;
            rb0 = 1.0 - alpha;
            rb1 = -2.0 * c;
            rb2 = 1.0 + alpha;
            break;
        }
        default:
            break;
    }

    a0 = ra0;
    a1 = ra1 / ra0;
    a2 = ra2 / ra0;
    b0 = rb0 / ra0;
    b1 = rb1 / ra0;
    b2 = rb2 / ra0;
}

void IirFilter::setSampleRate(double rate) noexcept
{
    sampleRate = rate;
    const double capRate = (rate < 20000.0 || rate > 200000.0) ? 44100.0 : rate;
    if (frequency > 0.499 * capRate)
        frequency = 0.499 * capRate;
    designCoefficients();
}

void IirFilter::setFrequency(double newFrequency) noexcept
{
    frequency = newFrequency;
    designCoefficients();
}

void IirFilter::setQ(double newQ) noexcept
{
    q = newQ;
    designCoefficients();
}

void IirFilter::setGain(double newGainDb) noexcept
{
    gainDb = newGainDb;
    designCoefficients();
}

void IirFilter::makeLowPass() noexcept
{
    type = 8;
    reset();
    designCoefficients();
}

void IirFilter::copyStateFrom(const IirFilter& other) noexcept
{
    inputHistory1 = other.inputHistory1;
    inputHistory2 = other.inputHistory2;
    lastOutput = other.lastOutput;
    outputHistory1 = other.outputHistory1;
    outputHistory2 = other.outputHistory2;
}
} // namespace vyrkit
