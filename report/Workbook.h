// The report as a spreadsheet workbook: the block of texts that goes onto the sheet and the
// writer that puts it, formatted, into a new .xlsx file.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Numbers.h"
#include "ReportRow.h"

// Rows of sheet texts: the titles, the units, then one row per exported report row.
using TransferBlock = std::vector<ReportRow>;

// The leading named rows: those before the first row whose name is the empty text.
int ExportedRowCount(const ReportRows& rows);

// The titles and units followed by the leading named rows, texts unchanged.
TransferBlock BuildTransferBlock(const ReportRows& rows);

// Tells which report figures go onto the sheet as numbers: texts in exactly a form that the
// program's number formats write with the regional separators in use. A report row made under
// separators that code page 1251 lacks carries them mapped (U+00A0 for the group separator, ","
// or "." for the decimal one), so those forms count too. A text that two forms read as different
// numbers stays text.
class SheetNumbers {
public:
    explicit SheetNumbers(const NumberSeparators& regional);

    std::optional<WrittenNumber> Read(std::string_view text) const;

private:
    std::vector<NumberSeparators> forms_;
};

// The spreadsheet's number format that shows `number` as its text stands: the same decimals,
// grouping and scientific form ("#,##0.00", "0", "0.000000E-0"). The spreadsheet program puts
// its own regional separators in.
std::string SheetNumberFormat(const WrittenNumber& number);

// Writes the block into a new workbook in `folder` under a name no file there has yet and
// returns its path. The figures of the data rows (columns 2 to 11) that `numbers` reads go in as
// numbers, everything else as text. Throws std::runtime_error (UTF-8 text) when the file cannot
// be written; no file is left behind then.
QString WriteWorkbook(const TransferBlock& block, const QString& folder, const SheetNumbers& numbers);
