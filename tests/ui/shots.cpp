// Drives Duplora.exe to one state for a screenshot, stops there until the picture is taken, then
// leaves the program the way a user would (or ends it) so nothing stays running. A shot is a row
// of kShots: its name, the installation it needs, a function that drives a freshly started
// program to the state and returns the window to frame, and one that finishes afterwards.
// Usage: ui_shots.exe <folder> <shot>. At the stop it writes "<shot> left top right bottom"
// (screen coordinates of that window) to <folder>\stop.txt and waits for <folder>\go.txt;
// scripts/screenshots takes the picture in between.
#include "copytool/window.h"
#include "tests/driver/driver.h"
#include "tests/driver/wizard_driver.h"
#include "tests/fixtures/fixture.h"
#include "ui/windows.h"
#include "wizard/text_input.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

namespace {

// The pictures show these paths, so they read like a player's own installation.
const char kBase[] = "C:\\Games";
const char kSource[] = "C:\\Games\\SilentHunterIII";
const char kCopyName[] = "SH3_Multi";
const char kSavegameName[] = "MP1";
// A game-sized file, sparse so it costs no disk: the volume notice reads 1.50 GB and the copy
// runs long enough to be seen.
const char kLargeFile[] = "\\data\\Terrain\\Terrain.dat";
const LONGLONG kLargeSize = 1536LL << 20;
// Where the progress bar is caught (per mille).
const int kProgressShown = 380;

enum class Install { None, Small, Large };

struct Run {
    driver::App app;
    std::string work;
    driver::App copyProgram;         // kopier.exe, once its window is found
    std::vector<HANDLE> heldThreads; // its copy threads, held while the picture is taken
};

void Say(const char* what) {
    fprintf(stderr, "ui_shots: %s\n", what);
}

// ---- files ---------------------------------------------------------------------------------

std::wstring Wide(const std::string& text) {
    wchar_t buffer[MAX_PATH * 2] = L"";
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH * 2);
    return buffer;
}

