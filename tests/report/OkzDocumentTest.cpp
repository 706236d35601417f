#include <gtest/gtest.h>

#include <QStringEncoder>
#include <string>
#include <vector>

#include "OkzDocument.h"

namespace {

ReportRow Row(std::vector<std::string> cells)
{
    ReportRow row;
    for (std::size_t i = 0; i < cells.size() && i < row.size(); ++i)
        row[i] = cells[i];
    return row;
}

// A row whose 12 cells are a name and the given figures.
ReportRow NamedRow(const std::string& name)
{
    return Row({name, "5,20", "15,20", "30,15", "1,60", "15", "50,35", "16,80", "53,08", "4352", "750", "Тср < 5 с"});
}

std::string Cp1251(const char* utf8)
{
    QStringEncoder encoder("windows-1251");
    const QByteArray bytes = encoder.encode(QString::fromUtf8(utf8));
    EXPECT_FALSE(encoder.hasError());
    return bytes.toStdString();
}

// The walk of the older writer: cell after cell in row order, stopping at the first empty cell.
std::string WalkUntilFirstEmptyCell(const ReportRows& rows)
{
    std::string out;
    for (const ReportRow& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (row[c].empty())
                return out;
            out += (c == 0 ? "|" : "") + Cp1251(row[c].c_str()) + "|";
            if (c + 1 == row.size())
                out += "\r\n";
        }
    return out;
}

}  // namespace

TEST(OkzDocument, ExampleRowIsWrittenAsTheDocumentedLine)
{
    const std::string expected = Cp1251("|К-1|5,20|15,20|30,15|1,60|15|50,35|16,80|53,08|4352|750|Тср < 5 с|") + "\r\n";
    ASSERT_EQ(expected.size(), 67u + 2u);
    ReportRows rows(14);
    rows[0] = NamedRow("К-1");
    EXPECT_EQ(WriteOkzDocument(rows), expected);

    const OkzDocumentContents read = ReadOkzDocument(expected);
    EXPECT_FALSE(read.damaged);
    ASSERT_EQ(read.lines.size(), 1u);
    EXPECT_EQ(read.lines[0], rows[0]);
}

TEST(OkzDocument, EmptyReportIsAnEmptyDocument)
{
    EXPECT_EQ(WriteOkzDocument(ReportRows(14)), "");
    EXPECT_EQ(WriteOkzDocument(ReportRows()), "");
    const OkzDocumentContents read = ReadOkzDocument("");
    EXPECT_TRUE(read.lines.empty());
    EXPECT_FALSE(read.damaged);
}

// Complete named rows at the top, then empty rows: exactly what the cell-by-cell walk wrote.
TEST(OkzDocument, CompleteNamedRowsAreWrittenAsTheCellWalkWroteThem)
{
    for (const int named : {1, 3, 14, 20}) {
        ReportRows rows(std::max(named, 14));
        for (int r = 0; r < named; ++r)
            rows[r] = NamedRow("Т" + std::to_string(r));
        EXPECT_EQ(WriteOkzDocument(rows), WalkUntilFirstEmptyCell(rows)) << named << " rows";
    }
}

// Rows the cell walk lost: named rows after an empty row, and the cells after an empty cell.
TEST(OkzDocument, EveryRowUpToTheLastTextIsWrittenComplete)
{
    ReportRows rows(16);
    rows[0] = NamedRow("К-1");
    rows[2] = NamedRow("К-3");         // row 1 stays empty
    rows[3] = Row({"К-4", "", "7"});   // an empty cell amid the texts
    rows[5] = Row({"", "", "", "x"});  // no name, but text
    const std::string document = WriteOkzDocument(rows);

    const std::string empty = "|||||||||||||\r\n";
    std::string expected = WriteOkzDocument({rows[0]}) + empty + WriteOkzDocument({rows[2]}) +
                           Cp1251("|К-4||7||||||||||") + "\r\n" + empty + "||||x|||||||||\r\n";
    EXPECT_EQ(document, expected);

    const OkzDocumentContents read = ReadOkzDocument(document);
    EXPECT_FALSE(read.damaged);
    ASSERT_EQ(read.lines.size(), 6u);
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(read.lines[r], rows[r]) << "row " << r;
}

TEST(OkzDocument, CharacterWithoutAByteIsWrittenAsQuestionMark)
{
    const ReportRows rows = {Row({"К-1", "1\xE2\x80\xAF" "234,00"})};
    EXPECT_EQ(WriteOkzDocument(rows), Cp1251("|К-1|1?234,00|||||||||||") + "\r\n");
}

