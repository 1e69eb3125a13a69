#include "app/state.h"

int Language;
int RunOutcome;
std::string SourcePath;
std::string SourceFolderName;
std::string TargetRoot;
std::string CopyName;
std::string CopyPath;
long long DataVolume;
std::string DataVolumeText;
std::string SavegameName;
std::string DesktopPath;
std::string DocumentsPath;

void ClearState() {
    Language = 0;
    RunOutcome = OUTCOME_UNDECIDED;
    SourcePath.clear();
    SourceFolderName.clear();
    TargetRoot.clear();
    CopyName.clear();
    CopyPath.clear();
    DataVolume = 0;
    DataVolumeText.clear();
    SavegameName.clear();
    DesktopPath.clear();
    DocumentsPath.clear();
}
