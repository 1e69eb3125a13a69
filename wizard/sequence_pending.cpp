// Stand-in until the wizard's questions are in.
#include "wizard/wizard.h"

bool RunWizardSequence() { return false; }
