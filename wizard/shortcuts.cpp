#include "wizard/shortcuts.h"
#include "app/state.h"
#include "wizard/dialogs.h"
#include "wizard/steps.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

namespace {

std::wstring Wide(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return L"";
    std::vector<wchar_t> buffer(length);
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(), length);
    return buffer.data();
}

} // namespace

std::string FolderPathWithBackslash(const std::string& path) {
    if (path.empty() || path.back() == '\\') return path;
    return path + "\\";
}

std::string SpecialFolderPath(int csidl) {
    LPITEMIDLIST items = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &items) != S_OK) return "";
    char buffer[MAX_PATH] = {};
    std::string result;
    if (SHGetPathFromIDListA(items, buffer)) result = FolderPathWithBackslash(buffer);
    CoTaskMemFree(items);
    return result;
}

int CreateShortcut(const std::string& target, const std::string& linkFile,
                   const std::string& workingDirectory, const std::string& arguments,
                   int showCommand, const std::string& description, int hotkey,
                   const std::string& iconFile, int iconIndex) {
    const std::string& icon = iconFile == "|" ? target : iconFile;
    int result = 0;
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                         (void**)&link) == S_OK) {
        link->SetPath(Wide(target).c_str());
        link->SetArguments(Wide(arguments).c_str());
        link->SetWorkingDirectory(Wide(workingDirectory).c_str());
        link->SetDescription(Wide(description).c_str());
        link->SetShowCmd(showCommand);
        link->SetHotkey((WORD)hotkey);
        link->SetIconLocation(Wide(icon).c_str(), iconIndex);
        IPersistFile* file = nullptr;
        if (link->QueryInterface(IID_IPersistFile, (void**)&file) == S_OK) {
            file->Save(Wide(linkFile).c_str(), TRUE);
            result = 1;
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return result;
}

std::string JsgmeIniText(const std::string& copyPath) {
    const char* lines[] = {"[MODS FOLDER]",  "Name=MODS",         "[JSGME DETAILS]", nullptr,
                           "[FORM SIZE]",    "Main Height=594",   "Main Left=565",   "Main Top=5",
                           "Main Width=456", "Main WindowState=0"};
    std::string text;
    for (const char* line : lines)
        text += (line ? line : "FullPath=" + copyPath + "JSGME.EXE") + "\r\n";
    return text;
}

bool WriteJsgmeIni(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
    // An older, longer file keeps none of its bytes after the new lines.
    SetEndOfFile(file);
    CloseHandle(file);
    return true;
}

void ShortcutStep() {
    CopyPath = TargetRoot + CopyName + "\\";
    DesktopPath = SpecialFolderPath(CSIDL_DESKTOP);
    DocumentsPath = SpecialFolderPath(CSIDL_PERSONAL);
    CreateDirectoryA((DesktopPath + CopyName).c_str(), nullptr);

    std::string game = CopyPath + "sh3.exe";
    CreateShortcut(game, SpecialFolderPath(CSIDL_DESKTOPDIRECTORY) + CopyName + "\\SH3.LNK",
                   CopyPath, "", SW_SHOWNORMAL, "", 0, "|", 0);

    std::string modEnabler = CopyPath + "JSGME.EXE";
    if (Dialogs.pathSize(modEnabler) != -1) {
        CreateShortcut(modEnabler,
                       SpecialFolderPath(CSIDL_DESKTOPDIRECTORY) + CopyName + "\\SH3_JSGME.LNK",
                       CopyPath, "", SW_SHOWNORMAL, "", 0, "|", 0);
        WriteJsgmeIni(CopyPath + "JSGME.ini", JsgmeIniText(CopyPath));
    }
    RunOutcome = OUTCOME_COMPLETED;
}
