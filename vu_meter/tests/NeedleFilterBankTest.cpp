// The needle filter bank: its construction, the Q ramp, the section that each
// needle position selects, the state hand-over, and the ballistics design that
// follows the VU type and the integration time.
#include "KelsoTestSupport.h"

#include "KelsoSettings.h"
#include "NeedleFilterBank.h"

#include <cmath>
#include <cstring>
#include <iterator>

using namespace vyrkelsom;
using namespace vyrkelsom::testing;

namespace
{
TEST(NeedleFilterBank, ConstructionGivesLowPassSectionsOnARamp)
{
    const NeedleFilterBank bank(0.68f, 0.55f, 16);
    ASSERT_EQ(bank.getSectionCount(), 16);
    // The two Q values arrive in single precision.
    EXPECT_EQ(bank.getQStart(), 0.6800000071525574);
    EXPECT_EQ(bank.getQEnd(), 0.550000011920929);
    EXPECT_EQ(bank.getCurrentSection(), 0);
    EXPECT_EQ(bank.getPreviousSection(), 0);
    for (int i = 0; i < 16; ++i)
    {
        const auto& s = bank.getSection(i);
        EXPECT_EQ(s.getType(), 8);
        EXPECT_EQ(s.getSampleRate(), 44100.0);
        EXPECT_EQ(s.getFrequency(), 1.5003750937734435);
        EXPECT_EQ(s.getGain(), 0.0);
    }
    EXPECT_EQ(bank.getSection(0).getQ(), 0.6800000071525574);
    EXPECT_NEAR(bank.getSection(15).getQ(), 0.550000011920929, 1e-15);

    // A count below two would leave no ramp to divide.
    EXPECT_EQ(NeedleFilterBank(0.7, 0.5, 1).getSectionCount(), 2);
    EXPECT_EQ(NeedleFilterBank(0.7, 0.5, 16.9).getSectionCount(), 16);
}

struct RampCase
{
    double qStart, qEnd, step;
};

TEST(NeedleFilterBank, TheQRampFallsInEqualStepsSummedInDouble)
{
    const RampCase cases[] = { { 0.68, 0.55, 0.13 / 15.0 }, { 0.85, 0.43, 0.028 } };
    for (const auto& c : cases)
    {
        NeedleFilterBank bank(0.68f, 0.55f, 16);
        bank.setQStart(c.qStart);
        bank.setQEnd(c.qEnd);
        // Takes effect only with the ramp.
        EXPECT_EQ(bank.getSection(0).getQ(), 0.6800000071525574);
        bank.applyQRamp();
        const double step = (c.qStart - c.qEnd) / 15.0;
        EXPECT_NEAR(step, c.step, 1e-15);
        double offset = 0.0;
        for (int i = 0; i < 16; ++i)
        {
            EXPECT_EQ(bank.getSection(i).getQ(), c.qStart - offset) << i;
            offset += step;
        }
        EXPECT_NEAR(bank.getSection(15).getQ(), c.qEnd, 1e-12);
    }
}

NeedleFilterBank designedBank(double rate = 44100.0)
{
    NeedleFilterBank bank(0.68f, 0.55f, 16);
    bank.setSampleRate(rate);
    bank.setFrequency(2.3706);
    bank.setQStart(0.68);
    bank.setQEnd(0.55);
    bank.applyQRamp();
    return bank;
}

struct SettleCase
{
    double input;
    int section;
};

TEST(NeedleFilterBank, ASteadyInputSettlesAtItsValueOnTheNearestSection)
{
    const SettleCase cases[] = {
        { 0.0, 0 }, { 0.02, 0 }, { 0.04, 1 }, { 0.2, 3 }, { 0.5, 8 }, { 0.8, 12 },
        { 1.0, 15 }, { 1.56, 15 }, { 2.5, 15 }, { -0.3, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.input);
        auto bank = designedBank();
        float v = 0.0f;
        for (int i = 0; i < 5 * 44100; ++i)
            v = bank.process(c.input);
        // Unity gain at DC; the value returned is not limited.
        EXPECT_NEAR(v, c.input, 1e-6);
        EXPECT_EQ(bank.getCurrentSection(), c.section);
    }
}

TEST(NeedleFilterBank, TheStateMovesToTheSelectedSection)
{
    auto bank = designedBank();
    int sectionsSeen = 0;
    int last = -1;
    for (int i = 0; i < 44100; ++i)
    {
        bank.process(1.2);
        const auto& to = bank.getSection(bank.getCurrentSection());
        const auto& from = bank.getSection(bank.getPreviousSection());
        ASSERT_EQ(to.getInputHistory1(), from.getInputHistory1());
        ASSERT_EQ(to.getInputHistory2(), from.getInputHistory2());
        ASSERT_EQ(to.getLastOutput(), from.getLastOutput());
        ASSERT_EQ(to.getOutputHistory1(), from.getOutputHistory1());
        ASSERT_EQ(to.getOutputHistory2(), from.getOutputHistory2());
        // Each section keeps its own denormal offset.
        if (bank.getCurrentSection() != last)
        {
            ++sectionsSeen;
            last = bank.getCurrentSection();
        }
    }
    // The rising needle passes through the sections one after another.
    EXPECT_GE(sectionsSeen, 16);
    EXPECT_EQ(bank.getCurrentSection(), 15);
}

TEST(NeedleFilterBank, TheRampRestartsAtSectionZeroWithTheRunningSectionsState)
{
    auto bank = designedBank();
    for (int i = 0; i < 44100; ++i)
        bank.process(0.6);
    ASSERT_EQ(bank.getCurrentSection(), 9);
    const auto running = bank.getSection(9);
    ASSERT_NEAR(running.getLastOutput(), 0.6, 1e-5);
    const double offset = bank.getSection(0).getDenormalOffset();

    bank.applyQRamp();
    EXPECT_EQ(bank.getCurrentSection(), 0);
    EXPECT_EQ(bank.getPreviousSection(), 0);
    // Section 0 holds the five history values of the section that ran, and
    // keeps its own denormal offset.
    const auto& first = bank.getSection(0);
    EXPECT_EQ(first.getInputHistory1(), running.getInputHistory1());
    EXPECT_EQ(first.getInputHistory2(), running.getInputHistory2());
    EXPECT_EQ(first.getLastOutput(), running.getLastOutput());
    EXPECT_EQ(first.getOutputHistory1(), running.getOutputHistory1());
    EXPECT_EQ(first.getOutputHistory2(), running.getOutputHistory2());
    EXPECT_EQ(first.getDenormalOffset(), offset);

    // The next sample runs section 0 on that state: the needle stays where it
    // stood instead of dropping towards rest.
    auto expected = bank.getSection(0);
    const float y = static_cast<float>(expected.processSample(0.6));
    EXPECT_EQ(bank.process(0.6), y);
    EXPECT_NEAR(y, 0.6f, 1e-5f);
    EXPECT_EQ(bank.getCurrentSection(), 9);

    // A second restart in a row moves nothing more.
    bank.applyQRamp();
    const auto again = bank.getSection(0);
    bank.applyQRamp();
    EXPECT_EQ(bank.getSection(0).getLastOutput(), again.getLastOutput());
    EXPECT_EQ(bank.getSection(0).getOutputHistory1(), again.getOutputHistory1());
}

TEST(NeedleFilterBank, ResetClearsEveryHistoryAndANewRateKeepsTheCutoff)
{
    auto bank = designedBank();
    for (int i = 0; i < 1000; ++i)
        bank.process(0.7);
    const double b0 = bank.getSection(5).getB0();
    bank.setSampleRate(192000.0);
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(bank.getSection(i).getSampleRate(), 192000.0);
        EXPECT_EQ(bank.getSection(i).getFrequency(), 2.3706);
    }
    EXPECT_NE(bank.getSection(5).getB0(), b0);
    bank.reset();
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(bank.getSection(i).getLastOutput(), 0.0);
        EXPECT_EQ(bank.getSection(i).getOutputHistory1(), 0.0);
        EXPECT_EQ(bank.getSection(i).getInputHistory1(), 0.0);
    }
}

