#include "CalculationNote.h"

#include <algorithm>
#include <cmath>

#include "FuseGate.h"
#include "LineUnit.h"
#include "NoteBuilder.h"
#include "NoteConclusion.h"
#include "NoteSections.h"
#include "PointRecord.h"
#include "ProjectDocument.h"
#include "ReportTable.h"
#include "SelectionDevice.h"

const char* const FailingPointMark = "* ";

namespace {

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
    b.Heading(1, "2 Методика расчета");
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

    b.Heading(2, "2.1 Допущения и их влияние на расчетный ток");
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

    b.Heading(2, "2.2 Условие автоматического отключения питания");
    b.Paragraph("В системе TN время автоматического отключения питания не должно превышать 0,4 с в конечных "
                "(групповых) цепях; в цепях, питающих распределительные щиты и щитки, и в распределительных цепях "
                "допускается не более 5 с [2], п. 1.7.79; [3], п. 411.3.2. Таблица 1.7.1 [2] приводит время для "
                "U0 = 220 В, таблица 41.1 [3] — для U0 = 230 В [8]; для системы TN при 120 В < U0 ≤ 230 В оно "
                "одинаково: 0,4 с.");
    b.Paragraph("Отключение за нормативное время считается обеспеченным, если ток короткого замыкания не меньше "
                "Iср — тока срабатывания аппарата защиты с коэффициентом запаса Кз. Условие проверяется при "
                "наименьшем токе: где определен Iк1 min, должны выполняться и Iк1 min ≥ Iср, и Iокз ≥ Iср; где он "
                "не определен, вывод основан только на Iокз, который завышен (см. 2.1).");
    b.Paragraph("Для автоматического выключателя Iср = Iном·k·Кз, где k — верхняя граница диапазона мгновенного "
                "расцепления характеристики (5 для B, 10 для C, 20 для D) [5]; выключатель проверяется по "
                "мгновенному расцепителю, нормативное время 0,4 с. Для плавкой вставки gG Iср — ток, при котором "
                "вставка срабатывает за выбранное нормативное время (5 с или 0,4 с), по время-токовым "
                "характеристикам [6], умноженный на Кз.");
    b.Paragraph("Коэффициент запаса Кз (обычно 1,1) покрывает разброс напряжения и сопротивлений, не учтенных "
                "расчетом, сверх верхней границы полосы срабатывания: верхняя граница уже означает, что любой "
                "аппарат данной характеристики сработает мгновенно [5]; Кз выбирает проектировщик, в [2], [3] "
                "численное значение не нормируется (требования к кратности тока 3 и 1,4 относятся к ПУЭ 6-го "
                "издания и здесь не применяются).");
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

