#pragma once

#include "OverLedLatch.h"

namespace vyrkit
{
// One display tick of the over LED of a one-needle meter, under the callback
// lock: lit when the processor's over count (readOverCount) has reached limit,
// which clears the count, otherwise latched or off as the latch says. A click on
// the needle meter (its ledResetRequest, cleared here) puts out a latched LED; a
// new over still lights it. Returns the LED state for the meter.
template <typename Processor, typename Limit, typename NeedleMeter>
float overLedTick(Processor& processor, Limit limit, NeedleMeter& meter, OverLedLatch& latch)
{
    const bool overCounted = processor.readOverCount() >= limit;
    if (overCounted)
        processor.setOverCount(0.0);
    float led = latch.next(overCounted, meter.ledState == -1);
    if (meter.ledResetRequest)
    {
        meter.ledResetRequest = false;
        led = OverLedLatch::afterResetClick(led);
    }
    return led;
}
} // namespace vyrkit
