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

// The length of the well-formed UTF-8 sequence that `bytes` begins with (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when it begins with none.
std::size_t Utf8SequenceLength(std::string_view bytes)
{
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

// Cuts one line into its cells. The separator positions are visited as 0, 1, ..., L, where 0
// stands for the first character again, so a leading "|" is recorded twice. Only the first
// positions are kept; the rest are only counted.
// Malformed bytes become U+FFFD.
std::string DecodeUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = Utf8SequenceLength(bytes.substr(at));
        if (length == 0) {
            text += "\uFFFD";
            ++at;
        } else {
            text.append(bytes.substr(at, length));
            at += length;
        }
    }
    return text;
}

ReportRow CutLine(std::string_view line, OkzEncoding encoding, bool& passes)
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
        {
            const std::string_view cell = line.substr(start, stop - start - 1);
            row[j] = encoding == OkzEncoding::Utf8 ? DecodeUtf8(cell) : DecodeCp1251(cell);
        }
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

OkzDocumentContents ReadOkzDocument(std::string_view bytes, OkzEncoding encoding)
{
    OkzDocumentContents contents;
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (encoding == OkzEncoding::Utf8 && bytes.starts_with(ByteOrderMark))
        bytes.remove_prefix(ByteOrderMark.size());
    // Counted before any row is made, so that a document of bare line ends costs nothing.
    OkzLineCounter counter;
    counter.Feed(bytes);
    if (counter.Lines() > OkzDocumentLineLimit) {
        contents.tooLong = true;
        return contents;
    }
    contents.foreign = !bytes.empty();
    contents.lines.reserve(counter.Lines());

    // Byte 26 ends the data.
    const auto end = bytes.find(EndOfData);
    if (end != std::string_view::npos)
        bytes = bytes.substr(0, end);

    auto takeLine = [&contents, encoding](std::string_view line) {
        bool passes = true;
        contents.lines.push_back(CutLine(line, encoding, passes));
        if (line.find(Separator) != std::string_view::npos)
            contents.foreign = false;
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

bool LooksLikeUtf8Cyrillic(std::string_view bytes)
{
    if (const auto end = bytes.find(EndOfData); end != std::string_view::npos)
        bytes = bytes.substr(0, end);
    bool cyrillic = false;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = Utf8SequenceLength(bytes.substr(at));
        if (length == 0)
            return false;
        // The Cyrillic letters U+0400 to U+04FF lead with 0xD0 to 0xD3.
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (length == 2 && lead >= 0xD0 && lead <= 0xD3)
            cyrillic = true;
        at += length;
    }
    return cyrillic;
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