TEST(NeedleFilterBank, AnExtremeInputSaturatesInsteadOfTurningInfinite)
{
    auto bank = designedBank();
    float v = 0.0f;
    for (int i = 0; i < 44100; ++i)
        v = bank.process(1.0e40);
    EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(bank.getCurrentSection(), 15);
}

struct CutoffCase
{
    float vuType;
    float integration;
    double cutoff;
    double tolerance; // half a unit of the figure's last digit
    double qStart, qEnd;
};

using KelsoBallistics = KelsoTest;

// Every value a section holds that a later sample may use, as bits.
void expectSameSections(const NeedleFilterBank& a, const NeedleFilterBank& b, const char* when)
{
    ASSERT_EQ(a.getCurrentSection(), b.getCurrentSection()) << when;
    ASSERT_EQ(a.getPreviousSection(), b.getPreviousSection()) << when;
    for (int i = 0; i < a.getSectionCount(); ++i)
    {
        const auto& x = a.getSection(i);
        const auto& y = b.getSection(i);
        const double xs[] = { x.getInputHistory1(), x.getInputHistory2(), x.getLastOutput(), x.getOutputHistory1(),
                              x.getOutputHistory2(), x.getDenormalOffset(), x.getB0(), x.getA1() };
        const double ys[] = { y.getInputHistory1(), y.getInputHistory2(), y.getLastOutput(), y.getOutputHistory1(),
                              y.getOutputHistory2(), y.getDenormalOffset(), y.getB0(), y.getA1() };
        for (size_t k = 0; k < std::size(xs); ++k)
            ASSERT_EQ(std::memcmp(&xs[k], &ys[k], sizeof(double)), 0) << when << ": section " << i << " value " << k;
    }
}

