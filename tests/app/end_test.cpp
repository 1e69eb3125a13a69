#include "app/outcome.h"
#include "app/state.h"
#include "tests/driver/driver.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void MakeFile(const std::string& path, DWORD attributes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written;
    WriteFile(h, "tmp", 3, &written, nullptr);
    CloseHandle(h);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes));
}

TEST(EndSequence, RemovesAHiddenReadOnlyTempFileFromTheCopy) {
    std::string copy = driver::MakeTempDir("copy") + "\\";
    MakeFile(copy + "sh3.tmp", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    MakeFile(copy + "sh3.exe", FILE_ATTRIBUTE_NORMAL);
    ClearState();
    CopyPath = copy;
    EndSequence();
    EXPECT_FALSE(Exists(copy + "sh3.tmp"));
    EXPECT_TRUE(Exists(copy + "sh3.exe"));
}

TEST(EndSequence, LeavesTempFilesAloneBeforeTheCopyExists) {
    // A run that ended early has no copy: a target the user merely chose, and the working
    // directory, keep their sh3.tmp.
    std::string target = driver::MakeTempDir("target") + "\\";
    std::string work = driver::MakeTempDir("work");
    MakeFile(target + "sh3.tmp", FILE_ATTRIBUTE_NORMAL);
    MakeFile(work + "\\sh3.tmp", FILE_ATTRIBUTE_READONLY);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(work.c_str());
    ClearState();
    TargetRoot = target;
    EndSequence();
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(Exists(target + "sh3.tmp"));
    EXPECT_TRUE(Exists(work + "\\sh3.tmp"));
}

TEST(EndSequence, MissingTempFileIsNoError) {
    ClearState();
    CopyPath = driver::MakeTempDir("empty") + "\\";
    EndSequence();
    EXPECT_TRUE(Exists(CopyPath));
}

} // namespace
