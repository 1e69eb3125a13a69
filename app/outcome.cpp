#include "app/outcome.h"
#include "app/state.h"
#include "app/texts.h"
#include "ui/fonts.h"
#include "ui/loops.h"
#include "ui/modal.h"
#include "ui/windows.h"
#include "wizard/sound.h"

#include <windows.h>

void ForceDeleteFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

void OutcomeDispatch() {
    if (RunOutcome == OUTCOME_ENDED) {
        ProgramMessageBox(GetText(91), GetText(90), MB_OK | MB_ICONEXCLAMATION);
        CloseWindowNumber(WINDOW_START);
    } else if (RunOutcome == OUTCOME_COMPLETED) {
        ReportWindowPhase();
    }
}

void EndSequence() {
    // Only the copy's own "sh3.tmp": CopyPath is set once the run reached the shortcut step. A
    // file of that name in a folder the user merely picked as a target is not ours to delete.
    if (!CopyPath.empty()) ForceDeleteFile(CopyPath + "sh3.tmp");
    CloseAllWindows();
    ReleaseImages();
    ReleaseFonts();
    ReleaseSound();
}
