#include "wizard/volume.h"
#include "app/state.h"

#include <windows.h>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// Which folder a path leads to, whatever links it passes through.
struct FolderId {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

bool ReadFolderId(const std::string& folder, FolderId* id) {
    HANDLE h = CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    if (!ok) return false;
    id->volume = info.dwVolumeSerialNumber;
    id->indexHigh = info.nFileIndexHigh;
    id->indexLow = info.nFileIndexLow;
    return true;
}

// One folder on the walk's current road, from the top down. Its identity is read only when a
// link is met, so a tree without links costs no more than the listings.
struct OpenFolder {
    std::string path;
    bool idKnown;
    FolderId id;
};

bool LeadsIntoOpenFolder(const FolderId& target, std::vector<OpenFolder>* road) {
    for (OpenFolder& f : *road) {
        if (!f.idKnown) f.idKnown = ReadFolderId(f.path, &f.id);
        if (f.idKnown && f.id.volume == target.volume && f.id.indexHigh == target.indexHigh &&
            f.id.indexLow == target.indexLow)
            return true;
    }
    return false;
}

long long WalkFolder(std::vector<OpenFolder>* road, bool recurse) {
    const std::string folder = road->back().path;
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA((folder + "*.*").c_str(), &entry);
    if (listing == INVALID_HANDLE_VALUE) return 0;
    long long total = 0;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            total +=
                (long long)(((unsigned long long)entry.nFileSizeHigh << 32) | entry.nFileSizeLow);
            continue;
        }
        if (!recurse) continue;
        OpenFolder sub = {folder + name + "\\", false, FolderId()};
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // A junction or symbolic link: walk it unless it leads back into a folder the walk
            // is inside (or where it leads cannot be told).
            if (!ReadFolderId(sub.path, &sub.id)) continue;
            sub.idKnown = true;
            if (LeadsIntoOpenFolder(sub.id, road)) continue;
        }
        road->push_back(sub);
        total += WalkFolder(road, recurse);
        road->pop_back();
    } while (FindNextFileA(listing, &entry));
    FindClose(listing);
    return total;
}

} // namespace

double FolderSize(const std::string& path, unsigned char recurse) {
    std::string folder = path;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    std::vector<OpenFolder> road = {{folder, false, FolderId()}};
    return (double)WalkFolder(&road, recurse != 0);
}

std::string FormatVolume(double bytes) {
    double shown = bytes / 1024.0;
    const char* unit = " KB";
    if (shown >= 1048576.0) {
        shown /= 1048576.0;
        unit = " GB";
    } else if (shown >= 1024.0) {
        shown /= 1024.0;
        unit = " MB";
    }
    // The decimals are chosen before rounding: 9.999 keeps two and becomes "10.00".
    int decimals = shown < 10.0 ? 2 : shown < 100.0 ? 1 : 0;
    char buf[64];
    snprintf(buf, sizeof buf, "%.*f", decimals, shown);
    std::string text = buf;
    size_t point = text.find('.');
    if (point != std::string::npos && point + 1 < text.size() && text[point + 1] == '0')
        text.erase(point);
    return text + unit;
}

void MeasureDataVolume() {
    DataVolume = std::llround(FolderSize(SourcePath, 1));
    DataVolumeText = FormatVolume((double)DataVolume);
}
