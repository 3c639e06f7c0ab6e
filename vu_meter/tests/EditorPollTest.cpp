// The poll role: one editor in the process rereads the settings store every
// 501st tick and refreshes its back-panel texts; the role passes on when its
// holder closes.
#include "EditorTestSupport.h"

namespace vyrkelsom::editortest
{
namespace
{
void ticks(VyrKelsoMAudioProcessorEditor& editor, int n)
{
    for (int i = 0; i < n; ++i)
        editor.timerCallback();
}
} // namespace

struct EditorPoll : EditorFixture
{
    std::unique_ptr<VyrKelsoMAudioProcessor> second;
    VyrKelsoMAudioProcessorEditor* secondEditor = nullptr;

    void SetUp() override
    {
        EditorFixture::SetUp();
        editor->stopTimer();
    }

    void openSecond()
    {
        second = std::make_unique<VyrKelsoMAudioProcessor>();
        configure(*second, 2, 2, 44100.0, 441);
        secondEditor = openEditor(*second);
        secondEditor->stopTimer();
    }

    void TearDown() override
    {
        if (second != nullptr)
            closeEditor(*second, secondEditor);
        second.reset();
        EditorFixture::TearDown();
    }
};

TEST_F(EditorPoll, TheOwnerRereadsOnThe501stTick)
{
    storeSetting(6, "0");
    storeSetting(8, "1");
    storeSetting(11, "0.4");

    ticks(*editor, 500);
    EXPECT_EQ(editor->getPollTickCount(), 500);
    EXPECT_FLOAT_EQ(VyrKelsoMAudioProcessor::getGlobalSetting(1), 0.25f);
    EXPECT_EQ(back().referenceText, "-18.0dBFS");
    EXPECT_EQ(editor->getFaceRow(), 2);

    ticks(*editor, 1);
    EXPECT_EQ(editor->getPollTickCount(), 0);
    EXPECT_FLOAT_EQ(VyrKelsoMAudioProcessor::getGlobalSetting(1), 0.0f);
    EXPECT_EQ(back().referenceText, "-24.0dBFS");
    EXPECT_EQ(back().overReferenceText, "-3dBFS");
    EXPECT_EQ(editor->getFaceRow(), 4);

    // And again 501 ticks later.
    storeSetting(6, "1");
    ticks(*editor, 500);
    EXPECT_EQ(back().referenceText, "-24.0dBFS");
    ticks(*editor, 1);
    EXPECT_EQ(back().referenceText, "0.0dBFS");
}

TEST_F(EditorPoll, ASecondEditorNeverPollsAndKeepsItsTexts)
{
    openSecond();
    EXPECT_TRUE(editor->holdsPollRole());
    EXPECT_FALSE(secondEditor->holdsPollRole());

    storeSetting(9, "0.9");
    ticks(*secondEditor, 600);
    EXPECT_EQ(secondEditor->getPollTickCount(), 0);
    EXPECT_EQ(secondEditor->getBackPanel().holdTimeText, "1.00s");
    EXPECT_EQ(processor->getSettingText(9), "1.00s");

    ticks(*editor, 501);
    EXPECT_EQ(back().holdTimeText, "7.00s");
    // The settings are the process's; the second editor's page is not refreshed.
    EXPECT_EQ(second->getSettingText(9), "7.00s");
    EXPECT_EQ(secondEditor->getBackPanel().holdTimeText, "1.00s");
}

TEST_F(EditorPoll, TheRolePassesOnWhenItsHolderCloses)
{
    openSecond();
    closeEditor(*processor, editor);
    EXPECT_FALSE(VyrKelsoMAudioProcessor::isPollRoleTaken());

    // Taken on the next tick, counted from the one after.
    ticks(*secondEditor, 1);
    EXPECT_TRUE(secondEditor->holdsPollRole());
    EXPECT_TRUE(VyrKelsoMAudioProcessor::isPollRoleTaken());
    EXPECT_EQ(secondEditor->getPollTickCount(), 0);

    storeSetting(5, "0.5");
    ticks(*secondEditor, 500);
    EXPECT_EQ(secondEditor->getBackPanel().needleTypeText, " A ");
    ticks(*secondEditor, 1);
    EXPECT_EQ(secondEditor->getBackPanel().needleTypeText, " B ");

    // A new editor finds the role taken.
    editor = openEditor(*processor);
    editor->stopTimer();
    EXPECT_FALSE(editor->holdsPollRole());
    ticks(*editor, 1);
    EXPECT_FALSE(editor->holdsPollRole());
}

TEST_F(EditorPoll, AnEditorOpenedWhenTheRoleIsFreeTakesItAtOnce)
{
    closeEditor(*processor, editor);
    editor = openEditor(*processor);
    editor->stopTimer();
    EXPECT_TRUE(editor->holdsPollRole());
    ticks(*editor, 1);
    EXPECT_EQ(editor->getPollTickCount(), 1);
}

struct StoredTextsCase
{
    int index;
    const char* stored;
    const char* text;
    juce::String BackPanel::*member;
};

inline void PrintTo(const StoredTextsCase& c, std::ostream* os) { *os << c.index << " stored " << c.stored; }

class EditorStoredTexts : public EditorFixture, public ::testing::WithParamInterface<StoredTextsCase>
{
};

// An editor opened after the store changed shows the new texts.
TEST_P(EditorStoredTexts, AreFilledWhenTheEditorOpens)
{
    const auto& c = GetParam();
    closeEditor(*processor, editor);
    storeSetting(c.index, c.stored);
    editor = openEditor(*processor);
    EXPECT_EQ(back().*(c.member), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, EditorStoredTexts,
    ::testing::Values(StoredTextsCase { 5, "0.5", " B ", &BackPanel::needleTypeText },
                      StoredTextsCase { 6, "1", "0.0dBFS", &BackPanel::referenceText },
                      StoredTextsCase { 7, "0", "53ms", &BackPanel::integrationText },
                      StoredTextsCase { 7, "1", "1697ms", &BackPanel::integrationText },
                      StoredTextsCase { 9, "0.0875", "0.14s", &BackPanel::holdTimeText },
                      StoredTextsCase { 10, "1", "10", &BackPanel::overCountText },
                      StoredTextsCase { 11, "0.1", "+8VU", &BackPanel::overReferenceText },
                      StoredTextsCase { 11, "0.6", "-1dBFS", &BackPanel::overReferenceText },
                      StoredTextsCase { 12, "1", "Precise", &BackPanel::measurementText },
                      StoredTextsCase { 12, "5", "CPU Safe", &BackPanel::measurementText },
                      StoredTextsCase { 6, "nan", "-18.0dBFS", &BackPanel::referenceText }));
} // namespace vyrkelsom::editortest
