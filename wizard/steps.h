// The steps after the wizard's questions. Each reads and sets RunOutcome as it goes.
#pragma once

// Writes and runs the copy program; RunOutcome 2 when the copy was made, 1 when it was not.
void CopyRun();
// The copy-finished notice, the savegame name and the patch of the copy's FileManager.dll.
void SavegameStep();
// CopyPath, the desktop folder, the shortcuts and JSGME.ini; RunOutcome 2 at its end.
void ShortcutStep();
