#pragma once

// The display tick of the two peak programme meters (stereo and single-channel):
// a peak held over a quiet stretch for the hold-reset tests, and the over LED
// against the delayed needle: a 1 ms over with a display delay up to the maximum
// lights the LED at the tick on which the delayed needle shows the over's peak,
// or one tick either side, wherever the over falls between two ticks. The two
// meters' timer tests run these with their processor, editor and the meter the
// over is on.

#include "EditorTesting.h"
#include "ProcessorTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kittest
{
// Hold "On", a tenth of a second of a loud tone, then a second of a quiet one:
// the hold needle stands above the needle.
template <typename Processor>
void holdALoudPeakOverAQuietSecond(Processor& processor)
{
    setParameter(processor, Processor::holdParameter, 1.0f);
    auto loud = tone(0.9f, 4410);
    process(processor, loud, { 441 });
    auto quietPart = tone(0.01f, 44100);
    process(processor, quietPart, { 441 });
}

// Ticks of 30 ms at 44100 Hz; the over is written into the first overChannels
// channels of a quiet stereo tone.
template <typename Processor, typename Editor, typename Meter>
void checkTheOverLedLightsWithTheDelayedNeedlesPeak(Processor& processor, Editor& editor, Meter& meter, int delayMs,
                                                    int overChannels)
{
    setParameter(processor, Processor::latencyParameter, (float) delayMs / 1000.0f);
    constexpr int tickSamples = 1323; // 30 ms at 44100 Hz
    for (int offsetMs : { 0, 7, 13, 22, 29 })
    {
        const int overAt = 44100 + offsetMs * 44;
        const int ticks = (overAt + (delayMs + 300) * 44) / tickSamples + 1;
        auto audio = tone(0.05f, ticks * tickSamples);
        for (int c = 0; c < overChannels; ++c)
            for (int i = overAt; i < overAt + 44; ++i)
                audio[(size_t) c][(size_t) i] = 1.5f;

        std::vector<float> shown;
        std::vector<int> lit;
        for (int t = 0; t < ticks; ++t)
        {
            std::vector<std::vector<float>> block(2);
            for (size_t c = 0; c < 2; ++c)
                block[c].assign(audio[c].begin() + t * tickSamples, audio[c].begin() + (t + 1) * tickSamples);
            testMilliseconds += 30;
            process(processor, block, { tickSamples });
            editor.timerCallback();
            shown.push_back(meter.getLevel());
            if (meter.ledState == 1)
                lit.push_back(t);
        }
        const auto peak = (int) (std::max_element(shown.begin(), shown.end()) - shown.begin());
        // The over may fill two history slots, read on two ticks in a row.
        ASSERT_FALSE(lit.empty()) << delayMs << " ms, over at +" << offsetMs << " ms";
        EXPECT_LE(lit.back() - lit.front(), 1) << delayMs << " ms, over at +" << offsetMs << " ms";
        EXPECT_LE(std::abs(lit.front() - peak), 1) << delayMs << " ms, over at +" << offsetMs << " ms: LED at tick "
                                                   << lit.front() << ", peak at tick " << peak;
    }
}
} // namespace kittest
