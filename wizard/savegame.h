// The copy's own savegame folder: a three-character name written into its FileManager.dll.
#pragma once
#include <string>

// Where the game keeps the name of its savegame folder inside FileManager.dll.
enum { kSavegameNameOffset = 38520, kSavegameNameLength = 3 };

// The name the savegame dialog accepts: exactly three bytes, not "SH3" in any letter case, and
// usable as a folder name inside the documents folder (no \ / : * ? " < > | or control character,
// no blank or dot at its end, none of the device names CON, PRN, AUX, NUL).
bool SavegameNameAccepted(const std::string& name);

// Writes the three bytes of `name` at kSavegameNameOffset of the existing file `dllPath`, leaving
// every other byte as it was (a shorter file grows to end with the name). A missing file is not
// created. False when nothing could be written.
bool PatchSavegameName(const std::string& dllPath, const std::string& name);
