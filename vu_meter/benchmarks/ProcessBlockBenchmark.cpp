// Cost of the VU meter's processBlock per input frame, CPU-safe and "Precise"
// (oversampled), across rates, display delay and block sizes, and as a ratio to
// a baseline that runs only the two DC-blocker sections per frame.
#include "VyrKelsoMAudioProcessor.h"

#include "MeterBenchmark.h"

int main(int argc, char** argv)
{
    return vyrbench::runMeterBenchmarks<vyrkelsom::VyrKelsoMAudioProcessor>(argc, argv, "vu");
}
