#include "wizard/savegame.h"
#include "app/state.h"
#include "app/texts.h"
#include "wizard/dialogs.h"
#include "wizard/steps.h"

#include <windows.h>

#include <cstring>

namespace {

// The upper-case form Windows gives the text in the ANSI code page.
std::string AnsiUpper(std::string text) {
    if (!text.empty()) CharUpperBuffA(&text[0], (DWORD)text.size());
    return text;
}

bool UsableAsFolderName(const std::string& name) {
    for (unsigned char c : name)
        if (c < 32 || strchr("\\/:*?\"<>|", c)) return false;
    if (name.empty() || name.back() == ' ' || name.back() == '.') return false;
    std::string upper = AnsiUpper(name);
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (upper == device) return false;
    return true;
}

} // namespace

bool SavegameNameAccepted(const std::string& name) {
    return name.size() == kSavegameNameLength && AnsiUpper(name) != "SH3" &&
           UsableAsFolderName(name);
}

bool PatchSavegameName(const std::string& dllPath, const std::string& name) {
    // OPEN_EXISTING: a game library made up here from zeros would only break the copy.
    HANDLE file = CreateFileA(dllPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = false;
    if (SetFilePointer(file, kSavegameNameOffset, nullptr, FILE_BEGIN) !=
        INVALID_SET_FILE_POINTER) {
        DWORD written = 0;
        ok = WriteFile(file, name.data(), (DWORD)name.size(), &written, nullptr) &&
             written == name.size();
    }
    CloseHandle(file);
    return ok;
}

void SavegameStep() {
    if (Dialogs.messageBox(GetText(71), GetText(70), MB_OKCANCEL | MB_ICONINFORMATION) ==
        IDCANCEL) {
        RunOutcome = OUTCOME_ENDED;
        return;
    }
    for (;;) {
        SavegameName = Dialogs.textInput(GetText(72), GetText(73), "");
        if (SavegameName.empty()) {
            RunOutcome = OUTCOME_ENDED;
            return;
        }
        if (SavegameNameAccepted(SavegameName)) break;
    }
    // Nothing is reported when the patch fails: the report names the folder all the same.
    PatchSavegameName(TargetRoot + CopyName + "\\FileManager.dll", SavegameName);
}
