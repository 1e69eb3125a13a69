// The wizard's questions, from the source question to the final confirmation. Every dialog goes
// through `Dialogs`, so a test can answer them from a script.
#include "wizard/wizard.h"
#include "app/state.h"
#include "app/texts.h"
#include "wizard/dialogs.h"
#include "wizard/names.h"
#include "wizard/volume.h"

namespace {

const UINT kQuestion = MB_OKCANCEL | MB_ICONQUESTION;       // 33
const UINT kInformation = MB_OKCANCEL | MB_ICONINFORMATION; // 65

bool EndRun() {
    RunOutcome = OUTCOME_ENDED;
    return false;
}

bool Confirmed(const std::string& text, const std::string& caption, UINT type) {
    return Dialogs.messageBox(text, caption, type) != IDCANCEL;
}

// Asks until the chosen folder holds an entry named sh3.exe (a file, or even a folder); false on
// Cancel.
bool AskSource() {
    for (;;) {
        std::string folder = Dialogs.folderDialog(GetText(12));
        if (folder.empty()) return false;
        SourcePath = folder;
        // SourcePath ends with a backslash already; the doubled one is read as one.
        if (Dialogs.pathSize(SourcePath + "\\sh3.exe") != -1) return true;
    }
}

// Asks until the location lies outside the source: under the source itself every new folder
// would copy the installation into itself, so no name could make it acceptable. False on Cancel.
bool AskTarget() {
    for (;;) {
        TargetRoot = Dialogs.folderDialog(GetText(23));
        if (TargetRoot.empty()) return false;
        if (!IsSameOrInside(TargetRoot, SourcePath)) return true;
    }
}

// The copy is made elevated: the new folder must not exist yet (the copy would be mixed into it
// and overwrite its files, often an earlier copy's) and must not be the source itself under
// another spelling.
bool IsTargetRefused(const std::string& copyName) {
    std::string copyPath = CopyPathOf(TargetRoot, copyName);
    return IsSameOrInside(copyPath, SourcePath) || Dialogs.pathSize(copyPath) != -1;
}

// Asks until the name is acceptable; false when the answer is empty (OK on an empty field,
// Escape, the close box). A refused name brings the dialog back with the suggestion, silently.
bool AskCopyName() {
    for (;;) {
        std::string name = Dialogs.textInput(GetText(40), GetText(41), SourceFolderName);
        if (name.empty()) return false;
        if (IsCopyNameRefused(name, SourceFolderName) || IsTargetRefused(name)) continue;
        CopyName = name;
        return true;
    }
}

} // namespace

bool RunWizardSequence() {
    if (!Confirmed(GetText(11), GetText(10), kQuestion)) return EndRun();
    if (!AskSource()) return EndRun();
    MeasureDataVolume();
    if (!Confirmed(GetText(21) + DataVolumeText + GetText(22), GetText(20), kQuestion))
        return EndRun();
    if (!AskTarget()) return EndRun();
    SourceFolderName = FolderNameOf(SourcePath);
    if (!Confirmed(TargetRoot + GetText(31), GetText(30), kInformation)) return EndRun();
    if (!AskCopyName()) return EndRun();
    if (!Confirmed(GetText(51), GetText(50), kInformation)) return EndRun();
    return true;
}
