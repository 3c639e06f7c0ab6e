// Fuzz target: any bytes as the stereo meter's state chunk (see StateChunkFuzzing.h).
#include "StateChunkFuzzing.h"
#include "VyrTarvoAudioProcessor.h"

namespace
{
using vyrkit::fuzzing::expect;
using vyrkit::fuzzing::isFinite;

struct Tarvo
{
    using Processor = vyrtarvo::VyrTarvoAudioProcessor;

    static void expectFiniteSettings()
    {
        for (int slot = 0; slot < 8; ++slot)
            expect(isFinite(Processor::getGlobalSetting(slot)), "every setting is finite");
    }

    static void expectFiniteMeter(Processor& p)
    {
        expect(isFinite(p.getTrimTargetGain()) && isFinite(p.getTrimCurrentGain()), "the trim gain is finite");
        for (int c = 0; c < 2; ++c)
        {
            expect(isFinite(p.getNeedleLevel(c)) && isFinite(p.getHoldNeedle(c)), "the needles are finite");
            for (float fraction : { 0.0f, 0.5f, 1.0f })
                expect(isFinite(p.getDisplayLevel(c, fraction)) && isFinite(p.getDisplayHold(c, fraction)),
                       "the read-out is finite");
            expect(isFinite(p.readOverCount(c)), "the over count is finite");
        }
    }
};
} // namespace

VYR_STATE_CHUNK_FUZZ_TARGET(Tarvo)
