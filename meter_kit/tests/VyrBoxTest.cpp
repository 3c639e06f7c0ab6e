#include "KitTestSupport.h"
#include "TrackNameFont.h"
#include "VyrBox.h"

#include <gtest/gtest.h>

#include <functional>

using vyrkit::VyrBox;

namespace
{
const juce::Colour markerColour(255, 0, 255);

juce::KeyPress character(juce::juce_wchar c, juce::ModifierKeys mods = {})
{
    return juce::KeyPress((int) c, mods, c);
}

const juce::KeyPress returnKey(juce::KeyPress::returnKey), escapeKey(juce::KeyPress::escapeKey),
    backspaceKey(juce::KeyPress::backspaceKey), leftKey(juce::KeyPress::leftKey),
    rightKey(juce::KeyPress::rightKey), upKey(juce::KeyPress::upKey);

// The stereo meter's strip, with the track-name font, inside a panel inside a
// stand-in editor.
struct BoxFixture : ::testing::Test
{
    kittest::CommandRecorder editor;
    VyrBox box { 14 };

    BoxFixture()
    {
        box.font = vyrkit::makeTrackNameFont();
        box.textAreaWidth = 506;
        box.maxTextWidth = 496;
        box.textColour = juce::Colour(4, 45, 85).withAlpha((juce::uint8) 205);
        juce::Image marker(juce::Image::ARGB, 47, 33, true);
        marker.clear(marker.getBounds(), markerColour);
        box.setMarkerImage(marker);
        box.setBounds(17, 167 - 160, 506, 39);
        editor.panel.addAndMakeVisible(box);
    }

    bool press(const juce::KeyPress& key) { return box.keyPressed(key, &box); }

    void doubleClick() { box.mouseDoubleClick(kittest::click(box, 250.0f, 20.0f)); }

    // Editing with the insertion point at `index` and nothing selected.
    void cursorAt(int index)
    {
        doubleClick();
        press(rightKey);
        for (int i = box.getText().length(); i > index; --i)
            press(leftKey);
    }

    // Editing with [from, to) selected by a drag from boundary `from` to `to`.
    void dragSelect(int from, int to)
    {
        doubleClick();
        const auto down = juce::Point<float>((float) box.boundary(from), 20.0f);
        box.mouseDown(kittest::mouseEvent(box, down, down));
        box.mouseDrag(kittest::mouseEvent(box, { (float) box.boundary(to), 20.0f }, down));
    }

    // Leftmost column of the marker, or -1 when none is drawn.
    int markerLeft()
    {
        const auto image = kittest::render(box);
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt(x, 30) == markerColour)
                return x;
        return -1;
    }
};

//==============================================================================
struct KeyCase
{
    const char* name;
    const char* text;
    std::function<void(BoxFixture&)> setup;
    juce::KeyPress key;
    const char* expectedText;
    int expectedCursor;
};

std::function<void(BoxFixture&)> selectAll() { return [](BoxFixture& f) { f.doubleClick(); }; }
std::function<void(BoxFixture&)> cursorAt(int i) { return [i](BoxFixture& f) { f.cursorAt(i); }; }
std::function<void(BoxFixture&)> selected(int a, int b) { return [a, b](BoxFixture& f) { f.dragSelect(a, b); }; }

struct KeyTable : BoxFixture, ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyTable, EditsTheTextAndMovesTheInsertionPoint)
{
    const auto& c = GetParam();
    box.setText(c.text);
    c.setup(*this);
    ASSERT_TRUE(box.isEditing());

