// The text-input window, shown by this test process itself and answered from a second thread the
// way the keyboard and mouse would: Enter, Escape, the close box, the OK button.
#include "tests/driver/driver.h"
#include "wizard/dialogs.h"
#include "wizard/text_input.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

// The window once it is ready for the user: shown, with the focus in its field.
HWND WaitRequester() {
    for (int i = 0; i < 400; ++i) {
        HWND hwnd = FindWindowA(kInputRequesterClass, nullptr);
        GUITHREADINFO gti = {};
        gti.cbSize = sizeof gti;
        if (hwnd && IsWindowVisible(hwnd) &&
            GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &gti) &&
            gti.hwndFocus == GetDlgItem(hwnd, INPUT_FIELD_ID))
            return hwnd;
        Sleep(25);
    }
    return nullptr;
}

// Shows the dialog on this thread while `answer` looks at it and answers it from another.
std::string ShowAndAnswer(const std::string& defaultText, std::function<void(HWND)> answer) {
    std::thread user([&] {
        HWND hwnd = WaitRequester();
        if (!hwnd) {
            ADD_FAILURE() << "the text-input window did not appear";
            return;
        }
        answer(hwnd);
    });
    std::string result = TextInputDialog("Caption", "The prompt", defaultText);
    user.join();
    return result;
}

RECT ClientRectOf(HWND parent, int id) {
    RECT r = {};
    HWND child = GetDlgItem(parent, id);
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, parent, (POINT*)&r, 2);
    return r;
}

void ExpectRect(const RECT& r, int x, int y, int w, int h, const char* what) {
    EXPECT_EQ(r.left, x) << what;
    EXPECT_EQ(r.top, y) << what;
    EXPECT_EQ(r.right - r.left, w) << what;
    EXPECT_EQ(r.bottom - r.top, h) << what;
}

TEST(TextInputDialog, LayoutFontsFocusAndCaretThenEnterInTheFieldGivesItsText) {
    std::string result = ShowAndAnswer("SilentHunterIII", [](HWND hwnd) {
        char cls[64] = "";
        GetClassNameA(hwnd, cls, sizeof cls);
        EXPECT_STREQ(cls, "InputRequester");
        EXPECT_EQ(driver::Text(hwnd), "Caption");
        LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        RECT outer;
        GetWindowRect(hwnd, &outer);
        ExpectRect(outer, GetSystemMetrics(SM_CXSCREEN) / 2 - 150,
                   GetSystemMetrics(SM_CYSCREEN) / 2 - 65, 300, 130, "window");
        EXPECT_EQ(GetClassLongPtrA(hwnd, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW),
                  (ULONG_PTR)(CS_HREDRAW | CS_VREDRAW));
        EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND), (ULONG_PTR)(COLOR_BTNFACE + 1));

        HWND prompt = GetDlgItem(hwnd, INPUT_PROMPT_ID);
        HWND field = GetDlgItem(hwnd, INPUT_FIELD_ID);
        HWND ok = GetDlgItem(hwnd, INPUT_OK_ID);
        ASSERT_TRUE(prompt && field && ok);
        ExpectRect(ClientRectOf(hwnd, INPUT_PROMPT_ID), 10, 10, 280, 22, "prompt");
        ExpectRect(ClientRectOf(hwnd, INPUT_FIELD_ID), 10, 32, 275, 21, "field");
        ExpectRect(ClientRectOf(hwnd, INPUT_OK_ID), 110, 67, 80, 25, "button");
        EXPECT_EQ(driver::Text(prompt), "The prompt");
        EXPECT_EQ(GetWindowLongA(prompt, GWL_STYLE) & SS_TYPEMASK, SS_SIMPLE);
        EXPECT_TRUE(GetWindowLongA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_TRUE(GetWindowLongA(field, GWL_STYLE) & ES_AUTOHSCROLL);
        EXPECT_EQ(driver::Text(ok), "OK");
        EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
        for (HWND control : {prompt, field, ok})
            EXPECT_EQ((HGDIOBJ)SendMessageA(control, WM_GETFONT, 0, 0), gui);
        // The field has the focus, the caret after the last character, nothing selected.
        GUITHREADINFO gti = {};
        gti.cbSize = sizeof gti;
        GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &gti);
        EXPECT_EQ(gti.hwndFocus, field);
        EXPECT_EQ(gti.hwndActive, hwnd);
        DWORD sel = (DWORD)SendMessageA(field, EM_GETSEL, 0, 0);
        EXPECT_EQ(LOWORD(sel), 15);
        EXPECT_EQ(HIWORD(sel), 15);
        // There is no Cancel button.
        EXPECT_FALSE(GetDlgItem(hwnd, IDCANCEL));
        driver::Key(field, VK_RETURN);
    });
    EXPECT_EQ(result, "SilentHunterIII");
    // Unregistered once the window is gone.
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), kInputRequesterClass, &wc));
    EXPECT_FALSE(FindWindowA(kInputRequesterClass, nullptr));
}

TEST(TextInputDialog, EveryWayToAnswer) {
    struct Way {
        const char* what;
        std::function<void(HWND)> act;
        const char* result;
    } ways[] = {
        {"typed, then Enter while the button has the focus",
         [](HWND hwnd) {
             HWND field = GetDlgItem(hwnd, INPUT_FIELD_ID);
             SendMessageA(field, EM_SETSEL, 0, -1);
             for (char c : std::string("SH3 Multi\xfc"))
                 PostMessageA(field, WM_CHAR, (BYTE)c, 1);
             Sleep(200);
             driver::Key(GetDlgItem(hwnd, INPUT_OK_ID), VK_RETURN);
         },
         "SH3 Multi\xfc"},
        {"the OK button", [](HWND hwnd) { driver::Press(hwnd, INPUT_OK_ID); }, "Default"},
        {"OK on an emptied field",
         [](HWND hwnd) {
             driver::SetText(GetDlgItem(hwnd, INPUT_FIELD_ID), "");
             driver::Press(hwnd, INPUT_OK_ID);
         },
         ""},
        {"Escape in the field",
         [](HWND hwnd) { driver::Key(GetDlgItem(hwnd, INPUT_FIELD_ID), VK_ESCAPE); }, ""},
        {"Escape on the button",
         [](HWND hwnd) { driver::Key(GetDlgItem(hwnd, INPUT_OK_ID), VK_ESCAPE); }, ""},
        {"the close box", [](HWND hwnd) { PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }, ""},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        EXPECT_EQ(ShowAndAnswer("Default", way.act), way.result);
        EXPECT_FALSE(FindWindowA(kInputRequesterClass, nullptr));
    }
}

// While the window is open the program's other windows are disabled, and it is owned by the
// one that had the foreground.
TEST(TextInputDialog, IsModalOverTheProgramsWindows) {
    HWND behind = CreateWindowExA(0, "Static", "behind", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(behind);
    SetForegroundWindow(behind);
    ShowAndAnswer("", [behind](HWND hwnd) {
        EXPECT_FALSE(IsWindowEnabled(behind));
        EXPECT_EQ(GetWindow(hwnd, GW_OWNER), behind);
        driver::Key(GetDlgItem(hwnd, INPUT_FIELD_ID), VK_ESCAPE);
    });
    EXPECT_TRUE(IsWindowEnabled(behind));
    DestroyWindow(behind);
}

} // namespace
