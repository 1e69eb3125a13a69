#include "app/state.h"
#include "app/texts.h"

#include <gtest/gtest.h>

namespace {

class Texts : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable();
        Language = 0;
    }
    void TearDown() override { Language = 0; }
};

int FilledSlots(int language) {
    int filled = 0;
    for (int i = 0; i < TEXT_SLOTS; i++) filled += !TextTable[language * TEXT_SLOTS + i].empty();
    return filled;
}

TEST_F(Texts, EachLanguageHasItsThirtyFourTextsAndNothingElse) {
    EXPECT_EQ(FilledSlots(0), 34);
    EXPECT_EQ(FilledSlots(1), 34);
    for (int language : {0, 1}) {
        Language = language;
        for (int index : {5, 6, 9, 13, 24, 64, 79, 86, 89})
            EXPECT_EQ(GetText(index), "") << "language " << language << " index " << index;
        EXPECT_EQ(GetText(-1), "");
        EXPECT_EQ(GetText(TEXT_SLOTS), "");
    }
}

TEST_F(Texts, LanguageSelectsTheRow) {
    EXPECT_EQ(GetText(21), "Datenmenge: ");
    EXPECT_EQ(GetText(90), "SH3 Duplora 2014 wurde abgebrochen!");
    Language = 1;
    EXPECT_EQ(GetText(21), "Datavolume: ");
    EXPECT_EQ(GetText(90), "SH3 Duplora 2014 has been aborted!");
    EXPECT_EQ(GetText(91), "SH3 Duplora 2014 will now be ended!");
}

TEST_F(Texts, SharedEntriesAreTheSameInBothLanguages) {
    for (int index : {0, 4, 85}) {
        Language = 0;
        std::string german = GetText(index);
        Language = 1;
        EXPECT_EQ(GetText(index), german) << index;
        EXPECT_FALSE(german.empty()) << index;
        EXPECT_NE(german.find('\xA9'), std::string::npos) << "copyright sign in " << index;
    }
    Language = 0;
    EXPECT_EQ(GetText(4), GetText(85));
}

TEST_F(Texts, BarsBecomeLineFeedsOneTwoAndThreeInARow) {
    // 60: one "|"; 11: "||"; 84: "|||" at its start and "||" later (English).
    EXPECT_EQ(GetText(60).find('|'), std::string::npos);
    EXPECT_EQ(GetText(11), "Welche  <SilentHunterIII>  Installation soll kopiert werden?\n\n"
                           "W\xE4hle den Ordner aus...");
    Language = 1;
    EXPECT_EQ(GetText(84), "\n\n\nYou can now run your new SH3-copy using the desktop-links!\n\n"
                           "Have fun :-)");
    EXPECT_EQ(GetText(60), "The copy-process is being executed now and can take up to 15 "
                           "minutes.\nWe strongly recommend NOT to use your computer for other "
                           "tasks during the process! The copy-process may NOT be aborted!");
    // The stored text keeps its marks; only the fetched copy changes.
    EXPECT_NE(TextTable[TEXT_SLOTS + 84].find("|||"), std::string::npos);
}

TEST_F(Texts, StoredAsWindows1252Bytes) {
    // u-umlaut 0xFC, o-umlaut 0xF6, capital U-umlaut 0xDC, a-umlaut 0xE4, guillemet 0xBB.
    EXPECT_EQ(GetText(1), "SH3 Duplora 2014 ...wird ausgef\xFChrt...");
    EXPECT_EQ(GetText(81), "\nDie SH3-Installation wurde erfolgreich kopiert.\n\n\n"
                           "      Die SH3-Kopie wurde angelegt unter:\n      \xBB ");
    EXPECT_NE(GetText(51).find("AUSZUF\xDCHREN!"), std::string::npos);
    EXPECT_NE(GetText(3).find("vollst\xE4ndig."), std::string::npos);
    EXPECT_NE(GetText(3).find("\n       \xBB Eine SH3-Spielkopie"), std::string::npos);
    EXPECT_NE(GetText(41).find("f\xFCr"), std::string::npos);
    Language = 1;
    EXPECT_EQ(GetText(83), "\n\n      New SH3-desktop-links have been created:\n      \xBB ");
    // No UTF-8 sequence may have slipped into any text.
    for (const std::string& text : TextTable)
        for (size_t i = 0; i + 1 < text.size(); i++)
            EXPECT_FALSE(text[i] == '\xC3' || text[i] == '\xC2') << text;
}

TEST_F(Texts, TrailingAndLeadingBlanksAreKept) {
    Language = 1;
    EXPECT_EQ(GetText(12), "(The folder-name usually appears like <SilentHunterIII>)\n\n"
                           "Please Select the folder of the SH3-installation... ");
    EXPECT_EQ(GetText(22).substr(0, 2), "\n\n");
    EXPECT_NE(GetText(22).find("<C:\\Programs (x86)>"), std::string::npos);
}

} // namespace
