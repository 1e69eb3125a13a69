// kopier.exe on real trees: started as its own process with the command line Duplora sends, its
// window driven like a user would, the copy compared with the source file by file.
#include "copytool/result.h"
#include "copytool/window.h"
#include "tests/driver/driver.h"
#include "tests/fixtures/fixture.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <map>

namespace {

const int kCopyTimeoutMs = 120000;

std::wstring Wide(const std::string& s) {
    int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.c_str(), (int)s.size(), &w[0], n);
    return w;
}

std::wstring KopierPath() {
    std::wstring path = L"Z:" + Wide(KOPIER_EXE);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

std::wstring TempDir(const wchar_t* tag) {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    for (;;) {
        std::wstring dir = std::wstring(temp) + L"kopier-" + tag + L"-" +
                           std::to_wstring(GetCurrentProcessId()) + L"-" +
                           std::to_wstring(counter++);
        if (CreateDirectoryW(dir.c_str(), nullptr)) return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return L"";
    }
}

// The Unix path of a Windows path, in UTF-8 (Wine's own export); empty when not under Wine.
std::string UnixPath(const std::wstring& path) {
    typedef char*(CDECL * ToUnix)(const wchar_t*);
    ToUnix toUnix =
        (ToUnix)(void*)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (!toUnix) return "";
    char* name = toUnix(path.c_str());
    if (!name) return "";
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Single quotes for the shell.
std::string Quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::wstring Extended(const std::wstring& path) {
    return L"\\\\?\\" + path;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(Extended(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Starts kopier.exe the way Duplora does: quoted program, unquoted paths, the six switches.
bool StartKopier(driver::App* app, const std::wstring& arguments, const std::wstring& workDir) {
    std::wstring line = L"\"" + KopierPath() + L"\" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        workDir.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    app->process = pi.hProcess;
    app->pid = pi.dwProcessId;
    return true;
}

std::wstring DupLoraArguments(const std::wstring& source, const std::wstring& target) {
    return source + L"\\*.* " + target + L"\\*.* /e/s/u/be/ot/r-";
}

std::wstring IniValue(const std::wstring& workDir, const wchar_t* key) {
    wchar_t value[2048] = L"";
    GetPrivateProfileStringW(L"Result", key, L"<missing>", value, 2048,
                             (workDir + L"\\kopier.ini").c_str());
    return value;
}

// Waits until kopier.ini exists (written when the copy ends, before the window closes).
bool WaitIni(const std::wstring& workDir, int timeoutMs) {
    DWORD until = GetTickCount() + timeoutMs;
    while (!Exists(workDir + L"\\kopier.ini")) {
        if ((int)(GetTickCount() - until) > 0) return false;
        Sleep(50);
    }
    Sleep(100); // written in one go; give the writer time to close it
    return true;
}

struct Entry {
    bool folder = false;
    uint64_t size = 0;
    DWORD attributes = 0;
    uint64_t written = 0;
    uint64_t hash = 0;
};
using Tree = std::map<std::wstring, Entry>;

uint64_t HashFile(const std::wstring& path) {
    HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    static char buffer[1 << 16];
    uint64_t h = 1469598103934665603ull;
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        for (DWORD i = 0; i < got; ++i)
            h = (h ^ (unsigned char)buffer[i]) * 1099511628211ull;
    CloseHandle(file);
    return h;
}

// Every file and folder below `root`: attributes, last-write time, size and a hash of the bytes.
void Scan(const std::wstring& root, const std::wstring& rel, Tree* tree, bool hashes) {
    WIN32_FIND_DATAW data;
    std::wstring folder = rel.empty() ? root : root + L"\\" + rel;
    HANDLE find = FindFirstFileW(Extended(folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = rel.empty() ? name : rel + L"\\" + name;
        Entry e;
        e.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.size = e.folder ? 0 : ((uint64_t)data.nFileSizeHigh << 32 | data.nFileSizeLow);
        e.attributes = data.dwFileAttributes & ~(DWORD)FILE_ATTRIBUTE_ARCHIVE;
        e.written = (uint64_t)data.ftLastWriteTime.dwHighDateTime << 32 |
                    data.ftLastWriteTime.dwLowDateTime;
        if (!e.folder && hashes) e.hash = HashFile(root + L"\\" + path);
        (*tree)[path] = e;
        if (e.folder) Scan(root, path, tree, hashes);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

Tree ScanTree(const std::wstring& root, bool hashes = true) {
    Tree tree;
    Scan(root, L"", &tree, hashes);
    return tree;
}

std::string Show(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), &s[0], n, nullptr, nullptr);
    return s;
}

void ExpectSameTrees(const Tree& source, const Tree& copy) {
    for (const auto& item : source) {
        auto found = copy.find(item.first);
        if (found == copy.end()) {
            ADD_FAILURE() << "missing in the copy: " << Show(item.first);
            continue;
        }
        const Entry &a = item.second, &b = found->second;
        EXPECT_EQ(a.folder, b.folder) << Show(item.first);
        EXPECT_EQ(a.size, b.size) << Show(item.first);
        EXPECT_EQ(a.hash, b.hash) << "bytes differ: " << Show(item.first);
        EXPECT_EQ(a.attributes, b.attributes) << "attributes: " << Show(item.first);
        EXPECT_EQ(a.written, b.written) << "last-write time: " << Show(item.first);
    }
    for (const auto& item : copy)
        if (!source.count(item.first)) ADD_FAILURE() << "extra in the copy: " << Show(item.first);
}

Tree Without(Tree tree, const std::wstring& rel) {
    for (auto it = tree.begin(); it != tree.end();) {
        if (it->first == rel || it->first.compare(0, rel.size() + 1, rel + L"\\") == 0)
            it = tree.erase(it);
        else
            ++it;
    }
    return tree;
}

struct CopySetup {
    std::wstring work, source, target;
};

CopySetup NewRun(const wchar_t* tag, bool jsgme = true) {
    CopySetup run;
    run.work = TempDir(tag);
    run.source = run.work + L"\\SH3 Original Ä";
    run.target = run.work + L"\\Ziel mit Leerzeichen\\SH3 Kopie";
    std::wstring error;
    FixtureOptions options;
    options.withJsgme = jsgme;
    EXPECT_TRUE(MakeFixture(run.source, options, &error)) << Show(error);
    CreateDirectoryW((run.work + L"\\Ziel mit Leerzeichen").c_str(), nullptr);
    return run;
}

// Ends a kopier.exe a failed assertion left running, so no test leaves one behind.
struct KillOnExit {
    driver::App* app;
    ~KillOnExit() {
        if (app->process && WaitForSingleObject(app->process, 0) == WAIT_TIMEOUT) driver::Kill(app);
    }
};

// A button press that returns at once: the handler opens a modal question and would keep a sent
// message waiting until it is answered.
void Click(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)driver::Child(window, id));
}

// Runs a shell script on the Unix side (Wine starts Unix programs given by their Z: path) and
// starts it; the caller waits for its effect, since Wine neither waits for it nor reports its
// exit code.
bool RunUnix(const std::string& script) {
    std::wstring file = TempDir(L"sh") + L"\\script.sh";
    HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, script.data(), (DWORD)script.size(), &written, nullptr);
    CloseHandle(f);
    std::string unixFile = UnixPath(file);
    if (unixFile.empty()) return false;
    std::wstring line = L"sh " + Wide(unixFile);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

int CopyAndWait(const CopySetup& run, const std::wstring& arguments) {
    driver::App app;
    if (!StartKopier(&app, arguments, run.work)) return -2;
    return driver::WaitExit(&app, kCopyTimeoutMs);
}

TEST(KopierCopy, CopiesEveryFileAndFolderWithBytesAttributesAndTimes) {
    CopySetup run = NewRun(L"full");
    Tree source = ScanTree(run.source);
    // The fixture carries what this test is about; a fixture that lost them would prove nothing.
    ASSERT_TRUE(source.count(L"Dokumentation\\Ωmega Жук.txt"));
    ASSERT_TRUE(source.at(L"data\\Cfg\\both.cfg").attributes & FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(source.at(L"data\\Cfg\\secret.cfg").attributes & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(source.at(L"readme.txt").attributes & FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(source.at(L"Verborgen").attributes & FILE_ATTRIBUTE_HIDDEN);
    size_t longest = 0;
    for (const auto& e : source)
        longest = std::max(longest, run.target.size() + e.first.size());
    ASSERT_GT(longest, 300u);

    EXPECT_EQ(kExitComplete, CopyAndWait(run, DupLoraArguments(run.source, run.target)));
    ExpectSameTrees(source, ScanTree(run.target));
    EXPECT_TRUE(ScanTree(run.target).at(L"data\\Terrain\\Empty").folder);

    uint64_t files = 0, folders = 1, bytes = 0; // the target folder itself counts
    for (const auto& e : source) {
        files += !e.second.folder;
        folders += e.second.folder;
        bytes += e.second.size;
    }
    EXPECT_EQ(L"0", IniValue(run.work, L"ExitCode"));
    EXPECT_EQ(std::to_wstring(files), IniValue(run.work, L"Files"));
    EXPECT_EQ(std::to_wstring(folders), IniValue(run.work, L"Folders"));
    EXPECT_EQ(std::to_wstring(bytes), IniValue(run.work, L"Bytes"));
    EXPECT_EQ(L"0", IniValue(run.work, L"Failures"));
    EXPECT_EQ(L"", IniValue(run.work, L"FirstError"));
}

TEST(KopierCopy, ReplacesExistingFilesReadOnlyOnesToo) {
    CopySetup run = NewRun(L"replace");
    ASSERT_EQ(kExitComplete, CopyAndWait(run, DupLoraArguments(run.source, run.target)));
    // Spoil the copy: a read-only, hidden file with other bytes, and a changed one.
    std::wstring stale = run.target + L"\\readme.txt";
    HANDLE f = CreateFileW(Extended(run.target + L"\\FileManager.dll").c_str(), GENERIC_WRITE, 0,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    DWORD written = 0;
    WriteFile(f, "changed", 7, &written, nullptr);
    CloseHandle(f);
    SetFileAttributesW(stale.c_str(), FILE_ATTRIBUTE_NORMAL);
    f = CreateFileW(stale.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    WriteFile(f, "old", 3, &written, nullptr);
    CloseHandle(f);
    SetFileAttributesW(stale.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(kExitComplete, CopyAndWait(run, DupLoraArguments(run.source, run.target)));
    ExpectSameTrees(ScanTree(run.source), ScanTree(run.target));
}

TEST(KopierCopy, TargetInsideSourceIsNotCopiedIntoItself) {
    CopySetup run = NewRun(L"inside");
    std::wstring target = run.source + L"\\Kopie";
    Tree before = ScanTree(run.source);
    EXPECT_EQ(kExitComplete, CopyAndWait(run, DupLoraArguments(run.source, target)));
    ExpectSameTrees(before, ScanTree(target));
    EXPECT_FALSE(Exists(target + L"\\Kopie"));
    ExpectSameTrees(before, Without(ScanTree(run.source), L"Kopie"));
}

TEST(KopierCopy, FolderLinkLoopIsSkippedAndReported) {
    CopySetup run = NewRun(L"loop");
    // A link from deep inside back up to the source itself.
    std::wstring link = run.source + L"\\data\\Menu\\Zurück nach oben";
    // Wine makes no Windows links; a Unix one is what it shows as a folder link.
    std::string unixLink = UnixPath(link);
    if (unixLink.empty() || !RunUnix("ln -s ../.. " + Quoted(unixLink) + "\n"))
        GTEST_SKIP() << "no way to make a folder link here";
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    for (int i = 0; i < 50 && attributes == INVALID_FILE_ATTRIBUTES; ++i, Sleep(100))
        attributes = GetFileAttributesW(link.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    driver::App app;
    KillOnExit guard{&app};
    ASSERT_TRUE(StartKopier(&app, DupLoraArguments(run.source, run.target), run.work));
    ASSERT_TRUE(WaitIni(run.work, kCopyTimeoutMs));
    EXPECT_EQ(L"1", IniValue(run.work, L"ExitCode"));
    EXPECT_EQ(L"1", IniValue(run.work, L"Failures"));
    EXPECT_EQ(link, IniValue(run.work, L"FirstErrorPath"));
    HWND window = driver::WaitWindow(app, "KopierWindow");
    ASSERT_TRUE(window);
    EXPECT_EQ(1, (int)SendMessageW(driver::Child(window, kIdFailures), LB_GETCOUNT, 0, 0));
    driver::Close(window);
    EXPECT_EQ(kExitFailures, driver::WaitExit(&app));
    EXPECT_FALSE(Exists(run.target + L"\\data\\Menu\\Zurück nach oben"));
    EXPECT_TRUE(Exists(run.target + L"\\sh3.exe"));
}

TEST(KopierCopy, LockedSourceFileIsListedAndEverythingElseCopied) {
    CopySetup run = NewRun(L"locked");
    std::wstring lockedRel = L"data\\Sea\\part_1.dat";
    HANDLE locked = CreateFileW((run.source + L"\\" + lockedRel).c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    driver::App app;
    KillOnExit guard{&app};
    ASSERT_TRUE(StartKopier(&app, DupLoraArguments(run.source, run.target), run.work));
    ASSERT_TRUE(WaitIni(run.work, kCopyTimeoutMs));
    EXPECT_EQ(L"1", IniValue(run.work, L"ExitCode"));
    EXPECT_EQ(L"1", IniValue(run.work, L"Failures"));
    EXPECT_EQ(run.source + L"\\" + lockedRel, IniValue(run.work, L"FirstErrorPath"));
    EXPECT_NE(std::wstring::npos, IniValue(run.work, L"FirstError").find(L"32"));

    // The window stays with the failure listed until the user closes it.
    HWND window = driver::WaitWindow(app, "KopierWindow");
    ASSERT_TRUE(window);
    HWND list = driver::Child(window, kIdFailures);
    EXPECT_TRUE(driver::Visible(list));
    EXPECT_EQ(1, (int)SendMessageW(list, LB_GETCOUNT, 0, 0));
    Sleep(300);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(app.process, 0));
    driver::Close(window);
    EXPECT_EQ(kExitFailures, driver::WaitExit(&app));
    CloseHandle(locked);

    EXPECT_FALSE(Exists(run.target + L"\\" + lockedRel));
    ExpectSameTrees(Without(ScanTree(run.source), lockedRel), ScanTree(run.target));
}

// A source with one big file, so the copy lasts long enough to be cancelled half-way.
CopySetup BigRun(const wchar_t* tag, uint64_t size) {
    CopySetup run;
    run.work = TempDir(tag);
    run.source = run.work + L"\\source";
    run.target = run.work + L"\\target";
    CreateDirectoryW(run.source.c_str(), nullptr);
    HANDLE f = CreateFileW((run.source + L"\\big.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_NEW, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, f);
    LARGE_INTEGER end;
    end.QuadPart = (LONGLONG)size;
    EXPECT_TRUE(SetFilePointerEx(f, end, nullptr, FILE_BEGIN) && SetEndOfFile(f));
    CloseHandle(f);
    f = CreateFileW((run.source + L"\\small.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0,
                    nullptr);
    CloseHandle(f);
    return run;
}

TEST(KopierCopy, CancelAsksOnceThenStopsWithExitCode3AndNoPartialFile) {
    CopySetup run = BigRun(L"cancel", 3ull << 30);
    driver::App app;
    KillOnExit guard{&app};
    ASSERT_TRUE(StartKopier(&app, DupLoraArguments(run.source, run.target), run.work));
    HWND window = driver::WaitWindow(app, "KopierWindow");
    ASSERT_TRUE(window);
    // Wait until bytes are moving, then cancel.
    DWORD until = GetTickCount() + 20000;
    while (SendMessageW(driver::Child(window, kIdProgress), PBM_GETPOS, 0, 0) == 0 &&
           (int)(GetTickCount() - until) < 0)
        Sleep(10);
    Click(window, kIdButton);
    driver::MessageBoxInfo box = driver::WaitMessageBox(app);
    ASSERT_TRUE(box.hwnd);
    // The copy holds still while the question is open (the bar lags up to one timer tick).
    Sleep(400);
    int before = (int)SendMessageW(driver::Child(window, kIdProgress), PBM_GETPOS, 0, 0);
    Sleep(600);
    EXPECT_EQ(before, (int)SendMessageW(driver::Child(window, kIdProgress), PBM_GETPOS, 0, 0));
    EXPECT_LT(before, 1000);
    ASSERT_TRUE(driver::Answer(box.hwnd, IDYES));
    EXPECT_EQ(kExitCancelled, driver::WaitExit(&app, kCopyTimeoutMs));
    EXPECT_FALSE(Exists(run.target + L"\\big.bin"));
    EXPECT_EQ(L"3", IniValue(run.work, L"ExitCode"));
}

TEST(KopierCopy, CancelAnsweredNoCopiesOn) {
    CopySetup run = BigRun(L"nocancel", 1ull << 30);
    driver::App app;
    KillOnExit guard{&app};
    ASSERT_TRUE(StartKopier(&app, DupLoraArguments(run.source, run.target), run.work));
    HWND window = driver::WaitWindow(app, "KopierWindow");
    ASSERT_TRUE(window);
    driver::Close(window); // the close box asks like the button
    driver::MessageBoxInfo box = driver::WaitMessageBox(app);
    ASSERT_TRUE(box.hwnd);
    ASSERT_TRUE(driver::Answer(box.hwnd, IDNO));
    EXPECT_EQ(kExitComplete, driver::WaitExit(&app, kCopyTimeoutMs));
    ExpectSameTrees(ScanTree(run.source, false), ScanTree(run.target, false));
}

// {S} and {T} stand for the real source and target.
std::wstring Fill(std::wstring text, const CopySetup& run) {
    for (auto [key, value] : {std::make_pair(L"{S}", run.source), {L"{T}", run.target}}) {
        size_t at;
        while ((at = text.find(key)) != std::wstring::npos)
            text.replace(at, 3, value);
    }
    return text;
}

TEST(KopierCopy, BadCommandLinesSayWhyGiveExitCode2AndCreateNothing) {
    CopySetup run = NewRun(L"bad", false);
    const wchar_t* const kLines[] = {
        L"",                                           // nothing at all
        L"{S}\\*.*",                                   // no target
        L"{S} {T} /e/s/u/be/ot/r-",                    // no patterns: where would the blank split?
        L"{S}\\*.* {T}\\*.* /e/s/u/be/ot/r-/q",        // a switch we do not know
        L"{S}\\*.* {S}\\..\\x\\*.* /e",                // ".." in a path
        L"{S}\\missing\\*.* {T}\\*.* /e/s/u/be/ot/r-", // source not there
    };
    for (const wchar_t* line : kLines) {
        std::wstring arguments = Fill(line, run);
        SCOPED_TRACE(Show(arguments));
        DeleteFileW((run.work + L"\\kopier.ini").c_str());
        driver::App app;
        KillOnExit guard{&app};
        ASSERT_TRUE(StartKopier(&app, arguments, run.work));
        HWND window = driver::WaitWindow(app, "KopierWindow");
        ASSERT_TRUE(window);
        ASSERT_TRUE(WaitIni(run.work, 20000));
        EXPECT_EQ(L"2", IniValue(run.work, L"ExitCode"));
        EXPECT_NE(L"", IniValue(run.work, L"FirstError"));
        // The reason is shown in the window, which waits for the user.
        EXPECT_GT(driver::ChildText(window, kIdStatus).size(), 30u);
        EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(app.process, 200));
        driver::Press(window, kIdButton);
        EXPECT_EQ(kExitNotStarted, driver::WaitExit(&app));
        EXPECT_FALSE(Exists(run.target));
        EXPECT_FALSE(Exists(run.work + L"\\Ziel mit Leerzeichen\\SH3 Kopie"));
    }
}

// A small filesystem of its own, mounted for the test when this machine allows it (root on Linux).
struct SmallDisk {
    std::wstring folder;
    std::string unixFolder;
    bool mounted = false;
    ~SmallDisk() {
        if (mounted) RunUnix("umount " + Quoted(unixFolder) + "\n");
    }
};

bool MountSmallDisk(SmallDisk* disk, const std::wstring& folder) {
    disk->folder = folder;
    CreateDirectoryW(folder.c_str(), nullptr);
    disk->unixFolder = UnixPath(folder);
    if (disk->unixFolder.empty()) return false;
    RunUnix("mount -t tmpfs -o size=4m tmpfs " + Quoted(disk->unixFolder) + "\n");
    ULARGE_INTEGER total = {};
    for (int i = 0; i < 50; ++i) {
        if (GetDiskFreeSpaceExW((folder + L"\\").c_str(), nullptr, &total, nullptr) &&
            total.QuadPart <= (8u << 20)) {
            disk->mounted = true;
            return true;
        }
        Sleep(100);
    }
    return false;
}

void WriteBytes(const std::wstring& path, size_t size, char fill) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::string bytes(size, fill);
    DWORD written = 0;
    WriteFile(f, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(f);
}

TEST(KopierCopy, FullDiskStopsAtOnceWithoutPartialFiles) {
    CopySetup run;
    run.work = TempDir(L"full");
    SmallDisk disk;
    if (!MountSmallDisk(&disk, run.work + L"\\disk"))
        GTEST_SKIP() << "cannot mount a small filesystem here (needs root and tmpfs)";
    // Little data by size, but each small file takes a whole page of the 4 MB filesystem: the
    // space check before the copy passes and the disk runs full half-way.
    run.source = run.work + L"\\source";
    run.target = disk.folder + L"\\target";
    CreateDirectoryW(run.source.c_str(), nullptr);
    for (int i = 0; i < 900; ++i)
        WriteBytes(run.source + L"\\small_" + std::to_wstring(i) + L".txt", 100,
                   (char)('a' + i % 26));
    WriteBytes(run.source + L"\\large.bin", 1 << 20, 'x');

    driver::App app;
    KillOnExit guard{&app};
    ASSERT_TRUE(StartKopier(&app, DupLoraArguments(run.source, run.target), run.work));
    ASSERT_TRUE(WaitIni(run.work, kCopyTimeoutMs));
    EXPECT_EQ(L"1", IniValue(run.work, L"ExitCode"));
    EXPECT_NE(std::wstring::npos, IniValue(run.work, L"FirstError").find(L"112"));
    // Stopped at once: only the files in hand when the disk filled up failed, not the rest.
    int failures = _wtoi(IniValue(run.work, L"Failures").c_str());
    EXPECT_GE(failures, 1);
    EXPECT_LE(failures, 8);
    HWND window = driver::WaitWindow(app, "KopierWindow");
    ASSERT_TRUE(window);
    driver::Close(window);
    EXPECT_EQ(kExitFailures, driver::WaitExit(&app));

    Tree source = ScanTree(run.source), copy = ScanTree(run.target);
    EXPECT_LT(copy.size(), source.size());
    for (const auto& e : copy) {
        ASSERT_TRUE(source.count(e.first)) << Show(e.first);
        EXPECT_EQ(source.at(e.first).size, e.second.size) << "partial file: " << Show(e.first);
        EXPECT_EQ(source.at(e.first).hash, e.second.hash) << Show(e.first);
    }
}

TEST(KopierCopy, SourceLargerThanTheDiskIsRefusedBeforeAnythingIsCreated) {
    CopySetup run = BigRun(L"nospace", 64ull << 20);
    SmallDisk disk;
    if (!MountSmallDisk(&disk, run.work + L"\\disk"))
        GTEST_SKIP() << "cannot mount a small filesystem here (needs root and tmpfs)";
    run.target = disk.folder + L"\\target";
    driver::App app;
    KillOnExit guard{&app};
    ASSERT_TRUE(StartKopier(&app, DupLoraArguments(run.source, run.target), run.work));
    ASSERT_TRUE(WaitIni(run.work, kCopyTimeoutMs));
    EXPECT_EQ(L"2", IniValue(run.work, L"ExitCode"));
    EXPECT_EQ(run.target, IniValue(run.work, L"FirstErrorPath"));
    HWND window = driver::WaitWindow(app, "KopierWindow");
    ASSERT_TRUE(window);
    driver::Close(window);
    EXPECT_EQ(kExitNotStarted, driver::WaitExit(&app));
    EXPECT_FALSE(Exists(run.target));
}

std::string ReadAt(const std::wstring& path, uint64_t offset, DWORD size) {
    std::string bytes(size, '\0');
    HANDLE f = CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    OVERLAPPED at = {};
    at.Offset = (DWORD)offset;
    at.OffsetHigh = (DWORD)(offset >> 32);
    DWORD got = 0;
    if (f == INVALID_HANDLE_VALUE || !ReadFile(f, &bytes[0], size, &got, &at)) got = 0;
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    bytes.resize(got);
    return bytes;
}

void RemoveTree(const std::wstring& root) {
    Tree tree = ScanTree(root, false);
    for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
        std::wstring path = Extended(root + L"\\" + it->first);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (it->second.folder)
            RemoveDirectoryW(path.c_str());
        else
            DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(Extended(root).c_str());
}

TEST(KopierCopy, CopiesAFileLargerThan4GiB) {
    CopySetup run;
    run.work = TempDir(L"big");
    run.source = run.work + L"\\source";
    run.target = run.work + L"\\target";
    FixtureOptions options;
    options.big = true;
    std::wstring error;
    ASSERT_TRUE(MakeFixture(run.source, options, &error)) << Show(error);
    const std::wstring rel = L"data\\Movies\\intro big.bin";
    EXPECT_EQ(kExitComplete, CopyAndWait(run, DupLoraArguments(run.source, run.target)));
    Tree source = ScanTree(run.source, false), copy = ScanTree(run.target, false);
    ASSERT_GT(source.at(rel).size, 1ull << 32);
    ExpectSameTrees(source, copy);
    // The blocks the fixture marked on both sides of the 4 GiB line, and a hole between them.
    for (uint64_t offset : {0ull, (1ull << 32) - 4096, (1ull << 32) + 32768, 1ull << 31}) {
        std::string a = ReadAt(run.source + L"\\" + rel, offset, 4096);
        EXPECT_EQ(4096u, a.size());
        EXPECT_TRUE(a == ReadAt(run.target + L"\\" + rel, offset, 4096)) << "at " << offset;
    }
    RemoveTree(run.target); // four gigabytes are not worth keeping
}

} // namespace
