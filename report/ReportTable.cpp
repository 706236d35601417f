#include "ReportTable.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "CodePage1251.h"
#include "OkzDocument.h"

namespace {

constexpr std::size_t MaximumNameLength = 8;

// Characters of a UTF-8 text (not bytes): each one becomes a single byte in the document.
std::size_t CharacterCount(const std::string& utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Characters that the document could store as bytes but not bring back: its line structure
// uses LF and CR, and byte 26 ends its data.
bool HoldsLineControl(const std::string& name)
{
    return name.find_first_of(std::string("\r\n\x1A", 3)) != std::string::npos;
}

void ClearRow(ReportRow& row)
{
    for (std::string& cell : row)
        cell.clear();
}

}  // namespace

ReportRows EmptyReport() { return ReportRows(ReportMinimumRows); }

bool IsNamed(const ReportRow& row) { return !row[0].empty(); }

int LeadingNamedRowCount(const ReportRows& rows)
{
    return static_cast<int>(std::find_if_not(rows.begin(), rows.end(), IsNamed) - rows.begin());
}

int InsertionRow(const ReportRows& rows)
{
    const auto lastNamed = std::find_if(rows.rbegin(), rows.rend(), IsNamed);
    return static_cast<int>(rows.rend() - lastNamed);
}

std::optional<std::string> CheckPointName(const ReportRows& rows, const std::string& name)
{
    if (!name.empty() && std::any_of(rows.begin(), rows.end(), [&](const ReportRow& row) { return row[0] == name; }))
        return "Такое название уже есть. Введите другое.";
    if (name.empty() || name.front() == ' ')
        return "Вы не ввели название точки короткого замыкания или это название начинается с пустого символа "
               "(пробела)! Попробуйте ввести название еще раз. Первый символ не должен являться пустым.";
    if (CharacterCount(name) > MaximumNameLength)
        return "Количество символов в названии не должно превышать 8.";
    // The document separates its cells by "|" and cannot carry one inside a cell.
    if (name.find('|') != std::string::npos)
        return "Символ \"|\" в названии точки недопустим. Введите другое название.";
    if (!FitsCp1251(name) || HoldsLineControl(name))
        return "Название содержит символы, которые нельзя сохранить в документе. Введите другое название.";
    // A document of more lines would be refused when it is loaded again.
    if (InsertionRow(rows) >= static_cast<int>(OkzDocumentLineLimit))
        return "В отчете уже 100\u00A0000 строк: больше документ отчета не вмещает. Удалите ненужные строки.";
    return std::nullopt;
}

NumberSeparators DocumentSeparators(const NumberSeparators& regional)
{
    NumberSeparators mapped = regional;
    if (!FitsCp1251(mapped.group))
        mapped.group = "\u00A0";
    if (!FitsCp1251(mapped.decimal))
        mapped.decimal = mapped.group == "," ? "." : ",";
    return mapped;
}

ReportRow MakePointRow(const std::string& name, const ShortCircuitResult& result, double tokSR,
                       const std::string& tripTime, const NumberSeparators& regional)
{
    const NumberSeparators separators = DocumentSeparators(regional);
    // The transformer's figures are divided before rounding: the loop takes a third of them.
    return ReportRow{
        name,
        FormatGrouped(result.Rt / 3, 2, separators),
        FormatGrouped(result.Xt / 3, 2, separators),
        FormatGrouped(result.RLineSum, 2, separators),
        FormatGrouped(result.XLineSum, 2, separators),
        FormatGrouped(result.Rother, 0, separators),
        FormatGrouped(result.Rsum, 2, separators),
        FormatGrouped(result.Xsum, 2, separators),
        FormatGrouped(result.Zsum, 2, separators),
        FormatCurrent(result.Iokz, separators),
        tokSR > 0 ? FormatGeneral(tokSR, separators) : std::string("---"),
        tripTime,
    };
}

int AddPointRow(ReportRows& rows, const ReportRow& row)
{
    const int target = InsertionRow(rows);
    if (target == static_cast<int>(rows.size()))
        rows.emplace_back();
    rows[target] = row;
    return target;
}

void DeleteReportRow(ReportRows& rows, int selected)
{
    const int count = static_cast<int>(rows.size());
    if (selected < 0 || selected >= count)
        return;
    // Every row below moves up by one; the last row ends empty.
    std::move(rows.begin() + selected + 1, rows.end(), rows.begin() + selected);
    ClearRow(rows.back());
    if (count > ReportMinimumRows)
        rows.pop_back();
}

void DeleteAllReportRows(ReportRows& rows) { rows = EmptyReport(); }

std::optional<int> MoveReportRowUp(ReportRows& rows, int selected)
{
    const int named = LeadingNamedRowCount(rows);
    if (selected <= 0 || selected > named - 1)
        return std::nullopt;
    std::swap(rows[selected - 1], rows[selected]);
    return selected - 1;
}

std::optional<int> MoveReportRowDown(ReportRows& rows, int selected)
{
    const int named = LeadingNamedRowCount(rows);
    if (selected < 0 || selected > named - 2)
        return std::nullopt;
    std::swap(rows[selected], rows[selected + 1]);
    return selected + 1;
}

ReportRows ReportFromLines(ReportRows lines)
{
    if (lines.size() < static_cast<std::size_t>(ReportMinimumRows))
        lines.resize(ReportMinimumRows);
    return lines;
}
