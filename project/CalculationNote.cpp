#include "CalculationNote.h"

#include <algorithm>
#include <cmath>

#include "PointRecord.h"
#include "ProjectDocument.h"
#include "ReportTable.h"

const char* const FailingPointMark = "* ";

namespace {

using Rows = std::vector<std::vector<std::string>>;

enum class Check { Passes, Fails, Unknown };

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }
bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

Check PointCheck(const NotePoint& point)
{
    if (point.inputs) {
        if (StartsWith(point.inputs->verdict, "Несрабатывание"))
            return Check::Fails;
        if (StartsWith(point.inputs->verdict, "Срабатывание"))
            return Check::Passes;
    }
    const std::string& time = point.row[11];
    if (Contains(time, ">"))
        return Check::Fails;
    if (Contains(time, "<"))
        return Check::Passes;
    return Check::Unknown;
}

std::string CheckText(Check check)
{
    switch (check) {
    case Check::Passes: return "обеспечено";
    case Check::Fails: return "не обеспечено";
    case Check::Unknown: break;
    }
    return "не определено";
}

// The normative time a trip time text refers to: a fuse checked for 5 s says so, every other
// device is checked for 0.4 s.
std::string NormativeTime(const std::string& tripTime) { return Contains(tripTime, "5 с") ? "5 с" : "0,4 с"; }

// A report figure read back with the separators the row may have been written with.
std::optional<double> RowNumber(const std::string& text, const NumberSeparators& separators)
{
    for (const NumberSeparators& form : {DocumentSeparators(separators), separators})
        if (const auto number = ReadWrittenNumber(text, form))
            return number->value;
    return std::nullopt;
}

class NoteBuilder {
public:
    NoteBuilder(CalculationNote& note, const NoteFormat& format) : note_(note), sep_(format.separators) {}

    void Heading(int level, const std::string& text) { Add(NoteBlock::Kind::Heading, text, level); }
    void Paragraph(const std::string& text) { Add(NoteBlock::Kind::Paragraph, text); }
    void Formula(const std::string& text) { Add(NoteBlock::Kind::Formula, text); }

    NoteTable& Table(const std::string& caption, std::vector<std::string> header, std::vector<int> widths,
                     std::vector<bool> numeric)
    {
        NoteBlock& block = Add(NoteBlock::Kind::Table, {});
        block.table.number = ++tables_;
        block.table.caption = caption;
        block.table.header = std::move(header);
        block.table.widths = std::move(widths);
        block.table.numeric = std::move(numeric);
        return block.table;
    }

    NoteFigure& Figure(const std::string& caption)
    {
        NoteBlock& block = Add(NoteBlock::Kind::Figure, {});
        block.figure.number = ++figures_;
        block.figure.caption = caption;
        return block.figure;
    }

    std::string Ohms(double value) const { return FormatGrouped(value, 2, sep_); }
    std::string WholeOhms(double value) const { return FormatGrouped(value, 0, sep_); }
    std::string Amps(double value) const { return FormatCurrent(value, sep_); }
    std::string General(double value) const { return FormatGeneral(value, sep_); }
    const NumberSeparators& Separators() const { return sep_; }

private:
    NoteBlock& Add(NoteBlock::Kind kind, const std::string& text, int level = 1)
    {
        NoteBlock& block = note_.blocks.emplace_back();
        block.kind = kind;
        block.text = text;
        block.level = level;
        return block;
    }

    CalculationNote& note_;
    NumberSeparators sep_;
    int tables_ = 0;
    int figures_ = 0;
};

void AddRow(NoteTable& table, std::vector<std::string> cells, bool bold = false)
{
    table.rows.push_back(std::move(cells));
    table.bold.push_back(bold);
}

std::string Quoted(const std::string& name) { return "«" + name + "»"; }

// The minimum current's parameters as one phrase: c_min·U0, the heating and the supply network.
std::string MinimumParametersText(const NoteBuilder& b, const MinimumCurrentParameters& p)
{
    std::string text = "cmin·U0 = " + b.General(p.cMin) + "·" + b.General(p.phaseVoltage) + " = "
                       + b.General(p.cMin * p.phaseVoltage) + " В, ";
    text += p.heating == ConductorHeating::Adiabatic
                ? "нагрев жил током короткого замыкания от длительно допустимой температуры"
                : "сопротивление жил при 20 °C с коэффициентом 1,25 (автоматический выключатель) или 1,5 "
                  "(предохранитель)";
    if (p.networkPower > 0)
        text += ", питающая сеть Sк = " + b.General(p.networkPower) + " МВ·А";
    else
        text += ", без сопротивления питающей сети";
    return text;
}

