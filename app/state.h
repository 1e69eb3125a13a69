// The program's process-wide state. One pass through the program reads and writes these; each
// value has one writer (named beside it), every other part only reads it.
#pragma once
#include <string>

// Run outcome values.
enum { OUTCOME_UNDECIDED = 0, OUTCOME_ENDED = 1, OUTCOME_COMPLETED = 2 };

extern int Language;              // 0 German, 1 English: set by the language buttons
extern int RunOutcome;            // OUTCOME_*: set where a step ends or completes the run
extern std::string SourcePath;    // game folder, ends with "\": the wizard
extern std::string SourceFolderName; // last component of SourcePath: the wizard
extern std::string TargetRoot;    // where the copy goes, ends with "\": the wizard
extern std::string CopyName;      // the new folder's bare name: the wizard
extern std::string CopyPath;      // TargetRoot + CopyName + "\": set by the shortcut step
extern long long DataVolume;      // bytes in SourcePath: the volume measurement
extern std::string DataVolumeText;
extern std::string SavegameName;  // three bytes as typed: the savegame step
extern std::string DesktopPath;   // shortcut step
extern std::string DocumentsPath; // shortcut step

// Back to the start-up values: empty strings, zero numbers.
void ClearState();
