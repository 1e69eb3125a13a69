// Driving the wizard's dialogs of a running Duplora.exe: the shell's folder browser and the
// program's text-input window.
#pragma once
#include "tests/driver/driver.h"

namespace driver {

enum { kSlowTimeoutMs = 60000 };

// Starts the program in `workDir`, presses the language button (GADGET_ENGLISH or
// GADGET_DEUTSCH) and then OK on the InfoWindow, so the wizard's first question follows. Each
// window is waited for up to `timeoutMs` (a loaded machine under Wine can take many seconds).
bool StartWizard(App* app, const std::string& workDir, int languageGadget,
                 int timeoutMs = kSlowTimeoutMs);

// Answers a message box and waits until it is gone, so the next WaitMessageBox cannot find it.
bool AnswerAndWait(HWND dialog, int id);

// The shell's folder browser of the process (a dialog with a folder tree); NULL on time-out.
HWND WaitFolderBrowser(const App& app, int timeoutMs = kSlowTimeoutMs);
// True when a static control somewhere inside `parent` shows exactly `text` (the folder browser
// shows its instruction in one above the tree).
bool HasStaticText(HWND parent, const std::string& text);
// Selects the folder `path` ("C:\dir\sub") in the browser's tree: from the root (Desktop) through
// My Computer and the drive down each component, expanding as it goes. The browser ignores what
// is typed into its folder field, so the tree item must be selected. False when a step is not
// found; *trail (when given) then tells the names seen at the level that failed.
bool SelectFolder(HWND browser, const std::string& path, std::string* trail = nullptr);
// Presses the browser's OK or Cancel.
bool FinishFolderBrowser(HWND browser, int id);

// The program's text-input window ("InputRequester"); NULL on time-out.
HWND WaitInputRequester(const App& app, int timeoutMs = kSlowTimeoutMs);
// Types `text` into a control of another process, one character at a time (WM_CHAR), as the
// keyboard would after the focus is there.
void Type(HWND control, const std::string& text);

} // namespace driver
