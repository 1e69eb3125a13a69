// The report text of a completed run.
#include "app/state.h"
#include "app/texts.h"
#include "wizard/report.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportText, EnglishExample) {
    FillTextTable();
    Language = 1;
    std::string report =
        ReportText("D:\\SH3_MP\\", "C:\\Users\\Player\\Documents\\", "MP1", "SH3_MP");
    EXPECT_EQ(report, "\n"
                      "The selected SH3-installation has been copied successfully.\n"
                      "\n"
                      "\n"
                      "      The new copy of SH3 is located at:\n"
                      "      \xBB D:\\SH3_MP\\\n"
                      "\n"
                      "      After you run SH3 the savegame-data is stored at:\n"
                      "      \xBB C:\\Users\\Player\\Documents\\MP1\n"
                      "\n"
                      "      New SH3-desktop-links have been created:\n"
                      "      \xBB SH3_MP\n"
                      "\n"
                      "\n"
                      "You can now run your new SH3-copy using the desktop-links!\n"
                      "\n"
                      "Have fun :-)");
    Language = 0;
}

TEST(ReportText, GermanWithoutDocumentsFolderShowsTheNameAloneAsTyped) {
    FillTextTable();
    Language = 0;
    std::string report = ReportText("D:\\SH3_MP\\", "", "abc", "SH3_MP");
    EXPECT_EQ(report.find("\nDie SH3-Installation wurde erfolgreich kopiert.\n"), 0u);
    EXPECT_NE(report.find("gespeichert unter:\n      \xBB abc\n"), std::string::npos) << report;
    EXPECT_NE(report.find("angelegt:\n      \xBB SH3_MP\n"), std::string::npos) << report;
}

} // namespace