    EXPECT_TRUE(press(c.key));
    EXPECT_EQ(box.getText(), juce::String(c.expectedText));
    EXPECT_EQ(box.getCursor(), c.expectedCursor);
    EXPECT_FALSE(box.isSelectionActive());
    EXPECT_TRUE(box.isEditing());
    EXPECT_TRUE(editor.delivered().empty());
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTable, ::testing::Values(
    KeyCase { "LetterReplacesEverythingSelected", "Master Track", selectAll(), character('x'), "x", 1 },
    KeyCase { "LetterInsertsAtTheCursor", "abc", cursorAt(1), character('X'), "aXbc", 2 },
    KeyCase { "LetterReplacesADraggedSelection", "abcdef", selected(1, 4), character('Z'), "aZef", 2 },
    KeyCase { "BackspaceAtTheStartRemovesTheFirstCharacter", "abc", cursorAt(0), backspaceKey, "bc", 0 },
    KeyCase { "BackspaceRemovesTheCharacterBeforeTheCursor", "abc", cursorAt(2), backspaceKey, "ac", 1 },
    KeyCase { "BackspaceRemovesTheSelection", "abcdef", selected(1, 4), backspaceKey, "aef", 1 },
    KeyCase { "ModifiersAreIgnored", "abc", selectAll(), juce::KeyPress(juce::KeyPress::backspaceKey, juce::ModifierKeys::shiftModifier, 0), "", 0 },
    KeyCase { "RightStopsAtTheEnd", "abc", cursorAt(3), rightKey, "abc", 3 },
    KeyCase { "RightEndsASelection", "abc", selected(1, 3), rightKey, "abc", 3 },
    KeyCase { "LeftStopsAtTheStart", "abc", cursorAt(0), leftKey, "abc", 0 },
    KeyCase { "LeftEndsASelection", "abc", selected(1, 3), leftKey, "abc", 2 },
    KeyCase { "KeyWithoutCharacterMovesPastTheEnd", "abc", cursorAt(3), upKey, "abc", 4 },
    KeyCase { "KeyWithoutCharacterDeletesASelection", "abc", selectAll(), upKey, "", 1 }),
    [](const auto& info) { return std::string(info.param.name); });

//==============================================================================
TEST_F(BoxFixture, ACharacterTypedAfterTheCursorRanPastTheEndIsAppended)
{
    box.setText("abc");
    cursorAt(3);
    press(upKey);
    press(upKey);
    ASSERT_EQ(box.getCursor(), 5);

    // The marker stands at the end of the text, as for a cursor at the end.
    box.setText("abc");
    cursorAt(3);
    const int atEnd = markerLeft();
    press(upKey);
    EXPECT_EQ(markerLeft(), atEnd);

    press(character('d'));
    EXPECT_EQ(box.getText(), "abcd");
    EXPECT_EQ(box.getCursor(), 5);
    press(backspaceKey); // the cursor is past the end: nothing to remove
    EXPECT_EQ(box.getText(), "abcd");
    EXPECT_EQ(box.getCursor(), 4);
    press(character('e'));
    EXPECT_EQ(box.getText(), "abcde");
}

TEST_F(BoxFixture, TypingStopsAtTheWidthLimitButReplacingASelectionDoesNot)
{
    box.setText("abc");
    box.maxTextWidth = box.textWidth("abc");
    cursorAt(3);
    press(character('d'));
    EXPECT_EQ(box.getText(), "abc");
    EXPECT_EQ(box.getCursor(), 3);

    // Below the limit by one pixel: the width before inserting counts, so the
    // text ends up wider than the limit.
    box.maxTextWidth = box.textWidth("abc") + 1;
    press(character('W'));
    EXPECT_EQ(box.getText(), "abcW");
    EXPECT_GT(box.textWidth(box.getText()), box.maxTextWidth);

    box.maxTextWidth = 0;
    doubleClick();
    press(character('Q'));
    EXPECT_EQ(box.getText(), "Q");
}

class CommitKeys : public BoxFixture, public ::testing::WithParamInterface<juce::KeyPress> {};

TEST_P(CommitKeys, EndEditingAndPostTheSignatureCommandToTheEditor)
{
    box.setText("Bass");
    doubleClick();
    ASSERT_EQ(box.getWidth(), 506 + 47);
    press(character('K'));

    EXPECT_TRUE(press(GetParam()));
    EXPECT_FALSE(box.isEditing());
    EXPECT_FALSE(box.isSelectionActive());
    EXPECT_EQ(box.getWidth(), 506);
    EXPECT_EQ(box.getText(), "K");
    EXPECT_EQ(editor.delivered(), std::vector<int>({ 14 }));
}

