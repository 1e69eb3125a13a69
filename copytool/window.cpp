#include "copytool/window.h"

#include "copytool/texts.h"

#include <commctrl.h>
#include <psapi.h>

#include <deque>
#include <thread>

namespace {

const UINT WM_APP_COPY_DONE = WM_APP + 1;
const UINT_PTR kTimerId = 1;
const UINT kTimerMs = 100;         // at most ten updates a second
const DWORD kSpeedWindowMs = 3000; // speed averaged over the last three seconds
const int kClientWidth = 600, kClientHeight = 362;

// The process's state: one window, one copy run.
bool gGerman = false;
CopyCommand gCommand;
CopyOptions gOptions;
CopyShared gShared;
CopyResult gResult;
HWND gWindow = nullptr;
HFONT gFont = nullptr;
std::thread gCopyThread;
bool gRunning = false;     // the copy threads are at work
bool gAsking = false;      // the cancel question is open
bool gDonePending = false; // the copy ended while the question was open
size_t gFailuresShown = 0;
std::deque<std::pair<DWORD, uint64_t>> gSpeedSamples;

const wchar_t* T(TextId id) {
    return Text(id, gGerman);
}

void SetText(int id, const std::wstring& text) {
    HWND control = GetDlgItem(gWindow, id);
    // Setting an unchanged text would only make the control flicker.
    wchar_t current[1024] = L"";
    GetWindowTextW(control, current, 1024);
    if (text != current) SetWindowTextW(control, text.c_str());
}

void AddControl(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                int id) {
    HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, gWindow,
                                   (HMENU)(INT_PTR)id, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, (WPARAM)gFont, FALSE);
}

void StartCopy() {
    gRunning = true;
    gCopyThread = std::thread([] {
        CopyResult result = RunCopy(gCommand.source, gCommand.target, &gShared, gOptions, gGerman);
        gResult = result;
        PostMessageW(gWindow, WM_APP_COPY_DONE, 0, 0);
    });
}

std::wstring IniPath() {
    wchar_t folder[MAX_PATH * 2] = L"";
    DWORD n = GetCurrentDirectoryW(MAX_PATH * 2, folder);
    std::wstring path(folder, n < MAX_PATH * 2 ? n : 0);
    return JoinPath(path, L"kopier.ini");
}

void Finish(const CopyResult& result) {
    gResult = result;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        gResult.peakMemory = memory.PeakWorkingSetSize;
    WriteResultIni(IniPath(), gResult);
}

void ShowFailures() {
    HWND list = GetDlgItem(gWindow, kIdFailures);
    LockHold hold(&gShared.lock);
    for (; gFailuresShown < gShared.failures.size(); ++gFailuresShown) {
        const Failure& f = gShared.failures[gFailuresShown];
        std::wstring line = f.path + L"  -  " + f.reason;
        SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)line.c_str());
    }
    if (gFailuresShown > 0 && !IsWindowVisible(list)) {
        SetText(kIdSpeed, T(TextId::Failures));
        ShowWindow(list, SW_SHOW);
    }
}

// The end state of a run that did not succeed: the window stays until the user closes it.
void ShowOutcome(const std::wstring& headline, const std::wstring& detail) {
    SetText(kIdStatus, headline + L"\n" + detail);
    SetText(kIdCurrent, L"");
    SetText(kIdButton, T(TextId::Close));
    EnableWindow(GetDlgItem(gWindow, kIdButton), TRUE);
    ShowFailures();
}

void UpdateProgress() {
    int phase = gShared.phase;
    uint64_t bytesDone = gShared.bytesDone, bytesTotal = gShared.bytesTotal;
    uint64_t filesDone = gShared.filesDone, filesTotal = gShared.filesTotal;
    if (!gShared.cancel) {
        TextId status = phase == kPhaseCounting  ? TextId::Counting
                        : phase == kPhaseCopying ? TextId::Copying
                                                 : TextId::Finishing;
        SetText(kIdStatus, T(status));
    }
    SendDlgItemMessageW(gWindow, kIdProgress, PBM_SETPOS, ProgressPermille(bytesDone, bytesTotal),
                        0);
    SetText(kIdCounts, ProgressLine(filesDone, filesTotal, bytesDone, bytesTotal, gGerman));
    {
        std::wstring current;
        {
            LockHold hold(&gShared.lock);
            current = gShared.currentFile;
        }
        // Between two files nobody is named: keep showing the last one rather than a blank.
        if (!current.empty()) SetText(kIdCurrent, current);
    }
    DWORD now = GetTickCount();
    gSpeedSamples.emplace_back(now, bytesDone);
    while (gSpeedSamples.size() > 2 && now - gSpeedSamples.front().first > kSpeedWindowMs)
        gSpeedSamples.pop_front();
    double speed = 0;
    DWORD span = now - gSpeedSamples.front().first;
    if (phase == kPhaseCopying && span >= 500)
        speed = (double)(bytesDone - gSpeedSamples.front().second) * 1000.0 / span;
    if (!IsWindowVisible(GetDlgItem(gWindow, kIdFailures)))
        SetText(kIdSpeed,
                SpeedLine(speed, bytesTotal > bytesDone ? bytesTotal - bytesDone : 0, gGerman));
    ShowFailures();
}

