#include "PointRecord.h"

#include <array>

namespace {

constexpr std::string_view NetworkKey = "сеть";
constexpr std::array<std::string_view, LineSectionCount> LineKeys = {"линия1", "линия2", "линия3",
                                                                     "линия4", "линия5", "линия6"};
constexpr std::string_view DeviceTextsKey = "аппарат";
constexpr std::string_view DeviceRecordKey = "запись";
constexpr std::string_view VerdictKey = "вердикт";
constexpr std::string_view CurrentKey = "ток";
constexpr std::string_view SeparatorsKey = "разделители";
constexpr std::string_view MinimumKey = "ток_мин";   // since format 1.1; absent: not computed

constexpr std::string_view Breaker = "автомат";
constexpr std::string_view Fuse = "предохранитель";
constexpr std::string_view Yes = "да";
constexpr std::string_view No = "нет";
constexpr std::string_view Adiabatic = "адиабатический";
constexpr std::string_view UteFactors = "коэффициенты";

bool SplitInto(std::string_view value, std::vector<std::string>& fields);

void AddLine(std::string& text, std::string_view key, std::initializer_list<std::string_view> fields)
{
    text += key;
    text += '=';
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            text += '|';
        text += EscapeValue(field);
        first = false;
    }
    text += '\n';
}

std::optional<double> ReadExact(const std::string& text)
{
    const DecimalValue value = ParseDecimal(text);
    if (value.status != DecimalStatus::Valid)
        return std::nullopt;
    return value.value;
}

}  // namespace

bool operator==(const ProtectiveDeviceSettings& a, const ProtectiveDeviceSettings& b)
{
    return a.TokAVnom == b.TokAVnom && a.KNR == b.KNR && a.KZAV == b.KZAV && a.TokNR == b.TokNR &&
           a.TypePP == b.TypePP && a.TimePP == b.TimePP && a.TokPP == b.TokPP && a.TokSR == b.TokSR &&
           a.TypeDD == b.TypeDD;
}

bool SameRecord(const PointRecord& a, const PointRecord& b)
{
    auto sameLine = [](const LineSection& x, const LineSection& y) {
        return x.KindPerform == y.KindPerform && x.Stuff == y.Stuff && x.Ff == y.Ff && x.Fn == y.Fn &&
               x.Length == y.Length && x.QuanPar == y.QuanPar;
    };
    for (int n = 0; n < LineSectionCount; ++n)
        if (!sameLine(a.network.Lines[n], b.network.Lines[n]))
            return false;
    return a.network.TransPower == b.network.TransPower && a.network.WindKind == b.network.WindKind &&
           a.network.RArc == b.network.RArc && a.device == b.device && a.deviceTexts == b.deviceTexts &&
           a.verdict == b.verdict && a.tripTime == b.tripTime && a.iokz == b.iokz &&
           a.separators.decimal == b.separators.decimal && a.separators.group == b.separators.group &&
           a.minimum == b.minimum;
}

