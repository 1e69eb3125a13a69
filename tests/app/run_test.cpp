// The whole program started as its own process and driven like a user would.
#include "tests/driver/driver.h"
#include "ui/windows.h"

#include <gtest/gtest.h>

namespace {

TEST(Run, CancelOnTheInfoWindowShowsTheAbortNoticeThenExitsWithZero) {
    driver::App app;
    ASSERT_TRUE(driver::Start(&app, driver::MakeTempDir("run")));
    HWND start = driver::WaitProgramWindow(app, WINDOW_START);
    ASSERT_TRUE(start);
    ASSERT_TRUE(driver::Press(start, GADGET_ENGLISH));
    HWND info = driver::WaitProgramWindow(app, WINDOW_INFO);
    ASSERT_TRUE(info);
    ASSERT_TRUE(driver::Press(info, GADGET_CANCEL));
    driver::MessageBoxInfo notice = driver::WaitMessageBox(app);
    ASSERT_TRUE(notice.hwnd);
    EXPECT_EQ(notice.caption, "SH3 Duplora 2014 has been aborted!");
    EXPECT_EQ(notice.text, "SH3 Duplora 2014 will now be ended!");
    // Only an OK button: the exclamation notice of type 48.
    EXPECT_TRUE(GetDlgItem(notice.hwnd, IDOK) || GetDlgItem(notice.hwnd, IDCANCEL));
    EXPECT_FALSE(GetDlgItem(notice.hwnd, IDYES));
    driver::Answer(notice.hwnd, IDOK);
    EXPECT_EQ(driver::WaitExit(&app), 0);
}

TEST(Run, GermanAbortNoticeAfterDeutsch) {
    driver::App app;
    ASSERT_TRUE(driver::Start(&app, driver::MakeTempDir("run")));
    HWND start = driver::WaitProgramWindow(app, WINDOW_START);
    ASSERT_TRUE(start);
    ASSERT_TRUE(driver::Press(start, GADGET_DEUTSCH));
    HWND info = driver::WaitProgramWindow(app, WINDOW_INFO);
    ASSERT_TRUE(info);
    ASSERT_TRUE(driver::Press(info, GADGET_CANCEL));
    driver::MessageBoxInfo notice = driver::WaitMessageBox(app);
    ASSERT_TRUE(notice.hwnd);
    EXPECT_EQ(notice.caption, "SH3 Duplora 2014 wurde abgebrochen!");
    EXPECT_EQ(notice.text, "SH3 Duplora 2014 wird beendet!");
    driver::Answer(notice.hwnd, IDOK);
    EXPECT_EQ(driver::WaitExit(&app), 0);
}

} // namespace
