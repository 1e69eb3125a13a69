// The wizard's questions answered from a script: every road through the sequence without a window.
#include "app/state.h"
#include "app/texts.h"
#include "wizard/dialogs.h"
#include "wizard/wizard.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <vector>

namespace {

// One dialog the sequence opened, as it asked for it.
struct Call {
    std::string kind; // "message", "folder", "text"
    std::string caption;
    std::string text; // message text, folder instruction, text prompt
    UINT type = 0;
    std::string defaultText;
};

// The answers, in order: for a message box "OK" or "CANCEL"; for the folder and text dialogs the
// returned string ("" is Cancel).
std::deque<std::string> gAnswers;
std::vector<Call> gCalls;
std::vector<std::string> gPathQueries;
std::map<std::string, long long> gExisting; // path as queried -> PathSize result

std::string NextAnswer() {
    if (gAnswers.empty()) {
        ADD_FAILURE() << "the sequence asked more than the script answers";
        return "";
    }
    std::string answer = gAnswers.front();
    gAnswers.pop_front();
    return answer;
}

int ScriptedMessageBox(const std::string& text, const std::string& caption, UINT type) {
    gCalls.push_back({"message", caption, text, type, ""});
    std::string answer = NextAnswer();
    return answer == "OK" ? IDOK : IDCANCEL;
}

std::string ScriptedFolderDialog(const std::string& instruction) {
    gCalls.push_back({"folder", "", instruction, 0, ""});
    return NextAnswer();
}

std::string ScriptedTextInput(const std::string& caption, const std::string& prompt,
                              const std::string& defaultText) {
    gCalls.push_back({"text", caption, prompt, 0, defaultText});
    return NextAnswer();
}

long long ScriptedPathSize(const std::string& path) {
    gPathQueries.push_back(path);
    auto it = gExisting.find(path);
    return it == gExisting.end() ? -1 : it->second;
}

const char kSource[] = "C:\\Games\\SilentHunterIII\\";
const char kSh3[] = "C:\\Games\\SilentHunterIII\\\\sh3.exe";

class Sequence : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = Dialogs;
        Dialogs = {ScriptedMessageBox, ScriptedFolderDialog, ScriptedTextInput, ScriptedPathSize};
        FillTextTable();
        ClearState();
        Language = 1;
        gAnswers.clear();
        gCalls.clear();
        gPathQueries.clear();
        gExisting = {{kSh3, 1024}};
    }
    void TearDown() override {
        Dialogs = saved;
        EXPECT_TRUE(gAnswers.empty()) << "answers left over: the sequence stopped early";
    }
    bool Run(std::deque<std::string> answers) {
        gAnswers = answers;
        return RunWizardSequence();
    }
    int Count(const std::string& kind) {
        int n = 0;
        for (const Call& c : gCalls)
            n += c.kind == kind;
        return n;
    }
    DialogFunctions saved;
};

TEST_F(Sequence, CompletePassAsksEveryQuestionInOrderAndSetsTheExampleValues) {
    ASSERT_TRUE(Run({"OK", kSource, "OK", "D:\\", "OK", "SH3_Multi", "OK"}));
    EXPECT_EQ(RunOutcome, OUTCOME_UNDECIDED);
    EXPECT_EQ(SourcePath, "C:\\Games\\SilentHunterIII\\");
    EXPECT_EQ(SourceFolderName, "SilentHunterIII");
    EXPECT_EQ(TargetRoot, "D:\\");
    EXPECT_EQ(CopyName, "SH3_Multi");
    EXPECT_EQ(TargetRoot + CopyName + "\\", "D:\\SH3_Multi\\");

    // The source does not exist on this machine: the walk finds nothing.
    EXPECT_EQ(DataVolume, 0);
    EXPECT_EQ(DataVolumeText, "0 KB");

    ASSERT_EQ(gCalls.size(), 7u);
    const Call& source = gCalls[0];
    EXPECT_EQ(source.kind, "message");
    EXPECT_EQ(source.caption, GetText(10));
    EXPECT_EQ(source.text, GetText(11));
    EXPECT_EQ(source.type, 33u);
    EXPECT_EQ(gCalls[1].kind, "folder");
    EXPECT_EQ(gCalls[1].text, GetText(12));
    const Call& volume = gCalls[2];
    EXPECT_EQ(volume.caption, "The selected SH3-installation can now be copied.");
    EXPECT_EQ(volume.text.substr(0, 27), "Datavolume: 0 KB\n\nWhere sha");
    EXPECT_EQ(volume.text, GetText(21) + "0 KB" + GetText(22));
    EXPECT_EQ(volume.type, 33u);
    EXPECT_EQ(gCalls[3].kind, "folder");
    EXPECT_EQ(gCalls[3].text, GetText(23));
    const Call& location = gCalls[4];
    EXPECT_EQ(location.caption, GetText(30));
    EXPECT_EQ(location.text.substr(0, 6), "D:\\\n\nE"); // the path alone, an empty line, the rest
    EXPECT_EQ(location.text, "D:\\" + GetText(31));
    EXPECT_EQ(location.type, 65u);
    const Call& name = gCalls[5];
    EXPECT_EQ(name.kind, "text");
    EXPECT_EQ(name.caption, GetText(40));
    EXPECT_EQ(name.text, GetText(41));
    EXPECT_EQ(name.defaultText, "SilentHunterIII");
    const Call& last = gCalls[6];
    EXPECT_EQ(last.caption, GetText(50));
    EXPECT_EQ(last.text, GetText(51));
    EXPECT_EQ(last.type, 65u);

    // sh3.exe is looked for with the doubled separator; the new folder is checked for existence.
    ASSERT_GE(gPathQueries.size(), 2u);
    EXPECT_EQ(gPathQueries.front(), kSh3);
    EXPECT_EQ(gPathQueries.back(), "D:\\SH3_Multi\\");
}