// Parameters that differ only in the device's fixed factor are one set for the note.
MinimumCurrentParameters WithoutDeviceFactor(MinimumCurrentParameters p)
{
    p.uteFactor = 1.25;
    return p;
}

void AddMethod(NoteBuilder& b, const std::vector<NotePoint>& points)
{
    b.Heading(1, "1 Методика расчета");
    b.Paragraph("Ток однофазного короткого замыкания Iокз в каждой точке определен по полному сопротивлению "
                "петли «фаза-нуль» методом симметричных составляющих [1], записанным для петли «фаза-нуль»: "
                "активные и индуктивные сопротивления трансформатора, участков линии и переходное "
                "сопротивление сложены раздельно, полное сопротивление найдено как их геометрическая сумма:");
    b.Formula("Rф-н = Rт/3 + Rл + Rпр;   Xф-н = Xт/3 + Xл;");
    b.Formula("Zф-н = √(Rф-н² + Xф-н²);   Iокз = Uф / Zф-н = 231\u00A0000 / Zф-н,");
    b.Paragraph("где Rт, Xт — сопротивления трансформатора току однофазного короткого замыкания, суммарные на "
                "три фазы (в петлю входит их треть), мОм [1]; Rл, Xл — суммы сопротивлений участков линии, мОм; "
                "Rпр — переходное сопротивление контактов и электрической дуги, мОм; Uф = 231 В — фазное "
                "напряжение (400 В / √3, или 1,05·220 В); Zф-н — в мОм, Iокз — в А.");
    b.Paragraph("Сопротивления участка линии: Rуч = (rф + rн)·L / n, Xуч = (xф + xн)·L / n, где rф, xф и rн, xн — "
                "погонные сопротивления фазной и нулевой жил, мОм/м (активные — при 20 °C [7]); L — длина "
                "участка, м; n — число параллельных проводов.");

    b.Heading(2, "1.1 Допущения и их влияние на расчетный ток");
    NoteTable& table = b.Table("Допущения методики", {"Допущение", "Влияние на ток"}, {7, 3}, {false, false});
    AddRow(table, {"Сопротивления жил взяты при 20 °C; нагрев жил током короткого замыкания не учитывается "
                   "(при 70 °C сопротивление больше примерно на 20 %) [1], [4]",
                   "завышен"});
    AddRow(table, {"Фазное напряжение 231 В; для наименьшего тока коэффициент напряжения cmin = 0,95 дает "
                   "219 В (сеть 230/400 В) [4]",
                   "завышен примерно на 5 %"});
    AddRow(table, {"Сопротивление питающей сети 6–10 кВ не учитывается; заметно для трансформаторов "
                   "1000–2500 кВ·А вблизи их выводов [1]",
                   "завышен"});
    AddRow(table, {"Нулевая защитная жила проложена вместе с фазной; отдельно проложенный защитный проводник "
                   "имеет большее индуктивное сопротивление",
                   "завышен при отдельном проводнике"});
    AddRow(table, {"Броня, оболочки, металлоконструкции и другие параллельные пути тока не учитываются",
                   "занижен (в запас)"});
    AddRow(table, {"Для схемы «Y/Z-0» принято Z0 = Z1", "занижен (в запас)"});
    AddRow(table, {"Переходное сопротивление контактов и дуги Rпр — одно число от 0 до 40 мОм, только активное",
                   "занижен по сравнению с металлическим замыканием"});
    b.Paragraph("Первые четыре допущения складываются; если проект требует наименьший ток короткого замыкания "
                "по [1] или [4], эти поправки учитываются отдельным расчетом или запасом при выборе аппарата "
                "защиты.");

    b.Heading(2, "1.2 Условие автоматического отключения питания");
    b.Paragraph("В системе TN время автоматического отключения питания не должно превышать 0,4 с в конечных "
                "(групповых) цепях при U0 = 220 В; в цепях, питающих распределительные щиты и щитки, и в цепях "
                "стационарных электроприемников при выполнении условий [2] допускается не более 5 с [2], [3].");
    b.Paragraph("Отключение за нормативное время считается обеспеченным, если Iокз ≥ Iср, где Iср — ток "
                "срабатывания аппарата защиты с коэффициентом запаса Кз. Для автоматического выключателя "
                "Iср = Iном·k·Кз, где k — кратность тока мгновенного расцепителя [5]; выключатель проверяется по "
                "мгновенному расцепителю, нормативное время 0,4 с. Для плавкой вставки Iср — ток срабатывания за "
                "выбранное нормативное время (5 с или 0,4 с) по таблице программы, умноженный на Кз [6].");
    std::vector<MinimumCurrentParameters> used;
    for (const NotePoint& point : points) {
        if (!point.minimum)
            continue;
        const MinimumCurrentParameters p = WithoutDeviceFactor(point.minimum->parameters);
        if (std::find(used.begin(), used.end(), p) == used.end())
            used.push_back(p);
    }
    if (!used.empty()) {
        std::string text = "Где приведен наименьший ток однофазного короткого замыкания Iк1 min, он найден по [1], [4] "
                           "за нормативное время отключения аппарата защиты и сравнен с Iср так же, как Iокз; "
                           "параметры: ";
        for (size_t i = 0; i < used.size(); ++i)
            text += (i ? "; " : "") + MinimumParametersText(b, used[i]);
        b.Paragraph(text + ".");
    }

    b.Heading(2, "1.3 Источники");
    for (const char* source : {
             "[1] ГОСТ 28249-93. Короткие замыкания в электроустановках. Методы расчета в электроустановках "
             "переменного тока напряжением до 1 кВ (п. 2.1.1, 2.1.2; разд. 1).",
             "[2] Правила устройства электроустановок (ПУЭ), 7-е изд., п. 1.7.79, табл. 1.7.1; п. 1.7.80.",
             "[3] ГОСТ Р 50571.3-2009 (МЭК 60364-4-41:2005), п. 411.4.4.",
             "[4] IEC 60909-0. Short-circuit currents in three-phase a.c. systems, табл. 1.",
             "[5] IEC 60898-1, п. 5.3.5, табл. 2 (диапазоны мгновенного расцепления B, C, D).",
             "[6] IEC 60269-1, табл. 3 (пределы для плавких вставок gG, для сравнения с таблицей программы).",
             "[7] ГОСТ 22483-2012 (IEC 60228). Жилы токопроводящие для кабелей, проводов и шнуров.",
         })
        b.Paragraph(source);
}

