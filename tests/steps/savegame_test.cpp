// The savegame name rule, the three-byte patch of FileManager.dll and the step's dialogs.
#include "app/state.h"
#include "app/texts.h"
#include "tests/driver/driver.h"
#include "tests/driver/files.h"
#include "wizard/dialogs.h"
#include "wizard/savegame.h"
#include "wizard/steps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace {

TEST(SavegameName, RuleTable) {
    struct Case {
        const char* name;
        bool accepted;
    } cases[] = {
        {"abc", true},
        {"MP1", true},
        {"a b", true},
        {"1.2", true},
        {"\xC4\xD6\xDC", true}, // the three German capitals with umlauts, Windows-1252
        {"\xE4\xF6\xFC", true},
        {"_-_", true},
        {"con1", false},
        {"CO N", false},
        {"sh3", false},
        {"Sh3", false},
        {"sH3", false},
        {"SH3", false},
        {"AB", false},
        {"ABCD", false},
        {"", false},
        {"   ", false},
        {"ab ", false},
        {"ab.", false},
        {"a\\b", false},
        {"a/b", false},
        {"a:b", false},
        {"a*b", false},
        {"a?b", false},
        {"a\"b", false},
        {"a<b", false},
        {"a>b", false},
        {"a|b", false},
        {"a\tb", false},
        {"\x01"
         "ab",
         false},
        {"CON", false},
        {"con", false},
        {"Prn", false},
        {"aux", false},
        {"nUl", false},
        {"COM", true},
        {".ab", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SavegameNameAccepted(c.name), c.accepted) << "\"" << c.name << "\"";
}

class PatchTest : public ::testing::Test {
  protected:
    void SetUp() override { folder_ = driver::MakeTempDir("patch") + "\\"; }
    void TearDown() override { RemoveTree(folder_); }
    std::string folder_;
};

std::string PatternBytes(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; i++)
        bytes[i] = char((i * 7 + 3) & 0xFF);
    return bytes;
}

TEST_F(PatchTest, WritesExactlyTheThreeBytesAt38520AndNothingElse) {
    std::string dll = folder_ + "FileManager.dll";
    std::string before = PatternBytes(60000);
    ASSERT_TRUE(WriteWholeFile(dll, before));
    EXPECT_TRUE(PatchSavegameName(dll, "abc"));
    std::string after = ReadWholeFile(dll);
    ASSERT_EQ(after.size(), before.size());
    std::string expected = before;
    expected.replace(38520, 3, "abc");
    EXPECT_EQ(after.substr(38518, 7), before.substr(38518, 2) + "abc" + before.substr(38523, 2));
    EXPECT_TRUE(after == expected) << "a byte outside 38520..38522 changed";
}

TEST_F(PatchTest, AShortFileGrowsSoTheNameEndsAt38522) {
    std::string dll = folder_ + "FileManager.dll";
    std::string before = PatternBytes(1000);
    ASSERT_TRUE(WriteWholeFile(dll, before));
    EXPECT_TRUE(PatchSavegameName(dll, "\xC4\xD6\xDC"));
    std::string after = ReadWholeFile(dll);
    ASSERT_EQ(after.size(), 38523u);
    EXPECT_EQ(after.substr(0, 1000), before);
    EXPECT_EQ(after.substr(38520), "\xC4\xD6\xDC");
}

TEST_F(PatchTest, AMissingFileIsNotCreated) {
    std::string dll = folder_ + "FileManager.dll";
    EXPECT_FALSE(PatchSavegameName(dll, "abc"));
    EXPECT_FALSE(AnythingAt(dll));
}

// Scripted answers for the step's dialogs; every call is recorded.
struct Script {
    int noticeAnswer = IDOK;
    std::deque<std::string> names;
    std::vector<std::string> calls;
};
Script* gScript;

int ScriptedMessageBox(const std::string& text, const std::string& caption, UINT type) {
    gScript->calls.push_back("box " + caption + "|" + text + "|" + std::to_string(type));
    return gScript->noticeAnswer;
}

std::string ScriptedTextInput(const std::string& caption, const std::string& prompt,
                              const std::string& defaultText) {
    gScript->calls.push_back("input " + caption + "|" + prompt + "|" + defaultText);
    if (gScript->names.empty()) return "";
    std::string name = gScript->names.front();
    gScript->names.pop_front();
    return name;
}

class SavegameStepTest : public PatchTest {
  protected:
    void SetUp() override {
        PatchTest::SetUp();
        FillTextTable();
        Language = 1;
        saved_ = Dialogs;
        Dialogs.messageBox = ScriptedMessageBox;
        Dialogs.textInput = ScriptedTextInput;
        gScript = &script_;
        TargetRoot = folder_;
        CopyName = "SH3_MP";
        CreateDirectoryA((folder_ + "SH3_MP").c_str(), nullptr);
        dll_ = folder_ + "SH3_MP\\FileManager.dll";
        ASSERT_TRUE(WriteWholeFile(dll_, PatternBytes(40000)));
        RunOutcome = OUTCOME_COMPLETED;
        SavegameName.clear();
    }
    void TearDown() override {
        Dialogs = saved_;
        gScript = nullptr;
        ClearState();
        PatchTest::TearDown();
    }
    DialogFunctions saved_;
    Script script_;
    std::string dll_;
};

TEST_F(SavegameStepTest, RefusedNamesBringTheDialogBackUntilOneIsAcceptedAndWritten) {
    script_.names = {"sh3", "AB", "ABCD", "CON", "ab.", "abc"};
    SavegameStep();
    EXPECT_EQ(RunOutcome, OUTCOME_COMPLETED);
    EXPECT_EQ(SavegameName, "abc");
    ASSERT_EQ(script_.calls.size(), 7u);
    EXPECT_EQ(script_.calls[0], "box " + GetText(70) + "|" + GetText(71) + "|65");
    for (size_t i = 1; i < script_.calls.size(); i++)
        EXPECT_EQ(script_.calls[i], "input " + GetText(72) + "|" + GetText(73) + "|") << i;
    EXPECT_EQ(ReadWholeFile(dll_).substr(38520, 3), "abc");
}

TEST_F(SavegameStepTest, CancelAtTheNoticeEndsTheRunBeforeTheDialog) {
    script_.noticeAnswer = IDCANCEL;
    std::string before = ReadWholeFile(dll_);
    SavegameStep();
    EXPECT_EQ(RunOutcome, OUTCOME_ENDED);
    EXPECT_EQ(script_.calls.size(), 1u);
    EXPECT_EQ(ReadWholeFile(dll_), before);
}

TEST_F(SavegameStepTest, AnEmptyAnswerEndsTheRunAndLeavesTheFileUnpatched) {
    script_.names = {"sh3", ""};
    std::string before = ReadWholeFile(dll_);
    SavegameStep();
    EXPECT_EQ(RunOutcome, OUTCOME_ENDED);
    EXPECT_EQ(script_.calls.size(), 3u);
    EXPECT_EQ(ReadWholeFile(dll_), before);
}

TEST_F(SavegameStepTest, AMissingLibraryIsNotCreatedAndTheRunGoesOn) {
    DeleteFileA(dll_.c_str());
    script_.names = {"MP1"};
    SavegameStep();
    EXPECT_EQ(RunOutcome, OUTCOME_COMPLETED);
    EXPECT_EQ(SavegameName, "MP1");
    EXPECT_FALSE(AnythingAt(dll_));
}

} // namespace
