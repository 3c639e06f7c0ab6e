// Fuzz target: any bytes as the single-channel meter's state chunk (see
// StateChunkFuzzing.h).
#include "StateChunkFuzzing.h"
#include "VyrTarvoMAudioProcessor.h"

namespace
{
using TarvoM = vyrkit::fuzzing::OneNeedleMeter<vyrtarvom::VyrTarvoMAudioProcessor,
                                               vyrtarvom::VyrTarvoMAudioProcessor::numSettings>;
}

VYR_STATE_CHUNK_FUZZ_TARGET(TarvoM)
