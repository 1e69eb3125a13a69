// The data volume: FormatVolume's table and FolderSize on real folders.
#include "tests/driver/driver.h"
#include "tests/driver/files.h"
#include "wizard/volume.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatVolume, WorkedValues) {
    struct Case {
        double bytes;
        const char* text;
    } cases[] = {
        {0, "0 KB"},
        {512, "0.50 KB"},
        {52000, "50.8 KB"},
        {204800, "200 KB"},
        {1048575, "1024 KB"},
        {1048576, "1 MB"},
        {1572864, "1.50 MB"},
        {10485760, "10 MB"},
        {1073741823, "1024 MB"},
        {1610612736, "1.50 GB"},
        {2201170739.0, "2 GB"},
        {16642998272.0, "15.5 GB"},
        {1099511627776.0, "1024 GB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatVolume(c.bytes), c.text) << c.bytes;
}

TEST(FormatVolume, DecimalsAreChosenBeforeRoundingThenTrimmed) {
    struct Case {
        double bytes;
        const char* text;
    } cases[] = {
        {9.999 * 1048576, "10 MB"},  // "10.00"
        {99.96 * 1048576, "100 MB"}, // "100.0"
        {1023.99 * 1024, "1024 KB"}, // "1024"
        {10.0 * 1024, "10 KB"},      // "10.0"
        {50.78 * 1024, "50.8 KB"},
        {1073741824.0, "1 GB"}, // exactly 1 GB is no longer MB
        {9.99 * 1024, "9.99 KB"},
        {1.15 * 1024 * 1048576, "1.15 GB"}, // decimals beginning with a non-zero stay
        {1.05 * 1024 * 1048576, "1 GB"},    // and beginning with a zero go
        {2048.0 * 1073741824.0, "2048 GB"}, // no unit above GB
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatVolume(c.bytes), c.text) << c.bytes;
}

class FolderSizeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = driver::MakeTempDir("volume");
        ASSERT_FALSE(root.empty());
    }
    void TearDown() override { RemoveTree(root); }
    std::string root;
};

TEST_F(FolderSizeTest, EmptyFolderIsZeroAndShowsZeroKb) {
    EXPECT_EQ(FolderSize(root, 1), 0.0);
    EXPECT_EQ(FormatVolume(FolderSize(root + "\\", 1)), "0 KB");
}

TEST_F(FolderSizeTest, MissingFolderIsZero) {
    EXPECT_EQ(FolderSize(root + "\\missing", 1), 0.0);
}

TEST_F(FolderSizeTest, CountsEveryFileInTheTreeHiddenAndSystemIncluded) {
    ASSERT_TRUE(WriteFileOfSize(root + "\\sh3.exe", 1000));
    ASSERT_TRUE(WriteFileOfSize(root + "\\hidden.dat", 200, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFileOfSize(root + "\\system.dat", 30, FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(CreateDirectoryA((root + "\\data").c_str(), nullptr));
    ASSERT_TRUE(WriteFileOfSize(root + "\\data\\a.dat", 4000));
    ASSERT_TRUE(CreateDirectoryA((root + "\\data\\deep").c_str(), nullptr));
    ASSERT_TRUE(WriteFileOfSize(root + "\\data\\deep\\b.dat", 50000));
    ASSERT_TRUE(WriteFileOfSize(root + "\\data\\deep\\hidden.sys", 7,
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(CreateDirectoryA((root + "\\empty").c_str(), nullptr));
    // The attributes really are on the files, so the walk cannot have counted them by accident.
    EXPECT_TRUE(GetFileAttributesA((root + "\\hidden.dat").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(GetFileAttributesA((root + "\\system.dat").c_str()) & FILE_ATTRIBUTE_SYSTEM);

    const double all = 1000 + 200 + 30 + 4000 + 50000 + 7;
    EXPECT_EQ(FolderSize(root, 1), all);
    EXPECT_EQ(FolderSize(root + "\\", 1), all);
    EXPECT_EQ(FolderSize(root, 0), 1000 + 200 + 30);
    EXPECT_EQ(FolderSize(root + "\\data", 1), 4000 + 50000 + 7);
}

TEST_F(FolderSizeTest, FileOverFourGibCountsWithItsFullSize) {
    const long long big = 5LL * 1024 * 1024 * 1024 + 123;
    if (!WriteSparseFile(root + "\\big.dat", big)) GTEST_SKIP() << "no sparse file possible here";
    ASSERT_TRUE(WriteFileOfSize(root + "\\small.dat", 10));
    EXPECT_EQ(FolderSize(root, 1), (double)(big + 10));
    EXPECT_EQ(FormatVolume(FolderSize(root, 1)), "5 GB");
}

// The fixture tree with folder links is made by CMake on the Unix side (Wine shows a Unix link to
// a folder as a folder with the reparse-point attribute): loop\inner\back leads to loop itself,
// loop\inner\elsewhere to a folder outside the tree.
TEST(FolderSizeLinks, FollowsALinkButNeverIntoAFolderItIsInside) {
    std::string loop = driver::BuildDir() + "\\tests\\wizard\\links\\loop";
    for (char& c : loop)
        if (c == '/') c = '\\';
    DWORD back = GetFileAttributesA((loop + "\\inner\\back").c_str());
    if (back == INVALID_FILE_ATTRIBUTES || !(back & FILE_ATTRIBUTE_REPARSE_POINT))
        GTEST_SKIP() << "the link fixture is missing or not seen as a link: " << loop;
    // loop\top.dat 10 + loop\inner\in.dat 20 + loop\inner\elsewhere\out.dat 300.
    EXPECT_EQ(FolderSize(loop, 1), 330.0);
    // From inner, back leads to loop, which the walk is not inside yet: loop is walked once, and
    // inside it inner again, whose back is then skipped.
    EXPECT_EQ(FolderSize(loop + "\\inner", 1), 20.0 + 300.0 + (10.0 + 20.0 + 300.0));
}

} // namespace
