// The ".okz" report document: one line per report row, each line "|" followed by the 12 cells,
// each cell followed by "|", lines ended by CR LF, text in code page 1251. Plain functions over
// bytes, so the format can be checked without files or windows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ReportRow.h"

// Documents larger than this are refused before they are read.
constexpr long long OkzDocumentSizeLimit = 64LL * 1024 * 1024;

// Documents of more lines than this are refused before their rows are made. Each line becomes a
// row of 12 cells in the report (about 400 bytes even when empty), so 100,000 rows stay near
// 40 MB, while a 64 MB document of bare line ends would ask for 26 GB. Real projects stay in the
// hundreds of points.
constexpr std::size_t OkzDocumentLineLimit = 100'000;

// Counts the lines of a document fed to it in pieces, by the reader's rules, keeping none of
// them: lets a loader refuse a document of too many lines before it holds it whole.
class OkzLineCounter {
public:
    void Feed(std::string_view bytes);
    // The lines so far, a last line without its line end included.
    std::size_t Lines() const { return endedLines_ + (openLineHasText_ ? 1 : 0); }

private:
    std::size_t endedLines_ = 0;
    bool openLineHasText_ = false;  // the bytes after the last LF hold more than CRs
    bool dataEnded_ = false;        // byte 26 was met: nothing after it counts
};

struct OkzDocumentContents {
    ReportRows lines;       // one row of 12 cells per line read, in file order
    bool damaged = false;   // some line's count of separators is not a multiple of 14
    bool tooLong = false;   // more than OkzDocumentLineLimit lines: none was read
    // The file holds bytes but none of its lines holds a "|": a workbook, a ";"-separated table
    // or any other file that is no report document. (A report without rows is an empty file.)
    bool foreign = false;
};

// How the cells' bytes become text. The program writes code page 1251; UTF-8 is for documents
// that other tools wrote.
enum class OkzEncoding { Cp1251, Utf8 };

// Reads a whole document. Never fails: a document that does not keep the format is read as far
// as it goes and marked damaged; one of too many lines gives no lines and is marked too long.
// Read as UTF-8, a leading byte order mark is skipped and malformed bytes become U+FFFD.
OkzDocumentContents ReadOkzDocument(std::string_view bytes, OkzEncoding encoding = OkzEncoding::Cp1251);

// True when the document's data (the bytes before any byte 26) is well-formed UTF-8 holding at
// least one Cyrillic letter: text in code page 1251 almost never is, since its letters are bytes
// 0xC0 to 0xFF that UTF-8 does not allow one after another.
bool LooksLikeUtf8Cyrillic(std::string_view bytes);

// The document of `rows`: every row from row 0 down to the last row that holds any text, each as
// a complete line. A report without any text gives an empty document. A character that code page
// 1251 lacks is written as "?".
std::string WriteOkzDocument(const ReportRows& rows);
