// The ".okz" report document: one line per report row, each line "|" followed by the 12 cells,
// each cell followed by "|", lines ended by CR LF, text in code page 1251. Plain functions over
// bytes, so the format can be checked without files or windows.
#pragma once

#include <string>
#include <string_view>

#include "ReportRow.h"

// Documents larger than this are refused before they are read.
constexpr long long OkzDocumentSizeLimit = 64LL * 1024 * 1024;

struct OkzDocumentContents {
    ReportRows lines;      // one row of 12 cells per line read, in file order
    bool damaged = false;  // some line's count of separators is not a multiple of 14
};

// Reads a whole document. Never fails: a document that does not keep the format is read as far
// as it goes and marked damaged.
OkzDocumentContents ReadOkzDocument(std::string_view bytes);

// The document of `rows`: every row from row 0 down to the last row that holds any text, each as
// a complete line. A report without any text gives an empty document. A character that code page
// 1251 lacks is written as "?".
std::string WriteOkzDocument(const ReportRows& rows);
