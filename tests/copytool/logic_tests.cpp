// The pure parts of kopier.exe: reading its command line, its texts and its result file.
#include "copytool/cmdline.h"
#include "copytool/result.h"
#include "copytool/texts.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const wchar_t* arguments;
    CommandError error;
    const wchar_t* source;
    const wchar_t* target;
};

const ParseCase kParseCases[] = {
    // What Duplora sends, blanks in either path included.
    {L"E:\\Games\\SilentHunterIII\\*.* D:\\SilentHunterIII_MultiPlayer\\*.* /e/s/u/be/ot/r-",
     CommandError::None, L"E:\\Games\\SilentHunterIII", L"D:\\SilentHunterIII_MultiPlayer"},
    {L"C:\\Programme (x86)\\Ubisoft\\SH3\\*.* D:\\Meine Spiele\\SH3 Kopie\\*.* /e/s/u/be/ot/r-",
     CommandError::None, L"C:\\Programme (x86)\\Ubisoft\\SH3", L"D:\\Meine Spiele\\SH3 Kopie"},
    {L"C:\\a  b \\c\\*.* D:\\x\\*.* /e/s/u/be/ot/r-", CommandError::BadSegment, L"", L""},
    {L"C:\\Spiele\\Für Kapitäne\\*.* D:\\Ωmega\\*.*", CommandError::None,
     L"C:\\Spiele\\Für Kapitäne", L"D:\\Ωmega"},
    // Drive roots and UNC paths.
    {L"E:\\*.* D:\\Copy\\*.* /e/s/u/be/ot/r-", CommandError::None, L"E:\\", L"D:\\Copy"},
    {L"\\\\server\\games\\SH3\\*.* \\\\nas\\share\\SH3 copy\\*.* /e/s/u/be/ot/r-",
     CommandError::None, L"\\\\server\\games\\SH3", L"\\\\nas\\share\\SH3 copy"},
    {L"\\\\server\\games\\*.* D:\\x\\*.*", CommandError::None, L"\\\\server\\games", L"D:\\x"},
    {L"\\\\server\\*.* D:\\x\\*.*", CommandError::NotAbsolute, L"", L""},
    {L"\\\\?\\C:\\x\\*.* D:\\x\\*.*", CommandError::BadCharacter, L"", L""},
    // Switches in another case, apart, or missing.
    {L"C:\\a\\*.* D:\\b\\*.* /E/S/U/BE/OT/R-", CommandError::None, L"C:\\a", L"D:\\b"},
    {L"C:\\a\\*.* D:\\b\\*.* /e /s /U", CommandError::None, L"C:\\a", L"D:\\b"},
    {L"  C:\\a\\*.*   D:\\b\\*.*  ", CommandError::None, L"C:\\a", L"D:\\b"},
    {L"C:\\a\\*.* D:\\b\\*.* /e/x", CommandError::UnknownSwitch, L"", L""},
    {L"C:\\a\\*.* D:\\b\\*.* e/s", CommandError::UnknownSwitch, L"", L""},
    // Quoted paths, with or without the pattern.
    {L"\"C:\\a b\\*.*\" \"D:\\c d\" /e", CommandError::None, L"C:\\a b", L"D:\\c d"},
    {L"\"C:\\a b\\\" D:\\x\\*.*", CommandError::None, L"C:\\a b", L"D:\\x"},
    {L"\"C:\\a b\\*.* D:\\x\\*.*", CommandError::UnclosedQuote, L"", L""},
    // Missing parts.
    {L"", CommandError::MissingSource, L"", L""},
    {L"/e/s/u/be/ot/r-", CommandError::MissingSource, L"", L""},
    {L"C:\\a\\*.*", CommandError::MissingTarget, L"", L""},
    {L"C:\\a\\*.* /e/s/u/be/ot/r-", CommandError::MissingTarget, L"", L""},
    {L"C:\\a D:\\b /e", CommandError::BadPattern, L"", L""},
    {L"C:\\a\\*.* D:\\b /e", CommandError::BadPattern, L"", L""},
    {L"C:\\a\\*.*x D:\\b\\*.*", CommandError::BadPattern, L"", L""},
    // Paths that cannot be meant, or would copy into the wrong place.
    {L"a\\*.* D:\\b\\*.*", CommandError::NotAbsolute, L"", L""},
    {L"C:a\\*.* D:\\b\\*.*", CommandError::NotAbsolute, L"", L""},
    {L"C:\\a/b\\*.* D:\\b\\*.*", CommandError::BadCharacter, L"", L""},
    {L"C:\\a\\*.* D:\\b\\..\\c\\*.*", CommandError::BadSegment, L"", L""},
    {L"C:\\a\\*.* D:\\b\\\\c\\*.*", CommandError::BadSegment, L"", L""},
    {L"C:\\a.\\*.* D:\\b\\*.*", CommandError::BadSegment, L"", L""},
    {L"C:\\a\\*.* D:\\b|c\\*.*", CommandError::BadCharacter, L"", L""},
    {L"C:\\a\\*.* D:\\b:c\\*.*", CommandError::BadCharacter, L"", L""},
    {L"C:\\Games\\SH3\\*.* c:\\games\\sh3\\*.*", CommandError::SameFolder, L"", L""},
    {L"C:\\Games\\SH3\\*.* C:\\Games\\*.*", CommandError::TargetHoldsSource, L"", L""},
    {L"C:\\Games\\SH3\\*.* C:\\*.*", CommandError::TargetHoldsSource, L"", L""},
    // The target inside the source is allowed: the walk leaves it out.
    {L"C:\\Games\\SH3\\*.* C:\\Games\\SH3\\Copy\\*.*", CommandError::None, L"C:\\Games\\SH3",
     L"C:\\Games\\SH3\\Copy"},
    {L"C:\\Games\\SH3\\*.* C:\\Games\\SH3Copy\\*.*", CommandError::None, L"C:\\Games\\SH3",
     L"C:\\Games\\SH3Copy"},
};

