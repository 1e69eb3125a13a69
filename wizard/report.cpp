#include "wizard/report.h"
#include "app/state.h"
#include "app/texts.h"
#include "ui/windows.h"

std::string ReportText(const std::string& copyPath, const std::string& documentsPath,
                       const std::string& savegameName, const std::string& copyName) {
    return GetText(81) + copyPath + GetText(82) + documentsPath + savegameName + GetText(83) +
           copyName + GetText(84);
}

void FillReportWindow() {
    SetWindowTitle(WINDOW_REPORT, GetText(80).c_str());
    SetGadgetText(GADGET_REPORT_TEXT,
                  ReportText(CopyPath, DocumentsPath, SavegameName, CopyName).c_str());
    SetGadgetText(GADGET_REPORT_FOOTER, GetText(85).c_str());
    SetGadgetText(GADGET_QUIT, Language == 0 ? "BEENDEN" : "QUIT");
}
