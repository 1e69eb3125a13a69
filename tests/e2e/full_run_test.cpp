// The whole road through the real Duplora.exe and its real copy program, driven like a user:
// language, the wizard's questions, the copy, the savegame name, the report.
#include "app/state.h"
#include "app/texts.h"
#include "tests/driver/driver.h"
#include "tests/driver/wizard_driver.h"
#include "tests/fixtures/fixture.h"
#include "tests/driver/files.h"
#include "ui/windows.h"
#include "wizard/report.h"
#include "wizard/savegame.h"
#include "wizard/shortcuts.h"
#include "wizard/text_input.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>

namespace {

// The copy program's window and its one button (Cancel while copying, Close afterwards).
const char kCopyWindowClass[] = "KopierWindow";
const int kCopyButton = 110;

const int kCopyTimeoutMs = 120000;

std::wstring Wide(const std::string& text) {
    wchar_t buffer[MAX_PATH * 2] = L"";
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH * 2);
    return buffer;
}

// The fixture holds paths past 260 characters and names outside the ANSI code page: walk it
// with the wide calls and the "\\?\" prefix.
std::wstring Long(const std::wstring& path) {
    return L"\\\\?\\" + path;
}

std::string ReadWide(const std::wstring& path) {
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// Every entry under `folder` (ending with "\"), by its path relative to it: a file with its
// bytes, a folder with a trailing backslash.
void CollectFiles(const std::wstring& folder, const std::wstring& prefix,
                  std::map<std::wstring, std::string>* files) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Long(folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*files)[prefix + name + L"\\"] = "";
            CollectFiles(folder + name + L"\\", prefix + name + L"\\", files);
        } else {
            (*files)[prefix + name] = ReadWide(folder + name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::map<std::wstring, std::string> Tree(const std::string& folder) {
    std::map<std::wstring, std::string> files;
    CollectFiles(Wide(folder), L"", &files);
    return files;
}

void RemoveWideTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Long(folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveWideTree(path);
            else
                DeleteFileW(Long(path).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(Long(folder).c_str());
}

void RemoveFolder(const std::string& folder) {
    std::wstring wide = Wide(folder);
    if (!wide.empty() && wide.back() == L'\\') wide.pop_back();
    RemoveWideTree(wide);
}



class FullRun : public ::testing::Test {
  protected:
    void SetUp() override {
        FillTextTable();
        work_ = driver::MakeTempDir("e2e-work") + "\\";
        sourceBase_ = driver::MakeTempDir("e2e-source");
        source_ = sourceBase_ + "\\SilentHunterIII\\";
        targetRoot_ = driver::MakeTempDir("e2e-target") + "\\";
        copyName_ = "SH3_MP_" + std::to_string(GetCurrentProcessId());
        copy_ = targetRoot_ + copyName_ + "\\";
        std::wstring error;
        FixtureOptions options;
        options.withJsgme = true;
        ASSERT_TRUE(MakeFixture(Wide(source_), options, &error));
        // The game leaves its temp file in the installation; a copy must lose it.
        ASSERT_TRUE(WriteWholeFile(source_ + "sh3.tmp", "temp"));
        desktopFolder_ = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY) + copyName_;
    }
    void TearDown() override {
        driver::Kill(&app_);
        for (const std::string& folder : {desktopFolder_, work_, sourceBase_, targetRoot_})
            RemoveFolder(folder);
        Language = 0;
    }

    // Answers the next message box of the program after checking its caption.
    void Expect(int captionText, int answer) {
        driver::MessageBoxInfo box = driver::WaitMessageBox(app_);
        ASSERT_TRUE(box.hwnd) << "no message box for text " << captionText;
        ASSERT_EQ(box.caption, GetText(captionText));
        ASSERT_TRUE(driver::AnswerAndWait(box.hwnd, answer));
    }

    void ChooseFolder(const std::string& folder) {
        HWND browser = driver::WaitFolderBrowser(app_);
        ASSERT_TRUE(browser);
        std::string trail;
        std::string path = folder.substr(0, folder.size() - 1);
        ASSERT_TRUE(driver::SelectFolder(browser, path, &trail)) << path << " " << trail;
        ASSERT_TRUE(driver::FinishFolderBrowser(browser, IDOK));
        driver::WaitGone(browser);
    }

    // Types the answer over the field's text and presses Enter, as a user would.
    void Answer(const std::string& text) {
        HWND input = driver::WaitInputRequester(app_);
        ASSERT_TRUE(input);
        HWND field = driver::Child(input, INPUT_FIELD_ID);
        SendMessageA(field, EM_SETSEL, 0, -1);
        driver::Type(field, text);
        driver::Key(field, VK_RETURN);
        ASSERT_TRUE(driver::WaitGone(input));
    }

    // From the language button to the final confirmation, answered with OK.
    void WizardUpToTheCopy(int languageGadget) {
        Language = languageGadget == GADGET_ENGLISH ? 1 : 0;
        ASSERT_TRUE(driver::Start(&app_, work_));
        HWND start = driver::WaitProgramWindow(app_, WINDOW_START);
        ASSERT_TRUE(start);
        ASSERT_TRUE(driver::Press(start, languageGadget));
        HWND info = driver::WaitProgramWindow(app_, WINDOW_INFO);
        ASSERT_TRUE(info);
        ASSERT_TRUE(driver::Press(info, GADGET_OK));
        ASSERT_NO_FATAL_FAILURE(Expect(10, IDOK));
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(source_));
        ASSERT_NO_FATAL_FAILURE(Expect(20, IDOK));
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(targetRoot_));
        ASSERT_NO_FATAL_FAILURE(Expect(30, IDOK));
        ASSERT_NO_FATAL_FAILURE(Answer(copyName_));
        ASSERT_NO_FATAL_FAILURE(Expect(50, IDOK));
    }

    // Waits until the copy program has ended, closing its window when it stays open after the
    // copy; returns the program's next message box.
    driver::MessageBoxInfo AfterTheCopy() {
        DWORD until = GetTickCount() + kCopyTimeoutMs;
        while ((int)(until - GetTickCount()) > 0) {
            driver::MessageBoxInfo box = driver::WaitMessageBox(app_, 200);
            if (box.hwnd) return box;
            HWND window = driver::FindChildProcessWindow(app_, kCopyWindowClass);
            HWND button = window ? driver::Child(window, kCopyButton) : nullptr;
            std::string label = button ? driver::Text(button) : "";
            if (button && IsWindowEnabled(button) && label != "Cancel" && label != "Abbrechen")
                driver::Press(window, kCopyButton);
        }
        return driver::MessageBoxInfo();
    }

    void CompleteRun(int languageGadget) {
        ASSERT_NO_FATAL_FAILURE(WizardUpToTheCopy(languageGadget));
        driver::MessageBoxInfo finished = AfterTheCopy();
        ASSERT_TRUE(finished.hwnd) << "no copy-finished notice";
        ASSERT_EQ(finished.caption, GetText(70));
        EXPECT_EQ(finished.text, GetText(71));
        // kopier.exe and kopier.ini are gone before the notice comes.
        EXPECT_FALSE(AnythingAt(work_ + "kopier.exe"));
        EXPECT_FALSE(AnythingAt(work_ + "kopier.ini"));
        ASSERT_TRUE(driver::AnswerAndWait(finished.hwnd, IDOK));
        ASSERT_NO_FATAL_FAILURE(Answer("sh3")); // refused: the dialog comes back
        ASSERT_NO_FATAL_FAILURE(Answer("MP1"));

        HWND report = driver::WaitProgramWindow(app_, WINDOW_REPORT);
        ASSERT_TRUE(report);
        EXPECT_EQ(driver::Text(report), GetText(80));
        EXPECT_EQ(driver::ChildText(report, GADGET_REPORT_TEXT),
                  ReportText(copy_, SpecialFolderPath(CSIDL_PERSONAL), "MP1", copyName_));
        EXPECT_EQ(driver::ChildText(report, GADGET_REPORT_FOOTER), GetText(85));
        EXPECT_EQ(driver::ChildText(report, GADGET_QUIT), Language == 0 ? "BEENDEN" : "QUIT");
        ASSERT_TRUE(driver::Press(report, GADGET_QUIT));
        EXPECT_EQ(driver::WaitExit(&app_), 0);

        // The copy: every entry of the source, byte for byte, but the game's temp file and the
        // three patched bytes; and the mod enabler's new settings.
        std::map<std::wstring, std::string> expected = Tree(source_);
        ASSERT_GT(expected.size(), 20u);
        expected.erase(L"sh3.tmp");
        expected[L"FileManager.dll"].replace(kSavegameNameOffset, 3, "MP1");
        expected[L"JSGME.ini"] = JsgmeIniText(copy_);
        std::map<std::wstring, std::string> copied = Tree(copy_);
        EXPECT_EQ(copied.size(), expected.size());
        for (const auto& entry : expected) {
            auto it = copied.find(entry.first);
            ASSERT_NE(it, copied.end()) << "missing in the copy: " << entry.first.size();
            EXPECT_TRUE(it->second == entry.second) << "differs: " << entry.first.size();
        }
        // The shortcut starts the copy's game in the copy's folder.
        ShellExecuteA(nullptr, nullptr, (desktopFolder_ + "\\SH3.LNK").c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
        std::string ran;
        for (int i = 0; i < 300 && Line(ran, 1).empty(); i++, Sleep(100))
            ran = ReadWholeFile(copy_ + "ran.txt");
        EXPECT_EQ(_stricmp((Line(ran, 0) + "\\").c_str(), copy_.c_str()), 0) << ran;
        EXPECT_EQ(_stricmp(Line(ran, 1).c_str(), (copy_ + "sh3.exe").c_str()), 0) << ran;
        EXPECT_EQ(ReadWholeFile(copy_ + "FileManager.dll").substr(kSavegameNameOffset, 3), "MP1");
        EXPECT_EQ(ReadWholeFile(copy_ + "JSGME.ini").size(), 156 + copy_.size());
        EXPECT_TRUE(FileExists(desktopFolder_ + "\\SH3.LNK"));
        EXPECT_TRUE(FileExists(desktopFolder_ + "\\SH3_JSGME.LNK"));
        EXPECT_TRUE(FileExists(source_ + "sh3.tmp")) << "the source is never touched";
        EXPECT_FALSE(AnythingAt(work_ + "kopier.exe"));
        EXPECT_FALSE(AnythingAt(work_ + "kopier.ini"));
    }

    driver::App app_;
    std::string work_, sourceBase_, source_, targetRoot_, copyName_, copy_, desktopFolder_;
};

TEST_F(FullRun, EnglishCompleteRun) {
    CompleteRun(GADGET_ENGLISH);
}

TEST_F(FullRun, GermanCompleteRun) {
    CompleteRun(GADGET_DEUTSCH);
}

// A file large enough that the copy is still running when its window is first seen; sparse on
// disk, so making it costs nothing.
void AddLargeFile(const std::string& path, LONGLONG size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

TEST_F(FullRun, ACancelledCopyEndsWithTheIncompleteCopyMessageAndNoShortcut) {
    AddLargeFile(source_ + "data\\Terrain\\Large.dat", 1536LL << 20);
    ASSERT_NO_FATAL_FAILURE(WizardUpToTheCopy(GADGET_ENGLISH));
    HWND window = nullptr;
    for (DWORD until = GetTickCount() + 30000; !window && (int)(until - GetTickCount()) > 0;)
        if (!(window = driver::FindChildProcessWindow(app_, kCopyWindowClass))) Sleep(10);
    ASSERT_TRUE(window) << "the copy program's window never showed";
    driver::App copyProgram;
    GetWindowThreadProcessId(window, &copyProgram.pid);
    // Posted: the program asks back from inside the click, which a sent click would wait for.
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(kCopyButton, BN_CLICKED),
                 (LPARAM)driver::Child(window, kCopyButton));
    HWND question = driver::WaitWindow(copyProgram, "#32770", nullptr, 10000);
    ASSERT_TRUE(question) << "the copy program did not ask whether to cancel";
    ASSERT_TRUE(driver::Answer(question, IDYES));

    driver::MessageBoxInfo incomplete = driver::WaitMessageBox(app_, kCopyTimeoutMs);
    ASSERT_TRUE(incomplete.hwnd);
    EXPECT_EQ(incomplete.caption, GetText(61));
    EXPECT_EQ(incomplete.text.find(GetText(62) + copy_), 0u) << incomplete.text;
    EXPECT_FALSE(AnythingAt(work_ + "kopier.exe"));
    EXPECT_FALSE(AnythingAt(work_ + "kopier.ini"));
    ASSERT_TRUE(driver::AnswerAndWait(incomplete.hwnd, IDOK));
    ASSERT_NO_FATAL_FAILURE(Expect(90, IDOK));
    EXPECT_EQ(driver::WaitExit(&app_), 0);
    EXPECT_FALSE(AnythingAt(desktopFolder_)) << "no shortcut for an incomplete copy";
    EXPECT_FALSE(AnythingAt(copy_ + "JSGME.ini"));
}

TEST_F(FullRun, CancelAtTheCopyFinishedNoticeLeavesTheCopyUnpatched) {
    ASSERT_NO_FATAL_FAILURE(WizardUpToTheCopy(GADGET_ENGLISH));
    driver::MessageBoxInfo finished = AfterTheCopy();
    ASSERT_TRUE(finished.hwnd);
    ASSERT_EQ(finished.caption, GetText(70));
    ASSERT_TRUE(driver::AnswerAndWait(finished.hwnd, IDCANCEL));
    ASSERT_NO_FATAL_FAILURE(Expect(90, IDOK));
    EXPECT_EQ(driver::WaitExit(&app_), 0);
    EXPECT_TRUE(ReadWholeFile(copy_ + "FileManager.dll") ==
                ReadWholeFile(source_ + "FileManager.dll"));
    EXPECT_FALSE(AnythingAt(desktopFolder_));
    EXPECT_FALSE(AnythingAt(copy_ + "JSGME.ini"));
    EXPECT_TRUE(FileExists(copy_ + "sh3.exe")) << "the copy stays";
}

} // namespace
