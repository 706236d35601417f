// The report's rows and the operations on them: naming and adding a point, deleting one row or
// all rows, moving a row among the leading named rows, taking the lines of a document.
// Plain functions over ReportRows; the grid's model applies them and tells its views.
#pragma once

#include <optional>
#include <string>

#include "Numbers.h"
#include "ReportRow.h"
#include "ShortCircuit.h"

// Start-up contents: 14 empty rows.
ReportRows EmptyReport();

// A row is named when its point name (column 0) is not empty.
bool IsNamed(const ReportRow& row);
// The number of leading named rows: rows 0, 1, ... up to the first unnamed row.
int LeadingNamedRowCount(const ReportRows& rows);
// The row a new point goes to: right after the last named row (0 when none is named).
int InsertionRow(const ReportRows& rows);

// Why `name` cannot name a new point in `rows` (the message for the user), or nothing when it can.
std::optional<std::string> CheckPointName(const ReportRows& rows, const std::string& name);

// The separators a report row is written with: the regional ones where code page 1251 has them.
// A group separator it lacks (the narrow no-break space of French, the Arabic one) becomes the
// no-break space U+00A0; a decimal sign it lacks becomes "," (or "." when "," groups), so that the
// document keeps every number as it reads.
NumberSeparators DocumentSeparators(const NumberSeparators& regional);

// The row of a new point: its name and the figures as they stand now. `tokSR` <= 0 means no
// protective device; `tripTime` is copied as it is. The figures are written with
// DocumentSeparators(separators).
ReportRow MakePointRow(const std::string& name, const ShortCircuitResult& result, double tokSR,
                       const std::string& tripTime, const NumberSeparators& separators);

// Puts `row` at InsertionRow, growing the report by one row when that row does not exist yet.
// Returns the row used. The name is not checked here.
int AddPointRow(ReportRows& rows, const ReportRow& row);

// Removes row `selected`: the rows below move up by one, the last ends empty, and the report
// shrinks by one row while it has more than 14. Nothing happens for a row outside the report.
void DeleteReportRow(ReportRows& rows, int selected);

// Back to 14 empty rows.
void DeleteAllReportRows(ReportRows& rows);

// Exchanges the selected leading named row with the one above (below) it. Returns the row that
// becomes current, or nothing when the row may not move.
std::optional<int> MoveReportRowUp(ReportRows& rows, int selected);
std::optional<int> MoveReportRowDown(ReportRows& rows, int selected);

// The report made of a document's lines: one row per line, filled up to 14 rows.
ReportRows ReportFromLines(ReportRows lines);