bool HasIokzMin(const std::vector<NotePoint>& points)
{
    for (const NotePoint& point : points)
        if (point.minimum)
            return true;
    return false;
}

std::string DeviceName(const NotePoint& point)
{
    if (!point.inputs)
        return "—";
    std::string name;
    for (const auto& [parameter, value] : point.inputs->device) {
        if (parameter == "Аппарат защиты")
            name = value;
    }
    return name.empty() ? "не задан" : name;
}

void AddSummary(NoteBuilder& b, const std::vector<NotePoint>& points)
{
    b.Heading(1, "2 Сводная таблица результатов");
    if (points.empty()) {
        b.Paragraph("В отчете нет точек короткого замыкания: расчет не выполнялся.");
        return;
    }
    const bool withMin = HasIokzMin(points);
    std::vector<std::string> header = {"№ п/п", "Точка", "Iокз, А"};
    std::vector<int> widths = {2, 5, 3};
    std::vector<bool> numeric = {true, false, true};
    if (withMin) {
        header.push_back("Iк1 min, А");
        widths.push_back(3);
        numeric.push_back(true);
    }
    for (const char* column : {"Аппарат защиты", "Iср, А", "Iокз / Iср", "Tср", "Отключение за нормативное время"}) {
        header.push_back(column);
    }
    widths.insert(widths.end(), {5, 3, 3, 4, 5});
    // With the extra column the point's name (which wraps at its spaces) gives way to the device's
    // name, a single long word in bold.
    if (withMin) {
        widths[1] = 4;
        widths[4] = 6;
    }
    numeric.insert(numeric.end(), {false, true, true, false, false});
    NoteTable& table = b.Table("Результаты расчета по точкам короткого замыкания", header, widths, numeric);

    bool anyFailing = false;
    bool anyUnknown = false, anyNotCalculated = false;
    for (size_t i = 0; i < points.size(); ++i) {
        const NotePoint& point = points[i];
        const Check check = PointCheck(point);
        const bool fails = check == Check::Fails;
        anyFailing = anyFailing || fails;
        anyUnknown = anyUnknown || (!point.inputs && point.notCalculated.empty());
        anyNotCalculated = anyNotCalculated || !point.notCalculated.empty();
        std::vector<std::string> cells = {b.General(double(i + 1)),
                                          (fails ? FailingPointMark : "") + point.row[0], point.row[9]};
        if (withMin)
            cells.push_back(point.minimum ? b.Amps(point.minimum->current) : "—");
        std::string margin = "—";
        const auto iokz = point.inputs ? std::optional(point.inputs->result.Iokz) : RowNumber(point.row[9], b.Separators());
        const auto tokSR = point.inputs ? std::optional(point.inputs->tokSR) : RowNumber(point.row[10], b.Separators());
        if (iokz && tokSR && *tokSR > 0)
            margin = FormatGrouped(*iokz / *tokSR, 2, b.Separators());
        cells.insert(cells.end(), {DeviceName(point), point.row[10], margin, point.row[11], CheckText(check)});
        AddRow(table, std::move(cells), fails);
    }
    if (anyFailing)
        b.Paragraph(std::string(FailingPointMark)
                    + "— точка, в которой аппарат защиты не обеспечивает отключение за нормативное время "
                      "(строка выделена полужирным шрифтом).");
    if (anyUnknown)
        b.Paragraph("Прочерк в графе «Аппарат защиты» — исходные данные точки не известны: точка загружена из "
                    "документа «.okz», в котором хранятся только результаты расчета.");
    if (anyNotCalculated)
        b.Paragraph("Прочерк в графе «Аппарат защиты» у точки проекта — по ее сохраненным исходным данным расчет "
                    "не выполняется (причина указана в разделе точки).");
}

