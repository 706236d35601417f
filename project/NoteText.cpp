#include "NoteText.h"

#include "ReportTable.h"

const NumberSeparators& NoteSeparators()
{
    static const NumberSeparators russian{",", "\u00A0"};
    return russian;
}

std::string NoteInput(const std::string& text)
{
    if (ParseDecimal(text, DecimalSign::PointOrComma).status != DecimalStatus::Valid)
        return text;
    std::string shown = text;
    for (char& c : shown)
        if (c == '.')
            c = ',';
    return shown;
}

std::string NoteRowFigure(const std::string& text, const NumberSeparators& rowSeparators)
{
    for (const NumberSeparators& form : {DocumentSeparators(rowSeparators), rowSeparators}) {
        const auto number = ReadWrittenNumber(text, form);
        if (!number || number->scientific)
            continue;
        std::string shown = FormatGrouped(number->value, number->decimals, NoteSeparators());
        if (!number->grouped) {
            // The shape as the row has it: currents are written without groups.
            const std::string& group = NoteSeparators().group;
            for (size_t at; (at = shown.find(group)) != std::string::npos;)
                shown.erase(at, group.size());
        }
        return shown;
    }
    return text;
}

std::string NoteQuotes(const std::string& text)
{
    std::string quoted;
    bool open = false;
    size_t count = 0;
    for (const char c : text)
        count += c == '"';
    if (count % 2 != 0)
        return text;
    for (const char c : text) {
        if (c == '"') {
            quoted += open ? "»" : "«";
            open = !open;
        } else {
            quoted += c;
        }
    }
    return quoted;
}