// A block's run through the bank gives what process gives, sample for sample, and
// leaves every section as process leaves it: over a needle that sweeps the whole
// bank and back, pins beyond 1, rests below 0, steadies on one section, and
// across blocks of changing size with a redesign between two of them.
TEST(NeedleFilterBank, ABlockRunGivesWhatProcessGivesAndLeavesTheSameSections)
{
    NeedleFilterBank byProcess(0.68f, 0.55f, 16), byRun(0.68f, 0.55f, 16);
    for (auto* bank : { &byProcess, &byRun })
    {
        bank->setSampleRate(48000.0);
        bank->setFrequency(2.3706);
        bank->applyQRamp();
    }
    const int blockSizes[] = { 1, 64, 1000, 7, 4096, 333, 2, 8192 };
    int t = 0;
    for (int round = 0; round < 3; ++round)
        for (const int n : blockSizes)
        {
            // The run hands its section back to the bank when it ends.
            NeedleFilterBank::Run run(byRun);
            for (int i = 0; i < n; ++i, ++t)
            {
                // A slow swell from silence to beyond full deflection and back,
                // with a tone on top and a stretch of negative input.
                const double swell = 1.8 * std::sin(t * 0.00035);
                const double x = swell + 0.3 * std::sin(t * 0.05);
                const float expected = byProcess.process(x);
                const float got = run.process(x);
                ASSERT_EQ(std::memcmp(&expected, &got, sizeof got), 0) << "sample " << t;
            }
        }
    expectSameSections(byProcess, byRun, "after the runs");

    // A redesign between blocks, then more blocks.
    for (auto* bank : { &byProcess, &byRun })
    {
        bank->setQStart(0.85);
        bank->setQEnd(0.43);
        bank->setFrequency(2.0996);
        bank->applyQRamp();
    }
    expectSameSections(byProcess, byRun, "after the redesign");
    {
        NeedleFilterBank::Run run(byRun);
        for (int i = 0; i < 20000; ++i, ++t)
        {
            const double x = 0.9 + 0.5 * std::sin(t * 0.001);
            const float expected = byProcess.process(x);
            const float got = run.process(x);
            ASSERT_EQ(std::memcmp(&expected, &got, sizeof got), 0) << "sample " << t;
        }
    }
    expectSameSections(byProcess, byRun, "after the last run");
}

TEST_F(KelsoBallistics, TheCutoffFollowsTypeAndIntegrationTime)
{
    VyrKelsoMAudioProcessor p;
    const CutoffCase cases[] = {
        { 0.0f, 0.5f, 2.3706, 0.00005, 0.68, 0.55 }, // type A, 300 ms shown
        { 1.0f, 0.5f, 2.0996, 0.00005, 0.85, 0.43 }, // type B, 300 ms shown
        { 0.0f, 0.0f, 13.41, 0.005, 0.68, 0.55 },    // 53 ms
        { 0.0f, 1.0f, 0.419, 0.0005, 0.68, 0.55 },   // 1697 ms
        { 0.5f, 0.0f, 11.88, 0.005, 0.85, 0.43 },
        { 0.7f, 1.0f, 0.371, 0.0005, 0.85, 0.43 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.vuType) + " " + juce::String(c.integration));
        p.setGlobalSetting(5, c.vuType);
        p.setGlobalSetting(7, c.integration);
        EXPECT_NEAR(VyrKelsoMAudioProcessor::getNeedleCutoff(), c.cutoff, c.tolerance);
        // In closed form: 711.17 Hz (A) or 629.89 Hz (B) over the time shown.
        const double shown = processWideSettings().integrationMs / 1.167;
        EXPECT_NEAR(VyrKelsoMAudioProcessor::getNeedleCutoff(), (c.vuType < 0.5f ? 711.17 : 629.89) / shown, 0.001 * c.cutoff);
        const auto& bank = p.getNeedleBank();
        EXPECT_EQ(bank.getQStart(), c.qStart);
        EXPECT_EQ(bank.getQEnd(), c.qEnd);
        EXPECT_EQ(bank.getSection(0).getQ(), c.qStart);
        EXPECT_NEAR(bank.getSection(15).getQ(), c.qEnd, 1e-12);
        EXPECT_EQ(bank.getSection(9).getFrequency(), VyrKelsoMAudioProcessor::getNeedleCutoff());
    }
}
} // namespace
