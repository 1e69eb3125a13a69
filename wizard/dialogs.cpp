#include "wizard/dialogs.h"
#include "ui/modal.h"

#include <shlobj.h>

DialogFunctions Dialogs = {ProgramMessageBox, FolderDialog, TextInputDialog, PathSize};

namespace {

// One showing of the shell's folder browser: false on Cancel. On OK, *path is the chosen item's
// path, empty when the item is no file-system folder (the computer itself, a network overview).
bool BrowseOnce(HWND owner, const std::string& instruction, std::string* path) {
    char display[MAX_PATH] = "";
    BROWSEINFOA bi = {};
    bi.hwndOwner = owner;
    bi.pszDisplayName = display;
    bi.lpszTitle = instruction.c_str();
    bi.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX; // 0x50
    LPITEMIDLIST item = SHBrowseForFolderA(&bi);
    if (!item) return false;
    char buf[MAX_PATH] = "";
    path->clear();
    if (SHGetPathFromIDListA(item, buf)) *path = buf;
    CoTaskMemFree(item);
    return true;
}

} // namespace

std::string FolderDialog(const std::string& instruction) {
    HRESULT com = CoInitialize(nullptr);
    HWND owner = BeginModal();
    std::string path;
    // An item without a file-system path is no answer the wizard could use, and no Cancel
    // either: the browser simply comes back.
    while (BrowseOnce(owner, instruction, &path) && path.empty()) {
    }
    EndModal();
    if (SUCCEEDED(com)) CoUninitialize();
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path;
}

long long PathSize(const std::string& path) {
    std::string p = path;
    while (!p.empty() && (p.back() == '\\' || p.back() == '/'))
        p.pop_back();
    if (p.empty()) return -1;
    // "C:" alone would mean the current folder on C:, not the drive's root.
    if (p.size() == 2 && p[1] == ':') p += '\\';
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(p.c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
    return (long long)(((unsigned long long)data.nFileSizeHigh << 32) | data.nFileSizeLow);
}
