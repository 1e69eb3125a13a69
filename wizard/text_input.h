// The program's small text-input window ("InputRequester"), used for the copy name and the
// savegame name. TextInputDialog itself is declared in dialogs.h.
#pragma once
#include <windows.h>

// The window's class name and the ids of its controls, for a driver that finds and reads it.
extern const char kInputRequesterClass[];
enum { INPUT_PROMPT_ID = 1, INPUT_FIELD_ID = 2, INPUT_OK_ID = 3 };
