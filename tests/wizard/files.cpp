#include "tests/wizard/files.h"

#include <winioctl.h>
#include <vector>

bool WriteFileOfSize(const std::string& path, long long size, DWORD attributes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::vector<char> data((size_t)size, 'x');
    DWORD written = 0;
    bool ok = size == 0 ||
              (WriteFile(h, data.data(), (DWORD)size, &written, nullptr) && written == (DWORD)size);
    CloseHandle(h);
    if (ok && attributes) ok = SetFileAttributesA(path.c_str(), attributes) != 0;
    return ok;
}

bool WriteSparseFile(const std::string& path, long long size) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD returned = 0;
    // Wine on ext4 makes a file sparse by setting its end alone; Windows needs the flag.
    DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    bool ok = SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    if (!ok) DeleteFileA(path.c_str());
    return ok;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(path);
            else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryA(path.c_str());
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(listing, &entry));
        FindClose(listing);
    }
    RemoveDirectoryA(folder.c_str());
}
