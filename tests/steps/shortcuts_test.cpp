// The shortcut step over a copy on disk: the desktop folder, the links read back through the
// shell's own link object, JSGME.ini, and a link started the way the shell starts it.
#include "app/state.h"
#include "tests/driver/driver.h"
#include "tests/driver/files.h"
#include "wizard/shortcuts.h"
#include "wizard/steps.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

namespace {

TEST(FolderPath, EndsWithExactlyOneBackslash) {
    EXPECT_EQ(FolderPathWithBackslash("D:\\"), "D:\\");
    EXPECT_EQ(FolderPathWithBackslash("C:\\users\\Player\\Desktop"),
              "C:\\users\\Player\\Desktop\\");
    EXPECT_EQ(FolderPathWithBackslash("C:\\users\\Player\\Desktop\\"),
              "C:\\users\\Player\\Desktop\\");
    EXPECT_EQ(FolderPathWithBackslash(""), "");
}

TEST(FolderPath, SpecialFoldersComeBackWithOneBackslashAndExist) {
    for (int csidl : {CSIDL_DESKTOP, CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL}) {
        std::string path = SpecialFolderPath(csidl);
        ASSERT_GE(path.size(), 4u) << csidl;
        EXPECT_EQ(path.back(), '\\') << path;
        EXPECT_NE(path[path.size() - 2], '\\') << path;
        EXPECT_TRUE(AnythingAt(path)) << path;
    }
    EXPECT_EQ(SpecialFolderPath(CSIDL_DESKTOP), SpecialFolderPath(CSIDL_DESKTOPDIRECTORY));
}

TEST(JsgmeIni, IsTenLinesWithCrLfAnd166BytesForD_SH3_MP) {
    std::string text = JsgmeIniText("D:\\SH3_MP\\");
    EXPECT_EQ(text, "[MODS FOLDER]\r\n"
                    "Name=MODS\r\n"
                    "[JSGME DETAILS]\r\n"
                    "FullPath=D:\\SH3_MP\\JSGME.EXE\r\n"
                    "[FORM SIZE]\r\n"
                    "Main Height=594\r\n"
                    "Main Left=565\r\n"
                    "Main Top=5\r\n"
                    "Main Width=456\r\n"
                    "Main WindowState=0\r\n");
    EXPECT_EQ(text.size(), 166u);
    EXPECT_EQ(JsgmeIniText("C:\\A B\\").size(), 156u + 7);
}

TEST(JsgmeIni, ALongerOlderFileIsCutToTheNewContent) {
    std::string folder = driver::MakeTempDir("jsgme") + "\\";
    std::string path = folder + "JSGME.ini";
    ASSERT_TRUE(WriteWholeFile(path, std::string(4000, 'x')));
    std::string text = JsgmeIniText("D:\\SH3_MP\\");
    EXPECT_TRUE(WriteJsgmeIni(path, text));
    EXPECT_EQ(ReadWholeFile(path), text);
    RemoveTree(folder);
}

struct LinkProperties {
    bool loaded = false;
    std::wstring target, workingDirectory, arguments, description, icon;
    int showCommand = -1, iconIndex = -1;
    WORD hotkey = 0xFFFF;
};

std::wstring Wide(const std::string& text) {
    wchar_t buffer[MAX_PATH * 2] = L"";
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH * 2);
    return buffer;
}

// Reads a link file back through the shell's own link object.
LinkProperties ReadLink(const std::string& linkFile) {
    LinkProperties p;
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   (void**)&link))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file))) {
            if (SUCCEEDED(file->Load(Wide(linkFile).c_str(), STGM_READ))) {
                p.loaded = true;
                wchar_t buffer[MAX_PATH * 2];
                buffer[0] = 0;
                link->GetPath(buffer, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
                p.target = buffer;
                buffer[0] = 0;
                link->GetWorkingDirectory(buffer, MAX_PATH * 2);
                p.workingDirectory = buffer;
                buffer[0] = 0;
                link->GetArguments(buffer, MAX_PATH * 2);
                p.arguments = buffer;
                buffer[0] = 0;
                link->GetDescription(buffer, MAX_PATH * 2);
                p.description = buffer;
                buffer[0] = 0;
                link->GetIconLocation(buffer, MAX_PATH * 2, &p.iconIndex);
                p.icon = buffer;
                link->GetShowCmd(&p.showCommand);
                link->GetHotkey(&p.hotkey);
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return p;
}

void ExpectLink(const std::string& linkFile, const std::string& target,
                const std::string& workingDirectory) {
    LinkProperties p = ReadLink(linkFile);
    ASSERT_TRUE(p.loaded) << linkFile;
    EXPECT_EQ(_wcsicmp(p.target.c_str(), Wide(target).c_str()), 0) << linkFile;
    EXPECT_EQ(p.workingDirectory, Wide(workingDirectory)) << linkFile;
    EXPECT_EQ(p.arguments, L"") << linkFile;
    EXPECT_EQ(p.description, L"") << linkFile;
    EXPECT_EQ(p.showCommand, SW_SHOWNORMAL) << linkFile;
    EXPECT_EQ(p.hotkey, 0) << linkFile;
    EXPECT_EQ(_wcsicmp(p.icon.c_str(), Wide(target).c_str()), 0) << linkFile;
    EXPECT_EQ(p.iconIndex, 0) << linkFile;
}

class ShortcutStepTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static int counter;
        target_ = driver::MakeTempDir("target") + "\\";
        CopyName =
            "SH3_MP_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter++);
        TargetRoot = target_;
        copy_ = target_ + CopyName + "\\";
        ASSERT_TRUE(CreateDirectoryA(copy_.c_str(), nullptr));
        std::string game = ReadWholeFile(driver::BuildDir() + "\\tests\\steps\\record_start.exe");
        ASSERT_GT(game.size(), 1000u);
        ASSERT_TRUE(WriteWholeFile(copy_ + "sh3.exe", game));
        desktopFolder_ = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY) + CopyName;
        RunOutcome = OUTCOME_COMPLETED;
    }
    void TearDown() override {
        RemoveTree(desktopFolder_);
        RemoveTree(target_);
        ClearState();
    }
    std::string target_, copy_, desktopFolder_;
};

