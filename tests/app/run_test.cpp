// The whole program started as its own process and driven like a user would: the StartWindow,
// the language choice, the InfoWindow and every way out of them before the wizard.
#include "tests/driver/driver.h"
#include "ui/windows.h"

#include <gtest/gtest.h>

namespace {

const char kAbortCaptionEn[] = "SH3 Duplora 2014 has been aborted!";
const char kAbortTextEn[] = "SH3 Duplora 2014 will now be ended!";

// Started in an empty working folder, with its StartWindow on screen.
class Run : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(driver::Start(&app_, driver::MakeTempDir("run")));
        start_ = driver::WaitProgramWindow(app_, WINDOW_START);
        ASSERT_TRUE(start_);
    }
    void TearDown() override { driver::Kill(&app_); }

    // Ends the run and checks the road out: exit code 0, and exactly these message boxes.
    void ExpectExitAfter(std::vector<std::string> captions) {
        std::vector<driver::MessageBoxInfo> seen;
        EXPECT_EQ(driver::WaitExitWatching(&app_, &seen), 0);
        std::vector<std::string> got;
        for (const auto& box : seen)
            got.push_back(box.caption);
        EXPECT_EQ(got, captions);
    }

    HWND ChooseLanguage(int gadget) {
        EXPECT_TRUE(driver::Press(start_, gadget));
        return driver::WaitProgramWindow(app_, WINDOW_INFO);
    }

    driver::App app_;
    HWND start_ = nullptr;
};

TEST_F(Run, StartWindowOpensWithItsThreeButtonsAndNoStatusLine) {
    EXPECT_TRUE(driver::Visible(start_));
    for (int gadget : {GADGET_DEUTSCH, GADGET_ENGLISH, GADGET_EXIT})
        EXPECT_TRUE(driver::Visible(driver::Child(start_, gadget))) << gadget;
    EXPECT_EQ(driver::ChildText(start_, GADGET_DEUTSCH), "DEUTSCH");
    EXPECT_EQ(driver::ChildText(start_, GADGET_ENGLISH), "ENGLISH");
    EXPECT_EQ(driver::ChildText(start_, GADGET_EXIT), "EXIT");
    EXPECT_FALSE(driver::Visible(driver::Child(start_, GADGET_STATUS)));
    EXPECT_FALSE(driver::Text(start_).empty());
    EXPECT_EQ(driver::ActiveWindow(app_), start_);
}

TEST_F(Run, ExitButtonEndsWithoutAnyNotice) {
    ASSERT_TRUE(driver::Press(start_, GADGET_EXIT));
    ExpectExitAfter({});
}

TEST_F(Run, StartWindowCloseBoxEndsWithoutAnyNotice) {
    driver::Close(start_);
    ExpectExitAfter({});
}

TEST_F(Run, ClickOnThePictureDoesNothing) {
    // A click message on the picture area of the window itself, where no button lies.
    PostMessageA(start_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(320, 200));
    PostMessageA(start_, WM_LBUTTONUP, 0, MAKELPARAM(320, 200));
    EXPECT_TRUE(driver::NoWindowAppears(app_, nullptr, nullptr, 1000));
    EXPECT_TRUE(driver::Visible(driver::Child(start_, GADGET_ENGLISH)));
}

struct LanguageCase {
    const char* name;
    int button;
    const char* startTitle;
    const char* infoTitle;
    const char* bodyStart;
    const char* bodyEnd;
    const char* cancel;
};

const LanguageCase kLanguages[] = {
    {"English", GADGET_ENGLISH, "SH3 Duplora 2014 ...is being executed...",
     "SH3 Duplora 2014 - Informations on multiple SH3-installations",
     "\nWith SH3 Duplora you can select an existing SH3-installation,\ncopy it entirely",
     "DEACTIVATE ALL ACIVCATED MODS!\n\n\nSelect the SH3-Original installation ...", "CANCEL"},
    {"German", GADGET_DEUTSCH, "SH3 Duplora 2014 ...wird ausgef\xfchrt...",
     "SH3 Duplora 2014 - Information zu SH3-Mehrfachinstallationen",
     "\nSH3 Duplora kopiert bestehende UBI Original SH3-Installationen vollst\xe4ndig.\nDanach",
     "ZU DEAKTIVIEREN!\n\n\nW\xe4hle nun eine SH3-Originalinstallation aus...", "ABBRUCH"},
};

void PrintTo(const LanguageCase& c, std::ostream* out) {
    *out << c.name;
}

