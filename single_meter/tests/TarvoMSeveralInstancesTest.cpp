// Several instances in one process share the settings but meter each at its own
// rate: whatever one instance does to the measurement mode or at whatever host
// rate it runs, every other one keeps the fall-back, integration and display
// delay times the settings give.
#include "TarvoMTestSupport.h"

#include "RegistryStore.h"

#include <cmath>

using namespace vyrtarvom;
using namespace vyrtarvom::testing;
using vyrplatform::RegistryStore;

namespace
{
using P = VyrTarvoMAudioProcessor;

const juce::String storedMode = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\tarvoOverSampling";

// A loud 1 kHz tone on both inputs.
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

// The seconds the settings' fall-back time gives for a fall of 24 dB (the time
// itself is the fall to a sixteenth).
double fallBackSeconds()
{
    return processWideSettings().returnMs * 0.001 * std::log(1.0 / minus24dB) / std::log(16.0);
}

// The seconds the needle takes to fall 24 dB after the tone stops.
double fallSeconds(P& p, double rate)
{
    auto loud = tone(rate, 0.3);
    process(p, loud, { step });
    const double start = p.getNeedleLevel();
    auto quiet = silence(step);
    for (int block = 1; block * step < rate * 4.0; ++block)
    {
        process(p, quiet, { step });
        if (p.getNeedleLevel() <= start * minus24dB)
            return block * step / rate;
    }
    return -1.0;
}

// The seconds the needle takes from rest to 99 % of a steady level: a tone at
// half the rate, whose magnitude the DC blockers pass unchanged.
double riseSeconds(P& p, double rate)
{
    const int n = static_cast<int>(rate * 0.1);
    std::vector<double> needle;
    std::vector<std::vector<float>> one(2, std::vector<float>(1));
    for (int i = 0; i < n; ++i)
    {
        one[0][0] = one[1][0] = (i % 2 == 0) ? 0.25f : -0.25f;
        process(p, one, { 1 });
        needle.push_back(p.getNeedleLevel());
    }
    for (int i = 0; i < n; ++i)
        if (needle[(size_t) i] >= 0.99 * needle.back())
            return (i + 1) / rate;
    return -1.0;
}

// The seconds from the moment the tone stops until a needle, read by get after
// every block, first drops below 90 % of what it showed before.
template <typename Reading>
double secondsUntilTheCutShows(P& p, double rate, Reading get)
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

class TarvoMInstances : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegistryStore::deleteValue(storedMode);
        restoreDefaultSettings(first);
        // The default fall-back time (2.00s) is 1995 ms to a sixteenth, 1.99 s for 24 dB.
        fallBack = fallBackSeconds();
    }
    void TearDown() override
    {
        RegistryStore::deleteValue(storedMode);
        restoreDefaultSettings(first);
    }

    P first, second;
    double fallBack = 0.0;
};

TEST_F(TarvoMInstances, ModeSwitchedByAnotherInstanceKeepsThisOnesTimes)
{
    configure(first, 2, 2, 44100.0, 512);
    configure(second, 2, 2, 44100.0, 512);
    setParameter(second, P::latencyParameter, 0.5f);
    auto warmUp = tone(44100.0, 1.2);
    process(second, warmUp, { 512 });

    // The stereo meter saves "Precise"; the first instance's editor rereads, and
    // then the second one's.
    ASSERT_TRUE(RegistryStore::setValue(storedMode, "1"));
    first.reloadStoredDefaults();
    second.reloadStoredDefaults();
    EXPECT_EQ(second.getSettingText(11), "Precise");
    EXPECT_NEAR(fallBack, 1.99, 0.005);

    EXPECT_NEAR(fallSeconds(second, 44100.0), fallBack, 0.02 * fallBack);
    EXPECT_EQ(second.getProcessingRate(), 176400.0);
    EXPECT_EQ(second.getRingStep(), 176);

    // The delayed display shows the end of the tone 500 ms after the live needle.
    const double live = secondsUntilTheCutShows(second, 44100.0, [&] { return second.getNeedleLevel(); });
    const double shown = secondsUntilTheCutShows(second, 44100.0, [&] {
        second.updateDisplayIndex();
        return (double) second.getDisplayLevel(1.0f);
    });
    EXPECT_NEAR(shown - live, 0.5, 0.005);

    // Back to "CPU Safe" through the first instance only.
    ASSERT_TRUE(RegistryStore::setValue(storedMode, "0"));
    first.reloadStoredDefaults();
    EXPECT_NEAR(fallSeconds(second, 44100.0), fallBack, 0.02 * fallBack);
    EXPECT_EQ(second.getProcessingRate(), 44100.0);
    EXPECT_EQ(second.getRingStep(), 44);
}

class TarvoMInstancesAtTwoRates : public TarvoMInstances, public ::testing::WithParamInterface<float> {};

TEST_P(TarvoMInstancesAtTwoRates, EachMetersWithTheTimesOfItsOwnRate)
{
    first.setGlobalSetting(P::measurementSetting, GetParam());
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
    second.setGlobalSetting(P::fallBackSetting, 0.5f); // 1.00s
    const double shorter = fallBackSeconds();
    EXPECT_NEAR(fallSeconds(first, 44100.0), shorter, 0.02 * shorter);
    EXPECT_NEAR(fallSeconds(second, 96000.0), shorter, 0.02 * shorter);
}

INSTANTIATE_TEST_SUITE_P(Modes, TarvoMInstancesAtTwoRates, ::testing::Values(0.0f, 1.0f),
                         [](const auto& info) { return std::string(info.param == 0.0f ? "CpuSafe" : "Precise"); });
} // namespace
