// The dialogs the wizard asks its questions with. The sequence calls them through `Dialogs`, so a
// test can replace them with scripted answers; the real ones are the defaults.
#pragma once
#include <windows.h>
#include <string>

struct DialogFunctions {
    // MessageBoxA with the owner rule; returns IDOK, IDCANCEL ...
    int (*messageBox)(const std::string& text, const std::string& caption, UINT type);
    // The shell's folder browser; the chosen folder with one trailing backslash, or "" on Cancel.
    std::string (*folderDialog)(const std::string& instruction);
    // The "InputRequester" window; the typed text on OK, "" on Escape or the close box.
    std::string (*textInput)(const std::string& caption, const std::string& prompt,
                             const std::string& defaultText);
    // Size of the file at `path`; -2 for a folder or drive; -1 when nothing is there.
    long long (*pathSize)(const std::string& path);
};

extern DialogFunctions Dialogs;

std::string FolderDialog(const std::string& instruction);
std::string TextInputDialog(const std::string& caption, const std::string& prompt,
                            const std::string& defaultText);
long long PathSize(const std::string& path);