// A line section takes part in the chain when it has a core or adds to the loop.
bool SectionInUse(const LineSection& section, double zLine)
{
    if (zLine != 0)
        return true;
    for (const std::string* core : {&section.Ff, &section.Fn}) {
        const DecimalValue value = ParseDecimal(*core);
        if (value.status != DecimalStatus::Valid || value.value != 0)
            return true;
    }
    return false;
}

std::string ParallelText(const std::string& quanPar) { return quanPar == "нет" ? "1" : quanPar; }

void AddChain(NoteBuilder& b, const NotePoint& point, const std::vector<int>& sections)
{
    const NetworkDescription& network = point.inputs->network;
    NoteFigure& figure = b.Figure("Расчетная схема точки " + Quoted(point.row[0]));
    figure.transformer = "Т: " + network.TransPower + " кВ·А, " + network.WindKind;
    for (const int s : sections) {
        const LineSection& line = network.Lines[s];
        figure.links.push_back({"Участок " + std::to_string(s + 1),
                                {line.KindPerform, line.Stuff, "Sф / Sн = " + line.Ff + " / " + line.Fn + " мм²",
                                 "L = " + line.Length + " м", "n = " + ParallelText(line.QuanPar)}});
    }
    figure.faultPoint = point.row[0];
}

// One line: Iк1 min, its time and its verdict against Iср.
std::string MinimumCurrentText(const NoteBuilder& b, const PointMinimumCurrent& m)
{
    std::string text = "Наименьший ток однофазного короткого замыкания за t = " + b.General(m.time)
                       + " с: Iк1 min = " + b.Amps(m.current) + " А";
    if (m.tripCurrent > 0) {
        // Rounded down, as the window "Проверка" shows it: 1,00 or more always means a trip.
        text += "; Iк1 min / Iср = " + FormatGrouped(std::floor(m.margin * 100) / 100, 2, b.Separators()) + " — "
                + (m.trips ? "срабатывание" : "несрабатывание") + " за нормативное время";
    } else {
        text += "; аппарат защиты не задан";
    }
    if (!m.withstands)
        text += "; жилы термически не стойки";
    return text + ".";
}

