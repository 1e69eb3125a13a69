#include "ui/windows.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "app/texts.h"

#include <deque>

const char kWindowClass[] = "DuploraWindow";

namespace {

struct Event {
    int code;
    int gadget;
    int window;
};

struct GadgetState {
    HWND hwnd;
    int window;
    bool coloured;
    COLORREF text;
    COLORREF back;
    HBRUSH brush;
};

HWND gWindows[WINDOW_COUNT];
HBRUSH gWindowBrush[WINDOW_COUNT];
GadgetState gGadgets[GADGET_COUNT];
HBITMAP gImage1;
std::deque<Event> gEvents;
Event gCurrent;

int WindowNumber(HWND hwnd) {
    for (int n = 0; n < WINDOW_COUNT; n++)
        if (hwnd && gWindows[n] == hwnd) return n;
    return 0;
}

bool ValidGadget(int gadget) {
    return gadget > 0 && gadget < GADGET_COUNT && gGadgets[gadget].hwnd;
}

LRESULT OnEraseBackground(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH brush = gWindowBrush[WindowNumber(hwnd)];
    FillRect(dc, &client, brush ? brush : (HBRUSH)GetStockObject(BLACK_BRUSH));
    return 1;
}

LRESULT OnColorStatic(HWND hwnd, HDC dc, HWND control) {
    int gadget = GetDlgCtrlID(control);
    if (gadget > 0 && gadget < GADGET_COUNT && gGadgets[gadget].coloured) {
        SetTextColor(dc, gGadgets[gadget].text);
        SetBkColor(dc, gGadgets[gadget].back);
        return (LRESULT)gGadgets[gadget].brush;
    }
    return DefWindowProcA(hwnd, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)control);
}

// The picture is drawn as a plain bitmap even though the gadget is disabled: a disabled static
// would otherwise be greyed.
LRESULT OnDrawItem(HWND hwnd, const DRAWITEMSTRUCT* item) {
    if (item->CtlID != GADGET_PICTURE) return FALSE;
    if (gImage1) {
        DrawStateA(item->hDC, nullptr, nullptr, (LPARAM)gImage1, 0, 0, 0, 0, 0,
                   DST_BITMAP | DSS_NORMAL);
    } else {
        HBRUSH brush = gWindowBrush[WindowNumber(hwnd)];
        FillRect(item->hDC, &item->rcItem, brush ? brush : (HBRUSH)GetStockObject(BLACK_BRUSH));
    }
    return TRUE;
}