INSTANTIATE_TEST_SUITE_P(Keys, CommitKeys,
    ::testing::Values(returnKey, escapeKey,
                      juce::KeyPress(juce::KeyPress::returnKey, juce::ModifierKeys::ctrlModifier, 0)));

TEST(VyrBoxCommand, EachPluginPostsItsOwnIdAndNothingWithoutAGrandparent)
{
    for (int id : { 14, 13, 12 })
    {
        kittest::CommandRecorder editor;
        VyrBox box(id);
        box.textAreaWidth = 240;
        box.maxTextWidth = 230;
        box.setBounds(0, 0, 240, 39);
        editor.panel.addAndMakeVisible(box);
        box.mouseDoubleClick(kittest::click(box, 10.0f, 10.0f));
        box.keyPressed(returnKey, &box);
        EXPECT_EQ(editor.delivered(), std::vector<int>({ id }));
        EXPECT_EQ(box.getSignatureCommandId(), id);
    }

    // A strip without a grandparent (or without any parent) commits quietly.
    juce::Component panel;
    VyrBox inPanel(14), alone(14);
    panel.addAndMakeVisible(inPanel);
    for (auto* b : { &inPanel, &alone })
    {
        b->mouseDoubleClick(kittest::click(*b, 0.0f, 0.0f));
        EXPECT_TRUE(b->keyPressed(returnKey, b));
        EXPECT_FALSE(b->isEditing());
    }
    juce::MessageManager::getInstance()->runDispatchLoopUntil(10);
}

//==============================================================================
TEST_F(BoxFixture, KeysAreNotConsumedWhileIdleAndASingleClickDoesNothing)
{
    box.setText("Guitar");
    box.mouseDown(kittest::click(box, 5.0f, 5.0f));
    EXPECT_FALSE(box.isEditing());
    EXPECT_EQ(box.getCursor(), 6);

    for (const auto& key : { character('a'), backspaceKey, returnKey, leftKey })
        EXPECT_FALSE(press(key));
    EXPECT_EQ(box.getText(), "Guitar");
    EXPECT_EQ(box.getCursor(), 6);
    EXPECT_TRUE(editor.delivered().empty());
}

TEST_F(BoxFixture, DoubleClickSelectsEverythingAndWidensTheStripOnce)
{
    box.setText("Master Track");
    doubleClick();
    EXPECT_TRUE(box.isEditing());
    EXPECT_TRUE(box.isSelectionActive());
    EXPECT_EQ(box.getSelectionStart(), 0);
    EXPECT_EQ(box.getSelectionEnd(), 12);
    EXPECT_EQ(box.getCursor(), 12);
    EXPECT_EQ(box.getWidth(), 553);
    EXPECT_EQ(box.getX(), 17);

    press(leftKey);
    doubleClick();
    EXPECT_TRUE(box.isSelectionActive());
    EXPECT_EQ(box.getCursor(), 12);
    EXPECT_EQ(box.getWidth(), 553);
}

TEST_F(BoxFixture, APressPutsTheInsertionPointAtTheLastBoundaryLeftOfIt)
{
    box.setText("Piano");
    doubleClick();

    // Boundaries lie in the middle of the character before each position.
    EXPECT_EQ(box.boundary(0), box.textLeft());
    EXPECT_EQ(box.boundary(5), box.textLeft() + box.textWidth("Piano") - box.textWidth("o") / 2);

    const struct { int x; int cursor; } cases[] = {
        { box.boundary(2), 2 }, { box.boundary(2) - 1, 1 }, { box.boundary(0), 0 },
        { box.boundary(5), 5 }, { 1000, 5 }, { box.boundary(3), 3 },
        { box.boundary(0) - 1, 3 }, // left of every boundary: the cursor stays
    };
    for (const auto& c : cases)
    {
        box.mouseDown(kittest::click(box, (float) c.x, 20.0f));
        EXPECT_EQ(box.getCursor(), c.cursor) << "x " << c.x;
        EXPECT_FALSE(box.isSelectionActive());
    }
}

