#include "ProjectDocument.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "PointRecord.h"

namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";
// The project's fields in the order they are written.
struct FieldKey {
    std::string_view key;
    std::string ProjectFields::*field;
};
constexpr FieldKey FieldKeys[] = {
    {"объект", &ProjectFields::objectName},     {"автор", &ProjectFields::author},
    {"шифр", &ProjectFields::designation},      {"стадия", &ProjectFields::stage},
    {"организация", &ProjectFields::organisation}, {"проверил", &ProjectFields::checker},
    {"нормоконтроль", &ProjectFields::normController}, {"утвердил", &ProjectFields::approver},
    {"заземление", &ProjectFields::earthing},
};
constexpr std::string_view PointKey = "точка";
constexpr std::string_view EndLine = "конец";

bool HoldsText(const ReportRow& row)
{
    return std::any_of(row.begin(), row.end(), [](const std::string& cell) { return !cell.empty(); });
}

// Well-formed UTF-8: no stray continuation byte, no overlong form, no surrogate, nothing above U+10FFFF.
bool IsUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned min = 0;
        unsigned code = 0;
        if ((c & 0xE0) == 0xC0) { extra = 1; min = 0x80; code = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { extra = 2; min = 0x800; code = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { extra = 3; min = 0x10000; code = c & 0x07; }
        else return false;
        if (i + extra >= text.size())
            return false;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

void AddField(std::string& document, std::string_view key, std::string_view value)
{
    document += key;
    document += '=';
    document += EscapeValue(value);
    document += '\n';
}

}  // namespace

bool WriteProjectDocument(const ProjectFields& fields, const ReportRows& rows, const std::vector<std::string>& records,
                          const std::function<bool(std::string_view)>& sink)
{
    constexpr std::size_t PieceSize = 1 << 20;
    const auto last = std::find_if(rows.rbegin(), rows.rend(), HoldsText);
    const auto count = static_cast<std::size_t>(rows.rend() - last);

    std::string piece;
    piece.reserve(PieceSize + 4096);
    piece += ProjectDocumentTitle;
    piece += std::to_string(ProjectFormatMajor) + "." + std::to_string(ProjectFormatMinor) + "\n";
    for (const FieldKey& field : FieldKeys)
        AddField(piece, field.key, fields.*field.field);
    for (std::size_t r = 0; r < count; ++r) {
        piece += PointKey;
        piece += '=';
        for (int c = 0; c < ReportColumnCount; ++c) {
            if (c > 0)
                piece += '|';
            piece += EscapeValue(rows[r][c]);
        }
        piece += '\n';
        if (r < records.size())
            piece += records[r];
        if (piece.size() >= PieceSize) {
            if (!sink(piece))
                return false;
            piece.clear();
        }
    }
    piece += EndLine;
    piece += '\n';
    return sink(piece);
}

std::string WriteProjectDocument(const ProjectFields& fields, const ReportRows& rows,
                                 const std::vector<std::string>& records)
{
    std::string document;
    WriteProjectDocument(fields, rows, records, [&document](std::string_view piece) {
        document += piece;
        return true;
    });
    return document;
}

void ProjectReader::Refuse(std::string sentence)
{
    if (refusal_.empty())
        refusal_ = std::move(sentence);
}

void ProjectReader::Damaged(const std::string& reason)
{
    Refuse("Проект поврежден (строка " + std::to_string(lineNumber_) + "): " + reason + ". Проект не открыт.");
}

void ProjectReader::Feed(std::string_view bytes)
{
    while (!Refused() && !bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, lf);
        if (pending_.size() + piece.size() > ProjectLineLengthLimit) {
            ++lineNumber_;
            if (!headerRead_)
                Refuse("Файл не является проектом Зорант.");
            else
                Damaged("слишком длинная строка");
            return;
        }
        if (lf == std::string_view::npos) {
            pending_ += piece;
            return;
        }
        if (pending_.empty()) {
            TakeLine(piece);
        } else {
            pending_ += piece;
            const std::string line = std::move(pending_);
            pending_.clear();
            TakeLine(line);
        }
        bytes.remove_prefix(lf + 1);
    }
}

void ProjectReader::TakeHeader(std::string_view line)
{
    headerRead_ = true;
    if (line.starts_with(Bom))
        line.remove_prefix(Bom.size());
    if (!line.starts_with(ProjectDocumentTitle)) {
        Refuse("Файл не является проектом Зорант.");
        return;
    }
    const std::string_view version = line.substr(ProjectDocumentTitle.size());
    int major = 0, minor = 0;
    const char* end = version.data() + version.size();
    const auto [dot, e1] = std::from_chars(version.data(), end, major);
    if (e1 != std::errc{} || dot == end || *dot != '.') {
        Refuse("Файл не является проектом Зорант: неверная строка версии.");
        return;
    }
    const auto [stop, e2] = std::from_chars(dot + 1, end, minor);
    if (e2 != std::errc{} || stop != end || major < 1) {
        Refuse("Файл не является проектом Зорант: неверная строка версии.");
        return;
    }
    if (major > ProjectFormatMajor)
        Refuse("Проект сохранен более новой версией программы (формат " + std::string(version) +
               ") и не может быть открыт этой версией.");
}