TEST(KopierCommandLine, ReadsWhatCanBeReadWithCertaintyAndRefusesTheRest) {
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(::testing::Message()
                     << "arguments: " << ::testing::PrintToString(std::wstring(c.arguments)));
        CopyCommand command = ParseCopyCommand(c.arguments);
        EXPECT_EQ((int)c.error, (int)command.error);
        EXPECT_EQ(std::wstring(c.source), command.source);
        EXPECT_EQ(std::wstring(c.target), command.target);
        if (c.error != CommandError::None) {
            EXPECT_FALSE(CommandErrorText(c.error, true).empty());
            EXPECT_FALSE(CommandErrorText(c.error, false).empty());
        }
    }
}

TEST(KopierCommandLine, SkipsTheProgramNameHoweverItIsWritten) {
    const struct {
        const wchar_t* line;
        const wchar_t* arguments;
    } cases[] = {
        {L"\"kopier.exe\" C:\\a\\*.* D:\\b\\*.* /e", L"C:\\a\\*.* D:\\b\\*.* /e"},
        {L"\"C:\\Program Files\\Duplora\\kopier.exe\" C:\\a b\\*.* D:\\b\\*.*",
         L"C:\\a b\\*.* D:\\b\\*.*"},
        {L"kopier.exe C:\\a\\*.* D:\\b\\*.*", L"C:\\a\\*.* D:\\b\\*.*"},
        {L"C:\\My Tools\\KOPIER.EXE C:\\a\\*.* D:\\b\\*.*", L"C:\\a\\*.* D:\\b\\*.*"},
        {L"kopier C:\\a\\*.*", L"C:\\a\\*.*"},
        {L"\"kopier.exe\"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c.arguments), ArgumentsOf(c.line));
}

TEST(KopierTexts, FormatsFiguresTheWayEachLanguageWritesThem) {
    EXPECT_EQ(L"8.024", FormatCount(8024, true));
    EXPECT_EQ(L"8,024", FormatCount(8024, false));
    EXPECT_EQ(L"1.234.567", FormatCount(1234567, true));
    EXPECT_EQ(L"999", FormatCount(999, false));
    EXPECT_EQ(L"512 B", FormatBytes(512, false));
    EXPECT_EQ(L"1,4 GB", FormatBytes(1503238554ull, true));
    EXPECT_EQ(L"1.4 GB", FormatBytes(1503238554ull, false));
    EXPECT_EQ(L"250 MB", FormatBytes(250ull << 20, false));
    EXPECT_EQ(L"0:07", FormatDuration(7));
    EXPECT_EQ(L"12:34", FormatDuration(754));
    EXPECT_EQ(L"1:02:03", FormatDuration(3723));
    EXPECT_EQ(L"1.234 von 8.024 Dateien - 512 MB von 1,4 GB",
              ProgressLine(1234, 8024, 512ull << 20, 1503238554ull, true));
    EXPECT_EQ(L"100 MB/s - 0:10 left", SpeedLine(100.0 * 1048576, 1000ull << 20, false));
    EXPECT_EQ(L"", SpeedLine(0, 1000, false));
    EXPECT_EQ(0, ProgressPermille(5, 0));
    EXPECT_EQ(500, ProgressPermille(1, 2));
    EXPECT_EQ(1000, ProgressPermille(3, 2));
    EXPECT_EQ(999, ProgressPermille((1ull << 40) - 1, 1ull << 40));
}

TEST(KopierResult, IniHasOneLinePerKeyEvenWhenTheErrorTextHasBreaks) {
    CopyResult r;
    r.exitCode = 1;
    r.files = 8024;
    r.folders = 120;
    r.bytes = 5000000000ull;
    r.failures = 2;
    r.firstErrorPath = L"C:\\SH3\\data\\x.dat";
    r.firstError = L"Error 32: in use\r\nby another process";
    EXPECT_EQ(L"[Result]\r\nExitCode=1\r\nFiles=8024\r\nFolders=120\r\nBytes=5000000000\r\n"
              L"Failures=2\r\nFirstErrorPath=C:\\SH3\\data\\x.dat\r\n"
              L"FirstError=Error 32: in use  by another process\r\nPeakMemory=0\r\n",
              ResultIni(r));
}

} // namespace
