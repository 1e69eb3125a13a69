// The report of a completed run.
#pragma once
#include <string>

// The report text: where the copy is, where its savegames go, which desktop folder holds the
// shortcuts; in the current Language.
std::string ReportText(const std::string& copyPath, const std::string& documentsPath,
                       const std::string& savegameName, const std::string& copyName);

// Fills the open ReportWindow: title, report text, footer and the button's label.
void FillReportWindow();
