// The three embedded blocks: order, contiguity, and the copy program being the real one.
#include "assets/assets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

uint16_t U16(const unsigned char* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t U32(const unsigned char* p) {
    return uint32_t(U16(p)) | uint32_t(U16(p + 2)) << 16;
}
uint16_t BigU16(const unsigned char* p) {
    return uint16_t(p[0] << 8 | p[1]);
}

// Where the JPEG's own bytes end: walks the markers to the scan, then the entropy-coded data to
// the end-of-image marker. 0 when the structure is broken.
size_t JpegLength(const unsigned char* p, size_t limit) {
    if (limit < 4 || p[0] != 0xFF || p[1] != 0xD8) return 0;
    size_t pos = 2;
    while (pos + 2 <= limit) {
        if (p[pos] != 0xFF) return 0;
        unsigned char marker = p[pos + 1];
        if (marker == 0xD9) return pos + 2;
        if (pos + 4 > limit) return 0;
        size_t length = BigU16(p + pos + 2);
        pos += 2 + length;
        if (marker == 0xDA) {
            // Inside scan data 0xFF is followed by 0x00 (stuffing) or a restart marker.
            while (pos + 1 < limit) {
                if (p[pos] == 0xFF && p[pos + 1] != 0x00 &&
                    (p[pos + 1] < 0xD0 || p[pos + 1] > 0xD7))
                    break;
                ++pos;
            }
        }
    }
    return 0;
}

// The length of a PE file as its headers describe it: sections plus the COFF symbol and string
// tables the linker appends. 0 when the headers are not those of a PE file.
size_t PeLength(const unsigned char* p, size_t limit) {
    if (limit < 0x40 || p[0] != 'M' || p[1] != 'Z') return 0;
    uint32_t pe = U32(p + 0x3C);
    if (pe + 24 > limit || std::memcmp(p + pe, "PE\0\0", 4) != 0) return 0;
    const unsigned char* file = p + pe + 4;
    unsigned sections = U16(file + 2);
    uint32_t symbols = U32(file + 8);
    uint32_t symbol_count = U32(file + 12);
    unsigned optional_size = U16(file + 16);
    const unsigned char* section = file + 20 + optional_size;
    size_t end = size_t(section - p) + 40 * sections;
    for (unsigned i = 0; i < sections; ++i, section += 40) {
        uint32_t raw_size = U32(section + 16), raw_pos = U32(section + 20);
        if (raw_size && raw_pos + size_t(raw_size) > end) end = raw_pos + size_t(raw_size);
    }
    if (symbols) {
        size_t strings = symbols + size_t(symbol_count) * 18;
        if (strings + 4 > limit) return 0;
        size_t table_end = strings + U32(p + strings);
        if (table_end > end) end = table_end;
    }
    return end;
}

std::string FromEnv(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

} // namespace

TEST(AssetBlocks, LieBackToBackInThePicturesCopyProgramsSoundsOrder) {
    ASSERT_LT(uintptr_t(BackgroundImage), uintptr_t(CopyTool));
    ASSERT_LT(uintptr_t(CopyTool), uintptr_t(CompletionSound));
    // Each block's own format says where it ends, and the next one starts right there.
    EXPECT_EQ(JpegLength(BackgroundImage, BackgroundImageSize()), BackgroundImageSize());
    EXPECT_EQ(PeLength(CopyTool, CopyToolSize()), CopyToolSize());
    EXPECT_EQ(0, std::memcmp(CompletionSound, "RIFF", 4));
    EXPECT_EQ(uintptr_t(CompletionSound) + CompletionSoundSize(), uintptr_t(AssetsEnd));
}

TEST(AssetBlocks, CopyToolIsAGuiProgramForThisMachine) {
    ASSERT_EQ(0, std::memcmp(CopyTool, "MZ", 2));
    const unsigned char* pe = CopyTool + U32(CopyTool + 0x3C);
    ASSERT_EQ(0, std::memcmp(pe, "PE\0\0", 4));
#if defined(_WIN64)
    EXPECT_EQ(IMAGE_FILE_MACHINE_AMD64, U16(pe + 4));
#else
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, U16(pe + 4));
#endif
    EXPECT_TRUE(U16(pe + 4 + 18) & IMAGE_FILE_EXECUTABLE_IMAGE);
    // Subsystem, at the same offset in both optional header formats.
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, U16(pe + 24 + 68));
}

TEST(AssetBlocks, CopyToolIsTheCopyProgramOfThisBuild) {
    std::string build = FromEnv("DUPLORA_BUILD");
    ASSERT_FALSE(build.empty()) << "DUPLORA_BUILD is not set";
    std::ifstream in(build + "/copytool/kopier.exe", std::ios::binary);
    ASSERT_TRUE(in) << build << "/copytool/kopier.exe";
    std::vector<unsigned char> disk((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    ASSERT_EQ(disk.size(), CopyToolSize());
    EXPECT_EQ(0, std::memcmp(disk.data(), CopyTool, disk.size()));
}

TEST(AssetBlocks, AreReadOnlyInitialisedDataOfTheProgram) {
    MEMORY_BASIC_INFORMATION info = {};
    for (const unsigned char* p : {BackgroundImage, CopyTool, CompletionSound}) {
        ASSERT_NE(0u, VirtualQuery(p, &info, sizeof info));
        EXPECT_EQ(GetModuleHandleA(nullptr), info.AllocationBase);
        EXPECT_EQ(DWORD(PAGE_READONLY), info.Protect);
    }
}