std::string EscapeValue(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '|': escaped += "\\|"; break;
        case '\n': escaped += "\\n"; break;
        case '\r': escaped += "\\r"; break;
        case '\0': escaped += "\\0"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::optional<std::vector<std::string>> SplitValue(std::string_view value)
{
    std::vector<std::string> fields;
    if (!SplitInto(value, fields))
        return std::nullopt;
    return fields;
}

bool IsPointRecordKey(std::string_view key)
{
    for (std::string_view known : LineKeys)
        if (key == known)
            return true;
    return key == NetworkKey || key == DeviceTextsKey || key == DeviceRecordKey || key == VerdictKey ||
           key == CurrentKey || key == SeparatorsKey || key == MinimumKey;
}

std::string WritePointRecord(const PointRecord& r)
{
    std::string text;
    text.reserve(512);
    AddLine(text, NetworkKey, {r.network.TransPower, r.network.WindKind, r.network.RArc});
    for (int n = 0; n < LineSectionCount; ++n) {
        const LineSection& line = r.network.Lines[n];
        AddLine(text, LineKeys[n], {line.KindPerform, line.Stuff, line.Ff, line.Fn, line.Length, line.QuanPar});
    }
    const DeviceWindowTexts& t = r.deviceTexts;
    AddLine(text, DeviceTextsKey,
            {t.breaker ? Breaker : Fuse, t.ratedCurrent, t.release, t.releaseCurrentGiven ? Yes : No,
             t.breakerFactor, t.fuseType, t.fuseRating, t.fuseFactor, t.fuseTime});
    const ProtectiveDeviceSettings& d = r.device;
    AddLine(text, DeviceRecordKey,
            {FormatExact(d.TypeDD), FormatExact(d.TokAVnom), FormatExact(d.KNR), FormatExact(d.KZAV),
             FormatExact(d.TokNR), FormatExact(d.TypePP), FormatExact(d.TimePP), FormatExact(d.TokPP),
             FormatExact(d.TokSR)});
    AddLine(text, VerdictKey, {r.verdict, r.tripTime});
    AddLine(text, CurrentKey, {FormatExact(r.iokz)});
    AddLine(text, SeparatorsKey, {r.separators.decimal, r.separators.group});
    if (const auto& m = r.minimum) {
        const MinimumCurrentParameters& p = m->parameters;
        AddLine(text, MinimumKey,
                {FormatExact(m->current), FormatExact(m->time), FormatExact(m->tripCurrent), FormatExact(m->margin),
                 m->trips ? Yes : No, m->withstands ? Yes : No, FormatExact(p.cMin), FormatExact(p.phaseVoltage),
                 FormatExact(p.networkPower), p.heating == ConductorHeating::Adiabatic ? Adiabatic : UteFactors,
                 FormatExact(p.uteFactor), FormatExact(p.paperCableStart), FormatExact(p.pvcCableStart),
                 FormatExact(p.overheadStart), FormatExact(p.pvcCableLimit), FormatExact(p.paperCableLimit),
                 FormatExact(p.bareAluminiumLimit), FormatExact(p.bareCopperLimit)});
    }
    return text;
}

namespace {

// The lines of a record, numbered for the record of which ones were met.
enum RecordLine { NetworkLine, FirstLineSection, DeviceTextsLine = FirstLineSection + LineSectionCount,
                  DeviceRecordLine, VerdictLine, CurrentLine, SeparatorsLine,
                  RequiredLineCount,                  // the lines every record has; optional ones follow
                  MinimumLine = RequiredLineCount };

int RecordLineOf(std::string_view key)
{
    for (int n = 0; n < LineSectionCount; ++n)
        if (key == LineKeys[n])
            return FirstLineSection + n;
    if (key == NetworkKey) return NetworkLine;
    if (key == DeviceTextsKey) return DeviceTextsLine;
    if (key == DeviceRecordKey) return DeviceRecordLine;
    if (key == VerdictKey) return VerdictLine;
    if (key == CurrentKey) return CurrentLine;
    if (key == SeparatorsKey) return SeparatorsLine;
    if (key == MinimumKey) return MinimumLine;
    return -1;
}

std::string_view KeyOf(int line)
{
    switch (line) {
    case NetworkLine: return NetworkKey;
    case DeviceTextsLine: return DeviceTextsKey;
    case DeviceRecordLine: return DeviceRecordKey;
    case VerdictLine: return VerdictKey;
    case CurrentLine: return CurrentKey;
    case SeparatorsLine: return SeparatorsKey;
    case MinimumLine: return MinimumKey;
    default: return LineKeys[line - FirstLineSection];
    }
}

constexpr std::size_t FieldCount(int line)
{
    switch (line) {
    case NetworkLine: return 3;
    case DeviceTextsLine: return 9;
    case DeviceRecordLine: return 9;
    case VerdictLine: return 2;
    case CurrentLine: return 1;
    case SeparatorsLine: return 2;
    case MinimumLine: return 18;
    default: return 6;
    }
}

// Splits `value` into `fields`, reusing their storage; false on a bad escape.
bool SplitInto(std::string_view value, std::vector<std::string>& fields)
{
    std::size_t count = 0;
    auto next = [&]() -> std::string& {
        if (count == fields.size())
            fields.emplace_back();
        std::string& field = fields[count++];
        field.clear();
        return field;
    };
    std::string* field = &next();
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '|') {
            field = &next();
            continue;
        }
        if (c != '\\') {
            // The run up to the next special character at once.
            std::size_t stop = i + 1;
            while (stop < value.size() && value[stop] != '|' && value[stop] != '\\')
                ++stop;
            field->append(value.substr(i, stop - i));
            i = stop - 1;
            continue;
        }
        if (++i == value.size())
            return false;
        switch (value[i]) {
        case '\\': *field += '\\'; break;
        case '|': *field += '|'; break;
        case '0': *field += '\0'; break;
        case 'n': *field += '\n'; break;
        case 'r': *field += '\r'; break;
        default: return false;
        }
    }
    fields.resize(count);
    return true;
}

}  // namespace

