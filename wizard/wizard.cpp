#include "wizard/wizard.h"
#include "app/state.h"
#include "wizard/steps.h"

void RunCopyWizard() {
    if (!RunWizardSequence()) {
        RunOutcome = OUTCOME_ENDED;
        return;
    }
    CopyRun();
    if (RunOutcome != OUTCOME_COMPLETED) return;
    SavegameStep();
    if (RunOutcome != OUTCOME_COMPLETED) return;
    ShortcutStep();
}
