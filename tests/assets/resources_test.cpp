// The finished Duplora.exe's own resources: version record, icon group and manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

std::string ExePath() {
    const char* build = std::getenv("DUPLORA_BUILD");
    return build ? std::string(build) + "/Duplora.exe" : std::string();
}

// The exe mapped as data: resources readable, no code run.
class DuploraExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(ExePath().empty()) << "DUPLORA_BUILD is not set";
        module_ = LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module_) << ExePath() << " error " << GetLastError();
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    std::string Resource(LPCSTR name, LPCSTR type) {
        HRSRC found = FindResourceA(module_, name, type);
        if (!found) return std::string();
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module_, found)));
        return bytes ? std::string(bytes, SizeofResource(module_, found)) : std::string();
    }
    HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The value of attribute name in the first element of the text that starts with element.
std::string Attribute(const std::string& xml, const std::string& element, const std::string& name,
                      size_t from = 0) {
    size_t at = xml.find("<" + element, from);
    if (at == std::string::npos) return "<no " + element + ">";
    size_t end = xml.find('>', at);
    size_t attr = xml.find(" " + name + "=\"", at);
    if (attr == std::string::npos || attr > end) return "<no " + name + ">";
    attr += name.size() + 3;
    return xml.substr(attr, xml.find('"', attr) - attr);
}

} // namespace

TEST(AssetResources, VersionRecordCarriesTheProgramsNumbersAndNames) {
    std::string path = ExePath();
    ASSERT_FALSE(path.empty());
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u) << path;
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(0, 1), LONG(fixed->dwFileVersionMS));  // 1.0
    EXPECT_EQ(MAKELONG(22, 0), LONG(fixed->dwFileVersionLS)); // .0.22
    EXPECT_EQ(0u, fixed->dwProductVersionMS);
    EXPECT_EQ(2015u, fixed->dwProductVersionLS);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(1252, translation[1]);
    char table[64];
    std::snprintf(table, sizeof table, "\\StringFileInfo\\%04x%04x\\", translation[0],
                  translation[1]);

    const struct {
        const char* name;
        const char* value;
    } kStrings[] = {
        {"CompanyName", "Kormor"},
        {"FileDescription", "SH3-Duplora"},
        {"ProductName", "SH3-Duplora-2015.EXE"},
        {"ProductVersion", "2015"},
        {"FileVersion", "32 Bit"},
        {"InternalName", "Duplora"},
        {"OriginalFilename", "Duplora"},
        {"LegalCopyright", "\xA9 Kormor and the Duplora developers"},
    };
    for (const auto& s : kStrings) {
        char* value = nullptr;
        bool found = VerQueryValueA(info.data(), (std::string(table) + s.name).c_str(),
                                    reinterpret_cast<void**>(&value), &length);
        ASSERT_TRUE(found) << s.name;
        EXPECT_STREQ(s.value, value) << s.name;
    }
}

TEST_F(DuploraExe, IconGroupHoldsSixUncompressed32BitImages) {
    std::string group = Resource(MAKEINTRESOURCEA(1), RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    const WORD* head = reinterpret_cast<const WORD*>(group.data());
    EXPECT_EQ(1, head[1]); // icons, not cursors
    ASSERT_EQ(6, head[2]);
    ASSERT_EQ(6 + 6 * sizeof(GroupIconEntry), group.size());
    const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(group.data() + 6);

    std::set<int> sizes;
    for (int i = 0; i < 6; ++i) {
        const GroupIconEntry& e = entries[i];
        int side = e.width ? e.width : 256;
        sizes.insert(side);
        EXPECT_EQ(e.width, e.height);
        EXPECT_EQ(32, e.bit_count) << side;
        std::string image = Resource(MAKEINTRESOURCEA(e.id), RT_ICON);
        ASSERT_EQ(e.bytes, image.size()) << side;
        // A DIB, not a PNG: BITMAPINFOHEADER with the doubled height of colour + mask.
        const BITMAPINFOHEADER* dib = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
        ASSERT_EQ(40u, dib->biSize) << side;
        EXPECT_EQ(side, dib->biWidth);
        EXPECT_EQ(2 * side, dib->biHeight);
        EXPECT_EQ(32, dib->biBitCount);
        EXPECT_EQ(DWORD(BI_RGB), dib->biCompression);
        size_t mask = size_t((side + 31) / 32) * 4 * side;
        EXPECT_EQ(40 + size_t(side) * side * 4 + mask, image.size()) << side;
        HICON icon =
            CreateIconFromResourceEx(reinterpret_cast<PBYTE>(&image[0]), DWORD(image.size()), TRUE,
                                     0x00030000, side, side, LR_DEFAULTCOLOR);
        EXPECT_NE(nullptr, icon) << side;
        if (icon) DestroyIcon(icon);
    }
    EXPECT_EQ((std::set<int>{16, 24, 32, 48, 64, 256}), sizes);
}

TEST_F(DuploraExe, ManifestAsksForAdministratorAndCommonControls6) {
    int manifests = 0;
    EnumResourceNamesA(module_, RT_MANIFEST, CountName, reinterpret_cast<LONG_PTR>(&manifests));
    EXPECT_EQ(1, manifests);
    std::string xml = Resource(MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_FALSE(xml.empty());
#if defined(_WIN64)
    const std::string arch = "amd64";
#else
    const std::string arch = "X86";
#endif
    EXPECT_EQ("1.0.0.0", Attribute(xml, "assemblyIdentity", "version"));
    EXPECT_EQ(arch, Attribute(xml, "assemblyIdentity", "processorArchitecture"));
    EXPECT_EQ("win32", Attribute(xml, "assemblyIdentity", "type"));

    size_t dependency = xml.find("<dependentAssembly");
    ASSERT_NE(std::string::npos, dependency);
    EXPECT_EQ("Microsoft.Windows.Common-Controls",
              Attribute(xml, "assemblyIdentity", "name", dependency));
    EXPECT_EQ("6.0.0.0", Attribute(xml, "assemblyIdentity", "version", dependency));
    EXPECT_EQ(arch, Attribute(xml, "assemblyIdentity", "processorArchitecture", dependency));
    EXPECT_EQ("6595b64144ccf1df", Attribute(xml, "assemblyIdentity", "publicKeyToken", dependency));
    EXPECT_EQ("*", Attribute(xml, "assemblyIdentity", "language", dependency));

    EXPECT_EQ("requireAdministrator", Attribute(xml, "requestedExecutionLevel", "level"));
    EXPECT_EQ("false", Attribute(xml, "requestedExecutionLevel", "uiAccess"));
}