class Language : public Run, public ::testing::WithParamInterface<LanguageCase> {};

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_P(Language, ChoiceHidesTheButtonsAndOpensTheInfoWindowInThatLanguage) {
    const LanguageCase& c = GetParam();
    std::string startTitle = driver::Text(start_);
    HWND info = ChooseLanguage(c.button);
    ASSERT_TRUE(info);
    for (int gadget : {GADGET_DEUTSCH, GADGET_ENGLISH, GADGET_EXIT})
        EXPECT_FALSE(driver::Visible(driver::Child(start_, gadget))) << gadget;
    EXPECT_NE(startTitle, c.startTitle);
    EXPECT_EQ(driver::Text(start_), c.startTitle);
    EXPECT_TRUE(driver::Visible(start_));
    EXPECT_TRUE(IsWindowEnabled(start_));
    EXPECT_FALSE(driver::Visible(driver::Child(start_, GADGET_STATUS)));

    EXPECT_EQ(driver::Text(info), c.infoTitle);
    std::string body = driver::ChildText(info, GADGET_INFO_TEXT);
    EXPECT_EQ(body.rfind(c.bodyStart, 0), 0u) << body;
    EXPECT_TRUE(EndsWith(body, c.bodyEnd)) << body;
    EXPECT_EQ(body.find('|'), std::string::npos);
    EXPECT_FALSE(driver::ChildText(info, GADGET_INFO_FOOTER).empty());
    EXPECT_EQ(driver::ChildText(info, GADGET_OK), "OK");
    EXPECT_EQ(driver::ChildText(info, GADGET_CANCEL), c.cancel);
    EXPECT_EQ(driver::ActiveWindow(app_), info);
    // The InfoWindow lies exactly over the StartWindow.
    RECT s, i;
    GetWindowRect(start_, &s);
    GetWindowRect(info, &i);
    EXPECT_TRUE(EqualRect(&s, &i));

    driver::Close(info);
    ExpectExitAfter({});
}

TEST_P(Language, InfoWindowCancelShowsTheAbortNoticeInThatLanguageFirst) {
    HWND info = ChooseLanguage(GetParam().button);
    ASSERT_TRUE(info);
    ASSERT_TRUE(driver::Press(info, GADGET_CANCEL));
    driver::MessageBoxInfo notice = driver::WaitMessageBox(app_);
    ASSERT_TRUE(notice.hwnd);
    bool english = GetParam().button == GADGET_ENGLISH;
    EXPECT_EQ(notice.caption, english ? kAbortCaptionEn : "SH3 Duplora 2014 wurde abgebrochen!");
    EXPECT_EQ(notice.text, english ? kAbortTextEn : "SH3 Duplora 2014 wird beendet!");
    // Type 48: one OK button, no Cancel, Yes or No.
    EXPECT_TRUE(driver::Child(notice.hwnd, IDOK) || driver::Child(notice.hwnd, IDCANCEL));
    EXPECT_FALSE(driver::Child(notice.hwnd, IDYES));
    EXPECT_FALSE(driver::Child(notice.hwnd, IDNO));
    EXPECT_FALSE(driver::Visible(info)) << "the InfoWindow closes before the notice";
    EXPECT_TRUE(driver::Visible(start_));
    EXPECT_FALSE(IsWindowEnabled(start_)) << "the program's window is disabled under the notice";
    driver::Answer(notice.hwnd, IDOK);
    ExpectExitAfter({});
}

INSTANTIATE_TEST_SUITE_P(Both, Language, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Run, CloseRequestOnTheStartWindowBehindTheInfoWindowEndsSilently) {
    HWND info = ChooseLanguage(GADGET_ENGLISH);
    ASSERT_TRUE(info);
    driver::Close(start_);
    ExpectExitAfter({});
}

// Keys as far as a driver can give them: posted to the window that has the focus.
TEST_F(Run, TabWalksTheButtonsEnterPressesNothingSpacePresses) {
    const int order[] = {GADGET_DEUTSCH, GADGET_ENGLISH, GADGET_EXIT, GADGET_DEUTSCH,
                         GADGET_ENGLISH};
    for (int gadget : order) {
        ASSERT_TRUE(driver::KeyToFocus(app_, VK_TAB));
        HWND expected = driver::Child(start_, gadget);
        for (int i = 0; i < 40 && driver::FocusedWindow(app_) != expected; i++)
            Sleep(50);
        EXPECT_EQ(driver::FocusedWindow(app_), expected) << gadget;
    }
    ASSERT_TRUE(driver::KeyToFocus(app_, VK_RETURN));
    ASSERT_TRUE(driver::KeyToFocus(app_, VK_ESCAPE));
    EXPECT_TRUE(driver::NoWindowAppears(app_, nullptr, nullptr, 1500));
    EXPECT_TRUE(driver::Visible(driver::Child(start_, GADGET_ENGLISH)));
    ASSERT_TRUE(driver::KeyToFocus(app_, VK_SPACE));
    HWND info = driver::WaitProgramWindow(app_, WINDOW_INFO);
    ASSERT_TRUE(info) << "space pressed the focused ENGLISH";
    EXPECT_EQ(driver::ChildText(info, GADGET_CANCEL), "CANCEL");
    driver::Close(info);
    ExpectExitAfter({});
}

} // namespace