TEST_F(BoxFixture, ADragSelectsBetweenPressAndMouseInEitherDirection)
{
    box.setText("abcdef");
    dragSelect(1, 4);
    EXPECT_TRUE(box.isSelectionActive());
    EXPECT_EQ(box.getSelectionStart(), 1);
    EXPECT_EQ(box.getSelectionEnd(), 4);
    EXPECT_EQ(box.getCursor(), 4);

    dragSelect(5, 2);
    EXPECT_EQ(box.getSelectionStart(), 2);
    EXPECT_EQ(box.getSelectionEnd(), 5);
    EXPECT_EQ(box.getCursor(), 2); // the insertion point stays at the mouse

    dragSelect(3, 3);
    EXPECT_FALSE(box.isSelectionActive());
    EXPECT_EQ(box.getCursor(), 3);
}

TEST_F(BoxFixture, LosingTheFocusEndsEditingWithoutPosting)
{
    box.setText("Old Name");
    doubleClick();
    press(character('N'));
    box.focusLost(juce::Component::focusChangedByMouseClick);

    EXPECT_FALSE(box.isEditing());
    EXPECT_FALSE(box.isSelectionActive());
    EXPECT_EQ(box.getWidth(), 506);
    EXPECT_EQ(box.getText(), "N");
    EXPECT_TRUE(editor.delivered().empty());
}

// The cut as the strip has always defined it: the last character dropped while
// the text is wider than the limit.
juce::String cutOneCharacterAtATime(const VyrBox& box, juce::String text)
{
    while (text.isNotEmpty() && box.textWidth(text) > box.maxTextWidth)
        text = text.dropLastCharacters(1);
    return text;
}

