#pragma once

// Several instances of a peak programme meter in one process share the settings
// but meter each at its own rate: whatever one instance does to the measurement
// mode or at whatever host rate it runs, every other one keeps the fall-back,
// integration and display delay times the settings give. Written once for both
// peak programme meters, through the traits struct of PeakMeterChecks.h.

#include "ProcessorTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace kittest::peak
{
// A loud 1 kHz tone on both channels.
inline std::vector<std::vector<float>> loudTone(double rate, double seconds)
{
    const auto n = static_cast<size_t>(rate * seconds);
    std::vector<std::vector<float>> out(2, std::vector<float>(n));
    for (size_t i = 0; i < n; ++i)
        out[0][i] = out[1][i] = static_cast<float>(0.5 * std::sin(2.0 * 3.141592653589793 * 1000.0 * (double) i / rate));
    return out;
}

inline std::vector<std::vector<float>> silence(int samples)
{
    return std::vector<std::vector<float>>(2, std::vector<float>((size_t) samples));
}

inline constexpr int timingStep = 32; // samples per block while timing
inline const double minus24dB = std::pow(10.0, -24.0 / 20.0);

// The seconds the settings' fall-back time gives for a fall of 24 dB (the time
// itself is the fall to a sixteenth).
template <typename Meter>
double fallBackSeconds()
{
    return Meter::settings().returnMs * 0.001 * std::log(1.0 / minus24dB) / std::log(16.0);
}

// The seconds the needle takes to fall 24 dB after the tone stops.
template <typename Meter>
double fallSeconds(typename Meter::Processor& p, double rate)
{
    auto loud = loudTone(rate, 0.3);
    process(p, loud, { timingStep });
    const double start = Meter::needle(p);
    auto quiet = silence(timingStep);
    for (int block = 1; block * timingStep < rate * 4.0; ++block)
    {
        process(p, quiet, { timingStep });
        if (Meter::needle(p) <= start * minus24dB)
            return block * timingStep / rate;
    }
    return -1.0;
}

// The seconds the needle takes from rest to 99 % of a steady level: a tone at
// half the rate, whose magnitude the DC blockers pass unchanged.
template <typename Meter>
double riseSeconds(typename Meter::Processor& p, double rate)
{
    const int n = static_cast<int>(rate * 0.1);
    std::vector<double> needle;
    std::vector<std::vector<float>> one(2, std::vector<float>(1));
    for (int i = 0; i < n; ++i)
    {
        one[0][0] = one[1][0] = (i % 2 == 0) ? 0.25f : -0.25f;
        process(p, one, { 1 });
        needle.push_back(Meter::needle(p));
    }
    for (int i = 0; i < n; ++i)
        if (needle[(size_t) i] >= 0.99 * needle.back())
            return (i + 1) / rate;
    return -1.0;
}

// The seconds from the moment the tone stops until a needle, read by get after
// every block, first drops below 90 % of what it showed before.
template <typename Processor, typename Reading>
double secondsUntilTheCutShows(Processor& p, double rate, Reading get)
{
    auto loud = loudTone(rate, 0.8);
    process(p, loud, { timingStep });
    const double before = get();
    auto quiet = silence(timingStep);
    for (int block = 1; block * timingStep < rate * 1.5; ++block)
    {
        process(p, quiet, { timingStep });
        if (get() < 0.9 * before)
            return block * timingStep / rate;
    }
    return -1.0;
}

// Two instances, from the default settings, put back afterwards.
template <typename Meter>
class InstancesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Meter::restoreDefaultSettings(first);
        // The default fall-back time (2.00s) is 1995 ms to a sixteenth, 1.99 s for 24 dB.
        fallBack = fallBackSeconds<Meter>();
    }
    void TearDown() override { Meter::restoreDefaultSettings(first); }

    // The second instance, delayed by 500 ms and warmed up, goes on metering with
    // its own times while the first switches the mode to "Precise" (through
    // switchToPrecise) and back to "CPU Safe" (through switchToCpuSafe).
    template <typename ToPrecise, typename ToCpuSafe>
    void checkModeSwitchedByAnotherInstanceKeepsThisOnesTimes(ToPrecise&& switchToPrecise, ToCpuSafe&& switchToCpuSafe)
    {
        configure(first, 2, 2, 44100.0, 512);
        configure(second, 2, 2, 44100.0, 512);
        setParameter(second, Meter::latencyParameter, 0.5f);
        auto warmUp = loudTone(44100.0, 1.2);
        process(second, warmUp, { 512 });

        switchToPrecise();
        EXPECT_NEAR(fallBack, 1.99, 0.005);

        EXPECT_NEAR(fallSeconds<Meter>(second, 44100.0), fallBack, 0.02 * fallBack);
        EXPECT_EQ(second.getProcessingRate(), 176400.0);
        EXPECT_EQ(second.getRingStep(), 176);

        // The delayed display shows the end of the tone 500 ms after the live needle.
        const double live = secondsUntilTheCutShows(second, 44100.0, [&] { return Meter::needle(second); });
        const double shown = secondsUntilTheCutShows(second, 44100.0, [&] {
            second.updateDisplayIndex();
            return (double) Meter::displayLevel(second, 1.0f);
        });
        EXPECT_NEAR(shown - live, 0.5, 0.005);

        switchToCpuSafe();
        EXPECT_NEAR(fallSeconds<Meter>(second, 44100.0), fallBack, 0.02 * fallBack);
        EXPECT_EQ(second.getProcessingRate(), 44100.0);
        EXPECT_EQ(second.getRingStep(), 44);
    }

    typename Meter::Processor first, second;
    double fallBack = 0.0;
};

// The two instances at 44100 and 96000 Hz in the mode given ("CPU Safe" or
// "Precise").
template <typename Meter>
class InstancesAtTwoRatesTest : public InstancesTest<Meter>, public ::testing::WithParamInterface<float>
{
protected:
    void checkEachMetersWithTheTimesOfItsOwnRate()
    {
        auto& first = this->first;
        auto& second = this->second;
        const double fallBack = this->fallBack;
        first.setGlobalSetting(Meter::measurementSetting, GetParam());
        configure(first, 2, 2, 44100.0, 512);
        configure(second, 2, 2, 96000.0, 512); // prepared last
        const double integration = Meter::settings().integrationMs * 0.001;
        if (GetParam() == 0.0f)
        {
            // The integration time, from a level the interpolation would reshape.
            EXPECT_NEAR(riseSeconds<Meter>(first, 44100.0), integration, 0.02 * integration);
            EXPECT_NEAR(riseSeconds<Meter>(second, 96000.0), integration, 0.02 * integration);
        }
        EXPECT_NEAR(fallSeconds<Meter>(first, 44100.0), fallBack, 0.02 * fallBack);
        EXPECT_NEAR(fallSeconds<Meter>(second, 96000.0), fallBack, 0.02 * fallBack);

        // A time changed by one instance reaches the other at its own rate.
        second.setGlobalSetting(Meter::fallBackSetting, 0.5f); // 1.00s
        const double shorter = fallBackSeconds<Meter>();
        EXPECT_NEAR(fallSeconds<Meter>(first, 44100.0), shorter, 0.02 * shorter);
        EXPECT_NEAR(fallSeconds<Meter>(second, 96000.0), shorter, 0.02 * shorter);
    }
};

inline std::string twoRatesModeName(const ::testing::TestParamInfo<float>& info)
{
    return info.param == 0.0f ? "CpuSafe" : "Precise";
}
} // namespace kittest::peak
