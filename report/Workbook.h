// The report as a spreadsheet workbook: the block of texts that goes onto the sheet and the
// writer that puts it, formatted, into a new .xlsx file.
#pragma once

#include <QString>
#include <vector>

#include "ReportRow.h"

// Rows of sheet texts: the titles, the units, then one row per exported report row.
using TransferBlock = std::vector<ReportRow>;

// The leading named rows: those before the first row whose name is the empty text.
int ExportedRowCount(const ReportRows& rows);

// The titles and units followed by the leading named rows, texts unchanged.
TransferBlock BuildTransferBlock(const ReportRows& rows);

// Writes the block into a new workbook in `folder` under a name no file there has yet and
// returns its path. Throws std::runtime_error (UTF-8 text) when the file cannot be written;
// no file is left behind then.
QString WriteWorkbook(const TransferBlock& block, const QString& folder);
