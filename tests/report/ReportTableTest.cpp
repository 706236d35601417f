#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "OkzDocument.h"
#include "ReportState.h"
#include "ReportTable.h"

namespace {

const std::string Duplicate = "Такое название уже есть. Введите другое.";
const std::string LeadingBlank =
    "Вы не ввели название точки короткого замыкания или это название начинается с пустого символа (пробела)! "
    "Попробуйте ввести название еще раз. Первый символ не должен являться пустым.";
const std::string TooLong = "Количество символов в названии не должно превышать 8.";
const std::string Bar = "Символ \"|\" в названии точки недопустим. Введите другое название.";
const std::string Unsavable = "Название содержит символы, которые нельзя сохранить в документе. Введите другое название.";

// A report with the given names in rows 0, 1, ... ("" leaves a row unnamed), at least 14 rows.
ReportRows WithNames(const std::vector<std::string>& names)
{
    ReportRows rows(std::max<std::size_t>(names.size(), ReportMinimumRows));
    for (std::size_t r = 0; r < names.size(); ++r)
        if (!names[r].empty())
            rows[r] = ReportRow{names[r], "x" + std::to_string(r)};
    return rows;
}

std::vector<std::string> Names(const ReportRows& rows)
{
    std::vector<std::string> names;
    for (const ReportRow& row : rows)
        names.push_back(row[0]);
    return names;
}

std::vector<std::string> Padded(std::vector<std::string> names, std::size_t size = ReportMinimumRows)
{
    names.resize(std::max(names.size(), size));
    return names;
}

}  // namespace

