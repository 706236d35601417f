#include "NoteSections.h"

#include <algorithm>
#include <array>

#include "NoteBuilder.h"
#include "NoteMeasures.h"
#include "TransUnit.h"

std::string WindingDesignation(const std::string& scheme)
{
    if (scheme == "T/Y-0")
        return "Д/Ун-11";
    if (scheme == "Y/Y-0")
        return "У/Ун-0";
    if (scheme == "Y/Z-0")
        return "У/Zн-11";
    return {};
}

TransformerCatalogue TransformerCatalogueData(int power, const std::string& scheme)
{
    // ΔPк, W, for У/Ун, У/Zн, Д/Ун; 0: not made. 800 kV·A has no catalogue row (assumed).
    struct Row {
        int power;
        std::array<double, 3> losses;
    };
    static const Row rows[] = {{25, {600, 690, 690}},         {40, {880, 1000, 1000}},
                               {63, {1280, 1470, 1470}},      {100, {1900, 2270, 2270}},
                               {160, {2600, 3100, 3100}},     {250, {3700, 4200, 4200}},
                               {400, {5500, 0, 5900}},        {630, {7900, 0, 8500}},
                               {800, {10200, 0, 10200}},      {1000, {12200, 0, 12200}},
                               {1250, {15000, 0, 15000}},     {1600, {18000, 0, 18000}},
                               {2500, {28000, 0, 28000}}};
    const int column = scheme == "Y/Y-0" ? 0 : scheme == "Y/Z-0" ? 1 : scheme == "T/Y-0" ? 2 : -1;
    TransformerCatalogue data;
    for (const Row& row : rows) {
        if (row.power != power || column < 0 || row.losses[size_t(column)] == 0)
            continue;
        data.known = true;
        data.lossesKw = row.losses[size_t(column)] / 1000;
        data.assumed = power == 800;
        if (power >= 2500)
            data.uk = 6.5;
        else if (power >= 1250)
            data.uk = 6.0;
        else if (power >= 630)
            data.uk = 5.5;
        else if (column == 1 || (column == 2 && power <= 63))
            data.uk = 4.7;
        else
            data.uk = 4.5;
    }
    return data;
}

void AddInitialData(NoteBuilder& b, const std::vector<NotePoint>& points, const NoteProject& project)
{
    b.Heading(1, "1 Исходные данные");
    std::vector<std::pair<std::string, std::string>> transformers;
    std::vector<double> networkPowers;
    for (const NotePoint& point : points) {
        if (point.inputs) {
            const std::pair<std::string, std::string> t{point.inputs->network.TransPower, point.inputs->network.WindKind};
            if (std::find(transformers.begin(), transformers.end(), t) == transformers.end())
                transformers.push_back(t);
        }
        if (point.minimum && point.minimum->parameters.networkPower > 0
            && std::find(networkPowers.begin(), networkPowers.end(), point.minimum->parameters.networkPower)
                   == networkPowers.end())
            networkPowers.push_back(point.minimum->parameters.networkPower);
    }
    if (transformers.empty()) {
        b.Paragraph("Питающий трансформатор: исходные данные точек не известны (точки загружены из документа «.okz»).");
    } else {
        NoteTable& table = b.Table("Питающие трансформаторы",
                                   {"Sном, кВ·А", "Схема соединения обмоток", "uк, %", "ΔPк, кВт", "Rт, мОм", "Xт, мОм"},
                                   {3, 7, 2, 3, 3, 3}, {true, false, true, true, true, true});
        bool anyAssumed = false;
        for (const auto& [power, scheme] : transformers) {
            const auto parsed = ParseInteger(power);
            const TransformerCatalogue data = TransformerCatalogueData(parsed.value_or(0), scheme);
            const TransformerImpedance z = LookupTransformerImpedance(parsed.value_or(0), scheme);
            anyAssumed = anyAssumed || data.assumed;
            AddRow(table, {power, "«" + WindingDesignation(scheme) + "» (в программе «" + scheme + "»)",
                           data.known ? b.General(data.uk) : "—", data.known ? b.General(data.lossesKw) : "—",
                           z.ok ? b.Ohms(z.Rt) : "—", z.ok ? b.Ohms(z.Xt) : "—"});
        }
        b.Paragraph(std::string("uк и ΔPк — каталожные данные масляных трансформаторов ТМ, ТМГ 6(10)/0,4 кВ; Rт и "
                                "Xт — сопротивления трансформатора току однофазного короткого замыкания, суммарные на "
                                "три фазы, по [1], п. 2.1.1, 2.1.2: R1 = ΔPк·U²/S², X1 = √((uк·U²/S)² − R1²), "
                                "U = 0,4 кВ; для схемы «Д/Ун-11» R0 = R1, X0 = X1.")
                    + (anyAssumed ? " Для 800 кВ·А каталожных данных нет: приняты uк = 5,5 % и ΔPк = 10,2 кВт." : ""));
    }
    std::string network = "Питающая сеть 6–10 кВ: при расчете Iокз не учитывается";
    for (size_t i = 0; i < networkPowers.size(); ++i)
        network += (i ? ", " : "; при расчете Iк1 min Sк = ") + b.General(networkPowers[i]) + (i + 1 == networkPowers.size() ? " МВ·А" : "");
    b.Paragraph(network + ".");
    b.Paragraph("Система заземления: " + project.earthing
                + ". Номинальное напряжение сети 230/400 В, U0 = 230 В [8]; расчетное фазное напряжение при "
                  "определении Iокз Uф = 231 В (1,05·220 В). Таблица 1.7.1 [2] дает время отключения для U0 = 220 В, "
                  "таблица 41.1 [3] — для 120 В < U0 ≤ 230 В; для системы TN они совпадают.");
    b.Paragraph("Нормативное время автоматического отключения питания в системе TN: не более 0,4 с для конечных "
                "(групповых) цепей; не более 5 с для распределительных цепей и цепей, питающих распределительные "
                "щиты и щитки [2], п. 1.7.79; [3], п. 411.3.2.");
}