PointRecordReading ReadPointRecord(std::string_view text)
{
    PointRecordReading reading;
    auto refuse = [&reading](std::string reason) {
        reading.refusal = std::move(reason);
        return reading;
    };

    PointRecord r;
    unsigned seen = 0;
    std::vector<std::string> f;
    f.reserve(12);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return refuse("строка без знака \"=\"");
        const std::string_view key = line.substr(0, equals);
        const int which = RecordLineOf(key);
        if (which < 0)
            continue;  // a key of a later minor version
        if (seen & (1u << which))
            return refuse("ключ \"" + std::string(key) + "\" повторяется");
        seen |= 1u << which;
        if (!SplitInto(line.substr(equals + 1), f))
            return refuse("неверная escape-последовательность в строке \"" + std::string(key) + "\"");
        if (f.size() != FieldCount(which))
            return refuse("в строке \"" + std::string(key) + "\" не то число полей");

        switch (which) {
        case NetworkLine:
            r.network.TransPower = std::move(f[0]);
            r.network.WindKind = std::move(f[1]);
            r.network.RArc = std::move(f[2]);
            break;
        case DeviceTextsLine:
            if ((f[0] != Breaker && f[0] != Fuse) || (f[3] != Yes && f[3] != No))
                return refuse("неверный вид аппарата защиты в строке \"аппарат\"");
            r.deviceTexts = DeviceWindowTexts{f[0] == Breaker, std::move(f[1]), std::move(f[2]), f[3] == Yes,
                                              std::move(f[4]), std::move(f[5]), std::move(f[6]),
                                              std::move(f[7]), std::move(f[8])};
            break;
        case DeviceRecordLine: {
            std::array<double, 9> numbers{};
            for (std::size_t i = 0; i < numbers.size(); ++i) {
                const auto value = ReadExact(f[i]);
                if (!value) return refuse("неверное число в строке \"запись\"");
                numbers[i] = *value;
            }
            auto whole = [](double v) { return v >= -1000 && v <= 1000 && static_cast<int>(v) == v; };
            if (!whole(numbers[0]) || !whole(numbers[5]) || !whole(numbers[6]))
                return refuse("неверный тип аппарата защиты в строке \"запись\"");
            r.device.TypeDD = static_cast<int>(numbers[0]);
            r.device.TokAVnom = numbers[1];
            r.device.KNR = numbers[2];
            r.device.KZAV = numbers[3];
            r.device.TokNR = numbers[4];
            r.device.TypePP = static_cast<int>(numbers[5]);
            r.device.TimePP = static_cast<int>(numbers[6]);
            r.device.TokPP = numbers[7];
            r.device.TokSR = numbers[8];
            break;
        }
        case VerdictLine:
            r.verdict = std::move(f[0]);
            r.tripTime = std::move(f[1]);
            break;
        case CurrentLine: {
            const auto iokz = ReadExact(f[0]);
            if (!iokz || *iokz < 0) return refuse("неверный ток в строке \"ток\"");
            r.iokz = *iokz;
            break;
        }
        case SeparatorsLine:
            if (f[0].empty() || f[0] == f[1])
                return refuse("неверные разделители в строке \"разделители\"");
            r.separators.decimal = std::move(f[0]);
            r.separators.group = std::move(f[1]);
            break;
        case MinimumLine: {
            auto refused = [&] { return refuse("неверное значение в строке \"" + std::string(MinimumKey) + "\""); };
            std::array<double, 18> numbers{};
            for (std::size_t i = 0; i < numbers.size(); ++i) {
                if (i == 4 || i == 5 || i == 9)
                    continue;
                const auto value = ReadExact(f[i]);
                if (!value) return refused();
                numbers[i] = *value;
            }
            auto yesNo = [](const std::string& field) { return field == Yes || field == No; };
            if (!yesNo(f[4]) || !yesNo(f[5]) || (f[9] != Adiabatic && f[9] != UteFactors))
                return refused();
            PointMinimumCurrent m;
            m.current = numbers[0];
            m.time = numbers[1];
            m.tripCurrent = numbers[2];
            m.margin = numbers[3];
            m.trips = f[4] == Yes;
            m.withstands = f[5] == Yes;
            MinimumCurrentParameters& p = m.parameters;
            p.cMin = numbers[6];
            p.phaseVoltage = numbers[7];
            p.networkPower = numbers[8];
            p.heating = f[9] == Adiabatic ? ConductorHeating::Adiabatic : ConductorHeating::UteFactors;
            p.uteFactor = numbers[10];
            p.paperCableStart = numbers[11];
            p.pvcCableStart = numbers[12];
            p.overheadStart = numbers[13];
            p.pvcCableLimit = numbers[14];
            p.paperCableLimit = numbers[15];
            p.bareAluminiumLimit = numbers[16];
            p.bareCopperLimit = numbers[17];
            if (!(m.current >= 0) || !(m.time > 0) || !(m.tripCurrent >= 0) || !(m.margin >= 0) ||
                !CheckMinimumCurrentParameters(p).empty())
                return refused();
            r.minimum = m;
            break;
        }
        default: {
            LineSection& section = r.network.Lines[which - FirstLineSection];
            section = LineSection{std::move(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3]),
                                  std::move(f[4]), std::move(f[5])};
        }
        }
    }
    for (int line = 0; line < RequiredLineCount; ++line)
        if (!(seen & (1u << line)))
            return refuse("нет строки \"" + std::string(KeyOf(line)) + "\"");

    reading.record = std::move(r);
    return reading;
}