void ProjectReader::EndPoint()
{
    if (!inPoint_)
        return;
    inPoint_ = false;
    const std::string& text = project_.records.back();
    if (text.empty())
        return;
    const std::string& name = project_.rows.back()[0];
    if (name.empty() || !recordNames_.insert(name).second) {
        Damaged("точка с исходными данными без названия или с повторным названием \"" + name + "\"");
        return;
    }
    const PointRecordReading record = ReadPointRecord(text);
    if (!record.record)
        Damaged("точка \"" + name + "\": " + record.refusal);
}

void ProjectReader::TakeLine(std::string_view line)
{
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (!headerRead_) {
        TakeHeader(line);
        return;
    }
    if (!IsUtf8(line)) {
        Damaged("текст не в кодировке UTF-8");
        return;
    }
    // The writer escapes every CR of a value; a raw one could only come from another tool, and
    // read as it stands it would not survive the next save.
    if (line.find('\r') != std::string_view::npos) {
        Damaged("знак возврата каретки внутри строки");
        return;
    }
    // The same for a NUL byte, which the writer escapes too; no text of the program holds one raw.
    if (line.find('\0') != std::string_view::npos) {
        Damaged("нулевой байт внутри строки");
        return;
    }
    if (line.empty())
        return;
    if (ended_) {
        Damaged("текст после строки \"конец\"");
        return;
    }
    if (line == EndLine) {
        EndPoint();
        ended_ = true;
        return;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        Damaged("строка без знака \"=\"");
        return;
    }
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);

    if (key == PointKey) {
        EndPoint();
        if (Refused())
            return;
        if (project_.rows.size() >= ProjectPointLimit) {
            Refuse("Проект содержит слишком много точек для отчета (более 100\u00A0000).");
            return;
        }
        const auto cells = SplitValue(value);
        if (!cells || cells->size() != ReportColumnCount) {
            Damaged("в строке точки не 12 ячеек");
            return;
        }
        ReportRow& row = project_.rows.emplace_back();
        std::move(cells->begin(), cells->end(), row.begin());
        project_.records.emplace_back();
        inPoint_ = true;
        return;
    }
    if (IsPointRecordKey(key)) {
        if (!inPoint_) {
            Damaged("данные точки стоят до ее строки \"точка\"");
            return;
        }
        std::string& text = project_.records.back();
        text += line;
        text += '\n';
        return;
    }
    for (std::size_t f = 0; f < std::size(FieldKeys); ++f) {
        if (key != FieldKeys[f].key)
            continue;
        const unsigned bit = 1u << f;
        const auto fields = SplitValue(value);
        const bool earthing = FieldKeys[f].field == &ProjectFields::earthing;
        if ((fieldsSeen_ & bit) != 0 || !fields || fields->size() != 1
            || (earthing && std::find(std::begin(EarthingSystems), std::end(EarthingSystems), fields->front())
                                == std::end(EarthingSystems))) {
            Damaged("неверная или повторная строка \"" + std::string(key) + "\"");
            return;
        }
        fieldsSeen_ |= bit;
        project_.fields.*FieldKeys[f].field = fields->front();
        return;
    }
    // A key of a later minor version of the format: skipped.
}

ProjectReading ProjectReader::Finish()
{
    ProjectReading reading;
    // A last line without its line end is taken only when it is the end line: anything else
    // there is a cut, whatever it looks like.
    if (!Refused() && !pending_.empty()) {
        const std::string last = std::exchange(pending_, std::string());
        if (!headerRead_ || last == EndLine || last == std::string(EndLine) + "\r")
            TakeLine(last);
    }
    if (!Refused() && !headerRead_)
        Refuse("Файл пуст: это не проект Зорант.");
    if (!Refused() && !ended_) {
        ++lineNumber_;
        Damaged("нет строки \"конец\", файл обрезан");
    }
    if (Refused()) {
        reading.refusal = refusal_;
        return reading;
    }
    reading.project = std::move(project_);
    return reading;
}

ProjectReading ReadProjectDocument(std::string_view bytes)
{
    ProjectReader reader;
    reader.Feed(bytes);
    return reader.Finish();
}

bool LooksLikeProjectDocument(std::string_view bytes)
{
    if (bytes.starts_with(Bom))
        bytes.remove_prefix(Bom.size());
    return bytes.starts_with(ProjectDocumentTitle);
}
