#include "tests/driver/driver.h"

#include <tlhelp32.h>

#include <atomic>
#include <cstdio>

namespace driver {

namespace {

const UINT kSendTimeoutMs = 5000;
const DWORD kPressWaitMs = 3000;

struct FindArgs {
    DWORD pid;
    const char* className;
    const char* title;
    bool visibleOnly;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
    FindArgs* args = (FindArgs*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != args->pid) return TRUE;
    if (args->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
    char cls[256] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (args->className && lstrcmpiA(cls, args->className) != 0) return TRUE;
    if (args->title && Text(hwnd) != args->title) return TRUE;
    args->found->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> Collect(const App& app, const char* className, const char* title,
                          bool visibleOnly) {
    std::vector<HWND> found;
    FindArgs args = {app.pid, className, title, visibleOnly, &found};
    EnumWindows(CollectWindow, (LPARAM)&args);
    return found;
}

} // namespace

std::string BuildDir() {
    char buf[MAX_PATH] = "";
    GetEnvironmentVariableA("DUPLORA_BUILD", buf, sizeof buf);
    return buf;
}

std::string ProgramPath() {
    return BuildDir() + "\\Duplora.exe";
}

std::string MakeTempDir(const char* tag) {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    for (;;) {
        char name[MAX_PATH + 64];
        snprintf(name, sizeof name, "%sduplora-%s-%lu-%d", temp, tag, GetCurrentProcessId(),
                 counter++);
        if (CreateDirectoryA(name, nullptr)) return name;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return "";
    }
}

bool Start(App* app, const std::string& workDir, const std::string& exe) {
    std::string path = exe.empty() ? ProgramPath() : exe;
    std::string cmd = "\"" + path + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(path.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    app->process = pi.hProcess;
    app->pid = pi.dwProcessId;
    WaitForInputIdle(pi.hProcess, 10000);
    return true;
}

int WaitExit(App* app, int timeoutMs) {
    if (!app->process) return -1;
    if (WaitForSingleObject(app->process, timeoutMs) != WAIT_OBJECT_0) {
        Kill(app);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(app->process, &code);
    CloseHandle(app->process);
    app->process = nullptr;
    return (int)code;
}

void Kill(App* app) {
    if (!app->process) return;
    TerminateProcess(app->process, 99);
    WaitForSingleObject(app->process, 5000);
    CloseHandle(app->process);
    app->process = nullptr;
}

std::vector<HWND> FindWindows(const App& app, const char* className, const char* title) {
    return Collect(app, className, title, false);
}

HWND WaitWindow(const App& app, const char* className, const char* title, int timeoutMs) {
    DWORD until = GetTickCount() + timeoutMs;
    do {
        std::vector<HWND> found = Collect(app, className, title, true);
        if (!found.empty()) return found.front();
        Sleep(50);
    } while ((int)(until - GetTickCount()) > 0);
    return nullptr;
}

HWND FindChildProcessWindow(const App& parent, const char* className) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    HWND found = nullptr;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parent.pid) continue;
        App child;
        child.pid = entry.th32ProcessID;
        std::vector<HWND> windows = Collect(child, className, nullptr, true);
        if (!windows.empty()) found = windows.front();
    }
    CloseHandle(snapshot);
    return found;
}

bool WaitGone(HWND hwnd, int timeoutMs) {
    DWORD until = GetTickCount() + timeoutMs;
    do {
        if (!IsWindow(hwnd) || !IsWindowVisible(hwnd)) return true;
        Sleep(50);
    } while ((int)(until - GetTickCount()) > 0);
    return false;
}

HWND WaitProgramWindow(const App& app, int number, int timeoutMs) {
    // Each window is known by a gadget only it has (7 info text, 4 picture, 12 report text) and
    // is complete once its last gadget exists (10, 5 and 11).
    int marker = number == 2 ? 7 : number == 3 ? 4 : 12;
    int last = number == 2 ? 10 : number == 3 ? 5 : 11;
    DWORD until = GetTickCount() + timeoutMs;
    do {
        for (HWND hwnd : Collect(app, "DuploraWindow", nullptr, true)) {
            if (!GetDlgItem(hwnd, marker) || !GetDlgItem(hwnd, last)) continue;
            // The program answers a sent message only from its event loop, that is after it has
            // finished setting the window up (texts, labels, hidden gadgets).
            DWORD_PTR result = 0;
            SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
            return hwnd;
        }
        Sleep(50);
    } while ((int)(until - GetTickCount()) > 0);
    return nullptr;
}

std::string Text(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &length))
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), (LPARAM)&text[0], SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

