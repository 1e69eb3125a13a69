// The copy wizard: from the source question to the finished, set-up copy. On return RunOutcome
// is OUTCOME_ENDED (the user ended the run) or OUTCOME_COMPLETED (the report follows).
#pragma once

void RunCopyWizard();

// The questions: source, volume, target, name, confirmation. False when the user ended the run
// (RunOutcome is then 1); true when the copy run may begin.
bool RunWizardSequence();
