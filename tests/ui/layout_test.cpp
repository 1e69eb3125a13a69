// Every window and gadget as the user gets it: rectangles, Win32 styles, fonts, colours, and what
// actually reaches the screen where gadgets overlap.
#include "tests/ui/ui_fixture.h"
#include "app/state.h"
#include "app/texts.h"
#include "ui/windows.h"

#include <string>

namespace {

enum Kind { BUTTON, TEXT_LEFT, TEXT_CENTRED, PICTURE };

struct GadgetRow {
    int gadget, window;
    Kind kind;
    int x, y, width, height;
    int points, weight;  // 0: no font
    COLORREF text, back; // text gadgets only
    bool visible;        // right after the window opened
};

const COLORREF kRed = RGB(255, 0, 0), kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

const GadgetRow kGadgets[] = {
    {4, 3, PICTURE, 0, 0, 640, 480, 0, 0, 0, 0, true},
    {2, 3, BUTTON, 48, 435, 160, 35, 12, 700, 0, 0, true},
    {1, 3, BUTTON, 241, 435, 160, 35, 12, 700, 0, 0, true},
    {3, 3, BUTTON, 431, 435, 160, 35, 12, 700, 0, 0, true},
    {5, 3, TEXT_CENTRED, 10, 406, 620, 60, 11, 400, kRed, kBlack, false},
    {7, 2, TEXT_LEFT, 5, 5, 630, 455, 12, 400, kBlack, kWhite, true},
    {8, 2, TEXT_CENTRED, 5, 465, 630, 15, 8, 400, kWhite, kBlack, true},
    {9, 2, BUTTON, 150, 418, 160, 35, 12, 700, 0, 0, true},
    {10, 2, BUTTON, 330, 418, 160, 35, 12, 400, 0, 0, true},
    {12, 4, TEXT_LEFT, 5, 5, 620, 465, 12, 400, kBlack, kWhite, true},
    {13, 4, TEXT_CENTRED, 10, 465, 620, 15, 8, 400, kWhite, kBlack, true},
    {11, 4, BUTTON, 240, 418, 160, 35, 12, 700, 0, 0, true},
};

int LogPixelsY() {
    HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    DeleteDC(dc);
    return dpi;
}

std::string ClassOf(HWND hwnd) {
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string TitleOf(HWND hwnd) {
    char title[512] = "";
    GetWindowTextA(hwnd, title, sizeof title);
    return title;
}

void OpenAll() {
    ASSERT_TRUE(OpenStartWindow());
    ASSERT_TRUE(OpenInfoWindow());
    ASSERT_TRUE(OpenReportWindow());
}

TEST_F(WindowsTest, EveryGadgetHasItsRectangleStyleAndFont) {
    OpenAll();
    const int dpi = LogPixelsY();
    for (const GadgetRow& row : kGadgets) {
        SCOPED_TRACE("gadget " + std::to_string(row.gadget));
        HWND window = WindowHandle(row.window);
        HWND hwnd = GetDlgItem(window, row.gadget);
        ASSERT_TRUE(hwnd);
        EXPECT_EQ(hwnd, GadgetHandle(row.gadget));
        RECT r = RectInParent(hwnd);
        EXPECT_EQ(r.left, row.x);
        EXPECT_EQ(r.top, row.y);
        EXPECT_EQ(r.right - r.left, row.width);
        EXPECT_EQ(r.bottom - r.top, row.height);
        EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), 0);
        EXPECT_EQ(IsWindowVisible(hwnd) != 0, row.visible);

        DWORD style = (DWORD)GetWindowLongA(hwnd, GWL_STYLE);
        EXPECT_TRUE(style & WS_CHILD);
        if (row.kind == BUTTON) {
            EXPECT_EQ(ClassOf(hwnd), "Button");
            EXPECT_EQ(style & (WS_TABSTOP | WS_GROUP), (DWORD)(WS_TABSTOP | WS_GROUP));
            EXPECT_EQ(style & BS_TYPEMASK, (DWORD)BS_DEFPUSHBUTTON);
            EXPECT_TRUE(IsWindowEnabled(hwnd));
        } else {
            EXPECT_EQ(ClassOf(hwnd), "Static");
            EXPECT_FALSE(style & WS_TABSTOP);
            EXPECT_FALSE(style & SS_NOTIFY) << "text and picture gadgets take no clicks";
        }
        if (row.kind == TEXT_LEFT || row.kind == TEXT_CENTRED) {
            EXPECT_EQ(style & SS_TYPEMASK, (DWORD)(row.kind == TEXT_LEFT ? SS_LEFT : SS_CENTER));
            EXPECT_TRUE(style & SS_NOPREFIX);
            EXPECT_TRUE(style & WS_GROUP);
            EXPECT_TRUE(IsWindowEnabled(hwnd));
        }
        if (row.kind == PICTURE) {
            EXPECT_FALSE(IsWindowEnabled(hwnd)) << "disabled at once";
        }

        HFONT font = (HFONT)SendMessageA(hwnd, WM_GETFONT, 0, 0);
        if (row.points == 0) continue;
        ASSERT_TRUE(font);
        LOGFONTA lf = {};
        ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
        EXPECT_STREQ(lf.lfFaceName, "Tahoma");
        EXPECT_EQ(lf.lfHeight, -MulDiv(row.points, dpi, 72));
        EXPECT_EQ(lf.lfWeight, row.weight);
        EXPECT_EQ(lf.lfWidth, 0);
        EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
    }
}

