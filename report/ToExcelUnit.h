// Export of the report's leading named rows to a new spreadsheet workbook, opened in the
// user's spreadsheet program.
#pragma once

#include <QString>

#include "ReportRow.h"

// Exports the report window's rows through a workbook file in the user's temporary folder.
// Throws std::runtime_error when the workbook cannot be written or opened.
void ExportReportToExcel();

// The export itself: writes `rows` into a new workbook in `folder` and opens it. Returns the
// workbook's path, or nothing after telling the user that no spreadsheet program is installed.
QString ExportRowsToWorkbook(const ReportRows& rows, const QString& folder);
