#include "wizard/wizard.h"
#include "app/state.h"

void RunCopyWizard() { RunOutcome = OUTCOME_ENDED; }
