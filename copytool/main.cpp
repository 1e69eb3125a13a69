// kopier.exe: copies a folder tree completely and safely, showing its progress in a window.
//   "kopier.exe" SRC\*.* DST\*.* /e/s/u/be/ot/r-
// Exit code 0 when everything was copied, 1 when some entries failed, 2 when the copy could not
// start, 3 when the user cancelled; the figures also go to "kopier.ini" in the working directory.
#include "copytool/cmdline.h"
#include "copytool/window.h"

#include <windows.h>

#include <cstdlib>

namespace {

// Tuning knobs for the benchmark only; the defaults are what it measured fastest.
int EnvironmentNumber(const wchar_t* name, int fallback, int low, int high) {
    wchar_t value[32] = L"";
    if (!GetEnvironmentVariableW(name, value, 32)) return fallback;
    int n = _wtoi(value);
    return n < low || n > high ? fallback : n;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
    bool german = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_GERMAN;
    CopyCommand command = ParseCopyCommand(ArgumentsOf(GetCommandLineW()));
    CopyOptions options;
    options.threads = EnvironmentNumber(L"KOPIER_THREADS", options.threads, 1, 32);
    options.bufferSize = (size_t)EnvironmentNumber(L"KOPIER_BUFFER_KB",
                                                   (int)(options.bufferSize / 1024), 64, 16384) *
                         1024;
    return RunCopyWindow(instance, command, options, show, german);
}
