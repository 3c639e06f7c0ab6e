// Fuzz target: any bytes as the VU meter's state chunk (see StateChunkFuzzing.h).
#include "StateChunkFuzzing.h"
#include "VyrKelsoMAudioProcessor.h"

namespace
{
using Kelso = vyrkit::fuzzing::OneNeedleMeter<vyrkelsom::VyrKelsoMAudioProcessor, 8>;
}

VYR_STATE_CHUNK_FUZZ_TARGET(Kelso)