void AddPointWithInputs(NoteBuilder& b, const NotePoint& point)
{
    const NotePointInputs& in = *point.inputs;
    const ShortCircuitResult& r = in.result;
    const std::string name = Quoted(point.row[0]);
    std::vector<int> sections;
    for (int s = 0; s < LineSectionCount; ++s)
        if (SectionInUse(in.network.Lines[s], r.ZLine[s]))
            sections.push_back(s);

    AddChain(b, point, sections);
    b.Paragraph("Трансформатор: номинальная мощность " + in.network.TransPower + " кВ·А, схема соединения обмоток «"
                + in.network.WindKind + "». Переходное сопротивление контактов и дуги Rпр = " + in.network.RArc
                + " мОм.");
    if (sections.empty()) {
        b.Paragraph("Линия не задана: точка короткого замыкания — на выводах трансформатора.");
    } else {
        NoteTable& inputs = b.Table("Исходные данные участков линии точки " + name,
                                    {"Участок", "Тип линии", "Материал жил", "Сечение фазной жилы, мм²",
                                     "Сечение нулевой жилы, мм²", "Длина, м", "Число параллельных проводов"},
                                    {2, 5, 3, 3, 3, 2, 4}, {true, false, false, true, true, true, true});
        for (const int s : sections) {
            const LineSection& line = in.network.Lines[s];
            AddRow(inputs, {std::to_string(s + 1), line.KindPerform, line.Stuff, line.Ff, line.Fn, line.Length,
                            ParallelText(line.QuanPar)});
        }
    }

    NoteTable& loop = b.Table("Сопротивления элементов петли «фаза-нуль» точки " + name,
                              {"Элемент петли", "R, мОм", "X, мОм", "Z, мОм"}, {6, 3, 3, 3}, {false, true, true, true});
    AddRow(loop, {"Трансформатор, треть суммарного сопротивления (Rт = " + b.Ohms(r.Rt) + ", Xт = " + b.Ohms(r.Xt)
                      + ", Zт = " + b.Ohms(r.Zt) + ")",
                  b.Ohms(r.Rt / 3), b.Ohms(r.Xt / 3), b.Ohms(r.Zt / 3)});
    for (const int s : sections)
        AddRow(loop, {"Участок " + std::to_string(s + 1), b.Ohms(r.RLine[s]), b.Ohms(r.XLine[s]), b.Ohms(r.ZLine[s])});
    AddRow(loop, {"Линия, всего (Rл, Xл, Zл)", b.Ohms(r.RLineSum), b.Ohms(r.XLineSum), b.Ohms(r.ZLineSum)});
    AddRow(loop, {"Переходное сопротивление Rпр", b.WholeOhms(r.Rother), "—", "—"});
    AddRow(loop, {"Петля «фаза-нуль» (Rф-н, Xф-н, Zф-н)", b.Ohms(r.Rsum), b.Ohms(r.Xsum), b.Ohms(r.Zsum)}, true);

    b.Paragraph("Ток однофазного короткого замыкания: Iокз = " + b.WholeOhms(231000) + " / " + b.Ohms(r.Zsum) + " = " + b.Amps(r.Iokz)
                + " А.");
    if (point.minimum)
        b.Paragraph(MinimumCurrentText(b, *point.minimum));

    if (in.device.empty() || !(in.tokSR > 0)) {
        b.Paragraph("Аппарат защиты не задан: проверка условия отключения не выполнялась.");
        return;
    }
    NoteTable& device = b.Table("Аппарат защиты точки " + name, {"Параметр", "Значение"}, {6, 5}, {false, false});
    for (const auto& [parameter, value] : in.device)
        AddRow(device, {parameter, value});
    AddRow(device, {"Ток срабатывания с коэффициентом запаса Iср, А", point.row[10]});
    const Check check = PointCheck(point);
    const std::string relation = check == Check::Fails ? " < " : " ≥ ";
    b.Paragraph("Заключение: Iокз = " + b.Amps(r.Iokz) + " А" + relation + "Iср = " + point.row[10] + " А — "
                + (in.verdict.empty() ? CheckText(check) : in.verdict) + " (" + in.tripTime
                + "; нормативное время не более " + NormativeTime(in.tripTime) + ").");
}

void AddPointWithoutInputs(NoteBuilder& b, const NotePoint& point)
{
    if (point.notCalculated.empty()) {
        b.Paragraph("Исходные данные точки не известны: точка загружена из документа «.okz», в котором хранятся "
                    "только результаты расчета. Результаты приведены по документу.");
    } else {
        std::string reason = point.notCalculated;
        if (!reason.ends_with('.'))
            reason += '.';
        b.Paragraph("Исходные данные точки сохранены в проекте, но расчет по ним не выполняется: " + reason
                    + " Результаты приведены так, как они были сохранены в проекте.");
    }
    NoteTable& table = b.Table("Результаты расчета точки " + Quoted(point.row[0]), {"Величина", "Значение"}, {6, 5},
                               {false, true});
    const char* const names[] = {"Rт/3, мОм", "Xт/3, мОм", "Rл, мОм",   "Xл, мОм",       "Rпр, мОм",
                                 "Rф-н, мОм", "Xф-н, мОм", "|Zф-н|, мОм", "Iокз, А", "Iср, А", "Tср"};
    for (int c = 1; c < ReportColumnCount; ++c)
        AddRow(table, {names[c - 1], point.row[c]});
    if (PointCheck(point) != Check::Unknown)
        b.Paragraph("Заключение: отключение за нормативное время " + CheckText(PointCheck(point)) + " ("
                    + point.row[11] + "; нормативное время не более " + NormativeTime(point.row[11]) + ").");
}

}  // namespace

