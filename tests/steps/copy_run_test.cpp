// The copy run against a stand-in copy program written out and started exactly as the real one.
#include "app/state.h"
#include "app/texts.h"
#include "tests/driver/driver.h"
#include "tests/driver/files.h"
#include "wizard/copy_run.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(CopyParameters, AreBuiltWithoutQuotesBlanksKept) {
    struct Case {
        const char *source, *target, *name, *expected;
    } cases[] = {
        {"E:\\Games\\SilentHunterIII\\", "D:\\", "SilentHunterIII_MultiPlayer",
         "E:\\Games\\SilentHunterIII\\*.* D:\\SilentHunterIII_MultiPlayer\\*.* /e/s/u/be/ot/r-"},
        {"E:\\Games\\SilentHunterIII\\", "D:\\Spiele\\", "SilentHunterIII_MultiPlayer",
         "E:\\Games\\SilentHunterIII\\*.* D:\\Spiele\\SilentHunterIII_MultiPlayer\\*.* "
         "/e/s/u/be/ot/r-"},
        {"C:\\Programme (x86)\\Ubisoft\\SH3\\", "D:\\Meine Spiele\\", "SH3_MP",
         "C:\\Programme (x86)\\Ubisoft\\SH3\\*.* D:\\Meine Spiele\\SH3_MP\\*.* /e/s/u/be/ot/r-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CopyParameters(c.source, c.target, c.name), c.expected);
}

TEST(CopyParameters, CommandLineIsTheQuotedProgramOneBlankAndTheParameters) {
    std::string parameters =
        CopyParameters("E:\\Games\\SilentHunterIII\\", "D:\\", "SilentHunterIII_MultiPlayer");
    EXPECT_EQ(CopyCommandLine("kopier.exe", parameters),
              "\"kopier.exe\" E:\\Games\\SilentHunterIII\\*.* "
              "D:\\SilentHunterIII_MultiPlayer\\*.* /e/s/u/be/ot/r-");
    EXPECT_EQ(CopyCommandLine("C:\\Work Dir\\kopier.exe", "a b"),
              "\"C:\\Work Dir\\kopier.exe\" a b");
}

class CopyRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tool_ = ReadWholeFile(driver::BuildDir() + "\\tests\\steps\\fake_kopier.exe");
        ASSERT_GT(tool_.size(), 1000u);
        work_ = driver::MakeTempDir("work") + "\\";
        target_ = driver::MakeTempDir("target") + "\\";
        source_ = driver::MakeTempDir("source") + "\\";
        record_ = driver::MakeTempDir("record") + "\\record.txt";
        copy_ = target_ + "SH3_MP\\";
        parameters_ = CopyParameters(source_, target_, "SH3_MP");
        SetEnvironmentVariableA("FAKE_KOPIER_RECORD", record_.c_str());
        SetEnvironmentVariableA("FAKE_KOPIER_SH3", "1");
        SetEnvironmentVariableA("FAKE_KOPIER_EXIT", "0");
    }
    void TearDown() override {
        for (const char* name : {"FAKE_KOPIER_RECORD", "FAKE_KOPIER_SH3", "FAKE_KOPIER_EXIT",
                                 "FAKE_KOPIER_ERROR", "FAKE_KOPIER_ERROR_PATH"})
            SetEnvironmentVariableA(name, nullptr);
        for (const std::string& folder : {work_, target_, source_})
            RemoveTree(folder);
    }
    CopyResult Run(const std::string& workDir) {
        return RunCopyProgram((const unsigned char*)tool_.data(), tool_.size(), workDir,
                              parameters_);
    }
    std::string tool_, work_, target_, source_, record_, copy_, parameters_;
};

TEST_F(CopyRunTest, StartsTheWrittenFileByItsFullPathInTheWorkingDirectoryThenRemovesIt) {
    CopyResult result = Run(work_);
    EXPECT_TRUE(result.written);
    EXPECT_TRUE(result.started);
    EXPECT_TRUE(result.exitKnown);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(CopyComplete(result, copy_));

    std::string record = ReadWholeFile(record_);
    std::string program = work_ + "kopier.exe";
    EXPECT_EQ(_stricmp(Line(record, 0).c_str(), program.c_str()), 0) << record;
    EXPECT_EQ(_stricmp((Line(record, 1) + "\\").c_str(), work_.c_str()), 0) << record;
    EXPECT_EQ(Line(record, 2), CopyCommandLine(program, parameters_));

    EXPECT_FALSE(AnythingAt(work_ + "kopier.exe"));
    EXPECT_FALSE(AnythingAt(work_ + "kopier.ini"));
}

TEST_F(CopyRunTest, ALeftoverHiddenOrReadOnlyCopyProgramIsReplacedAndRemoved) {
    for (DWORD attributes : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_READONLY}) {
        ASSERT_TRUE(WriteWholeFile(work_ + "kopier.exe", "old"));
        ASSERT_TRUE(WriteWholeFile(work_ + "kopier.ini", "old"));
        SetFileAttributesA((work_ + "kopier.exe").c_str(), attributes);
        SetFileAttributesA((work_ + "kopier.ini").c_str(), attributes);
        CopyResult result = Run(work_);
        EXPECT_TRUE(CopyComplete(result, copy_)) << attributes;
        EXPECT_EQ(result.folder, work_) << attributes;
        EXPECT_FALSE(AnythingAt(work_ + "kopier.exe")) << attributes;
        EXPECT_FALSE(AnythingAt(work_ + "kopier.ini")) << attributes;
        RemoveTree(copy_);
    }
}

