// What every dialog of the program does around itself: it is owned by the foreground window when
// that window is ours, and while it is open the program's other windows are disabled (and lose a
// topmost setting), so nothing behind it can be clicked.
#pragma once
#include <windows.h>
#include <string>

// Disables the program's visible windows and returns the owner for the dialog (may be NULL).
HWND BeginModal();
// Enables again what BeginModal disabled and restores topmost settings.
void EndModal();

// MessageBoxA inside BeginModal/EndModal; returns its answer (IDOK, IDCANCEL ...).
int ProgramMessageBox(const std::string& text, const std::string& caption, UINT type);