TEST_F(Sequence, GermanTextsFollowTheLanguage) {
    Language = 0;
    ASSERT_TRUE(Run({"OK", kSource, "OK", "D:\\", "OK", "SH3_Multi", "OK"}));
    EXPECT_EQ(gCalls[2].text.substr(0, 16), "Datenmenge: 0 KB");
    EXPECT_EQ(gCalls[0].caption, GetText(10));
}

// Cancel (or an empty answer) at every dialog of the sequence, repeated dialogs included: the
// run ends with RunOutcome 1 and nothing more is asked.
TEST_F(Sequence, EveryWayOutEndsTheRunAtOnce) {
    struct Road {
        const char* where;
        std::deque<std::string> answers;
    } roads[] = {
        {"1 source question", {"CANCEL"}},
        {"2 source folder", {"OK", ""}},
        {"3 source folder again after a folder without sh3.exe", {"OK", "C:\\Empty\\", ""}},
        {"5 volume notice", {"OK", kSource, "CANCEL"}},
        {"6 target", {"OK", kSource, "OK", ""}},
        {"6 target again after one inside the source", {"OK", kSource, "OK", kSource, ""}},
        {"8 location notice", {"OK", kSource, "OK", "D:\\", "CANCEL"}},
        {"9 name: OK on the empty field", {"OK", kSource, "OK", "D:\\", "OK", ""}},
        {"9 name again after a refusal", {"OK", kSource, "OK", "D:\\", "OK", "a b", ""}},
        {"10 final confirmation", {"OK", kSource, "OK", "D:\\", "OK", "SH3_Multi", "CANCEL"}},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.where);
        ClearState();
        Language = 1;
        gCalls.clear();
        EXPECT_FALSE(Run(road.answers));
        EXPECT_EQ(RunOutcome, OUTCOME_ENDED);
        EXPECT_EQ(gCalls.size(), road.answers.size());
        EXPECT_TRUE(gAnswers.empty());
    }
}

TEST_F(Sequence, FolderWithoutSh3BringsTheSameFolderDialogBackWithoutAMessage) {
    gExisting["C:\\Games\\Other\\\\sh3.exe"] = -1;
    ASSERT_TRUE(Run({"OK", "C:\\Games\\Other\\", "C:\\Games\\Other2\\", kSource, "OK", "D:\\", "OK",
                     "SH3_Multi", "OK"}));
    EXPECT_EQ(SourcePath, kSource);
    ASSERT_GE(gCalls.size(), 4u);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(gCalls[i].kind, "folder");
        EXPECT_EQ(gCalls[i].text, GetText(12));
    }
    EXPECT_EQ(Count("message"), 4);
}

TEST_F(Sequence, SubfolderNamedSh3ExePassesTheSourceTest) {
    gExisting = {{"C:\\Odd\\\\sh3.exe", -2}};
    ASSERT_TRUE(Run({"OK", "C:\\Odd\\", "OK", "D:\\", "OK", "SH3_Multi", "OK"}));
    EXPECT_EQ(SourcePath, "C:\\Odd\\");
    EXPECT_EQ(Count("folder"), 2);
}

