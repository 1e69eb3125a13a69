#include "ui/modal.h"

#include <vector>

namespace {

struct Disabled {
    HWND hwnd;
    bool wasTopmost;
};
std::vector<Disabled> gDisabled;
HWND gOwner;

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM) {
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    bool topmost = (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost)
        SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EnableWindow(hwnd, FALSE);
    gDisabled.push_back({hwnd, topmost});
    return TRUE;
}

bool IsOurs(HWND hwnd) {
    DWORD pid = 0;
    return hwnd && GetWindowThreadProcessId(hwnd, &pid) && pid == GetCurrentProcessId();
}

} // namespace

HWND BeginModal() {
    HWND foreground = GetForegroundWindow();
    HWND owner = IsOurs(foreground) ? foreground : nullptr;
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, 0);
    gOwner = owner;
    return owner;
}

void EndModal() {
    for (const Disabled& d : gDisabled) {
        if (!IsWindow(d.hwnd)) continue;
        EnableWindow(d.hwnd, TRUE);
        if (d.wasTopmost)
            SetWindowPos(d.hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    gDisabled.clear();
    // The dialog's owner was disabled when the dialog closed, so the system may have activated
    // some other program's window; give the activation back.
    if (gOwner && IsWindow(gOwner) && IsWindowVisible(gOwner)) SetForegroundWindow(gOwner);
    gOwner = nullptr;
}

int ProgramMessageBox(const std::string& text, const std::string& caption, UINT type) {
    HWND owner = BeginModal();
    int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), type);
    EndModal();
    return answer;
}
