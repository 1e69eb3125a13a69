// The desktop folder with the shortcuts that start the copy, and the mod enabler's settings.
#pragma once
#include <string>

// A folder path with exactly one backslash at its end: "C:\Users\Me\Desktop" gains one, a drive
// root "D:\" keeps its own. The empty string stays empty.
std::string FolderPathWithBackslash(const std::string& path);

// The file-system path of a shell special folder (CSIDL_*), ending with one backslash; "" when the
// shell has none.
std::string SpecialFolderPath(int csidl);

// Writes a shell link at `linkFile`. The icon file "|" stands for the target. 1 when the link
// object could save it, 0 when the shell link object or its IPersistFile is not available.
int CreateShortcut(const std::string& target, const std::string& linkFile,
                   const std::string& workingDirectory, const std::string& arguments,
                   int showCommand, const std::string& description, int hotkey,
                   const std::string& iconFile, int iconIndex);

// The whole content of the mod enabler's JSGME.ini for a copy at `copyPath` (ends with "\"):
// ten lines, each ended by CR LF.
std::string JsgmeIniText(const std::string& copyPath);

// Writes `text` as the whole content of `path` (an existing longer file is cut to it). False
// when the file cannot be opened.
bool WriteJsgmeIni(const std::string& path, const std::string& text);
