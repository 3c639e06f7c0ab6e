// Several instances in one process share the settings but meter each at its own
// rate: whatever one instance does to the measurement mode or at whatever host
// rate it runs, every other one keeps the fall-back, integration and display
// delay times the settings give.
#include "TarvoTestSupport.h"

#include <cmath>

using namespace vyrtarvo;
using namespace vyrtarvo::testing;

namespace
{
// A loud 1 kHz tone on both channels.
std::vector<std::vector<float>> tone(double rate, double seconds)
{
    const auto n = static_cast<size_t>(rate * seconds);
    std::vector<std::vector<float>> out(2, std::vector<float>(n));
    for (size_t i = 0; i < n; ++i)
        out[0][i] = out[1][i] = static_cast<float>(0.5 * std::sin(2.0 * 3.141592653589793 * 1000.0 * (double) i / rate));
    return out;
}

std::vector<std::vector<float>> silence(int samples) { return std::vector<std::vector<float>>(2, std::vector<float>((size_t) samples)); }

constexpr int step = 32; // samples per block while timing
const double minus24dB = std::pow(10.0, -24.0 / 20.0);

// The seconds the needle of channel 0 takes to fall 24 dB after the tone stops.
double fallSeconds(VyrTarvoAudioProcessor& p, double rate)
{
    auto loud = tone(rate, 0.3);
    process(p, loud, { step });
    const double start = p.getNeedleLevel(0);
    auto quiet = silence(step);
    for (int block = 1; block * step < rate * 4.0; ++block)
    {
        process(p, quiet, { step });
        if (p.getNeedleLevel(0) <= start * minus24dB)
            return block * step / rate;
    }
    return -1.0;
}

// The seconds the needle of channel 0 takes from rest to 99 % of a steady level:
// a tone at half the rate, whose magnitude the DC blockers pass unchanged.
double riseSeconds(VyrTarvoAudioProcessor& p, double rate)
{
    const int n = static_cast<int>(rate * 0.1);
    std::vector<std::vector<float>> edge(2, std::vector<float>((size_t) n));
    for (int i = 0; i < n; ++i)
        edge[0][(size_t) i] = edge[1][(size_t) i] = (i % 2 == 0) ? 0.25f : -0.25f;
    std::vector<double> needle;
    std::vector<std::vector<float>> one(2, std::vector<float>(1));
    for (int i = 0; i < n; ++i)
    {
        one[0][0] = one[1][0] = edge[0][(size_t) i];
        process(p, one, { 1 });
        needle.push_back(p.getNeedleLevel(0));
    }
    for (int i = 0; i < n; ++i)
        if (needle[(size_t) i] >= 0.99 * needle.back())
            return (i + 1) / rate;
    return -1.0;
}

// The seconds from the moment the tone stops until a needle, read by get after
// every block, first drops below 90 % of what it showed before.
template <typename Reading>
double secondsUntilTheCutShows(VyrTarvoAudioProcessor& p, double rate, Reading get)
{
    auto loud = tone(rate, 0.8);
    process(p, loud, { step });
    const double before = get();
    auto quiet = silence(step);
    for (int block = 1; block * step < rate * 1.5; ++block)
    {
        process(p, quiet, { step });
        if (get() < 0.9 * before)
            return block * step / rate;
    }
    return -1.0;
}

// The seconds the settings' fall-back time gives for a fall of 24 dB (the time
// itself is the fall to a sixteenth).
double fallBackSeconds()
{
    return processWideSettings().returnMs * 0.001 * std::log(1.0 / minus24dB) / std::log(16.0);
}

class TarvoInstances : public ::testing::Test
{
protected:
    void SetUp() override
    {
        restoreDefaultSettings(first);
        // The default fall-back time (2.00s) is 1995 ms to a sixteenth, 1.99 s for 24 dB.
        fallBack = fallBackSeconds();
    }
    void TearDown() override { restoreDefaultSettings(first); }

    VyrTarvoAudioProcessor first, second;
    double fallBack = 0.0;
};

TEST_F(TarvoInstances, ModeSwitchedByAnotherInstanceKeepsThisOnesTimes)
{
    configure(first, 2, 2, 44100.0, 512);
    configure(second, 2, 2, 44100.0, 512);
    setParameter(second, VyrTarvoAudioProcessor::latencyParameter, 0.5f);
    auto warmUp = tone(44100.0, 1.2);
    process(second, warmUp, { 512 });

    // The first instance's back panel switches to "Precise" (the setting, then its
    // editor's second rate update); the second then sets a time of its own.
    first.setGlobalSetting(13, 1.0f);
    first.updateProcessingRate();
    second.setGlobalSetting(9, 0.65f);
    EXPECT_NEAR(fallBack, 1.99, 0.005);

    EXPECT_NEAR(fallSeconds(second, 44100.0), fallBack, 0.02 * fallBack);
    EXPECT_EQ(second.getProcessingRate(), 176400.0);
    EXPECT_EQ(second.getRingStep(), 176);

    // The delayed display shows the end of the tone 500 ms after the live needle.
    const double live = secondsUntilTheCutShows(second, 44100.0, [&] { return second.getNeedleLevel(0); });
    const double shown = secondsUntilTheCutShows(second, 44100.0, [&] {
        second.updateDisplayIndex();
        return (double) second.getDisplayLevel(0, 1.0f);
    });
    EXPECT_NEAR(shown - live, 0.5, 0.005);

    // Both instances meter in the new mode at their own rate; back to "CPU Safe".
    first.setGlobalSetting(13, 0.0f);
    first.updateProcessingRate();
    EXPECT_NEAR(fallSeconds(second, 44100.0), fallBack, 0.02 * fallBack);
    EXPECT_EQ(second.getProcessingRate(), 44100.0);
    EXPECT_EQ(second.getRingStep(), 44);
}

class TarvoInstancesAtTwoRates : public TarvoInstances, public ::testing::WithParamInterface<float> {};

TEST_P(TarvoInstancesAtTwoRates, EachMetersWithTheTimesOfItsOwnRate)
{
    first.setGlobalSetting(13, GetParam());
    configure(first, 2, 2, 44100.0, 512);
    configure(second, 2, 2, 96000.0, 512); // prepared last
    const double integration = processWideSettings().integrationMs * 0.001;
    if (GetParam() == 0.0f)
    {
        // The integration time, from a level the interpolation would reshape.
        EXPECT_NEAR(riseSeconds(first, 44100.0), integration, 0.02 * integration);
        EXPECT_NEAR(riseSeconds(second, 96000.0), integration, 0.02 * integration);
    }
    EXPECT_NEAR(fallSeconds(first, 44100.0), fallBack, 0.02 * fallBack);
    EXPECT_NEAR(fallSeconds(second, 96000.0), fallBack, 0.02 * fallBack);

    // A time changed by one instance reaches the other at its own rate.
    second.setGlobalSetting(9, 0.5f); // 1.00s
    const double shorter = fallBackSeconds();
    EXPECT_NEAR(fallSeconds(first, 44100.0), shorter, 0.02 * shorter);
    EXPECT_NEAR(fallSeconds(second, 96000.0), shorter, 0.02 * shorter);
}

INSTANTIATE_TEST_SUITE_P(Modes, TarvoInstancesAtTwoRates, ::testing::Values(0.0f, 1.0f),
                         [](const auto& info) { return std::string(info.param == 0.0f ? "CpuSafe" : "Precise"); });
} // namespace
