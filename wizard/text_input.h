// The program's small text-input window ("InputRequester"), used for the copy name and the
// savegame name. TextInputDialog itself is declared in dialogs.h.
#pragma once
#include <windows.h>

// The window's class name and the ids of its controls, for a driver that finds and reads it. The
// ids stay clear of IDOK and IDCANCEL, which the window takes as OK and cancel.
extern const char kInputRequesterClass[];
enum { INPUT_PROMPT_ID = 101, INPUT_FIELD_ID = 102, INPUT_OK_ID = 103 };
