#include "tests/ui/ui_fixture.h"
#include "app/state.h"
#include "app/texts.h"
#include "ui/fonts.h"
#include "ui/windows.h"

namespace {

HBITMAP SolidBitmap(int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

} // namespace

void WindowsTest::SetUp() {
    ClearState();
    CreateFonts();
    FillTextTable();
    Language = 0;
    SetImage1(SolidBitmap(640, 480, kPictureColour));
}

void WindowsTest::TearDown() {
    CloseAllWindows();
    ReleaseImages();
    ReleaseFonts();
}

RECT RectInParent(HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), (POINT*)&r, 2);
    return r;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

COLORREF PixelAt(HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}
