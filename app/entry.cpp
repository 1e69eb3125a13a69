#include "app/outcome.h"
#include "app/state.h"
#include "app/texts.h"
#include "assets/assets.h"
#include "ui/fonts.h"
#include "ui/loops.h"
#include "ui/windows.h"

#include <windows.h>
#include <commctrl.h>

int RunProgram() {
    ClearState();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CreateFonts();
    SetImage1(DecodeBackgroundImage());
    FillTextTable();
    Language = 0;
    if (OpenStartWindow()) {
        RunOutcome = OUTCOME_UNDECIDED;
        if (StartWindowLoop()) OutcomeDispatch();
    }
    EndSequence();
    return 0;
}