TEST_F(Sequence, DriveRootAsSourceSuggestsAnEmptyName) {
    gExisting = {{"C:\\\\sh3.exe", 99}};
    EXPECT_FALSE(Run({"OK", "C:\\", "OK", "D:\\", "OK", ""}));
    EXPECT_EQ(SourcePath, "C:\\");
    EXPECT_EQ(SourceFolderName, "");
    EXPECT_EQ(gCalls.back().kind, "text");
    EXPECT_EQ(gCalls.back().defaultText, "");
    EXPECT_EQ(RunOutcome, OUTCOME_ENDED);
}

// Each refused name brings the name dialog back, pre-filled with the suggestion again, without a
// message; the next acceptable name is taken.
TEST_F(Sequence, RefusedNamesBringTheNameDialogBack) {
    const char* refused[] = {
        "SilentHunterIII",
        " SH3",
        "SH3 ",
        "SH 3",
        "..\\..\\Windows",
        "C:",
        "a/b",
        "a:b",
        "a*b",
        "a?b",
        "a\"b",
        "a<b",
        "a>b",
        "a|b",
        "a\x05",
        "multi.",
        ".",
        "..",
        "CON",
        "nul.txt",
        "Com1",
        "LPT9",
    };
    for (const char* name : refused) {
        SCOPED_TRACE(name);
        ClearState();
        Language = 1;
        gCalls.clear();
        ASSERT_TRUE(Run({"OK", kSource, "OK", "D:\\", "OK", name, "SH3_Multi", "OK"}));
        EXPECT_EQ(CopyName, "SH3_Multi");
        ASSERT_EQ(Count("text"), 2);
        EXPECT_EQ(gCalls[5].defaultText, "SilentHunterIII");
        EXPECT_EQ(gCalls[6].kind, "text");
        EXPECT_EQ(gCalls[6].defaultText, "SilentHunterIII");
        EXPECT_EQ(Count("message"), 4);
    }
}

TEST_F(Sequence, OtherLetterCaseUmlautsAndDotsInsideAreAccepted) {
    for (const char* name :
         {"silenthunteriii", "SILENTHUNTERIII", "SH3_M\xfclti", "SH3.Multi", "CONSOLE", "COM10"}) {
        SCOPED_TRACE(name);
        ClearState();
        Language = 1;
        gCalls.clear();
        ASSERT_TRUE(Run({"OK", kSource, "OK", "D:\\", "OK", name, "OK"}));
        EXPECT_EQ(CopyName, name);
        EXPECT_EQ(Count("text"), 1);
    }
}

// A new folder that exists already, or that is the source itself in other letter case, is
// refused like a wrong name: the name dialog comes back.
TEST_F(Sequence, ExistingTargetOrTheSourceItselfIsRefusedAtTheName) {
    struct Case {
        const char* target;
        const char* name;
    } refused[] = {
        {"D:\\", "Earlier"},                // D:\Earlier\ exists (often an earlier copy)
        {"c:\\games\\", "silenthunteriii"}, // the source itself
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(std::string(c.target) + c.name);
        ClearState();
        Language = 1;
        gCalls.clear();
        gExisting = {{kSh3, 1}, {"D:\\Earlier\\", -2}};
        ASSERT_TRUE(Run({"OK", kSource, "OK", c.target, "OK", c.name, "Fresh", "OK"}));
        EXPECT_EQ(CopyName, "Fresh");
        EXPECT_EQ(Count("text"), 2);
        EXPECT_EQ(gCalls[6].defaultText, "SilentHunterIII");
        EXPECT_EQ(Count("message"), 4);
    }
    // A sibling of the source whose name merely begins like it is fine.
    ClearState();
    Language = 1;
    ASSERT_TRUE(Run({"OK", kSource, "OK", "C:\\Games\\", "OK", "SilentHunterIII_MP", "OK"}));
    EXPECT_EQ(CopyName, "SilentHunterIII_MP");
}

// A location inside the source would put every new folder inside it: no name could help, so the
// target folder dialog itself comes back, without a message.
TEST_F(Sequence, TargetInsideTheSourceBringsTheTargetDialogBack) {
    ASSERT_TRUE(Run({"OK", kSource, "OK", "C:\\Games\\SilentHunterIII\\",
                     "c:\\games\\silenthunteriii\\data\\", "D:\\", "OK", "SH3_Multi", "OK"}));
    EXPECT_EQ(TargetRoot, "D:\\");
    ASSERT_EQ(Count("folder"), 4);
    for (int i = 3; i <= 5; ++i) {
        EXPECT_EQ(gCalls[i].kind, "folder");
        EXPECT_EQ(gCalls[i].text, GetText(23));
    }
    EXPECT_EQ(Count("message"), 4);
}

} // namespace