void AddClosingConclusion(NoteBuilder& b, const std::vector<NotePoint>& points,
                          const std::vector<PointConclusion>& conclusions)
{
    b.Heading(1, "5 Заключение");
    size_t passing = 0, unknown = 0;
    for (const PointConclusion& c : conclusions) {
        passing += c.overall == NoteCheck::Passes;
        unknown += c.overall == NoteCheck::Unknown;
    }
    const size_t failing = points.size() - passing - unknown;
    std::string text = "Условие автоматического отключения питания за нормативное время [2], [3] выполнено в "
                       + b.General(double(passing)) + " из " + b.General(double(points.size())) + " точек";
    text += failing == 0 ? "; точек, в которых оно не выполнено, нет" : "; не выполнено в " + b.General(double(failing));
    if (unknown > 0)
        text += "; не проверено в " + b.General(double(unknown)) + " (аппарат защиты не задан или не известен)";
    b.Paragraph(text + ".");
    if (failing == 0)
        return;
    NoteTable& table = b.Table("Точки, в которых условие отключения не выполнено",
                               {"Точка", "Определяющий ток, А", "Iср, А", "Меры по результатам подбора"},
                               {4, 4, 3, 10}, {false, false, true, false});
    for (size_t i = 0; i < points.size(); ++i) {
        const PointConclusion& c = conclusions[i];
        if (c.overall != NoteCheck::Fails)
            continue;
        const std::string current = (c.onMinimum ? "Iк1\u00A0min = " : "Iокз = ")
                                    + (c.bindingCurrent > 0 ? b.Amps(c.bindingCurrent) : std::string("—"));
        const auto measures = PointMeasures(points[i], c);
        AddRow(table, {points[i].row[0], current, c.tripCurrent > 0 ? b.Amps(c.tripCurrent) : "—",
                       measures         ? MeasuresText(b, *measures)
                       : points[i].inputs ? "подбор невозможен: параметры аппарата защиты не известны"
                                          : "подбор невозможен: исходные данные точки не известны"});
    }
    b.Paragraph("Меры найдены подбором на определяющем токе: наибольший номинальный ток аппарата защиты, при котором "
                "он срабатывает; для каждого участка линии — наименьшее сечение жил (фазной и нулевой) или "
                "наибольшая длина при прочих неизменных данных. Достаточно одной из мер.");
}
