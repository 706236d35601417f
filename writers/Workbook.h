// The report as a spreadsheet workbook: the block of texts that goes onto the sheet and the
// writer that puts it, formatted, into a new .xlsx file.
#pragma once

#include <QString>
#include <cstdint>
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

// Tells which report figures go onto the sheet as numbers. A text becomes a number only when it
// means that number whatever separators its row was written with: every pair of separators that
// a report row can carry and that reads the text (see ReadWrittenNumber) must read the same number
// in the same shape. The pairs: the decimal "," or "." with the group separator U+00A0, ",", ".",
// "'" or U+2019, and the regional pair with the forms code page 1251 maps it to. So «5,20» and
// «1 234,57» are numbers under any settings, while «1,250» or «135,795» (1.25 or 1250) stays text,
// unless the report's own figures rule out the pairs that read it otherwise: a pair stays in play
// only when it reads every figure that some pair reads. The program writes the impedances with
// two decimals, so each of its rows shows its decimal sign. The evidence of the whole report
// counts when some pair reads all of it; else each row's own (rows made under different
// settings).
class SheetNumbers {
public:
    SheetNumbers(const NumberSeparators& regional, const TransferBlock& block);

    // The number that the text of block row `row` (a figure of a data row) means, if any.
    std::optional<WrittenNumber> Read(std::size_t row, std::string_view text) const;

private:
    using PairSet = std::uint32_t;  // bit i: pairs_[i]
    PairSet PairsReading(std::string_view text) const;

    std::vector<NumberSeparators> pairs_;
    std::vector<PairSet> inPlay_;  // per block row
};

// The spreadsheet's number format that shows `number` as its text stands: the same decimals,
// grouping and scientific form ("#,##0.00", "0", "0.000000E-0"). The spreadsheet program puts
// its own regional separators in.
std::string SheetNumberFormat(const WrittenNumber& number);

// Writes the block into a new workbook in `folder` under a name no file there has yet and
// returns its path. The figures of the data rows (columns 2 to 11) that `numbers` (made for this
// block) reads go in as numbers, everything else as text. Throws std::runtime_error (UTF-8 text) when the file cannot
// be written; no file is left behind then.
QString WriteWorkbook(const TransferBlock& block, const QString& folder, const SheetNumbers& numbers);
