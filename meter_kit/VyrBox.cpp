#include "VyrBox.h"

#include "SafeNumbers.h"

namespace vyrkit
{
namespace
{
// Substring [start, end) with both ends clamped to the text: the insertion point
// can stand past the end of the text (a key without a character moves it there).
juce::String clampedSubstring(const juce::String& s, int start, int end)
{
    const int length = s.length();
    start = juce::jlimit(0, length, start);
    end = juce::jlimit(start, length, end);
    return s.substring(start, end);
}
} // namespace

VyrBox::VyrBox(int signatureCommandId) : commandId(signatureCommandId)
{
    setWantsKeyboardFocus(true);
    addKeyListener(this);
}

VyrBox::~VyrBox()
{
    removeKeyListener(this);
}

// The text keeps its longest beginning that is at most maxTextWidth wide (the
// empty text when nothing fits), as dropping its last character while it is too
// wide gives. The width of a beginning never shrinks as it grows (the typeface
// has no kerning and no negative advances), so the cut point is found by halving:
// a restored name of any length costs a few measures, not one per character.
void VyrBox::setText(const juce::String& newText)
{
    text = newText;
    if (text.isNotEmpty() && textWidth(text) > maxTextWidth)
    {
        // The beginning of `fits` characters is kept (0 needs no measure), the
        // one of `tooWide` characters is wider than the limit.
        int fits = 0;
        int tooWide = text.length();
        while (tooWide - fits > 1)
        {
            const int middle = fits + (tooWide - fits) / 2;
            if (textWidth(text.substring(0, middle)) <= maxTextWidth)
                fits = middle;
            else
                tooWide = middle;
        }
        text = text.substring(0, fits);
    }
    cursor = text.length();
}

void VyrBox::setMarkerImage(const juce::Image& image)
{
    markerImage = image;
    markerWidth = image.isValid() ? image.getWidth() : 0;
}

int VyrBox::textWidth(const juce::String& s) const
{
    return juce::roundToInt(font.getStringWidthFloat(s));
}

int VyrBox::textLeft() const
{
    return truncToInt(textAreaWidth * 0.5 - textWidth(text) * 0.5);
}

int VyrBox::boundary(int index) const
{
    const int left = textLeft() + textWidth(clampedSubstring(text, 0, index));
    if (index <= 0)
        return left;
    return left - truncToInt(textWidth(clampedSubstring(text, index - 1, index)) * 0.5);
}

void VyrBox::paint(juce::Graphics& g)
{
    g.setFont(font);
    g.setColour(textColour);

    if (! editing)
    {
        g.drawFittedText(text, 0, 0, getWidth(), getHeight(), juce::Justification::centred, 1, 0.7f);
        return;
    }

    const int length = text.length();
    const int cursorX = cursor < length ? textWidth(text.dropLastCharacters(length - cursor))
                                        : textWidth(text);

    if (selectionActive)
    {
        g.setColour(selectionColour);
        g.fillRect(textLeft() + textWidth(clampedSubstring(text, 0, selectionStart)), 0,
                   textWidth(clampedSubstring(text, selectionStart, selectionEnd)), getHeight());
        g.setColour(textColour);
    }

    // While editing the strip is wider by the marker; the text stays where it
    // was when idle.
    g.drawFittedText(text, 0, 0, textAreaWidth, getHeight(), juce::Justification::centred, 1, 0.7f);

    g.setOpacity(1.0f);
    const int markerX = truncToInt(static_cast<float>(textAreaWidth) * 0.5f
                                   - static_cast<float>(textWidth(text)) * 0.5f
                                   + static_cast<float>(cursorX) - 2.0f);
    g.drawImageAt(markerImage, markerX, 0);
}

void VyrBox::mouseDown(const juce::MouseEvent& e)
{
    if (! editing)
        return;

    selectionActive = false;
    const int pressX = e.getMouseDownX();
    for (int i = 0; i <= text.length(); ++i)
        if (pressX >= boundary(i))
            cursor = i;
    repaint();
}

void VyrBox::mouseDrag(const juce::MouseEvent& e)
{
    if (! editing)
        return;

    const int pressX = e.getMouseDownX();
    for (int i = 0; i <= text.length(); ++i)
    {
        const int b = boundary(i);
        if (e.x >= b)
            cursor = i;
        if (pressX >= b)
            selectionStart = i;
    }

    selectionEnd = cursor;
    if (selectionStart > selectionEnd)
        std::swap(selectionStart, selectionEnd);
    if (selectionStart != selectionEnd)
        selectionActive = true;
    repaint();
}

void VyrBox::mouseDoubleClick(const juce::MouseEvent&)
{
    selectionActive = true;
    selectionStart = 0;
    selectionEnd = text.length();
    cursor = text.length();

    if (! editing)
    {
        editing = true;
        setSize(textAreaWidth + markerWidth, getHeight());
    }
    repaint();
}

void VyrBox::focusLost(FocusChangeType)
{
    // The edited text stays in the strip but is not committed.
    endEditing();
    repaint();
}

void VyrBox::endEditing()
{
    editing = false;
    selectionActive = false;
    setSize(textAreaWidth, getHeight());
}

void VyrBox::postToEditor()
{
    if (auto* parent = getParentComponent())
        if (auto* editor = parent->getParentComponent())
            editor->postCommandMessage(commandId);
}

bool VyrBox::keyPressed(const juce::KeyPress& key, juce::Component*)
{
    if (! editing)
        return false;

    // Only the key code counts; modifiers are ignored.
    const int code = key.getKeyCode();
    const int length = text.length();

    if (code == juce::KeyPress::returnKey || code == juce::KeyPress::escapeKey)
    {
        endEditing();
        postToEditor();
    }
    else if (code == juce::KeyPress::backspaceKey)
    {
        if (selectionActive)
        {
            cursor = selectionStart;
            text = clampedSubstring(text, 0, selectionStart) + clampedSubstring(text, selectionEnd, length);
            selectionActive = false;
        }
        else
        {
            // At the start of the text this removes the first character.
            cursor = juce::jmax(cursor - 1, 0);
            text = clampedSubstring(text, 0, cursor) + clampedSubstring(text, cursor + 1, length);
        }
    }
    else if (code == juce::KeyPress::rightKey)
    {
        selectionActive = false;
        cursor = juce::jmin(cursor + 1, length);
    }
    else if (code == juce::KeyPress::leftKey)
    {
        selectionActive = false;
        cursor = juce::jmax(cursor - 1, 0);
    }
    else
    {
        // Empty for a key without a character, which still moves the insertion
        // point one place right (possibly past the end of the text).
        const juce::String s = juce::String::charToString(key.getTextCharacter());

        if (selectionActive)
        {
            // Replacing a selection is not limited by the width.
            text = clampedSubstring(text, 0, selectionStart) + s + clampedSubstring(text, selectionEnd, length);
            cursor = selectionStart + 1;
            selectionActive = false;
        }
        else if (textWidth(text) < maxTextWidth)
        {
            // The test uses the width before inserting, so the text can end up
            // one character wider than the limit.
            const int at = juce::jmin(cursor, length);
            text = clampedSubstring(text, 0, at) + s + clampedSubstring(text, at, length);
            cursor += 1;
        }
    }

    repaint();
    return true;
}
} // namespace vyrkit