void QueueEvent(int code, int gadget, HWND hwnd) {
    gEvents.push_back({code, gadget, WindowNumber(hwnd)});
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return OnEraseBackground(hwnd, (HDC)wp);
    case WM_CTLCOLORSTATIC:
        return OnColorStatic(hwnd, (HDC)wp, (HWND)lp);
    case WM_DRAWITEM:
        return OnDrawItem(hwnd, (const DRAWITEMSTRUCT*)lp);
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED && lp) QueueEvent(GadgetEvent, LOWORD(wp), hwnd);
        return 0;
    case WM_CLOSE:
        // A close request closes nothing by itself; the loop that waits decides.
        QueueEvent(CloseEvent, 0, hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

bool RegisterWindowClass() {
    WNDCLASSEXA wc = {};
    if (GetClassInfoExA(GetModuleHandleA(nullptr), kWindowClass, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.hIconSm = (HICON)LoadImageA(wc.hInstance, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0);
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    return RegisterClassExA(&wc) != 0;
}

HWND CreateNumberedWindow(int number, const char* title, COLORREF background) {
    if (!RegisterWindowClass()) return nullptr;
    RECT outer = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, kWindowStyle, FALSE, 0);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    POINT at =
        CentredOrigin(width, height, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    HWND hwnd = CreateWindowExA(0, kWindowClass, title, kWindowStyle, at.x, at.y, width, height,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return nullptr;
    gWindows[number] = hwnd;
    gWindowBrush[number] = CreateSolidBrush(background);
    SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return hwnd;
}

void SetGadgetColours(int gadget, COLORREF text, COLORREF back) {
    if (!ValidGadget(gadget)) return;
    GadgetState& g = gGadgets[gadget];
    if (g.brush) DeleteObject(g.brush);
    g.coloured = true;
    g.text = text;
    g.back = back;
    g.brush = CreateSolidBrush(back);
}

void RaiseGadget(HWND hwnd) {
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The system puts a new child beneath its siblings. Stacked that way the picture would cover the
// StatusLine shown later, and a text gadget the buttons lying on it. So every new gadget goes on
// top of those made before it, and the window's buttons on top of everything, where they are
// drawn and receive the clicks.
void PlaceInZOrder(const GadgetSpec& layout) {
    RaiseGadget(gGadgets[layout.number].hwnd);
    if (layout.kind == GADGET_BUTTON) return;
    for (int i = 0; i < kGadgetSpecCount; i++) {
        const GadgetSpec& other = kGadgetSpecs[i];
        if (other.window == layout.window && other.kind == GADGET_BUTTON &&
            gGadgets[other.number].hwnd)
            RaiseGadget(gGadgets[other.number].hwnd);
    }
}

// Creates the gadget of the layout table with this number on its window.
void CreateGadget(int number) {
    const GadgetSpec* layout = FindGadgetSpec(number);
    if (!layout || !gWindows[layout->window]) return;
    const char* cls = layout->kind == GADGET_BUTTON ? "Button" : "Static";
    HWND hwnd = CreateWindowExA(0, cls, layout->text, GadgetStyle(*layout), layout->x, layout->y,
                                layout->width, layout->height, gWindows[layout->window],
                                (HMENU)(INT_PTR)number, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return;
    gGadgets[number] = {hwnd, layout->window, false, 0, 0, nullptr};
    if (layout->font) SendMessageA(hwnd, WM_SETFONT, (WPARAM)GetFont(layout->font), TRUE);
    PlaceInZOrder(*layout);
    if (layout->kind == GADGET_TEXT) SetGadgetColours(number, layout->textColour, layout->backColour);
}

// Tab and Shift+Tab walk the active window's visible, enabled buttons in creation order; Enter and
// Escape press nothing. Returns true when the key was ours.
bool HandleKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
    WPARAM key = msg.wParam;
    bool isTab = msg.message == WM_KEYDOWN ? key == VK_TAB : key == '\t';
    bool swallowed = msg.message == WM_KEYDOWN ? (key == VK_RETURN || key == VK_ESCAPE)
                                               : (key == '\r' || key == 27 || key == '\n');
    if (swallowed) return true;
    if (!isTab) return false;
    if (msg.message == WM_CHAR) return true;
    int window = WindowNumber(GetActiveWindow());
    if (!window) return false;
    HWND order[GADGET_COUNT];
    int count = 0, current = -1;
    for (int i = 0; i < kGadgetSpecCount; i++) {
        const GadgetSpec& layout = kGadgetSpecs[i];
        if (layout.window != window || layout.kind != GADGET_BUTTON) continue;
        HWND h = gGadgets[layout.number].hwnd;
        if (!h || !IsWindowVisible(h) || !IsWindowEnabled(h)) continue;
        if (h == GetFocus()) current = count;
        order[count++] = h;
    }
    if (count == 0) return true;
    bool back = GetKeyState(VK_SHIFT) < 0;
    int next;
    if (current < 0)
        next = back ? count - 1 : 0;
    else
        next = back ? (current + count - 1) % count : (current + 1) % count;
    SetFocus(order[next]);
    return true;
}

void DispatchOne(const MSG& msg) {
    if (WindowNumber(GetAncestor(msg.hwnd, GA_ROOT)) && HandleKey(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

} // namespace

HWND OpenStartWindow() {
    HWND hwnd = CreateNumberedWindow(WINDOW_START, GetText(0).c_str(), RGB(0, 0, 0));
    if (!hwnd) return nullptr;
    CreateGadget(GADGET_PICTURE);
    DisableGadget(GADGET_PICTURE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    CreateGadget(GADGET_DEUTSCH);
    CreateGadget(GADGET_ENGLISH);
    CreateGadget(GADGET_EXIT);
    CreateGadget(GADGET_STATUS);
    HideGadget(GADGET_STATUS);
    return hwnd;
}

HWND OpenInfoWindow() {
    HWND hwnd = CreateNumberedWindow(WINDOW_INFO, GetText(2).c_str(), RGB(255, 255, 255));
    if (!hwnd) return nullptr;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    CreateGadget(GADGET_INFO_TEXT);
    CreateGadget(GADGET_INFO_FOOTER);
    CreateGadget(GADGET_OK);
    CreateGadget(GADGET_CANCEL);
    return hwnd;
}

HWND OpenReportWindow() {
    HWND hwnd = CreateNumberedWindow(WINDOW_REPORT, GetText(0).c_str(), RGB(255, 255, 255));
    if (!hwnd) return nullptr;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    CreateGadget(GADGET_REPORT_TEXT);
    CreateGadget(GADGET_REPORT_FOOTER);
    CreateGadget(GADGET_QUIT);
    return hwnd;
}

int WaitEvent() {
    // Not GetMessage: it handles messages sent from other threads (a button pressed through
    // automation, BM_CLICK from another program) inside its wait and keeps waiting for a posted
    // one, so the event such a message produced would lie unseen until the mouse next moved.
    while (gEvents.empty()) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Nobody posts WM_QUIT here; should it come anyway, treat it as a close request.
                gEvents.push_back({CloseEvent, 0, 0});
                break;
            }
            DispatchOne(msg);
            continue;
        }
        if (!gEvents.empty()) break;
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    gCurrent = gEvents.front();
    gEvents.pop_front();
    return gCurrent.code;
}

int EventGadget() {
    return gCurrent.gadget;
}
int EventWindow() {
    return gCurrent.window;
}

void PumpWithoutEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        bool input = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                     (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST);
        if (input && WindowNumber(GetAncestor(msg.hwnd, GA_ROOT))) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    gEvents.clear();
}

HWND WindowHandle(int window) {
    return window > 0 && window < WINDOW_COUNT ? gWindows[window] : nullptr;
}

HWND GadgetHandle(int gadget) {
    return ValidGadget(gadget) ? gGadgets[gadget].hwnd : nullptr;
}

void SetWindowTitle(int window, const char* title) {
    if (HWND h = WindowHandle(window)) SetWindowTextA(h, title ? title : "");
}

void HideWindow(int window) {
    if (HWND h = WindowHandle(window)) ShowWindow(h, SW_HIDE);
}

void ShowWindowNumber(int window) {
    if (HWND h = WindowHandle(window)) ShowWindow(h, SW_SHOWNORMAL);
}

void CloseWindowNumber(int window) {
    HWND hwnd = WindowHandle(window);
    if (!hwnd) return;
    gWindows[window] = nullptr;
    DestroyWindow(hwnd);
    for (GadgetState& g : gGadgets) {
        if (g.hwnd && g.window == window) {
            if (g.brush) DeleteObject(g.brush);
            g = {};
        }
    }
    if (gWindowBrush[window]) DeleteObject(gWindowBrush[window]);
    gWindowBrush[window] = nullptr;
    for (auto it = gEvents.begin(); it != gEvents.end();)
        it = it->window == window ? gEvents.erase(it) : it + 1;
}

void CloseAllWindows() {
    for (int n = 0; n < WINDOW_COUNT; n++)
        CloseWindowNumber(n);
}

void SetGadgetText(int gadget, const char* text) {
    if (ValidGadget(gadget)) SetWindowTextA(gGadgets[gadget].hwnd, text ? text : "");
}

void HideGadget(int gadget) {
    if (ValidGadget(gadget)) ShowWindow(gGadgets[gadget].hwnd, SW_HIDE);
}

void ShowGadget(int gadget) {
    if (ValidGadget(gadget)) ShowWindow(gGadgets[gadget].hwnd, SW_SHOW);
}

void DisableGadget(int gadget) {
    if (ValidGadget(gadget)) EnableWindow(gGadgets[gadget].hwnd, FALSE);
}

void SetImage1(HBITMAP image) {
    ReleaseImages();
    gImage1 = image;
}

void ReleaseImages() {
    if (gImage1) DeleteObject(gImage1);
    gImage1 = nullptr;
}