// The fixture holds paths past 260 characters and names outside the ANSI code page: removed
// with the wide calls and the "\\?\" prefix.
void RemoveTree(const std::wstring& folder) {
    const std::wstring prefix = L"\\\\?\\";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((prefix + folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW((prefix + path).c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(path);
            else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW((prefix + path).c_str());
            else
                DeleteFileW((prefix + path).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW((prefix + folder).c_str());
}

std::string DesktopFolder() {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path);
    return std::string(path) + "\\" + kCopyName;
}

// Everything a shot may have left: the installation, its copy, the copy's desktop folder.
void CleanUp() {
    RemoveTree(Wide(kSource));
    RemoveTree(Wide(std::string(kBase) + "\\" + kCopyName));
    RemoveDirectoryA(kBase); // only when nothing else is in it
    RemoveTree(Wide(DesktopFolder()));
}

bool MakeInstallation(Install install) {
    if (install == Install::None) return true;
    CreateDirectoryA(kBase, nullptr);
    std::wstring error;
    FixtureOptions options;
    options.withJsgme = true;
    if (!MakeFixture(Wide(kSource), options, &error)) {
        fprintf(stderr, "ui_shots: fixture: %ls\n", error.c_str());
        return false;
    }
    if (install == Install::Small) return true;
    std::string large = std::string(kSource) + kLargeFile;
    HANDLE file = CreateFileA(large.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = kLargeSize;
    bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

// The copy program's window class, as the driver's narrow functions take it.
const char kCopyClass[] = "KopierWindow";

// ---- driving -------------------------------------------------------------------------------


bool Language(Run* run) {
    HWND start = driver::WaitProgramWindow(run->app, WINDOW_START, driver::kSlowTimeoutMs);
    return start && driver::Press(start, GADGET_ENGLISH);
}

bool InfoOk(Run* run) {
    HWND info = driver::WaitProgramWindow(run->app, WINDOW_INFO, driver::kSlowTimeoutMs);
    return info && driver::Press(info, GADGET_OK);
}

HWND NextMessageBox(Run* run) {
    return driver::WaitMessageBox(run->app, driver::kSlowTimeoutMs).hwnd;
}

bool Ok(Run* run) {
    HWND box = NextMessageBox(run);
    return box && driver::AnswerAndWait(box, IDOK);
}

bool ChooseFolder(Run* run, const std::string& folder) {
    HWND browser = driver::WaitFolderBrowser(run->app);
    std::string trail;
    if (!browser) return false;
    if (!driver::SelectFolder(browser, folder, &trail)) {
        fprintf(stderr, "ui_shots: no folder %s: %s\n", folder.c_str(), trail.c_str());
        return false;
    }
    return driver::FinishFolderBrowser(browser, IDOK) && driver::WaitGone(browser);
}

// The text-input window with `text` typed over its field, as a user leaves it before Enter.
HWND TypeIntoNameDialog(Run* run, const char* text) {
    HWND input = driver::WaitInputRequester(run->app);
    if (!input) return nullptr;
    HWND field = driver::Child(input, INPUT_FIELD_ID);
    SendMessageA(field, EM_SETSEL, 0, -1);
    driver::Type(field, text);
    return input;
}

bool AnswerNameDialog(Run* run, const char* text) {
    HWND input = TypeIntoNameDialog(run, text);
    if (!input) return false;
    driver::Key(driver::Child(input, INPUT_FIELD_ID), VK_RETURN);
    return driver::WaitGone(input);
}

// From the language button to the source folder chosen: the volume notice comes next.
bool UpToTheVolume(Run* run) {
    return Language(run) && InfoOk(run) && Ok(run) && ChooseFolder(run, kSource);
}

// From the language button through the final confirmation: the copy program starts next.
bool UpToTheCopy(Run* run) {
    return UpToTheVolume(run) && Ok(run) && ChooseFolder(run, std::string(kBase)) && Ok(run) &&
           AnswerNameDialog(run, kCopyName) && Ok(run);
}


// Holds every thread of the copy program but the window's: the copy stops where it is while
// the window goes on painting, so the picture shows the bar partway however fast the disk is.
void HoldCopyThreads(Run* run, HWND window) {
    DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != run->copyProgram.pid || entry.th32ThreadID == windowThread)
            continue;
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        if (SuspendThread(thread) == (DWORD)-1)
            CloseHandle(thread);
        else
            run->heldThreads.push_back(thread);
    }
    CloseHandle(snapshot);
}

void ReleaseCopyThreads(Run* run) {
    for (HANDLE thread : run->heldThreads) {
        ResumeThread(thread);
        CloseHandle(thread);
    }
    run->heldThreads.clear();
}

// ---- the shots -----------------------------------------------------------------------------

HWND StartWindow(Run* run) {
    return driver::WaitProgramWindow(run->app, WINDOW_START, driver::kSlowTimeoutMs);
}

HWND InfoWindow(Run* run) {
    if (!Language(run)) return nullptr;
    return driver::WaitProgramWindow(run->app, WINDOW_INFO, driver::kSlowTimeoutMs);
}

HWND VolumeNotice(Run* run) {
    return UpToTheVolume(run) ? NextMessageBox(run) : nullptr;
}

HWND NameDialog(Run* run) {
    if (!UpToTheVolume(run) || !Ok(run) || !ChooseFolder(run, kBase) || !Ok(run)) return nullptr;
    return TypeIntoNameDialog(run, kCopyName);
}

HWND CopyProgress(Run* run) {
    if (!UpToTheCopy(run)) return nullptr;
    HWND window = nullptr;
    for (DWORD until = GetTickCount() + 30000; !window && (int)(until - GetTickCount()) > 0;)
        if (!(window = driver::FindChildProcessWindow(run->app, kCopyClass))) Sleep(10);
    if (!window) {
        Say("the copy program's window never showed");
        return nullptr;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    run->copyProgram.pid = pid;
    run->copyProgram.process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
    HWND bar = driver::Child(window, kIdProgress);
    for (DWORD until = GetTickCount() + 120000; (int)(until - GetTickCount()) > 0; Sleep(5)) {
        DWORD_PTR position = 0;
        if (!IsWindow(window) ||
            !SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &position))
            break;
        if ((int)position >= kProgressShown) {
            HoldCopyThreads(run, window);
            return window;
        }
    }
    Say("the copy ended before its progress bar was caught partway");
    return nullptr;
}

// Cancels the copy through its own button and question, then answers the program's notices of
// the incomplete copy and of the ended run.
bool CancelCopy(Run* run) {
    ReleaseCopyThreads(run);
    HWND window = driver::FindChildProcessWindow(run->app, kCopyClass);
    if (window) {
        // Posted: the program asks back from inside the click, which a sent click would wait for.
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(kIdButton, BN_CLICKED),
                     (LPARAM)driver::Child(window, kIdButton));
        HWND question = driver::WaitWindow(run->copyProgram, "#32770", nullptr, 10000);
        if (question) driver::Answer(question, IDYES);
    }
    bool ok = Ok(run) && Ok(run); // the incomplete copy, then the run ended by the user
    if (run->copyProgram.process) driver::WaitExit(&run->copyProgram, driver::kSlowTimeoutMs);
    return driver::WaitExit(&run->app, driver::kSlowTimeoutMs) == 0 && ok;
}

// The copy program's window after the copy (when it stays open) is closed by its button.
bool AfterTheCopy(Run* run) {
    DWORD until = GetTickCount() + 300000;
    while ((int)(until - GetTickCount()) > 0) {
        driver::MessageBoxInfo box = driver::WaitMessageBox(run->app, 200);
        if (box.hwnd) return driver::AnswerAndWait(box.hwnd, IDOK);
        HWND window = driver::FindChildProcessWindow(run->app, kCopyClass);
        HWND button = window ? driver::Child(window, kIdButton) : nullptr;
        std::string label = button ? driver::Text(button) : "";
        if (button && IsWindowEnabled(button) && label != "Cancel" && label != "Abbrechen")
            driver::Press(window, kIdButton);
    }
    Say("no copy-finished notice");
    return false;
}

HWND ReportWindow(Run* run) {
    if (!UpToTheCopy(run) || !AfterTheCopy(run) || !AnswerNameDialog(run, kSavegameName))
        return nullptr;
    return driver::WaitProgramWindow(run->app, WINDOW_REPORT, driver::kSlowTimeoutMs);
}

bool Quit(Run* run) {
    HWND report = driver::WaitProgramWindow(run->app, WINDOW_REPORT, 1000);
    return report && driver::Press(report, GADGET_QUIT) &&
           driver::WaitExit(&run->app, driver::kSlowTimeoutMs) == 0;
}

const struct {
    const char* name;
    Install install;
    HWND (*drive)(Run*);
    bool (*finish)(Run*); // nullptr: the program is ended
    DWORD paintMs;        // for a window just opened to paint itself
} kShots[] = {
    {"start-window", Install::None, StartWindow, nullptr, 700},
    {"info-window", Install::None, InfoWindow, nullptr, 700},
    {"volume-notice", Install::Large, VolumeNotice, nullptr, 700},
    {"name-dialog", Install::Small, NameDialog, nullptr, 700},
    // Painted all along; while the copy is held its speed figure sinks, so no waiting.
    {"copy-progress", Install::Large, CopyProgress, CancelCopy, 0},
    {"report-window", Install::Small, ReportWindow, Quit, 700},
};

bool Stop(const std::string& folder, const char* name, HWND hwnd, DWORD paintMs) {
    Sleep(paintMs);
    RECT r;
    GetWindowRect(hwnd, &r);
    std::string go = folder + "\\go.txt";
    DeleteFileA(go.c_str());
    FILE* f = fopen((folder + "\\stop.txt").c_str(), "w");
    if (!f) return false;
    fprintf(f, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
    fclose(f);
    for (int i = 0; i < 600 && GetFileAttributesA(go.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    DeleteFileA(go.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: ui_shots <folder> <shot>\n");
        return 2;
    }
    for (const auto& shot : kShots) {
        if (strcmp(shot.name, argv[2]) != 0) continue;
        CleanUp();
        Run run;
        run.work = driver::MakeTempDir("shot");
        bool ok = MakeInstallation(shot.install) && driver::Start(&run.app, run.work);
        HWND frame = ok ? shot.drive(&run) : nullptr;
        ok = frame && Stop(argv[1], shot.name, frame, shot.paintMs);
        if (ok && shot.finish && !shot.finish(&run))
            Say("the program did not end as a user ends it");
        ReleaseCopyThreads(&run);
        driver::Kill(&run.copyProgram);
        driver::Kill(&run.app);
        RemoveTree(Wide(run.work));
        CleanUp();
        return ok ? 0 : 1;
    }
    fprintf(stderr, "ui_shots: no shot named %s\n", argv[2]);
    return 2;
}
