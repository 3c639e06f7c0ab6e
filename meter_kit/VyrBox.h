#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vyrkit
{
// The one-line track-name strip. It shows its text centred in a box of
// textAreaWidth pixels. A double-click starts editing with everything selected
// and a pen marker at the insertion point; Return or Escape ends editing and
// posts the signature-text command to the strip's grandparent (the editor),
// which then reads the text with getText. Losing the focus ends editing without
// posting.
//
// The owner sets textAreaWidth, maxTextWidth, textColour, the font, the marker
// image and the text right after constructing it, before it is shown.
class VyrBox : public juce::Component, public juce::KeyListener
{
public:
    explicit VyrBox(int signatureCommandId);
    ~VyrBox() override;

    // Stores the text, dropping characters from its end while it is wider than
    // maxTextWidth; the insertion point goes to its end. Neither repaints nor
    // changes the editing state.
    void setText(const juce::String& newText);
    const juce::String& getText() const noexcept { return text; }

    // The marker drawn while editing; its width widens the strip then.
    void setMarkerImage(const juce::Image& image);

    juce::Font font;
    juce::Colour textColour { juce::Colours::black };
    juce::Colour selectionColour { juce::Colour(170, 170, 170).withAlpha(static_cast<juce::uint8>(150)) };
    int textAreaWidth = 0;
    int maxTextWidth = 0;

    bool isEditing() const noexcept { return editing; }
    bool isSelectionActive() const noexcept { return selectionActive; }
    int getCursor() const noexcept { return cursor; }
    int getSelectionStart() const noexcept { return selectionStart; }
    int getSelectionEnd() const noexcept { return selectionEnd; }
    int getMarkerWidth() const noexcept { return markerWidth; }
    int getSignatureCommandId() const noexcept { return commandId; }

    // Text measures with the strip's font: the width of a text rounded to whole
    // pixels, the x at which the centred text starts, and the boundary in the
    // middle of the character before position i (0 <= i <= length).
    int textWidth(const juce::String& s) const;
    int textLeft() const;
    int boundary(int index) const;

    void paint(juce::Graphics&) override;
    void mouseDown(const juce::MouseEvent&) override;
    void mouseDrag(const juce::MouseEvent&) override;
    void mouseDoubleClick(const juce::MouseEvent&) override;
    void focusLost(FocusChangeType) override;

    using juce::Component::keyPressed;
    bool keyPressed(const juce::KeyPress&, juce::Component* originatingComponent) override;

private:
    void endEditing();
    void postToEditor();

    const int commandId;

    juce::String text;
    juce::Image markerImage;
    int markerWidth = 0;
    bool editing = false;
    bool selectionActive = false;
    int cursor = 0;
    int selectionStart = 0;
    int selectionEnd = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VyrBox)
};
} // namespace vyrkit