bool PointFails(const NotePoint& point) { return PointCheck(point) == Check::Fails; }

std::vector<NotePoint> PointsFromReportRows(const ReportRows& rows)
{
    std::vector<NotePoint> points;
    const int count = LeadingNamedRowCount(rows);
    points.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        points.push_back(NotePoint{rows[size_t(i)], std::nullopt, std::nullopt});
    return points;
}

CalculationNote BuildCalculationNote(const std::vector<NotePoint>& points, const NoteProject& project,
                                     const NoteFormat& format)
{
    CalculationNote note;
    note.title = "Расчет токов однофазного короткого замыкания и проверка условий автоматического отключения питания";
    note.project = project;
    NoteBuilder b(note, format);
    AddMethod(b, points);
    AddSummary(b, points);
    b.Heading(1, "3 Расчет по точкам короткого замыкания");
    if (points.empty())
        b.Paragraph("Точек короткого замыкания нет.");
    for (size_t i = 0; i < points.size(); ++i) {
        const NotePoint& point = points[i];
        b.Heading(2, "3." + std::to_string(i + 1) + " Точка " + Quoted(point.row[0]));
        if (point.inputs)
            AddPointWithInputs(b, point);
        else
            AddPointWithoutInputs(b, point);
    }
    return note;
}

std::vector<NotePoint> ChooseNotePoints(const std::vector<NotePoint>& points, bool selectedOnly, int selectedRow)
{
    if (!selectedOnly)
        return points;
    if (selectedRow < 0 || size_t(selectedRow) >= points.size())
        return {};
    return {points[size_t(selectedRow)]};
}

namespace {

// The device as the device window named it, from the texts it was confirmed with.
std::vector<std::pair<std::string, std::string>> DeviceParameters(const PointRecord& record)
{
    const DeviceWindowTexts& texts = record.deviceTexts;
    if (!(record.device.TokSR > 0))
        return {};
    if (record.device.TypeDD == 2)
        return {{"Аппарат защиты", "Плавкий предохранитель"},
                {"Тип предохранителя", texts.fuseType},
                {"Номинальный ток плавкой вставки, А", texts.fuseRating},
                {"Нормативное время срабатывания", texts.fuseTime},
                {"Коэффициент запаса Кз", texts.fuseFactor}};
    if (texts.releaseCurrentGiven)
        return {{"Аппарат защиты", "Автоматический выключатель"},
                {"Номинальный ток расцепителя Iном, А", texts.ratedCurrent},
                {"Ток срабатывания мгновенного расцепителя, А", texts.release},
                {"Коэффициент запаса Кз", texts.breakerFactor}};
    return {{"Аппарат защиты", "Автоматический выключатель"},
            {"Номинальный ток расцепителя Iном, А", texts.ratedCurrent},
            {"Кратность тока мгновенного расцепителя k", texts.release},
            {"Коэффициент запаса Кз", texts.breakerFactor}};
}

}  // namespace

NotePoint NotePointFromRecord(const ReportRow& row, const PointRecord& record)
{
    NotePoint point{row, std::nullopt, record.minimum};
    const CalculationOutcome outcome = CalculateShortCircuit(record.network);
    if (outcome.status != CalculationStatus::Success) {
        point.notCalculated = outcome.message.empty() ? std::string("ошибка расчета") : outcome.message;
        return point;
    }
    point.inputs = NotePointInputs{record.network,       outcome.result,  DeviceParameters(record),
                                   record.device.TokSR, record.tripTime, record.verdict};
    return point;
}

std::vector<NotePoint> PointsFromProject(const Project& project)
{
    std::vector<NotePoint> points = PointsFromReportRows(project.rows);
    for (size_t i = 0; i < points.size() && i < project.records.size(); ++i) {
        if (project.records[i].empty())
            continue;
        const PointRecordReading reading = ReadPointRecord(project.records[i]);
        if (reading.record)
            points[i] = NotePointFromRecord(points[i].row, *reading.record);
    }
    return points;
}

NoteProject NoteProjectFields(const Project& project, const std::string& date)
{
    return NoteProject{project.fields.objectName, project.fields.author, date};
}
