#pragma once

#include "OverLedLatch.h"

namespace vyrkit
{
// One display tick of the over LED of a one-needle meter, once the callback
// lock is left: lit when the tick took an over from the processor (takeOver),
// otherwise latched or off as the latch says. A click on the needle meter (its
// ledResetRequest, cleared here) puts out a latched LED; a new over still lights
// it. Returns the LED state for the meter.
template <typename NeedleMeter>
float overLedTick(bool overCounted, NeedleMeter& meter, OverLedLatch& latch)
{
    float led = latch.next(overCounted, meter.ledState == -1);
    if (meter.ledResetRequest)
    {
        meter.ledResetRequest = false;
        led = OverLedLatch::afterResetClick(led);
    }
    return led;
}
} // namespace vyrkit
