// The wizard's questions in the real program, answered through its real dialogs: the message
// boxes, the shell's folder browser and the text-input window.
#include "app/state.h"
#include "app/texts.h"
#include "tests/driver/wizard_driver.h"
#include "tests/driver/files.h"
#include "ui/windows.h"
#include "wizard/text_input.h"

#include <gtest/gtest.h>

namespace {

// A small installation and an empty target under C:\ (reachable in the browser through My
// Computer): 1,000,000 + 572,864 bytes = 1.50 MB.
class WizardRun : public ::testing::Test {
  protected:
    void SetUp() override {
        FillTextTable();
        Language = 1;
        CreateDirectoryA("C:\\duplora-tests", nullptr);
        char name[64];
        wsprintfA(name, "C:\\duplora-tests\\wizard-%lu", GetCurrentProcessId());
        base = name;
        RemoveTree(base);
        ASSERT_TRUE(CreateDirectoryA(base.c_str(), nullptr));
        source = base + "\\SilentHunterIII";
        target = base + "\\Target";
        ASSERT_TRUE(CreateDirectoryA(source.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((source + "\\data").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
        ASSERT_TRUE(WriteFileOfSize(source + "\\sh3.exe", 1000000));
        ASSERT_TRUE(WriteFileOfSize(source + "\\data\\a.dat", 572864, FILE_ATTRIBUTE_HIDDEN));
        work = driver::MakeTempDir("wizard");
    }
    void TearDown() override {
        driver::Kill(&app);
        RemoveTree(base);
    }

    // Waits for the next message box and checks its caption.
    driver::MessageBoxInfo Expect(int captionIndex) {
        driver::MessageBoxInfo box = driver::WaitMessageBox(app, driver::kSlowTimeoutMs);
        EXPECT_TRUE(box.hwnd) << "no message box for text " << captionIndex;
        EXPECT_EQ(box.caption, GetText(captionIndex));
        return box;
    }

    // In the open folder browser, selects `folder` and presses OK.
    void Choose(const std::string& folder, int instructionIndex) {
        HWND browser = driver::WaitFolderBrowser(app);
        ASSERT_TRUE(browser);
        EXPECT_TRUE(driver::HasStaticText(browser, GetText(instructionIndex)));
        std::string trail;
        ASSERT_TRUE(driver::SelectFolder(browser, folder, &trail)) << folder << " " << trail;
        ASSERT_TRUE(driver::FinishFolderBrowser(browser, IDOK));
    }

    // Goes from the start to the name dialog, checking each question on the way.
    void RunToTheNameDialog() {
        ASSERT_TRUE(driver::StartWizard(&app, work, GADGET_ENGLISH));
        driver::MessageBoxInfo question = Expect(10);
        EXPECT_EQ(question.text, GetText(11));
        HWND start = driver::WaitProgramWindow(app, WINDOW_START, driver::kSlowTimeoutMs);
        EXPECT_FALSE(IsWindowEnabled(start)) << "the StartWindow stays usable behind the dialog";
        ASSERT_TRUE(driver::AnswerAndWait(question.hwnd, IDOK));

        // A folder without sh3.exe: the browser simply comes back.
        ASSERT_NO_FATAL_FAILURE(Choose(target, 12));
        ASSERT_NO_FATAL_FAILURE(Choose(source, 12));

        driver::MessageBoxInfo volume = Expect(20);
        EXPECT_EQ(volume.text, GetText(21) + "1.50 MB" + GetText(22));
        ASSERT_TRUE(driver::AnswerAndWait(volume.hwnd, IDOK));

        ASSERT_NO_FATAL_FAILURE(Choose(target, 23));
        driver::MessageBoxInfo location = Expect(30);
        EXPECT_EQ(location.text, target + "\\" + GetText(31));
        ASSERT_TRUE(driver::AnswerAndWait(location.hwnd, IDOK));
    }

    driver::App app;
    std::string base, source, target, work;
};

TEST_F(WizardRun, EveryQuestionToTheFinalConfirmationThenCancelEndsWithTheAbortNotice) {
    ASSERT_NO_FATAL_FAILURE(RunToTheNameDialog());

    HWND requester = driver::WaitInputRequester(app);
    ASSERT_TRUE(requester);
    EXPECT_EQ(driver::Text(requester), GetText(40));
    EXPECT_EQ(driver::ChildText(requester, INPUT_PROMPT_ID), GetText(41));
    HWND field = driver::Child(requester, INPUT_FIELD_ID);
    EXPECT_EQ(driver::Text(field), "SilentHunterIII");
    // The suggestion unchanged is refused: the window comes back with it.
    driver::Key(field, VK_RETURN);
    ASSERT_TRUE(driver::WaitGone(requester, driver::kSlowTimeoutMs));
    requester = driver::WaitInputRequester(app);
    ASSERT_TRUE(requester);
    field = driver::Child(requester, INPUT_FIELD_ID);
    EXPECT_EQ(driver::Text(field), "SilentHunterIII");
    // Typed over the whole suggestion, then Enter while the field has the focus.
    SendMessageA(field, EM_SETSEL, 0, -1);
    driver::Type(field, "SH3_Multi");
    driver::Key(field, VK_RETURN);
    ASSERT_TRUE(driver::WaitGone(requester, driver::kSlowTimeoutMs));

    driver::MessageBoxInfo last = Expect(50);
    EXPECT_EQ(last.text, GetText(51));
    ASSERT_TRUE(driver::AnswerAndWait(last.hwnd, IDCANCEL));
    driver::MessageBoxInfo notice = Expect(90);
    EXPECT_EQ(notice.text, GetText(91));
    driver::Answer(notice.hwnd, IDOK);
    EXPECT_EQ(driver::WaitExit(&app, driver::kSlowTimeoutMs), 0);
    // Nothing was made in the target.
    EXPECT_EQ(GetFileAttributesA((target + "\\SH3_Multi").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(WizardRun, EscapeInTheNameDialogEndsTheRunWithTheAbortNotice) {
    ASSERT_NO_FATAL_FAILURE(RunToTheNameDialog());
    HWND requester = driver::WaitInputRequester(app);
    ASSERT_TRUE(requester);
    driver::Key(driver::Child(requester, INPUT_FIELD_ID), VK_ESCAPE);
    ASSERT_TRUE(driver::WaitGone(requester, driver::kSlowTimeoutMs));
    driver::MessageBoxInfo notice = Expect(90);
    EXPECT_EQ(notice.text, GetText(91));
    driver::Answer(notice.hwnd, IDOK);
    EXPECT_EQ(driver::WaitExit(&app, driver::kSlowTimeoutMs), 0);
}

TEST_F(WizardRun, CancelInTheFolderBrowserEndsTheRunInGerman) {
    Language = 0;
    ASSERT_TRUE(driver::StartWizard(&app, work, GADGET_DEUTSCH));
    driver::MessageBoxInfo question = Expect(10);
    ASSERT_TRUE(driver::AnswerAndWait(question.hwnd, IDOK));
    HWND browser = driver::WaitFolderBrowser(app);
    ASSERT_TRUE(browser);
    EXPECT_TRUE(driver::HasStaticText(browser, GetText(12)));
    // Modal: owned by the StartWindow, which is disabled while the browser is open.
    HWND start = driver::WaitProgramWindow(app, WINDOW_START, driver::kSlowTimeoutMs);
    EXPECT_EQ(GetWindow(browser, GW_OWNER), start);
    EXPECT_FALSE(IsWindowEnabled(start));
    ASSERT_TRUE(driver::FinishFolderBrowser(browser, IDCANCEL));
    driver::MessageBoxInfo notice = Expect(90);
    EXPECT_EQ(notice.caption, "SH3 Duplora 2014 wurde abgebrochen!");
    driver::Answer(notice.hwnd, IDOK);
    EXPECT_EQ(driver::WaitExit(&app, driver::kSlowTimeoutMs), 0);
}

} // namespace
