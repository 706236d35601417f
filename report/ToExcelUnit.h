// Export of the report's leading named rows to a new spreadsheet workbook, opened in the
// user's spreadsheet program.
#pragma once

#include <QString>

#include "Numbers.h"
#include "ReportRow.h"

// Exports the report window's rows into a new workbook in ExportFolder(), figures as numbers
// where their texts mean one number whatever the separators they were written with (SheetNumbers). Throws std::runtime_error when the workbook cannot be
// written or opened.
void ExportReportToExcel();

// Where exports go: the folder "Зорант" in the user's documents folder, so that a workbook
// saved in the spreadsheet program stays with the user's documents. Empty when the platform
// names no documents folder.
QString ExportFolder();

// The export itself: writes `rows` into a new workbook in `folder` (created when missing) and
// opens it. Returns the workbook's path, or nothing after telling the user that no spreadsheet
// program is installed.
QString ExportRowsToWorkbook(const ReportRows& rows, const QString& folder, const NumberSeparators& separators);