TEST(OkzDocument, ReaderFollowsTheLineAndSeparatorRules)
{
    const std::string sound = Cp1251("|К-1|5,20|15,20|30,15|1,60|15|50,35|16,80|53,08|4352|750|Тср < 5 с|");
    const ReportRow soundRow = NamedRow("К-1");
    const ReportRow empty{};
    struct Case {
        const char* name;
        std::string bytes;
        ReportRows lines;
        bool damaged;
    };
    const Case cases[] = {
        {"sound line with CR LF", sound + "\r\n", {soundRow}, false},
        {"last line without line end", "|a|||||||||||b|\r\n" + sound, {Row({"a", "", "", "", "", "", "", "", "", "", "", "b"}), soundRow}, false},
        {"LF alone ends a line", sound + "\n" + sound + "\n", {soundRow, soundRow}, false},
        {"empty line between rows", sound + "\r\n\r\n" + sound + "\r\n", {soundRow, empty, soundRow}, false},
        {"line end alone is one empty line", "\r\n", {empty}, false},
        {"stray CR inside a cell is dropped", "|a\rb|c|||||||||||\r\n", {Row({"ab", "c"})}, false},
        {"CR runs before LF are dropped", "|a|b|||||||||||\r\r\r\n", {Row({"a", "b"})}, false},
        {"stray CR alone at the end makes no line", sound + "\r\n\r", {soundRow}, false},
        {"byte 26 ends the data", sound + "\r\n\x1A" + sound + "\r\n", {soundRow}, false},
        {"byte 26 inside a line cuts it", "|a|b|\x1A|c|||||||||\r\n", {Row({"a", "b"})}, true},
        {"empty field gives an empty cell", "|a||c||||||||||\r\n", {Row({"a", "", "c"})}, false},
        {"text after the thirteenth separator is ignored", "|a|||||||||||b|tail\r\n", {Row({"a", "", "", "", "", "", "", "", "", "", "", "b"})}, false},
        {"no leading separator, 13 separators: damaged", "a|b|c|d|e|f|g|h|i|j|k|l|m|\r\n", {Row({"c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m"})}, true},
        {"no leading separator, 14 separators: cells from the 2nd on", "x|y|a|b|c|d|e|f|g|h|i|j|k|l|\r\n", {Row({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"})}, false},
        {"12 separators with the leading one: the last cell is lost", "|a|b|c|d|e|f|g|h|i|j|k|l\r\n", {Row({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"})}, true},
        {"short line: later cells empty", "|a|b|\r\n", {Row({"a", "b"})}, true},
        {"line without separators passes as an empty row", "abc\r\n", {empty}, false},
        {"27 separators with the leading one pass", "|a|b|c|d|e|f|g|h|i|j|k|l|m|n|o|p|q|r|s|t|u|v|w|x|y|z|\r\n", {Row({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"})}, false},
        {"one damaged line marks the document", sound + "\r\n|a|\r\n" + sound, {soundRow, Row({"a"}), soundRow}, true},
    };
    for (const Case& c : cases) {
        const OkzDocumentContents read = ReadOkzDocument(c.bytes);
        EXPECT_EQ(read.damaged, c.damaged) << c.name;
        EXPECT_EQ(read.lines, c.lines) << c.name;
    }
}

// Every byte but the line structure's own (LF, CR, 26, "|") comes back from a load and save unchanged.
TEST(OkzDocument, EveryByteValueSurvivesReadAndWrite)
{
    std::string line = "|";
    int cellLength = 0;
    for (int b = 0; b < 256; ++b) {
        if (b == 10 || b == 13 || b == 26 || b == '|')
            continue;
        line += static_cast<char>(b);
        // 252 bytes spread over the 12 cells, 21 each.
        if (++cellLength == 21) {
            line += '|';
            cellLength = 0;
        }
    }
    ASSERT_EQ(std::count(line.begin(), line.end(), '|'), 13);
    const std::string document = line + "\r\n" + line + "\r\n";
    const OkzDocumentContents read = ReadOkzDocument(document);
    ASSERT_FALSE(read.damaged);
    ASSERT_EQ(read.lines.size(), 2u);
    EXPECT_EQ(WriteOkzDocument(read.lines), document);
}

// A document of more lines than a report holds is refused before any row is made; lines are
// counted as the reader splits them, also when the counter gets the bytes in pieces.
TEST(OkzDocument, LinesAreCountedByTheReaderRulesAndTooManyAreRefused)
{
    const std::size_t limit = OkzDocumentLineLimit;
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t lines;
    };
    const Case cases[] = {
        {"line ends at the limit", std::string(limit, '\n'), limit},
        {"one line end more", std::string(limit + 1, '\n'), limit + 1},
        {"a last line without line end counts", std::string(limit, '\n') + "|a|", limit + 1},
        {"CRs alone after the last line end make no line", std::string(limit, '\n') + "\r\r", limit},
        {"CRs end no line", std::string(2 * limit, '\r') + std::string(limit + 1, '\n'), limit + 1},
        {"nothing after byte 26 counts", std::string(limit, '\n') + "\x1A" + std::string(10, '\n'), limit},
    };
    for (const Case& c : cases) {
        OkzLineCounter whole;
        whole.Feed(c.bytes);
        EXPECT_EQ(whole.Lines(), c.lines) << c.name;
        OkzLineCounter pieces;
        for (std::size_t at = 0; at < c.bytes.size(); at += 7)
            pieces.Feed(std::string_view(c.bytes).substr(at, 7));
        EXPECT_EQ(pieces.Lines(), c.lines) << c.name;

        const OkzDocumentContents read = ReadOkzDocument(c.bytes);
        EXPECT_EQ(read.tooLong, c.lines > limit) << c.name;
        EXPECT_EQ(read.lines.size(), c.lines > limit ? 0 : c.lines) << c.name;
    }
}

// A file is a report document when some line holds the cell separator; an empty file is the
// document of an empty report.
TEST(OkzDocument, FileWithoutAnySeparatorIsForeign)
{
    const struct {
        const char* name;
        std::string bytes;
        bool foreign;
    } cases[] = {
        {"empty file: an empty report", "", false},
        {"sound document", "|a|||||||||||b|\r\n", false},
        {"one separator anywhere is enough", "abc\r\nx|y\r\n", false},
        {"semicolon table", "К-1;5,20;15,20\r\nК-2;5,20;15,20\r\n", true},
        {"workbook: byte 26 early", std::string("PK\x03\x04\x14\x00\x1A|a|b|", 12), true},
        {"byte 26 first", "\x1A|a|||||||||||b|\r\n", true},
        {"line ends alone", "\r\n\r\n", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadOkzDocument(c.bytes).foreign, c.foreign) << c.name;
}

TEST(OkzDocument, Utf8DocumentsAreRecognisedAndReadAsUtf8)
{
    const std::string utf8Line = "|К1-ВРУ|5,20|15,20|30,15|1,60|15|50,35|16,80|53,08|4352|750|Тср < 5 с|\r\n";
    const struct {
        const char* name;
        std::string bytes;
        bool utf8;
    } cases[] = {
        {"UTF-8 with Cyrillic", utf8Line, true},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + utf8Line, true},
        {"code page 1251", Cp1251("|К1-ВРУ|5,20|||||||||||\r\n"), false},
        {"code page 1251, letters only", Cp1251("|Щит|Тср < 5 с|||||||||||\r\n"), false},
        {"ASCII only: nothing to decide", "|K-1|5,20|||||||||||\r\n", false},
        {"UTF-8 without Cyrillic", "|K-1 \xC2\xB0|5,20|||||||||||\r\n", false},
        {"cut UTF-8 sequence", "|К\xD0|||||||||||\r\n", false},
        {"overlong form", "|К\xC0\xAF|||||||||||\r\n", false},
        {"encoded surrogate", "|К\xED\xA0\x80|||||||||||\r\n", false},
        {"bytes after 26 do not count", utf8Line + "\x1A\xFF", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LooksLikeUtf8Cyrillic(c.bytes), c.utf8) << c.name;

    const OkzDocumentContents utf8 = ReadOkzDocument("\xEF\xBB\xBF" + utf8Line + utf8Line, OkzEncoding::Utf8);
    EXPECT_FALSE(utf8.damaged);
    EXPECT_EQ(utf8.lines, (ReportRows{NamedRow("К1-ВРУ"), NamedRow("К1-ВРУ")}));
    // Read as code page 1251, as the program did before: each UTF-8 letter becomes two letters.
    EXPECT_EQ(ReadOkzDocument(utf8Line).lines[0][0], "Рљ1-Р’Р\u00A0РЈ");
    // A malformed byte read as UTF-8 becomes the replacement character, not a broken text.
    EXPECT_EQ(ReadOkzDocument("|a\xFF|||||||||||\r\n", OkzEncoding::Utf8).lines[0][0], "a\uFFFD");
}
