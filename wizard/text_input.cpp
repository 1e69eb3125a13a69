#include "wizard/dialogs.h"
#include "wizard/text_input.h"
#include "ui/modal.h"

const char kInputRequesterClass[] = "InputRequester";

namespace {

// What the window is created with, handed through CREATESTRUCT.
struct RequesterSetup {
    const std::string* prompt;
    const std::string* defaultText;
};

// The one showing in progress (the dialog is modal, so there is never a second).
struct Requester {
    HWND window;
    std::string result;
};
Requester gRequester;

HWND AddControl(HWND parent, DWORD exStyle, const char* cls, const char* text, DWORD style, int x,
                int y, int w, int h, int id) {
    HWND control = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                   parent, (HMENU)(INT_PTR)id, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    return control;
}

void OnCreate(HWND hwnd, const RequesterSetup& setup) {
    AddControl(hwnd, 0, "Static", setup.prompt->c_str(), SS_SIMPLE, 10, 10, 280, 22,
               INPUT_PROMPT_ID);
    AddControl(hwnd, WS_EX_CLIENTEDGE, "Edit", setup.defaultText->c_str(),
               WS_TABSTOP | ES_AUTOHSCROLL, 10, 32, 275, 21, INPUT_FIELD_ID);
    AddControl(hwnd, 0, "Button", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 110, 67, 80, 25,
               INPUT_OK_ID);
}

// Ends the showing: OK keeps the field's text as it stands (empty included), cancel gives "".
void Finish(bool ok) {
    gRequester.result.clear();
    if (ok) {
        HWND field = GetDlgItem(gRequester.window, INPUT_FIELD_ID);
        int length = GetWindowTextLengthA(field);
        std::string text(length + 1, '\0');
        text.resize(GetWindowTextA(field, &text[0], length + 1));
        gRequester.result = text;
    }
    DestroyWindow(gRequester.window);
    // Finish may run inside a message sent from another thread (a click delivered by
    // BM_CLICK), which GetMessage handles without returning: wake the loop so it sees the
    // window is gone.
    PostMessageA(nullptr, WM_NULL, 0, 0);
}

void OnCommand(WPARAM wp) {
    int id = LOWORD(wp);
    if ((id == INPUT_OK_ID && HIWORD(wp) == BN_CLICKED) || id == IDOK)
        Finish(true);
    else if (id == IDCANCEL)
        Finish(false);
}

LRESULT CALLBACK RequesterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        OnCreate(hwnd, *(const RequesterSetup*)((CREATESTRUCTA*)lp)->lpCreateParams);
        return 0;
    case WM_COMMAND:
        OnCommand(wp);
        return 0;
    case WM_CLOSE:
        Finish(false);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Enter and Escape act for the whole window, whichever of its controls has the focus.
bool HandleKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.hwnd != gRequester.window && !IsChild(gRequester.window, msg.hwnd)) return false;
    if (msg.wParam == VK_RETURN) {
        Finish(true);
        return true;
    }
    if (msg.wParam == VK_ESCAPE) {
        Finish(false);
        return true;
    }
    return false;
}

bool RegisterRequesterClass() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = RequesterProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kInputRequesterClass;
    return RegisterClassExA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void RunRequesterLoop() {
    MSG msg;
    while (IsWindow(gRequester.window)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // A quit request belongs to the loop outside: leave it there, as a cancel.
            if (got == 0) PostQuitMessage((int)msg.wParam);
            Finish(false);
            break;
        }
        if (HandleKey(msg) || IsDialogMessageA(gRequester.window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

std::string TextInputDialog(const std::string& caption, const std::string& prompt,
                            const std::string& defaultText) {
    if (!RegisterRequesterClass()) return "";
    HWND owner = BeginModal();
    RequesterSetup setup = {&prompt, &defaultText};
    gRequester = Requester();
    gRequester.window = CreateWindowExA(
        0, kInputRequesterClass, caption.c_str(), WS_CAPTION | WS_SYSMENU,
        GetSystemMetrics(SM_CXSCREEN) / 2 - 150, GetSystemMetrics(SM_CYSCREEN) / 2 - 65, 300, 130,
        owner, nullptr, GetModuleHandleA(nullptr), &setup);
    if (gRequester.window) {
        ShowWindow(gRequester.window, SW_SHOW);
        SetForegroundWindow(gRequester.window);
        HWND field = GetDlgItem(gRequester.window, INPUT_FIELD_ID);
        SetFocus(field);
        // The caret after the last character, nothing selected.
        int length = GetWindowTextLengthA(field);
        SendMessageA(field, EM_SETSEL, length, length);
        RunRequesterLoop();
    }
    EndModal();
    UnregisterClassA(kInputRequesterClass, GetModuleHandleA(nullptr));
    return gRequester.result;
}
