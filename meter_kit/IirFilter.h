#pragma once

namespace vyrkit
{
// One recursive filter section: a biquad (cookbook equaliser formulas, each with
// a correction that keeps the bandwidth from collapsing near half the sample
// rate) or a one-pole section, processing one double sample at a time.
// Denormals are kept out of the recursion by a tiny offset of alternating sign
// added to the input and to the stored output.
//
// Types: 0 bypass, 1 high-pass, 2 one-pole high-pass, 3 low shelf, 4 peaking,
// 5 band-pass (0 dB peak), 6 notch, 7 high shelf, 8 low-pass, 9 one-pole
// low-pass, 10 all-pass.
//
// A plain value type: no allocation, no lock; every call runs on the caller's
// thread. processSample does at most five multiplications and calls nothing.
class IirFilter
{
public:
    IirFilter(double sampleRate, int type, double frequency, double q, double gainDb) noexcept;

    // Recomputes the coefficients from the stored values. Lowers a frequency
    // above 0.499 x the sample rate to that value, in the stored frequency.
    void designCoefficients() noexcept;

    // Stores the rate (unclamped) and redesigns. For its own frequency cap it
    // takes 44100 in place of a rate outside 20000..200000.
    void setSampleRate(double rate) noexcept;

    void setFrequency(double frequency) noexcept;
    void setQ(double q) noexcept;
    void setGain(double gainDb) noexcept;

    // Turns the section into a low-pass (type 8), clears its history, redesigns.
    void makeLowPass() noexcept;

    // Clears the five history values; coefficients and offset stay.
    void reset() noexcept { inputHistory1 = inputHistory2 = lastOutput = outputHistory1 = outputHistory2 = 0.0; }

    // Takes over another section's five history values (not its offset).
    void copyStateFrom(const IirFilter& other) noexcept;

    double processSample(double x) noexcept
    {
        denormalOffset = -denormalOffset;
        const double xo = x + denormalOffset;

        switch (type)
        {
            case 0:
                return x;
            case 2:
            {
                const double y = (xo - inputHistory1) * a1 + a0 * lastOutput;
                inputHistory1 = xo;
                lastOutput = y;
                return y;
            }
            case 9:
            {
                const double y = (lastOutput - xo) * a0 + xo;
                lastOutput = y;
                return y;
            }
            default:
            {
                const double y = b0 * xo + b1 * inputHistory1 + b2 * inputHistory2
                               - a1 * outputHistory1 - a2 * outputHistory2;
                inputHistory2 = inputHistory1;
                inputHistory1 = xo;
                outputHistory2 = outputHistory1;
                lastOutput = y;
                outputHistory1 = y + denormalOffset;
                return y;
            }
        }
    }

    double getSampleRate() const noexcept { return sampleRate; }
    int getType() const noexcept { return type; }
    double getFrequency() const noexcept { return frequency; }
    double getQ() const noexcept { return q; }
    double getGain() const noexcept { return gainDb; }
    double getDenormalOffset() const noexcept { return denormalOffset; }

    // The raw normalising coefficient (the pole for the one-pole types) and the
    // normalised ones.
    double getA0() const noexcept { return a0; }
    double getA1() const noexcept { return a1; }
    double getA2() const noexcept { return a2; }
    double getB0() const noexcept { return b0; }
    double getB1() const noexcept { return b1; }
    double getB2() const noexcept { return b2; }

    double getInputHistory1() const noexcept { return inputHistory1; }
    double getInputHistory2() const noexcept { return inputHistory2; }
    double getLastOutput() const noexcept { return lastOutput; }
    double getOutputHistory1() const noexcept { return outputHistory1; }
    double getOutputHistory2() const noexcept { return outputHistory2; }

private:
    double sampleRate;
    int type;
    double frequency;
    double q;
    double gainDb;
    double denormalOffset = 1e-14;

    double a0 = 1.0, a1 = 1.0, a2 = 1.0, b0 = 1.0, b1 = 1.0, b2 = 1.0;

    double inputHistory1 = 0.0;
    double inputHistory2 = 0.0;
    double lastOutput = 0.0;
    double outputHistory1 = 0.0;
    double outputHistory2 = 0.0;
};
} // namespace vyrkit