TEST_F(WindowsTest, ButtonsCarryTheirFixedLabelsAndTextsStartEmpty) {
    OpenAll();
    const struct {
        int gadget;
        const char* text;
    } labels[] = {{1, "ENGLISH"}, {2, "DEUTSCH"}, {3, "EXIT"},     {5, ""},  {7, ""}, {8, ""},
                  {9, "OK"},      {10, ""},       {11, "BEENDEN"}, {12, ""}, {13, ""}};
    for (const auto& label : labels)
        EXPECT_EQ(TitleOf(GadgetHandle(label.gadget)), label.text);
}

TEST_F(WindowsTest, WindowsAreCentredTopLevelWithTheFixedStyleAndClientSize) {
    OpenAll();
    const struct {
        int window;
        int title;
    } rows[] = {{3, 0}, {2, 2}, {4, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE("window " + std::to_string(row.window));
        HWND hwnd = WindowHandle(row.window);
        ASSERT_TRUE(hwnd);
        EXPECT_EQ(TitleOf(hwnd), GetText(row.title));
        EXPECT_FALSE(GetParent(hwnd));
        EXPECT_FALSE(GetWindow(hwnd, GW_OWNER));
        DWORD style = (DWORD)GetWindowLongA(hwnd, GWL_STYLE);
        // The system adds WS_CLIPSIBLINGS to every top-level window and WS_EX_WINDOWEDGE to
        // every captioned one.
        EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
                  (DWORD)(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU));
        EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, 640);
        EXPECT_EQ(client.bottom, 480);
        RECT outer;
        GetWindowRect(hwnd, &outer);
        int width = outer.right - outer.left, height = outer.bottom - outer.top;
        EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
        EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    }
}

TEST_F(WindowsTest, TextGadgetsAnswerWithTheirColoursAndABrushOfTheBackground) {
    OpenAll();
    HDC dc = CreateCompatibleDC(nullptr);
    for (const GadgetRow& row : kGadgets) {
        if (row.kind != TEXT_LEFT && row.kind != TEXT_CENTRED) continue;
        SCOPED_TRACE("gadget " + std::to_string(row.gadget));
        HWND hwnd = GadgetHandle(row.gadget);
        HBRUSH brush = (HBRUSH)SendMessageA(WindowHandle(row.window), WM_CTLCOLORSTATIC, (WPARAM)dc,
                                            (LPARAM)hwnd);
        ASSERT_TRUE(brush);
        LOGBRUSH lb = {};
        ASSERT_TRUE(GetObjectA(brush, sizeof lb, &lb));
        EXPECT_EQ(lb.lbStyle, (UINT)BS_SOLID);
        EXPECT_EQ(lb.lbColor, row.back);
        EXPECT_EQ(GetTextColor(dc), row.text);
        EXPECT_EQ(GetBkColor(dc), row.back);
    }
    DeleteDC(dc);
}

