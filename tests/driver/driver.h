// Drives the real Duplora.exe from a test: starts it as its own process, finds its windows and
// message boxes, reads them and presses their buttons the way a user would (through messages the
// system delivers to that process), and collects its exit code.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace driver {

enum { kDefaultTimeoutMs = 20000 };

struct App {
    HANDLE process = nullptr;
    DWORD pid = 0;
};

// The test's build folder (Windows form) and the built program in it.
std::string BuildDir();
std::string ProgramPath();

// A fresh, empty folder under the temp folder, unique to this call.
std::string MakeTempDir(const char* tag);

// Starts `exe` (default: the built Duplora.exe) with `workDir` as its working directory.
bool Start(App* app, const std::string& workDir, const std::string& exe = "");
// Waits for the process to end and returns its exit code, or -1 on time-out (the process is then
// killed so no test leaves one behind).
int WaitExit(App* app, int timeoutMs = kDefaultTimeoutMs);
void Kill(App* app);

// Top-level windows of the process whose class (and, when given, title) match, visible or not.
std::vector<HWND> FindWindows(const App& app, const char* className, const char* title = nullptr);
// Waits until a visible top-level window of that class (and title) exists; NULL on time-out.
HWND WaitWindow(const App& app, const char* className, const char* title = nullptr,
                int timeoutMs = kDefaultTimeoutMs);
// A visible top-level window of that class belonging to a process that `parent` started (such
// as the copy program Duplora runs); NULL when there is none yet.
HWND FindChildProcessWindow(const App& parent, const char* className);

// Waits until the window is gone (destroyed or hidden).
bool WaitGone(HWND hwnd, int timeoutMs = kDefaultTimeoutMs);

// The program's own windows by number (2 info, 3 start, 4 report), found by their gadgets.
HWND WaitProgramWindow(const App& app, int number, int timeoutMs = kDefaultTimeoutMs);

std::string Text(HWND hwnd); // WM_GETTEXT, works across processes
bool SetText(HWND hwnd, const std::string& text);
HWND Child(HWND parent, int id);
std::string ChildText(HWND parent, int id);
bool Visible(HWND hwnd);
RECT ChildRect(HWND parent, int id); // in the parent's client coordinates

// Presses a visible, enabled button of another process (BM_CLICK) and returns once it has been
// delivered; false for a button that stays missing, hidden or disabled for a few seconds.
bool Press(HWND parent, int id);
// A close request on the window (its close box).
void Close(HWND hwnd);

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;
};
// Waits for a message box (dialog class #32770 with a text) of the process.
MessageBoxInfo WaitMessageBox(const App& app, int timeoutMs = kDefaultTimeoutMs);
// Answers a message box or dialog with the button of that id (IDOK, IDCANCEL ...).
bool Answer(HWND dialog, int id);

// Sends a key press (down and up) to a window of another process.
void Key(HWND hwnd, WPARAM vk);
// The window of the process's GUI thread that has the keyboard focus, and its active window.
HWND FocusedWindow(const App& app);
HWND ActiveWindow(const App& app);
// Sends a key press to whatever has the keyboard focus in the process, with its character
// (WM_CHAR) when it has one, as a keyboard would; false when nothing has the focus.
bool KeyToFocus(const App& app, WPARAM vk);

// Waits for the process to end and returns its exit code (-1 on time-out, the process is then
// killed). Every message box that shows up meanwhile is recorded in *seen and answered with
// `answer`, so a test can state that none appeared.
int WaitExitWatching(App* app, std::vector<MessageBoxInfo>* seen, int answer = IDOK,
                     int timeoutMs = kDefaultTimeoutMs);

// True when nothing of the described kind shows up within `ms`: no new visible window of the
// process with this class (and, when given, title). For "pressing X does nothing" checks.
bool NoWindowAppears(const App& app, const char* className, const char* title, int ms);

} // namespace driver