    b.Heading(2, "2.3 Источники");
    for (const char* source : {
             "[1] ГОСТ 28249-93. Короткие замыкания в электроустановках. Методы расчета в электроустановках "
             "переменного тока напряжением до 1 кВ (п. 2.1.1, 2.1.2; разд. 1).",
             "[2] Правила устройства электроустановок (ПУЭ). 7-е изд., п. 1.7.79, табл. 1.7.1; п. 1.7.80.",
             "[3] ГОСТ Р 50571.4.41-2022. Электроустановки низковольтные. Часть 4-41. Требования для "
             "обеспечения безопасности. Защита от поражения электрическим током (п. 411.3.2, табл. 41.1).",
             "[4] IEC 60909-0:2016. Short-circuit currents in three-phase a.c. systems. Part 0: Calculation of "
             "currents (табл. 1, коэффициент напряжения cmin).",
             "[5] ГОСТ IEC 60898-1-2020. Автоматические выключатели для защиты от сверхтоков бытового и "
             "аналогичного назначения. Часть 1 (п. 5.3.5, табл. 2: диапазоны мгновенного расцепления B, C, D).",
             "[6] ГОСТ IEC 60269-1-2016. Предохранители низковольтные плавкие. Часть 1. Общие требования "
             "(табл. 3, пределы для плавких вставок gG); ГОСТ Р МЭК 60269-1 — по нему проверены таблицы "
             "токов плавких вставок программы.",
             "[7] ГОСТ 22483-2012 (IEC 60228:2004). Жилы токопроводящие для кабелей, проводов и шнуров.",
             "[8] ГОСТ 29322-2014 (IEC 60038:2009). Напряжения стандартные (230/400 В).",
             "[9] СП 256.1325800.2016. Электроустановки жилых и общественных зданий. Правила проектирования и "
             "монтажа.",
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

// A trip time text of the row under the column "Тср, с": "Тср < 0,4 с" is "< 0,4".
std::string TripTimeCell(std::string text)
{
    if (text.rfind("Тср ", 0) == 0)
        text.erase(0, std::string("Тср ").size());
    const std::string unit = " с";
    if (text.size() > unit.size() && text.compare(text.size() - unit.size(), unit.size(), unit) == 0)
        text.erase(text.size() - unit.size());
    return text;
}

void AddSummary(NoteBuilder& b, const std::vector<NotePoint>& points, const std::vector<PointConclusion>& conclusions)
{
    b.Heading(1, "3 Сводная таблица результатов");
    if (points.empty()) {
        b.Paragraph("В отчете нет точек короткого замыкания: расчет не выполнялся.");
        return;
    }
    const bool withMin = HasIokzMin(points);
    // No-break spaces keep "№ п/п" and the ratios whole in their narrow columns.
    std::vector<std::string> header = {"№\u00A0п/п", "Точка", "Iокз, А"};
    std::vector<int> widths = {3, 5, 3};
    std::vector<bool> numeric = {true, false, true};
    if (withMin) {
        header.push_back("Iк1\u00A0min, А");
        widths.push_back(3);
        numeric.push_back(true);
    }
    for (const char* column : {"Аппарат защиты", "Iср, А", withMin ? "Iк\u00A0/\u00A0Iср" : "Iокз\u00A0/\u00A0Iср",
                               "Тср, с", "Отключение за нормативное время"})
        header.push_back(column);
    widths.insert(widths.end(), {5, 3, 3, 3, 5});
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
        const PointConclusion& c = conclusions[i];
        const bool fails = c.overall == NoteCheck::Fails;
        anyFailing = anyFailing || fails;
        anyUnknown = anyUnknown || (!point.inputs && point.notCalculated.empty());
        anyNotCalculated = anyNotCalculated || !point.notCalculated.empty();
        std::vector<std::string> cells = {b.General(double(i + 1)), (fails ? FailingPointMark : "") + point.row[0],
                                          b.RowFigure(point.row[9])};
        if (withMin)
            cells.push_back(point.minimum ? b.Amps(point.minimum->current) : "—");
        const std::string margin = c.bindingCurrent > 0 && c.tripCurrent > 0 ? b.Margin(c.bindingCurrent / c.tripCurrent) : "—";
        cells.insert(cells.end(), {DeviceName(point), b.RowFigure(point.row[10]), margin, TripTimeCell(point.row[11]),
                                   CheckText(c.overall)});
        AddRow(table, std::move(cells), fails);
    }
    if (withMin)
        b.Paragraph("Iк — ток, по которому сделан вывод: Iк1 min, где он определен, иначе Iокз. Отношения "
                    "округлены вниз; Тср — время срабатывания аппарата защиты при Iокз.");
    if (anyFailing)
        b.Paragraph(std::string(FailingPointMark)
                    + "— точка, в которой аппарат защиты не обеспечивает отключение за нормативное время по Iокз "
                      "или по Iк1 min (строка выделена полужирным шрифтом).");
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
        if (FindSectionRow(*core) != NoCoreRow)
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
    // The device's designation, rating and characteristic as the device window named them.
    std::string kind, rating, release, fuseType;
    for (const auto& [parameter, value] : point.inputs->device) {
        if (parameter == "Аппарат защиты")
            kind = value;
        else if (parameter == "Номинальный ток расцепителя Iном, А" || parameter == "Номинальный ток плавкой вставки, А")
            rating = NoteInput(value);
        else if (parameter == "Кратность тока мгновенного расцепителя k")
            release = value;
        else if (parameter == "Тип предохранителя")
            fuseType = value;
    }
    if (point.inputs->tokSR > 0 && !kind.empty()) {
        figure.fuse = kind == "Плавкий предохранитель";
        if (figure.fuse) {
            figure.device = "FU " + fuseType + " " + rating + " А";
        } else {
            figure.device = "QF " + rating + " А";
            const size_t open = release.find('"'), close = release.rfind('"');
            if (open != std::string::npos && close > open)
                figure.device += ", «" + release.substr(open + 1, close - open - 1) + "»";
        }
    }
    for (const int s : sections) {
        const LineSection& line = network.Lines[s];
        figure.links.push_back({"Участок " + std::to_string(s + 1),
                                {line.KindPerform, line.Stuff,
                                 "Sф / Sн = " + NoteInput(line.Ff) + " / " + NoteInput(line.Fn) + " мм²",
                                 "L = " + NoteInput(line.Length) + " м", "n = " + ParallelText(line.QuanPar)}});
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
        text += "; Iк1\u00A0min\u00A0/\u00A0Iср = " + b.Margin(m.margin) + " — "
                + (m.trips ? "срабатывание" : "несрабатывание") + " за нормативное время";
    } else {
        text += "; аппарат защиты не задан";
    }
    if (!m.withstands)
        text += "; жилы термически не стойки";
    return text + ".";
}

void AddPointWithInputs(NoteBuilder& b, const NotePoint& point, const PointConclusion& conclusion)
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
                + in.network.WindKind + "» (" + WindingDesignation(in.network.WindKind)
                + "). Переходное сопротивление контактов и дуги Rпр = " + NoteInput(in.network.RArc) + " мОм.");
    if (sections.empty()) {
        b.Paragraph("Линия не задана: точка короткого замыкания — на выводах трансформатора.");
    } else {
        NoteTable& inputs = b.Table("Исходные данные участков линии точки " + name,
                                    {"Участок", "Тип линии", "Материал жил", "Сечение фазной жилы, мм²",
                                     "Сечение нулевой жилы, мм²", "Длина, м", "Число параллельных проводов"},
                                    {2, 5, 3, 3, 3, 2, 4}, {true, false, false, true, true, true, true});
        for (const int s : sections) {
            const LineSection& line = in.network.Lines[s];
            AddRow(inputs, {std::to_string(s + 1), line.KindPerform, line.Stuff, NoteInput(line.Ff),
                            NoteInput(line.Fn), NoteInput(line.Length), ParallelText(line.QuanPar)});
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
    // As entered: the sum above takes it unrounded.
    AddRow(loop, {"Переходное сопротивление Rпр", NoteInput(in.network.RArc), "—", "—"});
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
        AddRow(device, {parameter, NoteQuotes(NoteInput(value))});
    AddRow(device, {"Ток срабатывания с коэффициентом запаса Iср, А", b.RowFigure(point.row[10])});
    if (!in.fuseWarning.empty())
        b.Paragraph(in.fuseWarning + " Токи плавких вставок ППН, ПН2, НПН — время-токовые характеристики, принятые в "
                                     "программе; пределы вставок gG — по [6], табл. 3.");
    b.Paragraph(PointConclusionText(b, point, conclusion));
}

void AddPointWithoutInputs(NoteBuilder& b, const NotePoint& point, const PointConclusion& conclusion)
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
                                 "Rф-н, мОм", "Xф-н, мОм", "|Zф-н|, мОм", "Iокз, А", "Iср, А", "Тср"};
    for (int c = 1; c < ReportColumnCount; ++c)
        AddRow(table, {names[c - 1], b.RowFigure(point.row[c])});
    if (conclusion.overall != NoteCheck::Unknown)
        b.Paragraph("Заключение: отключение за нормативное время " + CheckText(conclusion.overall) + " ("
                    + point.row[11] + "; нормативное время не более " + NormativeTime(point.row[11])
                    + "). Вывод основан только на Iокз, который завышен (см. 2.1).");
}

}  // namespace