TEST_F(CopyRunTest, AWorkingDirectoryThatCannotTakeTheFileFallsBackToAFreshTempFolder) {
    // A folder named kopier.exe: neither creation attempt can make a file there.
    ASSERT_TRUE(CreateDirectoryA((work_ + "kopier.exe").c_str(), nullptr));
    CopyResult result = Run(work_);
    EXPECT_TRUE(result.written);
    EXPECT_TRUE(CopyComplete(result, copy_));
    EXPECT_NE(result.folder, work_);

    std::string record = ReadWholeFile(record_);
    EXPECT_EQ(_stricmp(Line(record, 0).c_str(), (result.folder + "kopier.exe").c_str()), 0);
    EXPECT_EQ(_stricmp((Line(record, 1) + "\\").c_str(), result.folder.c_str()), 0);
    // The temp folder is gone with its two files; the obstacle is left alone.
    EXPECT_FALSE(AnythingAt(result.folder));
    EXPECT_TRUE(AnythingAt(work_ + "kopier.exe"));
}

TEST_F(CopyRunTest, OnlyExitCodeZeroWithTheGameInTheNewFolderCountsAsACopy) {
    struct Case {
        const char* exitCode;
        const char* makesGame;
        bool complete;
    } cases[] = {{"0", "1", true},
                 {"1", "1", false},
                 {"3", "0", false},
                 {"0", "0", false},
                 {"2", "1", false}};
    for (const Case& c : cases) {
        SetEnvironmentVariableA("FAKE_KOPIER_EXIT", c.exitCode);
        SetEnvironmentVariableA("FAKE_KOPIER_SH3", c.makesGame);
        CopyResult result = Run(work_);
        EXPECT_EQ(result.exitCode, (unsigned long)atoi(c.exitCode));
        EXPECT_EQ(CopyComplete(result, copy_), c.complete)
            << "exit " << c.exitCode << " game " << c.makesGame;
        RemoveTree(copy_);
    }
}

TEST_F(CopyRunTest, TheFirstErrorIsReadFromTheProgramsIniBeforeItIsDeleted) {
    SetEnvironmentVariableA("FAKE_KOPIER_EXIT", "1");
    SetEnvironmentVariableA("FAKE_KOPIER_ERROR_PATH", "D:\\SH3_MP\\data\\Terrain.dat");
    SetEnvironmentVariableA("FAKE_KOPIER_ERROR", "There is not enough space on the disk.");
    CopyResult result = Run(work_);
    EXPECT_FALSE(CopyComplete(result, copy_));
    EXPECT_EQ(result.firstErrorPath, "D:\\SH3_MP\\data\\Terrain.dat");
    EXPECT_EQ(result.firstError, "There is not enough space on the disk.");
    EXPECT_FALSE(AnythingAt(work_ + "kopier.ini"));
}

TEST_F(CopyRunTest, AProgramThatCannotStartIsNoCopy) {
    const char notAProgram[] = "this is not an executable";
    CopyResult result =
        RunCopyProgram((const unsigned char*)notAProgram, sizeof notAProgram, work_, parameters_);
    EXPECT_TRUE(result.written);
    EXPECT_FALSE(result.started);
    EXPECT_FALSE(CopyComplete(result, copy_));
    EXPECT_FALSE(AnythingAt(work_ + "kopier.exe"));
}

TEST(IncompleteCopyText, NamesTheNewFolderAndTheFirstErrorWhenThereIsOne) {
    FillTextTable();
    Language = 1;
    EXPECT_EQ(IncompleteCopyText("D:\\SH3_MP\\", "", ""),
              "The SH3-installation has NOT been copied completely!\n"
              "The copy is not ready for use and will not be set up.\n\n"
              "      What has been copied so far is located at:\n"
              "      \xBB D:\\SH3_MP\\");
    EXPECT_EQ(IncompleteCopyText("D:\\SH3_MP\\", "D:\\SH3_MP\\a.dat", "Disk full."),
              IncompleteCopyText("D:\\SH3_MP\\", "", "") +
                  "\n\n      First error of the copy-program:\n"
                  "      \xBB D:\\SH3_MP\\a.dat\n      \xBB Disk full.");
    Language = 0;
    std::string german = IncompleteCopyText("D:\\SH3_MP\\", "", "Zugriff verweigert");
    EXPECT_EQ(german.find("Die SH3-Installation wurde NICHT vollst\xE4ndig kopiert!"), 0u);
    EXPECT_NE(german.find("\xBB D:\\SH3_MP\\\n"), std::string::npos);
    EXPECT_NE(german.find("Erster Fehler des Kopierprogramms:\n      \xBB Zugriff verweigert"),
              std::string::npos);
    EXPECT_EQ(GetText(61), "Der Kopiervorgang ist unvollst\xE4ndig!");
    Language = 1;
    EXPECT_EQ(GetText(61), "The copy-process is incomplete!");
    Language = 0;
}

} // namespace
