#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vyrkit
{
// Three-digit millisecond entry (0..999) for the display delay. The value
// changes with the two arrow hot spots (10 ms), by vertical dragging (10 ms, or
// 1 ms with Shift, per drag event), with the mouse wheel, or by double-clicking
// the digits and typing. Every change the user makes posts the latency command
// to the control's grandparent (the editor), which reads valueMs.
class LatencyControl : public juce::Component, public juce::KeyListener
{
public:
    explicit LatencyControl(int latencyCommandId);
    ~LatencyControl() override;

    // Truncates toward zero and clamps to 0..999 (NaN counts as 0), shows the
    // value as three digits, repaints, and with notify 1 posts the command.
    void setValue(float milliseconds, int notify);

    // The value in milliseconds; the editor reads it when the command arrives.
    int valueMs = 0;

    const juce::String& getDigitText(int index) const noexcept { return digitTexts[juce::jlimit(0, 2, index)]; }
    bool isEditing() const noexcept { return editing; }
    int getEditDigit() const noexcept { return editDigit; }
    int getLatencyCommandId() const noexcept { return commandId; }

    void mouseDown(const juce::MouseEvent&) override;
    void mouseDrag(const juce::MouseEvent&) override;
    void mouseDoubleClick(const juce::MouseEvent&) override;
    void mouseWheelMove(const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void paint(juce::Graphics&) override;
    void focusLost(FocusChangeType) override;

    using juce::Component::keyPressed;
    bool keyPressed(const juce::KeyPress&, juce::Component* originatingComponent) override;

private:
    const int commandId;

    juce::Image latencyImage;
    juce::String digitTexts[3] { "0", "0", "0" };
    int editDigit = 0;
    bool editing = false;
    // Vertical distance from the drag start at the previous drag event; kept
    // across drags, so the first event of a drag compares with the last one.
    int lastDragDistance = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(LatencyControl)
};
} // namespace vyrkit