TEST_F(WindowsTest, BackgroundsAndFooterStripsReachTheScreen) {
    OpenAll();
    HWND info = WindowHandle(WINDOW_INFO);
    SetWindowPos(info, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(PixelAt(info, 320, 462), kWhite) << "strip of window background under gadget 7";
    EXPECT_EQ(PixelAt(info, 10, 470), kBlack) << "footer 8 is black";
    EXPECT_EQ(PixelAt(info, 637, 200), kWhite) << "window background right of gadget 7";
    EXPECT_EQ(PixelAt(info, 600, 100), kWhite) << "gadget 7's own background";
    HWND report = WindowHandle(WINDOW_REPORT);
    SetWindowPos(report, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(PixelAt(report, 12, 467), kBlack) << "the footer lies over gadget 12's last lines";
    EXPECT_EQ(PixelAt(report, 630, 100), kWhite);
}

TEST_F(WindowsTest, DisabledPictureIsDrawnInFullColourBehindTheButtons) {
    HWND start = OpenStartWindow();
    ASSERT_TRUE(start);
    EXPECT_EQ(PixelAt(start, 10, 10), kPictureColour);
    EXPECT_EQ(PixelAt(start, 630, 300), kPictureColour);
    EXPECT_EQ(PixelAt(start, 20, 450), kPictureColour) << "left of the buttons";
    // The buttons are drawn over the picture: the button face, not the picture, at their middle.
    EXPECT_NE(PixelAt(start, 128, 452), kPictureColour);
    EXPECT_NE(PixelAt(start, 321, 445), kPictureColour);
}

TEST_F(WindowsTest, MissingPictureLeavesTheStartWindowBlack) {
    ReleaseImages();
    HWND start = OpenStartWindow();
    ASSERT_TRUE(start);
    EXPECT_EQ(PixelAt(start, 10, 10), kBlack);
    EXPECT_EQ(PixelAt(start, 320, 300), kBlack);
    RECT r = RectInParent(GadgetHandle(GADGET_PICTURE));
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);
}

TEST_F(WindowsTest, ShownStatusLineLiesOverThePicture) {
    HWND start = OpenStartWindow();
    ASSERT_TRUE(start);
    EXPECT_EQ(PixelAt(start, 15, 410), kPictureColour) << "hidden at first";
    HideGadget(GADGET_ENGLISH);
    HideGadget(GADGET_DEUTSCH);
    HideGadget(GADGET_EXIT);
    SetGadgetText(GADGET_STATUS, "copy running");
    ShowGadget(GADGET_STATUS);
    EXPECT_EQ(PixelAt(start, 15, 410), kBlack);
    EXPECT_EQ(PixelAt(start, 625, 460), kBlack);
    EXPECT_EQ(PixelAt(start, 5, 410), kPictureColour);
    HideGadget(GADGET_STATUS);
    EXPECT_EQ(PixelAt(start, 15, 410), kPictureColour);
}

// Where buttons lie on a text or picture gadget they stay on top, for the eye and for the mouse,
// also after the gadget under them got a new text.
TEST_F(WindowsTest, ButtonsStayOnTopOfTheGadgetsTheyLieOn) {
    OpenAll();
    const struct {
        int window, gadget, under;
    } rows[] = {{3, 2, 4}, {3, 1, 4}, {3, 3, 4}, {2, 9, 7}, {2, 10, 7}, {4, 11, 12}};
    for (const auto& row : rows) {
        SCOPED_TRACE("button " + std::to_string(row.gadget));
        HWND window = WindowHandle(row.window);
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetGadgetText(row.under, "A text long enough to run under the buttons. "
                                 "A text long enough to run under the buttons.\n\n\n\n\n\n\n\n\n"
                                 "\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\nlast line");
        RECT r = RectInParent(GadgetHandle(row.gadget));
        POINT centre = {(r.left + r.right) / 2, r.top + 4};
        COLORREF under = row.under == GADGET_PICTURE ? kPictureColour : kWhite;
        EXPECT_NE(PixelAt(window, centre.x, centre.y), under);
        POINT onScreen = centre;
        ClientToScreen(window, &onScreen);
        EXPECT_EQ(WindowFromPoint(onScreen), GadgetHandle(row.gadget));
    }
}

} // namespace
