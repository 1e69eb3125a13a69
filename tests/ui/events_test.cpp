// The event model: what WaitEvent hands out, what a closed window leaves behind, and the keyboard.
#include "tests/ui/ui_fixture.h"
#include "ui/windows.h"

namespace {

// A close request posted behind earlier input: WaitEvent handles everything before it, then
// returns it. Lets a test run the keyboard handling without blocking for ever.
int WaitAfterPosted(HWND sentinel) {
    PostMessageA(sentinel, WM_CLOSE, 0, 0);
    return WaitEvent();
}

void PostKey(HWND target, WPARAM vk, WPARAM ch = 0) {
    UINT scan = MapVirtualKeyA((UINT)vk, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    if (ch) PostMessageA(target, WM_CHAR, ch, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
}

void SetShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST_F(WindowsTest, ButtonPressAndCloseRequestBecomeEventsWithTheirNumbers) {
    ASSERT_TRUE(OpenStartWindow());
    ASSERT_TRUE(OpenInfoWindow());
    SendMessageA(GadgetHandle(GADGET_ENGLISH), BM_CLICK, 0, 0);
    PostMessageA(WindowHandle(WINDOW_INFO), WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitEvent(), GadgetEvent);
    EXPECT_EQ(EventGadget(), GADGET_ENGLISH);
    EXPECT_EQ(EventWindow(), WINDOW_START);
    EXPECT_EQ(WaitEvent(), CloseEvent);
    EXPECT_EQ(EventWindow(), WINDOW_INFO);
    EXPECT_TRUE(IsWindowVisible(WindowHandle(WINDOW_INFO))) << "a close request closes nothing";
}

DWORD WINAPI ClickLater(void* button) {
    Sleep(200);
    SendMessageA((HWND)button, BM_CLICK, 0, 0);
    // Wakes a wait that missed the click, so a failure shows as slowness, not as a hang.
    Sleep(3000);
    PostMessageA(GetParent((HWND)button), WM_CLOSE, 0, 0);
    return 0;
}

// A click sent from another thread (automation, another program's BM_CLICK) is handled inside
// the wait; the event it makes must come out at once, not with the next posted message.
TEST_F(WindowsTest, ButtonPressedFromAnotherThreadIsSeenAtOnce) {
    ASSERT_TRUE(OpenStartWindow());
    HANDLE thread = CreateThread(nullptr, 0, ClickLater, GadgetHandle(GADGET_ENGLISH), 0, nullptr);
    DWORD began = GetTickCount();
    EXPECT_EQ(WaitEvent(), GadgetEvent);
    EXPECT_EQ(EventGadget(), GADGET_ENGLISH);
    EXPECT_LT(GetTickCount() - began, 2000u);
    EXPECT_EQ(WaitEvent(), CloseEvent);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

TEST_F(WindowsTest, ClosingAWindowDiscardsItsWaitingEvents) {
    ASSERT_TRUE(OpenStartWindow());
    HWND info = OpenInfoWindow();
    ASSERT_TRUE(info);
    SendMessageA(GadgetHandle(GADGET_OK), BM_CLICK, 0, 0);
    SendMessageA(info, WM_CLOSE, 0, 0);
    CloseWindowNumber(WINDOW_INFO);
    EXPECT_FALSE(IsWindow(info));
    EXPECT_FALSE(GadgetHandle(GADGET_OK));
    SendMessageA(GadgetHandle(GADGET_EXIT), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitEvent(), GadgetEvent);
    EXPECT_EQ(EventGadget(), GADGET_EXIT);
}

TEST_F(WindowsTest, OperationsOnMissingNumbersDoNothing) {
    ASSERT_TRUE(OpenStartWindow());
    SetGadgetText(6, "x");
    HideGadget(GADGET_OK);
    ShowGadget(99);
    DisableGadget(-1);
    SetWindowTitle(1, "x");
    HideWindow(WINDOW_REPORT);
    CloseWindowNumber(WINDOW_INFO);
    SetGadgetText(GADGET_STATUS, nullptr);
    EXPECT_TRUE(IsWindowVisible(WindowHandle(WINDOW_START)));
    EXPECT_FALSE(WindowHandle(1));
    EXPECT_FALSE(GadgetHandle(6));
}

TEST_F(WindowsTest, HiddenAndShownGadgetsAndWindows) {
    ASSERT_TRUE(OpenStartWindow());
    HideGadget(GADGET_DEUTSCH);
    EXPECT_FALSE(IsWindowVisible(GadgetHandle(GADGET_DEUTSCH)));
    ShowGadget(GADGET_STATUS);
    EXPECT_TRUE(IsWindowVisible(GadgetHandle(GADGET_STATUS)));
    HideWindow(WINDOW_START);
    EXPECT_FALSE(IsWindowVisible(WindowHandle(WINDOW_START)));
    ShowWindowNumber(WINDOW_START);
    EXPECT_TRUE(IsWindowVisible(WindowHandle(WINDOW_START)));
    SetWindowTitle(WINDOW_START, "title");
    char title[32] = "";
    GetWindowTextA(WindowHandle(WINDOW_START), title, sizeof title);
    EXPECT_STREQ(title, "title");
}

// Tab walks the visible buttons in creation order and wraps; Shift+Tab walks back; hidden
// buttons are skipped; space presses the focused button; Enter and Escape press nothing.
TEST_F(WindowsTest, KeyboardWalksTheVisibleButtonsInCreationOrder) {
    HWND start = OpenStartWindow();
    ASSERT_TRUE(start);
    SetForegroundWindow(start);
    SetFocus(start);
    const int forward[] = {GADGET_DEUTSCH, GADGET_ENGLISH, GADGET_EXIT, GADGET_DEUTSCH};
    for (int expected : forward) {
        PostKey(GetFocus(), VK_TAB, '\t');
        ASSERT_EQ(WaitAfterPosted(start), CloseEvent) << "Tab pressed nothing";
        EXPECT_EQ(GetFocus(), GadgetHandle(expected));
    }
    SetShift(true);
    const int backward[] = {GADGET_EXIT, GADGET_ENGLISH};
    for (int expected : backward) {
        PostKey(GetFocus(), VK_TAB, '\t');
        ASSERT_EQ(WaitAfterPosted(start), CloseEvent);
        EXPECT_EQ(GetFocus(), GadgetHandle(expected));
    }
    SetShift(false);

    PostKey(GetFocus(), VK_RETURN, '\r');
    PostKey(GetFocus(), VK_ESCAPE, 27);
    EXPECT_EQ(WaitAfterPosted(start), CloseEvent) << "Enter and Escape press nothing";

    PostKey(GetFocus(), VK_SPACE, ' ');
    EXPECT_EQ(WaitAfterPosted(start), GadgetEvent);
    EXPECT_EQ(EventGadget(), GADGET_ENGLISH);
    EXPECT_EQ(WaitEvent(), CloseEvent);

    HideGadget(GADGET_EXIT);
    SetFocus(GadgetHandle(GADGET_ENGLISH));
    PostKey(GetFocus(), VK_TAB, '\t');
    ASSERT_EQ(WaitAfterPosted(start), CloseEvent);
    EXPECT_EQ(GetFocus(), GadgetHandle(GADGET_DEUTSCH)) << "the hidden EXIT is skipped";
}

TEST_F(WindowsTest, InfoWindowTabOrderIsOkThenCancel) {
    ASSERT_TRUE(OpenStartWindow());
    HWND info = OpenInfoWindow();
    ASSERT_TRUE(info);
    SetForegroundWindow(info);
    SetFocus(info);
    const int forward[] = {GADGET_OK, GADGET_CANCEL, GADGET_OK};
    for (int expected : forward) {
        PostKey(GetFocus(), VK_TAB, '\t');
        ASSERT_EQ(WaitAfterPosted(info), CloseEvent);
        EXPECT_EQ(GetFocus(), GadgetHandle(expected));
    }
}

} // namespace
