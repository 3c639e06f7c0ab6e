#pragma once

namespace vyrkit
{
// What a display tick copies out of the processor's read-out for one needle
// while it holds the callback lock, to set the needle meter from once the lock
// is left.
struct NeedleReading
{
    float level = 0.0f;
    float hold = 0.0f;
    // The over count had reached the limit (the read cleared it).
    bool overCounted = false;
};

// Under the callback lock: whether the over count of the processor's read-out
// (readOverCount, with the channel when the meter has two) has reached limit;
// the count is then cleared, so that the over lights the LED once.
template <typename Processor, typename Limit, typename... Channel>
bool takeOver(Processor& processor, Limit limit, Channel... channel)
{
    const bool overCounted = processor.readOverCount(channel...) >= limit;
    if (overCounted)
        processor.setOverCount(channel..., 0.0);
    return overCounted;
}
} // namespace vyrkit