bool PointFails(const NotePoint& point) { return ConcludePoint(point, NumberSeparators{}).overall == NoteCheck::Fails; }

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
    NoteBuilder b(note, format.separators);
    std::vector<PointConclusion> conclusions;
    conclusions.reserve(points.size());
    for (const NotePoint& point : points)
        conclusions.push_back(ConcludePoint(point, format.separators));
    AddInitialData(b, points, project);
    AddMethod(b, points);
    AddSummary(b, points, conclusions);
    b.Heading(1, "4 Расчет по точкам короткого замыкания");
    if (points.empty())
        b.Paragraph("Точек короткого замыкания нет.");
    for (size_t i = 0; i < points.size(); ++i) {
        const NotePoint& point = points[i];
        b.Heading(2, "4." + std::to_string(i + 1) + " Точка " + Quoted(point.row[0]));
        if (point.inputs)
            AddPointWithInputs(b, point, conclusions[i]);
        else
            AddPointWithoutInputs(b, point, conclusions[i]);
    }
    if (!points.empty())
        AddClosingConclusion(b, points, conclusions);
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
                                   record.device.TokSR, record.tripTime, record.verdict,
                                   SelectionDeviceOf(record.device, record.deviceTexts.releaseCurrentGiven,
                                                     record.deviceTexts.fuseFactor),
                                   FuseGateWarning(record.device, NoteSeparators()).toStdString()};
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
    const ProjectFields& f = project.fields;
    return NoteProject{f.objectName, f.author, date,    f.earthing, f.designation, f.stage, f.organisation,
                       f.checker,    f.normController, f.approver};
}
