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

constexpr std::string_view Breaker = "автомат";
constexpr std::string_view Fuse = "предохранитель";
constexpr std::string_view Yes = "да";
constexpr std::string_view No = "нет";

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
           a.separators.decimal == b.separators.decimal && a.separators.group == b.separators.group;
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
        default: escaped += c;
        }
    }
    return escaped;
}

std::optional<std::vector<std::string>> SplitValue(std::string_view value)
{
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '|') {
            fields.emplace_back();
            continue;
        }
        if (c != '\\') {
            fields.back() += c;
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i]) {
        case '\\': fields.back() += '\\'; break;
        case '|': fields.back() += '|'; break;
        case 'n': fields.back() += '\n'; break;
        case 'r': fields.back() += '\r'; break;
        default: return std::nullopt;
        }
    }
    return fields;
}

bool IsPointRecordKey(std::string_view key)
{
    for (std::string_view known : LineKeys)
        if (key == known)
            return true;
    return key == NetworkKey || key == DeviceTextsKey || key == DeviceRecordKey || key == VerdictKey ||
           key == CurrentKey || key == SeparatorsKey;
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
    return text;
}

PointRecordReading ReadPointRecord(std::string_view text)
{
    PointRecordReading reading;
    auto refuse = [&reading](std::string reason) {
        reading.refusal = std::move(reason);
        return reading;
    };

    // Each key's fields, once found.
    std::array<std::optional<std::vector<std::string>>, LineSectionCount> lines;
    std::optional<std::vector<std::string>> network, deviceTexts, deviceRecord, verdict, current, separators;
    auto slotOf = [&](std::string_view key) -> std::optional<std::vector<std::string>>* {
        for (int n = 0; n < LineSectionCount; ++n)
            if (key == LineKeys[n])
                return &lines[n];
        if (key == NetworkKey) return &network;
        if (key == DeviceTextsKey) return &deviceTexts;
        if (key == DeviceRecordKey) return &deviceRecord;
        if (key == VerdictKey) return &verdict;
        if (key == CurrentKey) return &current;
        if (key == SeparatorsKey) return &separators;
        return nullptr;
    };

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
        auto* slot = slotOf(key);
        if (slot == nullptr)
            continue;  // a key of a later minor version
        if (*slot)
            return refuse("ключ \"" + std::string(key) + "\" повторяется");
        *slot = SplitValue(line.substr(equals + 1));
        if (!*slot)
            return refuse("неверная escape-последовательность в строке \"" + std::string(key) + "\"");
    }

    auto check = [](const std::optional<std::vector<std::string>>& fields, std::size_t count) {
        return fields && fields->size() == count;
    };
    auto missing = [&refuse](std::string_view key) {
        return refuse("нет строки \"" + std::string(key) + "\" или в ней не то число полей");
    };

    PointRecord r;
    if (!check(network, 3)) return missing(NetworkKey);
    r.network.TransPower = (*network)[0];
    r.network.WindKind = (*network)[1];
    r.network.RArc = (*network)[2];
    for (int n = 0; n < LineSectionCount; ++n) {
        if (!check(lines[n], 6)) return missing(LineKeys[n]);
        const std::vector<std::string>& f = *lines[n];
        r.network.Lines[n] = LineSection{f[0], f[1], f[2], f[3], f[4], f[5]};
    }

    if (!check(deviceTexts, 9)) return missing(DeviceTextsKey);
    const std::vector<std::string>& t = *deviceTexts;
    if ((t[0] != Breaker && t[0] != Fuse) || (t[3] != Yes && t[3] != No))
        return refuse("неверный вид аппарата защиты в строке \"аппарат\"");
    r.deviceTexts = DeviceWindowTexts{t[0] == Breaker, t[1], t[2], t[3] == Yes, t[4], t[5], t[6], t[7], t[8]};

    if (!check(deviceRecord, 9)) return missing(DeviceRecordKey);
    std::array<double, 9> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const auto value = ReadExact((*deviceRecord)[i]);
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

    if (!check(verdict, 2)) return missing(VerdictKey);
    r.verdict = (*verdict)[0];
    r.tripTime = (*verdict)[1];

    if (!check(current, 1)) return missing(CurrentKey);
    const auto iokz = ReadExact((*current)[0]);
    if (!iokz || *iokz < 0) return refuse("неверный ток в строке \"ток\"");
    r.iokz = *iokz;

    if (!check(separators, 2)) return missing(SeparatorsKey);
    r.separators.decimal = (*separators)[0];
    r.separators.group = (*separators)[1];
    if (r.separators.decimal.empty() || r.separators.decimal == r.separators.group)
        return refuse("неверные разделители в строке \"разделители\"");

    reading.record = std::move(r);
    return reading;
}