TEST(ReportTable, NameChecksRunInTheirOrder)
{
    const ReportRows rows = WithNames({"К-1", "Длинное имя", " К-2"});
    struct Case {
        const char* name;
        std::string text;
        std::optional<std::string> refusal;
    };
    const Case cases[] = {
        {"new name", "К-3", std::nullopt},
        {"existing name", "К-1", Duplicate},
        {"differs in case only", "к-1", std::nullopt},
        {"differs by a trailing space", "К-1 ", std::nullopt},
        {"existing and too long: uniqueness first", "Длинное имя", Duplicate},
        {"existing and leading blank: uniqueness first", " К-2", Duplicate},
        {"empty", "", LeadingBlank},
        {"leading blank", " К", LeadingBlank},
        {"nine characters starting with a blank", " 12345678", LeadingBlank},
        {"leading tab is not a blank", "\tК", std::nullopt},
        {"inner blanks stay", "К 1  2", std::nullopt},
        {"eight Cyrillic characters", "Абвгдежз", std::nullopt},
        {"nine characters", "Абвгдежзи", TooLong},
        {"nine characters with a bar: length first", "Абвгдежз|", TooLong},
        {"bar", "К|1", Bar},
        {"bar and emoji: bar first", "|\xF0\x9F\x98\x80", Bar},
        {"emoji", "К\xF0\x9F\x98\x80", Unsavable},
        {"less-or-equal sign", "К\xE2\x89\xA4" "1", Unsavable},
        {"line feed", "К\n1", Unsavable},
        {"carriage return", "К\r1", Unsavable},
        {"byte 26", "К\x1A" "1", Unsavable},
        {"euro and numero fit", "€№1", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckPointName(rows, c.text), c.refusal) << c.name;

    // A report as long as a document may be takes no further point, so that it still loads back.
    ReportRows full(OkzDocumentLineLimit, ReportRow{"x"});
    EXPECT_NE(CheckPointName(full, "К-9"), std::nullopt);
    full.back()[0].clear();
    EXPECT_EQ(CheckPointName(full, "К-9"), std::nullopt);
}

TEST(ReportTable, PointsGoAfterTheLastNamedRowAndTheReportGrowsByOne)
{
    ReportRows rows = EmptyReport();
    EXPECT_EQ(rows.size(), 14u);
    for (int i = 0; i < 16; ++i) {
        const int used = AddPointRow(rows, ReportRow{"Т" + std::to_string(i)});
        EXPECT_EQ(used, i);
        EXPECT_EQ(rows.size(), static_cast<std::size_t>(std::max(14, i + 1)));
    }
    EXPECT_EQ(rows[14][0], "Т14");

    ReportRows gaps = WithNames({"a", "b", "", "", "", "c"});
    EXPECT_EQ(AddPointRow(gaps, ReportRow{"d"}), 6);
    EXPECT_EQ(Names(gaps), Padded({"a", "b", "", "", "", "c", "d"}));

    ReportRows full = WithNames(std::vector<std::string>(14, ""));
    for (int r = 0; r < 14; ++r)
        full[r][0] = "n" + std::to_string(r);
    EXPECT_EQ(AddPointRow(full, ReportRow{"last"}), 14);
    EXPECT_EQ(full.size(), 15u);
}

// The figures of the documented example row, with comma and blank as separators.
TEST(ReportTable, PointRowHoldsTheFiguresAsTheColumnsWriteThem)
{
    ShortCircuitResult result;
    result.Rt = 15.6;  // a third: 5,20
    result.Xt = 45.6;  // 15,20
    result.RLineSum = 30.149;
    result.XLineSum = 1.6;
    result.Rother = 15.4;
    result.Rsum = 50.35;
    result.Xsum = 16.8;
    result.Zsum = 53.084;
    result.Iokz = 4352.5;  // an exact half goes to the even neighbour
    const ReportRow row = MakePointRow("К-1", result, 750, "Тср < 5 с", NumberSeparators{",", " "});
    EXPECT_EQ(row, (ReportRow{"К-1", "5,20", "15,20", "30,15", "1,60", "15", "50,35", "16,80", "53,08", "4352", "750",
                              "Тср < 5 с"}));

    result.Rt = 3 * 1234.5671;  // grouped by threes; the division comes before the rounding
    result.Iokz = 4353.5;
    const ReportRow big = MakePointRow("К-2", result, 62.5, "---", NumberSeparators{",", " "});
    EXPECT_EQ(big[1], "1 234,57");
    EXPECT_EQ(big[9], "4354");
    EXPECT_EQ(big[10], "62,5");
}

TEST(ReportTable, PointRowCarriesNoDeviceMarksAndTheTripTimeAsItIs)
{
    const ShortCircuitResult result;
    const NumberSeparators separators{",", " "};
    for (const double tokSR : {0.0, -1.0}) {
        const ReportRow row = MakePointRow("К-1", result, tokSR, "---", separators);
        EXPECT_EQ(row[0], "К-1");
        EXPECT_EQ(row[10], "---") << tokSR;
        EXPECT_EQ(row[11], "---") << tokSR;
    }
    const ReportRow row = MakePointRow("К-2", result, 750, "Тср < 5 с", separators);
    EXPECT_EQ(row[11], "Тср < 5 с");
    EXPECT_NE(row[10], "---");
}

TEST(ReportTable, DeletingMovesTheRowsBelowUpAndShrinksAbove14)
{
    ReportRows rows = WithNames({"a", "b", "c", "d", "e"});
    DeleteReportRow(rows, 3);
    EXPECT_EQ(Names(rows), Padded({"a", "b", "c", "e"}));
    EXPECT_EQ(rows[3][1], "x4");  // the whole row moved, not only its name

    DeleteReportRow(rows, 10);  // an empty row can be deleted too
    EXPECT_EQ(Names(rows), Padded({"a", "b", "c", "e"}));

    ReportRows sixteen = WithNames({"a", "b", "", "c", "", "", "", "", "", "", "", "", "", "", "", "z"});
    ASSERT_EQ(sixteen.size(), 16u);
    DeleteReportRow(sixteen, 0);
    EXPECT_EQ(Names(sixteen), Padded({"b", "", "c", "", "", "", "", "", "", "", "", "", "", "", "z"}, 15));
    EXPECT_EQ(sixteen.back(), (ReportRow{"z", "x15"}));

    ReportRows unchanged = WithNames({"a", "b"});
    const ReportRows before = unchanged;
    DeleteReportRow(unchanged, -1);
    DeleteReportRow(unchanged, 14);
    EXPECT_EQ(unchanged, before);
}

TEST(ReportTable, DeleteAllLeaves14EmptyRows)
{
    ReportRows rows = WithNames(std::vector<std::string>(40, "n"));
    DeleteAllReportRows(rows);
    EXPECT_EQ(rows, ReportRows(14));
}

TEST(ReportTable, MovesStayWithinTheLeadingNamedRows)
{
    // Rows 0..2 lead; row 3 is empty; row 4 is named but not leading.
    const ReportRows start = WithNames({"a", "b", "c", "", "d"});
    struct Case {
        const char* name;
        bool up;
        int selected;
        std::optional<int> current;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"up from the middle", true, 1, 0, {"b", "a", "c", "", "d"}},
        {"up from the last leading row", true, 2, 1, {"a", "c", "b", "", "d"}},
        {"up from row 0", true, 0, std::nullopt, {"a", "b", "c", "", "d"}},
        {"up from the empty row", true, 3, std::nullopt, {"a", "b", "c", "", "d"}},
        {"up from a named row after the gap", true, 4, std::nullopt, {"a", "b", "c", "", "d"}},
        {"up with nothing selected", true, -1, std::nullopt, {"a", "b", "c", "", "d"}},
        {"down from row 0", false, 0, 1, {"b", "a", "c", "", "d"}},
        {"down from the second-last leading row", false, 1, 2, {"a", "c", "b", "", "d"}},
        {"down from the last leading row", false, 2, std::nullopt, {"a", "b", "c", "", "d"}},
        {"down from the empty row", false, 3, std::nullopt, {"a", "b", "c", "", "d"}},
        {"down with nothing selected", false, -1, std::nullopt, {"a", "b", "c", "", "d"}},
        {"down beyond the report", false, 20, std::nullopt, {"a", "b", "c", "", "d"}},
    };
    for (const Case& c : cases) {
        ReportRows rows = start;
        const auto current = c.up ? MoveReportRowUp(rows, c.selected) : MoveReportRowDown(rows, c.selected);
        EXPECT_EQ(current, c.current) << c.name;
        EXPECT_EQ(Names(rows), Padded(c.names)) << c.name;
    }

    // Every row named: the last row moves up but not down.
    ReportRows full = WithNames({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n"});
    EXPECT_EQ(MoveReportRowDown(full, 13), std::nullopt);
    EXPECT_EQ(MoveReportRowUp(full, 13), 12);
    EXPECT_EQ(full[12], (ReportRow{"n", "x13"}));
}

// Undo keeps several steps, newest first out, and bounds the rows it holds.
TEST(ReportUndoHistory, KeepsTheNewestStepsWithinItsBounds)
{
    auto state = [](std::size_t rows, const char* name) {
        ReportState s;
        s.rows = ReportRows(rows);
        s.rows[0][0] = name;
        return s;
    };
    ReportUndoHistory history;
    EXPECT_TRUE(history.IsEmpty());
    history.Remember(state(14, "a"));
    history.Remember(state(14, "b"));
    EXPECT_EQ(history.TakeNewest().rows[0][0], "b");
    EXPECT_EQ(history.TakeNewest().rows[0][0], "a");
    EXPECT_TRUE(history.IsEmpty());

    for (std::size_t i = 0; i < ReportUndoHistory::MaxSteps + 5; ++i)
        history.Remember(state(14, std::to_string(i).c_str()));
    EXPECT_EQ(history.Steps(), ReportUndoHistory::MaxSteps);
    EXPECT_EQ(history.TakeNewest().rows[0][0], std::to_string(ReportUndoHistory::MaxSteps + 4));

    // Large states push the older ones out; the newest stays even when it alone is over the bound.
    ReportUndoHistory large;
    large.Remember(state(14, "small"));
    large.Remember(state(ReportUndoHistory::MaxKeptRows / 2, "half"));
    large.Remember(state(ReportUndoHistory::MaxKeptRows / 2, "other half"));
    EXPECT_EQ(large.Steps(), 2u);
    large.Remember(state(ReportUndoHistory::MaxKeptRows + 1, "huge"));
    EXPECT_EQ(large.Steps(), 1u);
    EXPECT_EQ(large.TakeNewest().rows[0][0], "huge");
    EXPECT_TRUE(large.IsEmpty());
}
