// A settled needle across every event of a session that redesigns its filter
// bank: the poll owner's reread of the settings store, the return from the back
// panel, an editor opening and a prepare. Each one restarts the section choice;
// the needle must go on from where it stood, at every rate, needle type and
// measurement mode.
#include "EditorTestSupport.h"

#include "KelsoCommandIds.h"
#include "KelsoSettings.h"

#include <algorithm>

namespace vyrkelsom::editortest
{
namespace
{
enum class Trigger
{
    pollReread,
    backPanelReturn,
    editorOpen,
    prepare
};

const char* nameOf(Trigger t)
{
    switch (t)
    {
        case Trigger::pollReread: return "poll reread";
        case Trigger::backPanelReturn: return "back-panel return";
        case Trigger::editorOpen: return "editor open";
        case Trigger::prepare: return "prepare";
    }
    return "";
}

struct ContinuityCase
{
    double rate;
    bool typeB;
    bool precise;
};

void PrintTo(const ContinuityCase& c, std::ostream* os)
{
    *os << c.rate << (c.typeB ? " B" : " A") << (c.precise ? " Precise" : " CPU Safe");
}

// One instance playing a steady 0 VU tone, with or without an open editor.
class Session
{
public:
    Session(const ContinuityCase& c, bool withEditor) : rate(c.rate)
    {
        // The settings come from the store, so that every reread keeps them.
        clearStoredSettings();
        storeSetting(CommandId::vuType, c.typeB ? "1" : "0");
        storeSetting(CommandId::measurementMode, c.precise ? "1" : "0");
        processor = std::make_unique<VyrKelsoMAudioProcessor>();
        processor->setMillisecondClock(&testClock);
        configure(*processor, 2, 2, rate, 512);
        if (withEditor)
            open();

        // A 1 kHz tone whose needle settles at 1.0 (0 VU).
        const double peak = processWideSettings().referenceGain / 1.56 * juce::MathConstants<double>::halfPi;
        tone = sine(static_cast<float>(peak), static_cast<int>(rate * 2.2), 1000.0 / rate);
    }

    ~Session()
    {
        closeEditor(*processor, editor);
        processor.reset();
        clearStoredSettings();
    }

    void open()
    {
        editor = openEditor(*processor);
        ASSERT_NE(editor, nullptr);
        // The test gives the ticks itself.
        editor->stopTimer();
    }

    // Plays the next stretch of the tone in blocks of the given size and
    // returns the lowest needle value seen after any block.
    float play(double seconds, int blockSize)
    {
        const int end = position + static_cast<int>(seconds * rate);
        float lowest = std::numeric_limits<float>::max();
        float* channels[2];
        juce::MidiBuffer midi;
        while (position < end)
        {
            const int n = std::min(blockSize, end - position);
            channels[0] = tone[0].data() + position;
            channels[1] = tone[1].data() + position;
            juce::AudioBuffer<float> buffer(channels, 2, n);
            {
                const juce::ScopedLock lock(processor->getCallbackLock());
                processor->processBlock(buffer, midi);
            }
            position += n;
            lowest = std::min(lowest, processor->getNeedleLevel());
        }
        return lowest;
    }

    void fire(Trigger trigger)
    {
        switch (trigger)
        {
            case Trigger::pollReread:
                // The owner's 501st tick rereads the store.
                editor->timerCallback();
                ASSERT_EQ(editor->getPollTickCount(), 0);
                break;
            case Trigger::backPanelReturn:
                editor->handleCommandMessage(CommandId::showFrontPanel);
                break;
            case Trigger::editorOpen:
                open();
                break;
            case Trigger::prepare:
                // The binding prepares again, at the host's rate, for a block
                // larger than any before.
                processor->setRateAndBufferSizeDetails(rate, 4096);
                processor->prepareToPlay(rate, 4096);
                break;
        }
    }

    // What happens in the session before the trigger, away from the audio.
    void leadUpTo(Trigger trigger)
    {
        if (trigger == Trigger::pollReread)
        {
            ASSERT_TRUE(editor->holdsPollRole());
            for (int i = 0; i < VyrKelsoMAudioProcessorEditor::pollTicks; ++i)
                editor->timerCallback();
        }
        else if (trigger == Trigger::backPanelReturn)
        {
            editor->handleCommandMessage(CommandId::showBackPanel);
        }
    }

    const double rate;
    std::unique_ptr<VyrKelsoMAudioProcessor> processor;
    VyrKelsoMAudioProcessorEditor* editor = nullptr;

private:
    std::vector<std::vector<float>> tone;
    int position = 0;
};

class NeedleContinuity : public ::testing::TestWithParam<ContinuityCase>
{
};
} // namespace

TEST_P(NeedleContinuity, ASettledNeedleStaysWhereItStandsAcrossEveryRedesign)
{
    for (const auto trigger : { Trigger::pollReread, Trigger::backPanelReturn, Trigger::editorOpen, Trigger::prepare })
    {
        SCOPED_TRACE(nameOf(trigger));
        Session session(GetParam(), trigger != Trigger::editorOpen);
        ASSERT_EQ(VyrKelsoMAudioProcessor::getOversamplingFactor() != 0, GetParam().precise && GetParam().rate <= 100000.0);
        ASSERT_EQ(processWideSettings().vuType >= 0.5f, GetParam().typeB);

        session.leadUpTo(trigger);
        session.play(2.0, 512);
        // Sample by sample around the event.
        const float settled = session.play(0.05, 1);
        ASSERT_NEAR(settled, 1.0f, 0.01f);
        session.fire(trigger);
        const float lowest = session.play(0.05, 1);

        const float ratio = lowest / settled;
        RecordProperty(juce::String(nameOf(trigger)).replaceCharacter(' ', '_').toStdString(),
                       (juce::String(lowest, 7) + " after " + juce::String(settled, 7)).toStdString());
        EXPECT_GE(ratio, 0.99f) << "the needle fell to " << lowest << " from " << settled;
    }
}

INSTANTIATE_TEST_SUITE_P(RatesTypesModes, NeedleContinuity,
                         ::testing::Values(ContinuityCase { 44100.0, false, false }, ContinuityCase { 44100.0, false, true },
                                           ContinuityCase { 44100.0, true, false }, ContinuityCase { 44100.0, true, true },
                                           ContinuityCase { 48000.0, false, false }, ContinuityCase { 48000.0, false, true },
                                           ContinuityCase { 48000.0, true, false }, ContinuityCase { 48000.0, true, true },
                                           ContinuityCase { 96000.0, false, false }, ContinuityCase { 96000.0, false, true },
                                           ContinuityCase { 96000.0, true, false }, ContinuityCase { 96000.0, true, true }),
                         [](const auto& info) {
                             const auto& c = info.param;
                             return std::to_string(static_cast<int>(c.rate)) + (c.typeB ? "_B" : "_A")
                                    + (c.precise ? "_Precise" : "_CpuSafe");
                         });
} // namespace vyrkelsom::editortest
