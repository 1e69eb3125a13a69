#include "wizard/names.h"

#include <windows.h>

namespace {

std::string Upper(std::string text) {
    // The ANSI code page's own case mapping, as the file system compares names.
    if (!text.empty()) CharUpperBuffA(&text[0], (DWORD)text.size());
    return text;
}

bool IsReservedDeviceName(const std::string& name) {
    // "CON.txt" opens the console just like "CON": only the part before the first dot counts.
    std::string base = Upper(name.substr(0, name.find('.')));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0))
        return base[3] >= '1' && base[3] <= '9';
    return false;
}

} // namespace

std::string FolderNameOf(const std::string& folderPath) {
    if (folderPath.empty()) return "";
    std::string rest = folderPath.substr(0, folderPath.size() - 1);
    size_t slash = rest.rfind('\\');
    return slash == std::string::npos ? "" : rest.substr(slash + 1);
}

std::string CopyPathOf(const std::string& targetRoot, const std::string& copyName) {
    return targetRoot + copyName + "\\";
}

bool IsUsableFolderName(const std::string& name) {
    if (name.empty() || name.back() == '.') return false;
    for (unsigned char c : name) {
        if (c < 32) return false;
        if (std::string("\\/:*?\"<>|").find((char)c) != std::string::npos) return false;
    }
    return !IsReservedDeviceName(name);
}

bool IsCopyNameRefused(const std::string& name, const std::string& sourceFolderName) {
    if (name == sourceFolderName) return true;
    if (name.find(' ') != std::string::npos) return true;
    return !IsUsableFolderName(name);
}

bool IsSameOrInside(const std::string& path, const std::string& folder) {
    if (folder.empty() || path.size() < folder.size()) return false;
    return Upper(path.substr(0, folder.size())) == Upper(folder);
}