bool SetText(HWND hwnd, const std::string& text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hwnd, WM_SETTEXT, 0, (LPARAM)text.c_str(), SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &result) != 0;
}

HWND Child(HWND parent, int id) {
    return GetDlgItem(parent, id);
}

std::string ChildText(HWND parent, int id) {
    HWND child = Child(parent, id);
    return child ? Text(child) : "";
}

bool Visible(HWND hwnd) {
    return hwnd && IsWindowVisible(hwnd);
}

RECT ChildRect(HWND parent, int id) {
    RECT r = {};
    HWND child = Child(parent, id);
    if (!child) return r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, parent, (POINT*)&r, 2);
    return r;
}

bool Press(HWND parent, int id) {
    // A window is shown before its buttons are made: give them a moment to appear.
    HWND button = nullptr;
    for (DWORD until = GetTickCount() + kPressWaitMs;;) {
        button = Child(parent, id);
        if (button && IsWindowVisible(button) && IsWindowEnabled(button)) break;
        if ((int)(until - GetTickCount()) <= 0) return false;
        Sleep(20);
    }
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) !=
           0;
}

void Close(HWND hwnd) {
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

MessageBoxInfo WaitMessageBox(const App& app, int timeoutMs) {
    MessageBoxInfo info;
    DWORD until = GetTickCount() + timeoutMs;
    do {
        for (HWND hwnd : Collect(app, "#32770", nullptr, true)) {
            // A message box carries its text in the static with id 0xFFFF.
            HWND text = GetDlgItem(hwnd, 0xFFFF);
            if (!text) continue;
            info.hwnd = hwnd;
            info.caption = Text(hwnd);
            info.text = Text(text);
            return info;
        }
        Sleep(50);
    } while ((int)(until - GetTickCount()) > 0);
    return info;
}

bool Answer(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button) != 0;
}

void Key(HWND hwnd, WPARAM vk) {
    UINT scan = MapVirtualKeyA((UINT)vk, MAPVK_VK_TO_VSC);
    PostMessageA(hwnd, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(hwnd, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
}

namespace {

bool ThreadInfo(const App& app, GUITHREADINFO* info) {
    // The program's windows all belong to its one GUI thread: take it from any of them.
    std::vector<HWND> windows = Collect(app, nullptr, nullptr, false);
    if (windows.empty()) return false;
    DWORD thread = GetWindowThreadProcessId(windows.front(), nullptr);
    info->cbSize = sizeof *info;
    return GetGUIThreadInfo(thread, info) != 0;
}

} // namespace

HWND FocusedWindow(const App& app) {
    GUITHREADINFO info = {};
    return ThreadInfo(app, &info) ? info.hwndFocus : nullptr;
}

HWND ActiveWindow(const App& app) {
    GUITHREADINFO info = {};
    return ThreadInfo(app, &info) ? info.hwndActive : nullptr;
}

bool KeyToFocus(const App& app, WPARAM vk) {
    HWND focus = FocusedWindow(app);
    if (!focus) return false;
    UINT scan = MapVirtualKeyA((UINT)vk, MAPVK_VK_TO_VSC);
    UINT ch = MapVirtualKeyA((UINT)vk, MAPVK_VK_TO_CHAR);
    PostMessageA(focus, WM_KEYDOWN, vk, 1 | (scan << 16));
    if (ch) PostMessageA(focus, WM_CHAR, ch, 1 | (scan << 16));
    PostMessageA(focus, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
    return true;
}

int WaitExitWatching(App* app, std::vector<MessageBoxInfo>* seen, int answer, int timeoutMs) {
    if (!app->process) return -1;
    DWORD until = GetTickCount() + timeoutMs;
    while (WaitForSingleObject(app->process, 50) == WAIT_TIMEOUT) {
        if ((int)(until - GetTickCount()) <= 0) {
            Kill(app);
            return -1;
        }
        MessageBoxInfo box = WaitMessageBox(*app, 0);
        if (!box.hwnd) continue;
        seen->push_back(box);
        Answer(box.hwnd, answer);
        WaitGone(box.hwnd, 5000);
    }
    return WaitExit(app, 0);
}

bool NoWindowAppears(const App& app, const char* className, const char* title, int ms) {
    std::vector<HWND> before = Collect(app, className, title, true);
    DWORD until = GetTickCount() + ms;
    do {
        for (HWND hwnd : Collect(app, className, title, true)) {
            bool known = false;
            for (HWND old : before)
                known = known || old == hwnd;
            if (!known) return false;
        }
        Sleep(50);
    } while ((int)(until - GetTickCount()) > 0);
    return true;
}

} // namespace driver
