// The name and path rules of the wizard, as tables.
#include "wizard/names.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderNameOf, IsTheLastComponentAndEmptyForADriveRoot) {
    EXPECT_EQ(FolderNameOf("C:\\Games\\SilentHunterIII\\"), "SilentHunterIII");
    EXPECT_EQ(FolderNameOf("C:\\SH3\\"), "SH3");
    EXPECT_EQ(FolderNameOf("C:\\"), "");
    EXPECT_EQ(FolderNameOf("\\\\server\\share\\SH3\\"), "SH3");
    EXPECT_EQ(FolderNameOf(""), "");
}

TEST(CopyPathOf, JoinsRootNameAndOneBackslash) {
    EXPECT_EQ(CopyPathOf("D:\\", "SH3_Multi"), "D:\\SH3_Multi\\");
    EXPECT_EQ(CopyPathOf("D:\\Games\\", "SH3_Multi"), "D:\\Games\\SH3_Multi\\");
}

TEST(IsUsableFolderName, RefusesWhatWindowsCannotUseAsOneFolderName) {
    const char* refused[] = {
        "",      "..\\..\\Windows",
        "a\\b",  "a/b",
        "C:",    "a*",
        "a?",    "a\"b",
        "a<b",   "a>b",
        "a|b",   "a\tb",
        "a\x01", "\x1f",
        "name.", ".",
        "..",    "CON",
        "con",   "Con.txt",
        "PRN",   "aux",
        "NUL",   "nul.tar.gz",
        "COM1",  "com9",
        "LPT1",  "lpt9.x",
    };
    for (const char* name : refused)
        EXPECT_FALSE(IsUsableFolderName(name)) << "[" << name << "]";
}

TEST(IsUsableFolderName, AcceptsOrdinaryNamesUmlautsAndNearDeviceNames) {
    const char* accepted[] = {
        "SH3_Multi", "silenthunteriii",
        "M\xfcller", "\xc4\xd6\xdc\xdf",
        "a.b",       "..a",
        ".hidden",   "CONSOLE",
        "CON_1",     "COM10",
        "COM0",      "LPT",
        "AUXI.txt",  "a b",
        "x~y",       "#1",
    };
    for (const char* name : accepted)
        EXPECT_TRUE(IsUsableFolderName(name)) << "[" << name << "]";
}

TEST(IsCopyNameRefused, SuggestionUnchangedAndBlanksAreRefusedOtherCaseIsNot) {
    const std::string suggested = "SilentHunterIII";
    EXPECT_TRUE(IsCopyNameRefused("SilentHunterIII", suggested));
    EXPECT_FALSE(IsCopyNameRefused("silenthunteriii", suggested));
    EXPECT_FALSE(IsCopyNameRefused("SILENTHUNTERIII", suggested));
    for (const char* name : {" SH3", "SH3 ", "SH 3", " "})
        EXPECT_TRUE(IsCopyNameRefused(name, suggested)) << "[" << name << "]";
    EXPECT_TRUE(IsCopyNameRefused("..\\..\\Windows", suggested));
    EXPECT_FALSE(IsCopyNameRefused("SH3_M\xfclti", suggested));
    // A drive root as the source suggests nothing; any usable name passes.
    EXPECT_FALSE(IsCopyNameRefused("SH3_Multi", ""));
}

TEST(IsSameOrInside, ComparesWholeComponentsIgnoringLetterCase) {
    EXPECT_TRUE(IsSameOrInside("C:\\Games\\SH3\\", "C:\\Games\\SH3\\"));
    EXPECT_TRUE(IsSameOrInside("c:\\games\\sh3\\", "C:\\Games\\SH3\\"));
    EXPECT_TRUE(IsSameOrInside("C:\\Games\\SH3\\Mods\\X\\", "C:\\Games\\SH3\\"));
    EXPECT_TRUE(IsSameOrInside("C:\\SH3\\X\\", "C:\\"));
    EXPECT_FALSE(IsSameOrInside("C:\\Games\\SH3Extra\\", "C:\\Games\\SH3\\"));
    EXPECT_FALSE(IsSameOrInside("C:\\Games\\", "C:\\Games\\SH3\\"));
    EXPECT_FALSE(IsSameOrInside("D:\\Games\\SH3\\", "C:\\Games\\SH3\\"));
}

} // namespace
