#include "ui/loops.h"
#include "ui/windows.h"
#include "app/state.h"
#include "app/texts.h"
#include "wizard/wizard.h"
#include "wizard/report.h"

namespace {

enum PhaseEnd { PHASE_DISPATCH, PHASE_STRAIGHT_TO_END };

// The information window after the language choice; its OK starts the wizard.
PhaseEnd InfoWindowPhase() {
    if (OpenInfoWindow()) {
        SetGadgetText(GADGET_CANCEL, Language == 0 ? "ABBRUCH" : "CANCEL");
        SetGadgetText(GADGET_INFO_TEXT, GetText(3).c_str());
        SetGadgetText(GADGET_INFO_FOOTER, GetText(4).c_str());
        for (;;) {
            int event = WaitEvent();
            if (event == CloseEvent) {
                // A close request on the StartWindow behind counts like one on this window.
                RunOutcome = OUTCOME_ENDED;
                CloseWindowNumber(WINDOW_INFO);
                return PHASE_STRAIGHT_TO_END;
            }
            if (event != GadgetEvent) continue;
            if (EventGadget() == GADGET_OK) {
                CloseWindowNumber(WINDOW_INFO);
                break;
            }
            if (EventGadget() == GADGET_CANCEL) {
                CloseWindowNumber(WINDOW_INFO);
                RunOutcome = OUTCOME_ENDED;
                return PHASE_DISPATCH;
            }
        }
    }
    RunCopyWizard();
    return PHASE_DISPATCH;
}

void ChooseLanguage(int language) {
    Language = language;
    HideGadget(GADGET_ENGLISH);
    HideGadget(GADGET_DEUTSCH);
    HideGadget(GADGET_EXIT);
    SetWindowTitle(WINDOW_START, GetText(1).c_str());
}

} // namespace

bool StartWindowLoop() {
    while (RunOutcome == OUTCOME_UNDECIDED) {
        int event = WaitEvent();
        bool exitPressed = event == GadgetEvent && EventGadget() == GADGET_EXIT;
        if (event == CloseEvent || exitPressed) {
            RunOutcome = OUTCOME_ENDED;
            CloseWindowNumber(WINDOW_START);
            return false;
        }
        if (event != GadgetEvent) continue;
        if (EventGadget() != GADGET_ENGLISH && EventGadget() != GADGET_DEUTSCH) continue;
        ChooseLanguage(EventGadget() == GADGET_ENGLISH ? 1 : 0);
        if (InfoWindowPhase() == PHASE_STRAIGHT_TO_END) return false;
        // Whatever the wizard decided, the run has an outcome now; never wait for a second
        // language choice.
        if (RunOutcome == OUTCOME_UNDECIDED) RunOutcome = OUTCOME_ENDED;
    }
    return true;
}

void ReportWindowPhase() {
    if (!OpenReportWindow()) {
        CloseWindowNumber(WINDOW_START);
        return;
    }
    HideWindow(WINDOW_START);
    FillReportWindow();
    for (;;) {
        int event = WaitEvent();
        if (event == CloseEvent) {
            CloseWindowNumber(WINDOW_REPORT);
            return;
        }
        if (event == GadgetEvent && EventGadget() == GADGET_QUIT) {
            CloseWindowNumber(WINDOW_REPORT);
            CloseWindowNumber(WINDOW_START);
            return;
        }
    }
}