void OnCreate(HWND hwnd) {
    gWindow = hwnd;
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    gFont = CreateFontIndirectW(&metrics.lfMessageFont);
    const DWORD path = SS_PATHELLIPSIS | SS_NOPREFIX;
    AddControl(L"STATIC", T(TextId::From), 0, 12, 12, 56, 20, kIdSourceLabel);
    AddControl(L"STATIC", gCommand.source.c_str(), path, 70, 12, 518, 20, kIdSource);
    AddControl(L"STATIC", T(TextId::To), 0, 12, 36, 56, 20, kIdTargetLabel);
    AddControl(L"STATIC", gCommand.target.c_str(), path, 70, 36, 518, 20, kIdTarget);
    AddControl(L"STATIC", L"", SS_NOPREFIX, 12, 64, 576, 34, kIdStatus);
    AddControl(PROGRESS_CLASSW, L"", 0, 12, 100, 576, 20, kIdProgress);
    SendDlgItemMessageW(hwnd, kIdProgress, PBM_SETRANGE32, 0, 1000);
    AddControl(L"STATIC", L"", SS_NOPREFIX, 12, 128, 576, 20, kIdCounts);
    AddControl(L"STATIC", L"", path, 12, 152, 576, 20, kIdCurrent);
    AddControl(L"STATIC", L"", SS_NOPREFIX, 12, 176, 576, 20, kIdSpeed);
    AddControl(L"LISTBOX", L"", WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, 12, 202,
               576, 112, kIdFailures);
    ShowWindow(GetDlgItem(hwnd, kIdFailures), SW_HIDE);
    SendDlgItemMessageW(hwnd, kIdFailures, LB_SETHORIZONTALEXTENT, 2000, 0);
    AddControl(L"BUTTON", T(TextId::Cancel), BS_PUSHBUTTON | WS_TABSTOP, 488, 324, 100, 28,
               kIdButton);

    if (gCommand.error != CommandError::None) {
        CopyResult result;
        result.exitCode = kExitNotStarted;
        result.failures = 1;
        result.firstError = CommandErrorText(gCommand.error, gGerman);
        Finish(result);
        ShowOutcome(T(TextId::CannotStart), result.firstError);
        return;
    }
    SetTimer(hwnd, kTimerId, kTimerMs, nullptr);
    StartCopy();
}

void OnCopyDone() {
    if (gAsking) { // answered once the question closes
        gDonePending = true;
        return;
    }
    gCopyThread.join();
    gRunning = false;
    KillTimer(gWindow, kTimerId);
    UpdateProgress();
    Finish(gResult);
    switch (gResult.exitCode) {
    case kExitComplete:
    case kExitCancelled: // the user asked for it: nothing more to read
        // Ending the process takes the window with it. Destroying it first would cost nothing on
        // Windows, but Wine without a window manager waits two seconds for the unmapping.
        PostQuitMessage(0);
        break;
    case kExitFailures:
        ShowOutcome(T(TextId::DoneWithFailures),
                    FormatCount(gResult.failures, gGerman) + L" - " + gResult.firstError);
        break;
    default:
        ShowOutcome(T(TextId::CannotStart), gResult.firstErrorPath + L": " + gResult.firstError);
        break;
    }
}

// Cancel (button or close box) while copying: asks once, the copy holding still meanwhile so
// that it neither finishes nor runs on behind the question.
void AskCancel() {
    if (gAsking || gShared.cancel) return;
    gAsking = true;
    gShared.paused = true;
    int answer = MessageBoxW(gWindow, T(TextId::AskCancel), T(TextId::Title),
                             MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer == IDYES) {
        gShared.cancel = true;
        SetText(kIdStatus, T(TextId::Stopping));
        EnableWindow(GetDlgItem(gWindow, kIdButton), FALSE);
    }
    gShared.paused = false;
    gAsking = false;
    if (gDonePending) {
        gDonePending = false;
        OnCopyDone();
    }
}

void OnCommand(int id) {
    if (id != kIdButton && id != IDCANCEL) return;
    if (gRunning)
        AskCancel();
    else
        DestroyWindow(gWindow);
}

void OnClose() {
    if (gRunning)
        AskCancel();
    else
        DestroyWindow(gWindow);
}

LRESULT CALLBACK CopyWindowProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_CREATE:
        OnCreate(hwnd);
        return 0;
    case WM_TIMER:
        if (wp == kTimerId) UpdateProgress();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wp));
        return 0;
    case WM_APP_COPY_DONE:
        OnCopyDone();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wp, lp);
}

} // namespace

int RunCopyWindow(HINSTANCE instance, const CopyCommand& command, const CopyOptions& options,
                  int show, bool german) {
    gCommand = command;
    gOptions = options;
    gGerman = german;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = CopyWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(nullptr, (LPCWSTR)IDI_APPLICATION);
    wc.lpszClassName = kCopyWindowClass;
    RegisterClassExW(&wc);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    HWND hwnd = CreateWindowExW(0, kCopyWindowClass, Text(TextId::Title, german), style,
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return kExitNotStarted;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (gCopyThread.joinable()) gCopyThread.join();
    if (gFont) DeleteObject(gFont);
    return gResult.exitCode;
}