TEST_F(ShortcutStepTest, WithTheModEnablerBothLinksAndJsgmeIniAreMade) {
    ASSERT_TRUE(WriteWholeFile(copy_ + "JSGME.EXE", "MZ"));
    ShortcutStep();
    EXPECT_EQ(RunOutcome, OUTCOME_COMPLETED);
    EXPECT_EQ(CopyPath, copy_);
    EXPECT_EQ(DesktopPath, SpecialFolderPath(CSIDL_DESKTOP));
    EXPECT_EQ(DocumentsPath, SpecialFolderPath(CSIDL_PERSONAL));
    ExpectLink(desktopFolder_ + "\\SH3.LNK", copy_ + "sh3.exe", copy_);
    ExpectLink(desktopFolder_ + "\\SH3_JSGME.LNK", copy_ + "JSGME.EXE", copy_);
    EXPECT_EQ(ReadWholeFile(copy_ + "JSGME.ini"), JsgmeIniText(copy_));
}

TEST_F(ShortcutStepTest, WithoutTheModEnablerOnlyTheGameLink) {
    ShortcutStep();
    EXPECT_EQ(RunOutcome, OUTCOME_COMPLETED);
    ExpectLink(desktopFolder_ + "\\SH3.LNK", copy_ + "sh3.exe", copy_);
    EXPECT_FALSE(AnythingAt(desktopFolder_ + "\\SH3_JSGME.LNK"));
    EXPECT_FALSE(AnythingAt(copy_ + "JSGME.ini"));
}

TEST_F(ShortcutStepTest, AFolderNamedJsgmeExeInAnyCaseCountsAsTheModEnabler) {
    ASSERT_TRUE(CreateDirectoryA((copy_ + "jsgme.exe").c_str(), nullptr));
    ShortcutStep();
    EXPECT_TRUE(FileExists(desktopFolder_ + "\\SH3_JSGME.LNK"));
    EXPECT_EQ(ReadWholeFile(copy_ + "JSGME.ini"), JsgmeIniText(copy_));
}

TEST_F(ShortcutStepTest, AnExistingDesktopFolderKeepsItsOtherFilesAndGetsNewLinks) {
    ASSERT_TRUE(CreateDirectoryA(desktopFolder_.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(desktopFolder_ + "\\SH3.LNK", "stale"));
    ASSERT_TRUE(WriteWholeFile(desktopFolder_ + "\\notes.txt", "mine"));
    ShortcutStep();
    ExpectLink(desktopFolder_ + "\\SH3.LNK", copy_ + "sh3.exe", copy_);
    EXPECT_EQ(ReadWholeFile(desktopFolder_ + "\\notes.txt"), "mine");
}

TEST_F(ShortcutStepTest, TheGameLinkStartedThroughStartRunsTheCopysGameInCopyPath) {
    ShortcutStep();
    std::string link = desktopFolder_ + "\\SH3.LNK";
    ASSERT_TRUE(FileExists(link));
    std::string commandLine = "start.exe /wait " + link;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               target_.c_str(), &startup, &process));
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // start's /wait does not always hold until the game has written its record under Wine.
    std::string record;
    for (int i = 0; i < 300 && Line(record, 1).empty(); i++) {
        Sleep(100);
        record = ReadWholeFile(copy_ + "started.txt");
    }
    EXPECT_EQ(_stricmp(Line(record, 0).c_str(), (copy_ + "sh3.exe").c_str()), 0) << record;
    EXPECT_EQ(_stricmp((Line(record, 1) + "\\").c_str(), copy_.c_str()), 0) << record;
}

} // namespace
