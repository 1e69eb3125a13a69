// The copy window: source and target, a progress bar by bytes, files and bytes done, the current
// file, speed and time left, the list of failures and one button (Cancel, later Close). The copy
// runs on threads of its own; this window only reads their counters on a timer.
#pragma once
#include "copytool/cmdline.h"
#include "copytool/copy.h"

#include <windows.h>

const wchar_t kCopyWindowClass[] = L"KopierWindow";

// Control ids, also used by the tests that drive the window.
enum {
    kIdSourceLabel = 100,
    kIdSource,
    kIdTargetLabel,
    kIdTarget,
    kIdStatus,
    kIdProgress,
    kIdCounts,
    kIdCurrent,
    kIdSpeed,
    kIdFailures,
    kIdButton,
};

// Opens the window for a run of `command` (which may carry an error: the window then says why
// nothing is copied), starts the copy and returns the exit code once the window has closed.
int RunCopyWindow(HINSTANCE instance, const CopyCommand& command, const CopyOptions& options,
                  int show, bool german);
