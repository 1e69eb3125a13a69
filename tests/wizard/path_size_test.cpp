// PathSize on real files, folders and drives.
#include "tests/driver/driver.h"
#include "tests/driver/files.h"
#include "wizard/dialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(PathSize, FileFolderDriveAndNothing) {
    std::string root = driver::MakeTempDir("pathsize");
    ASSERT_FALSE(root.empty());
    ASSERT_TRUE(WriteFileOfSize(root + "\\sh3.exe", 4321));
    ASSERT_TRUE(WriteFileOfSize(root + "\\empty.txt", 0));
    ASSERT_TRUE(CreateDirectoryA((root + "\\sub").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((root + "\\sub\\sh3.exe").c_str(), nullptr));

    struct Case {
        std::string path;
        long long size;
    } cases[] = {
        {root + "\\sh3.exe", 4321},
        {root + "\\\\sh3.exe", 4321}, // the doubled separator the source test composes
        {root + "\\sh3.exe\\", 4321}, // trailing separators are ignored
        {root + "\\sh3.exe/", 4321},
        {root + "\\sh3.exe\\/\\", 4321},
        {root + "\\empty.txt", 0},
        {root, -2},
        {root + "\\", -2},
        {root + "/", -2},
        {root + "\\sub\\\\sh3.exe", -2}, // a folder named sh3.exe
        {root + "\\missing", -1},
        {root + "\\missing\\sh3.exe", -1},
        {"", -1},
        {"\\", -1},
        {"C:", -2},
        {"C:\\", -2},
        {"c:/", -2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PathSize(c.path), c.size) << "[" << c.path << "]";
    RemoveTree(root);
}

TEST(PathSize, FileOverFourGib) {
    std::string root = driver::MakeTempDir("pathsize");
    const long long big = 4LL * 1024 * 1024 * 1024 + 5;
    if (!WriteSparseFile(root + "\\big.dat", big)) GTEST_SKIP() << "no sparse file possible here";
    EXPECT_EQ(PathSize(root + "\\big.dat"), big);
    RemoveTree(root);
}

} // namespace
