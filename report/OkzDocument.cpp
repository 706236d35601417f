#include "OkzDocument.h"

#include <algorithm>
#include <array>

#include "CodePage1251.h"

namespace {

constexpr char Separator = '|';
constexpr char EndOfData = 26;
constexpr char CR = 13;
constexpr char LF = 10;

// Recorded separator positions per line that are needed to cut the 12 cells: P[1] .. P[13].
constexpr int PositionsUsed = ReportColumnCount + 2;

// Cuts one line into its cells. The separator positions are visited as 0, 1, ..., L, where 0
// stands for the first character again, so a leading "|" is recorded twice. Only the first
// positions are kept; the rest are only counted.
ReportRow CutLine(std::string_view line, bool& passes)
{
    std::array<std::size_t, PositionsUsed> positions{};
    std::size_t count = 0;
    auto record = [&](std::size_t position) {
        if (count < positions.size())
            positions[count] = position;
        ++count;
    };
    if (!line.empty() && line.front() == Separator)
        record(0);
    for (std::size_t p = 1; p <= line.size(); ++p)
        if (line[p - 1] == Separator)
            record(p);
    passes = count % PositionsUsed == 0;

    ReportRow row;
    for (std::size_t j = 0; j < ReportColumnCount; ++j) {
        // Cell j lies strictly between the recorded positions P[j+1] and P[j+2]; a cell whose
        // positions were not recorded stays empty.
        if (j + 2 >= count)
            break;
        const std::size_t start = positions[j + 1];  // character P[j+1] + 1, counted from 1
        const std::size_t stop = positions[j + 2];
        if (stop > start + 1 && start < line.size())
            row[j] = DecodeCp1251(line.substr(start, stop - start - 1));
    }
    return row;
}

}  // namespace

void OkzLineCounter::Feed(std::string_view bytes)
{
    if (dataEnded_)
        return;
    if (const auto end = bytes.find(EndOfData); end != std::string_view::npos) {
        bytes = bytes.substr(0, end);
        dataEnded_ = true;
    }
    std::size_t lineStart = 0;
    for (std::size_t lf = bytes.find(LF); lf != std::string_view::npos; lf = bytes.find(LF, lineStart)) {
        ++endedLines_;
        openLineHasText_ = false;
        lineStart = lf + 1;
    }
    if (bytes.find_first_not_of(CR, lineStart) != std::string_view::npos)
        openLineHasText_ = true;
}

OkzDocumentContents ReadOkzDocument(std::string_view bytes)
{
    OkzDocumentContents contents;
    // Counted before any row is made, so that a document of bare line ends costs nothing.
    OkzLineCounter counter;
    counter.Feed(bytes);
    if (counter.Lines() > OkzDocumentLineLimit) {
        contents.tooLong = true;
        return contents;
    }
    contents.lines.reserve(counter.Lines());

    // Byte 26 ends the data.
    const auto end = bytes.find(EndOfData);
    if (end != std::string_view::npos)
        bytes = bytes.substr(0, end);

    auto takeLine = [&contents](std::string_view line) {
        bool passes = true;
        contents.lines.push_back(CutLine(line, passes));
        if (!passes)
            contents.damaged = true;
    };

    // LF ends a line; every CR is left out of the line, whether it stands right before the LF
    // (part of the line end) or anywhere else (dropped). The last line needs no line end, and a
    // line end at the very end starts no further line.
    std::string line;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto lf = bytes.find(LF, start);
        const std::string_view piece = bytes.substr(start, lf == std::string_view::npos ? bytes.npos : lf - start);
        std::string_view text = piece;
        if (piece.find(CR) != std::string_view::npos) {
            line.assign(piece);
            std::erase(line, CR);
            text = line;
        }
        if (lf == std::string_view::npos) {
            if (!text.empty())
                takeLine(text);
            break;
        }
        takeLine(text);
        start = lf + 1;
    }
    return contents;
}

std::string WriteOkzDocument(const ReportRows& rows)
{
    auto holdsText = [](const ReportRow& row) {
        return std::any_of(row.begin(), row.end(), [](const std::string& cell) { return !cell.empty(); });
    };
    const auto last = std::find_if(rows.rbegin(), rows.rend(), holdsText);
    const auto count = static_cast<std::size_t>(rows.rend() - last);

    std::string document;
    for (std::size_t r = 0; r < count; ++r) {
        document += Separator;
        for (const std::string& cell : rows[r]) {
            document += EncodeCp1251(cell).bytes;
            document += Separator;
        }
        document += CR;
        document += LF;
    }
    return document;
}
