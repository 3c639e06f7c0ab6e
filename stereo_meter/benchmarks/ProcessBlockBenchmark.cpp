// Cost of the stereo meter's processBlock per input frame, across measurement
// modes, rates, left/right and mid/side, display delay and block sizes, and as a
// ratio to a baseline that runs only the two DC-blocker sections per frame.
#include "VyrTarvoAudioProcessor.h"

#include "MeterBenchmark.h"

int main(int argc, char** argv)
{
    using vyrtarvo::VyrTarvoAudioProcessor;
    return vyrbench::runMeterBenchmarks<VyrTarvoAudioProcessor>(
        argc, argv, "stereo",
        { 13, VyrTarvoAudioProcessor::latencyParameter, VyrTarvoAudioProcessor::activeParameter,
          VyrTarvoAudioProcessor::lrmsParameter });
}