struct CutCase
{
    const char* name;
    juce::String text;
    // The limit, from the strip's measure of the text.
    std::function<int(const VyrBox&, const juce::String&)> limit;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

std::function<int(const VyrBox&, const juce::String&)> pixels(int limit)
{
    return [limit](const VyrBox&, const juce::String&) { return limit; };
}

std::function<int(const VyrBox&, const juce::String&)> widthOfFirst(int dropped, int extraPixels = 0)
{
    return [dropped, extraPixels](const VyrBox& box, const juce::String& text) {
        return box.textWidth(text.dropLastCharacters(dropped)) + extraPixels;
    };
}

juce::String utf8(const char* s) { return juce::String::fromUTF8(s); }

struct CutTable : BoxFixture, ::testing::WithParamInterface<CutCase> {};

TEST_P(CutTable, SetTextKeepsWhatDroppingOneCharacterAtATimeKeeps)
{
    const auto& c = GetParam();
    box.maxTextWidth = c.limit(box, c.text);
    const auto expected = cutOneCharacterAtATime(box, c.text);

    box.setText(c.text);
    EXPECT_EQ(box.getText(), expected);
    EXPECT_EQ(box.getCursor(), expected.length());
    EXPECT_FALSE(box.isEditing());
    EXPECT_TRUE(c.text.startsWith(box.getText()));
}

INSTANTIATE_TEST_SUITE_P(Names, CutTable, ::testing::Values(
    CutCase { "Empty", "", pixels(496) },
    CutCase { "Short", "Bass", pixels(496) },
    CutCase { "ExactFit", "Master Track", widthOfFirst(0) },
    CutCase { "OnePixelOver", "Master Track", widthOfFirst(0, -1) },
    CutCase { "OneCharacterOver", "Master Track", widthOfFirst(1) },
    CutCase { "Long", juce::String::repeatedString("Wide ", 40), pixels(496) },
    CutCase { "LongWithoutSpaces", juce::String::repeatedString("m", 400), pixels(496) },
    CutCase { "NarrowStrip", "Backing Vocals Left and Right", pixels(230) },
    CutCase { "MultiByte", juce::String::repeatedString(utf8("Gr\xc3\xbc\xc3\x9f" "e K\xc3\xb6ln \xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1 \xe2\x98\x83 \xf0\x9f\x8e\xb8 "), 10), pixels(496) },
    CutCase { "MultiByteExactFit", utf8("\xc3\x9c\xc3\xa9 \xe2\x98\x83\xf0\x9f\x8e\xb8"), widthOfFirst(0) },
    CutCase { "MultiByteLastOneOver", utf8("\xc3\x9c\xc3\xa9 \xe2\x98\x83\xf0\x9f\x8e\xb8"), widthOfFirst(1) },
    CutCase { "Spaces", juce::String::repeatedString("   Lead   Vocal   ", 12), pixels(496) },
    CutCase { "OnlySpaces", juce::String::repeatedString(" ", 300), pixels(496) },
    CutCase { "NothingFits", "abc", pixels(0) },
    CutCase { "NegativeLimit", "abc", pixels(-1) }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BoxFixture, SetTextKeepsTheBeginningThatFitsAndPutsTheCursorAtItsEnd)
{
    const juce::String longName = juce::String::repeatedString("Wide ", 40);
    box.setText(longName);
    const auto kept = box.getText();
    EXPECT_TRUE(longName.startsWith(kept));
    EXPECT_LE(box.textWidth(kept), 496);
    EXPECT_GT(box.textWidth(longName.substring(0, kept.length() + 1)), 496);
    EXPECT_EQ(box.getCursor(), kept.length());
    EXPECT_FALSE(box.isEditing());

    box.maxTextWidth = -1; // nothing fits: the loop stops at the empty text
    box.setText("abc");
    EXPECT_EQ(box.getText(), "");
    EXPECT_EQ(box.getCursor(), 0);
}

//==============================================================================
TEST_F(BoxFixture, TheMarkerStandsTwoPixelsLeftOfTheInsertionPointOnlyWhileEditing)
{
    box.setText("Vocals");
    EXPECT_EQ(markerLeft(), -1);

    const float textWidth = (float) box.textWidth("Vocals");
    const struct { int cursor; const char* prefix; } cases[] = { { 6, "Vocals" }, { 0, "" }, { 3, "Voc" } };
    for (const auto& c : cases)
    {
        cursorAt(c.cursor);
        const int expected = (int) (506.0f * 0.5f - textWidth * 0.5f + (float) box.textWidth(c.prefix) - 2.0f);
        EXPECT_EQ(markerLeft(), expected) << "cursor " << c.cursor;
    }

    box.focusLost(juce::Component::focusChangedByMouseClick);
    EXPECT_EQ(markerLeft(), -1);
}

TEST_F(BoxFixture, TheSelectionIsFilledBehindTheSelectedCharacters)
{
    // A marker of one column, so that it hides nothing of the selection edges.
    juce::Image thinMarker(juce::Image::ARGB, 1, 33, true);
    thinMarker.clear(thinMarker.getBounds(), markerColour);
    box.setMarkerImage(thinMarker);
    EXPECT_EQ(box.getMarkerWidth(), 1);

    box.setText("aeaeae");
    dragSelect(2, 4);
    const auto image = kittest::render(box);
    const int from = box.textLeft() + box.textWidth("ae");
    const int width = box.textWidth("ae");

    for (int x : { from, from + width / 2, from + width - 1 })
    {
        const auto inside = image.getPixelAt(x, 0);
        EXPECT_NEAR(inside.getAlpha(), 150, 2) << x;
        EXPECT_NEAR(inside.getRed(), 170, 2) << x;
    }
    EXPECT_EQ(image.getPixelAt(from - 1, 0).getAlpha(), 0);
    EXPECT_EQ(image.getPixelAt(from + width, 0).getAlpha(), 0);
}
} // namespace
