// The calculation note's content, built without a window: its sections, tables and chain figures,
// numbers written with the user's separators, failing points marked, points without inputs.

#include <gtest/gtest.h>

#include "CalculationNote.h"
#include "NoteTestPoints.h"
#include "PointRecalculation.h"
#include "PointRecord.h"
#include "ProjectDocument.h"
#include "ReportTable.h"

namespace {

std::vector<const NoteBlock*> BlocksOf(const CalculationNote& note, NoteBlock::Kind kind)
{
    std::vector<const NoteBlock*> blocks;
    for (const NoteBlock& block : note.blocks)
        if (block.kind == kind)
            blocks.push_back(&block);
    return blocks;
}

const NoteTable* TableWithCaption(const CalculationNote& note, const std::string& caption)
{
    for (const NoteBlock* block : BlocksOf(note, NoteBlock::Kind::Table))
        if (block->table.caption == caption)
            return &block->table;
    return nullptr;
}

// Every text of the note in reading order, one per line.
std::string AllText(const CalculationNote& note)
{
    std::string all = note.title + "\n";
    for (const NoteBlock& block : note.blocks) {
        all += block.text + "\n" + block.table.caption + "\n";
        for (const std::string& cell : block.table.header)
            all += cell + "\n";
        for (const auto& row : block.table.rows)
            for (const std::string& cell : row)
                all += cell + "\n";
        all += block.figure.caption + "\n" + block.figure.transformer + "\n" + block.figure.faultPoint + "\n";
        for (const ChainLink& link : block.figure.links) {
            all += link.title + "\n";
            for (const std::string& line : link.lines)
                all += line + "\n";
        }
    }
    return all;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

CalculationNote Note(const std::vector<NotePoint>& points)
{
    return BuildCalculationNote(points, {"Жилой дом, корпус 2", "Иванов", "10.12.2026"}, {Russian});
}

}  // namespace

// Tables and figures are numbered through the whole note, every row has a cell per column, and
// the three sections stand in their order.
TEST(CalculationNote, NumbersTablesAndFiguresThroughTheNote)
{
    const CalculationNote note = Note({CalculatedPoint("К-1", CableNetwork(), 1760), RowOnlyPoint("К-2", "Тср < 0,4 с"),
                                       CalculatedPoint("К-3", InitialNetworkDescription(), 1760)});
    int expected = 0;
    for (const NoteBlock* block : BlocksOf(note, NoteBlock::Kind::Table)) {
        const NoteTable& table = block->table;
        EXPECT_EQ(table.number, ++expected);
        EXPECT_EQ(table.widths.size(), table.header.size()) << table.caption;
        EXPECT_EQ(table.numeric.size(), table.header.size()) << table.caption;
        EXPECT_EQ(table.bold.size(), table.rows.size()) << table.caption;
        for (const auto& row : table.rows)
            EXPECT_EQ(row.size(), table.header.size()) << table.caption;
    }
    const auto figures = BlocksOf(note, NoteBlock::Kind::Figure);
    ASSERT_EQ(figures.size(), 2u);  // the point without inputs has no chain
    EXPECT_EQ(figures[0]->figure.number, 1);
    EXPECT_EQ(figures[1]->figure.number, 2);

    std::vector<std::string> headings;
    for (const NoteBlock* block : BlocksOf(note, NoteBlock::Kind::Heading))
        if (block->level == 1)
            headings.push_back(block->text);
    EXPECT_EQ(headings, (std::vector<std::string>{"1 Исходные данные", "2 Методика расчета",
                                                  "3 Сводная таблица результатов",
                                                  "4 Расчет по точкам короткого замыкания", "5 Заключение"}));
    const std::string all = AllText(note);
    for (const char* point : {"4.1 Точка «К-1»", "4.2 Точка «К-2»", "4.3 Точка «К-3»"})
        EXPECT_TRUE(Has(all, point)) << point;
    for (const char* source : {"ГОСТ 28249-93", "ПУЭ", "1.7.79", "IEC 60909-0", "IEC 60898-1", "завышен"})
        EXPECT_TRUE(Has(all, source)) << source;
}

// The summary: one row per point in order; a failing point is bold and carries the mark, the
// margin Iокз/Iср is written with the report's decimals, a point without a verdict says so.
TEST(CalculationNote, SummaryMarksFailingPoints)
{
    const CalculationNote note = Note({CalculatedPoint("К-1", CableNetwork(), 1000),
                                       CalculatedPoint("К-2", CableNetwork(), 2000), RowOnlyPoint("К-3", "---")});
    const NoteTable* summary = TableWithCaption(note, "Результаты расчета по точкам короткого замыкания");
    ASSERT_NE(summary, nullptr);
    ASSERT_EQ(summary->rows.size(), 3u);
    EXPECT_EQ(summary->header[3], "Аппарат защиты");  // no Iк1 min column without that check

    struct Expected {
        std::string name, iokz, device, tokSR, margin, check;
        bool bold;
    };
    const Expected expected[] = {
        {"К-1", "1527", "Автоматический выключатель", "1000", "1,52", "обеспечено", false},
        {"* К-2", "1527", "Автоматический выключатель", "2000", "0,76", "не обеспечено", true},
        {"К-3", "1527", "—", "1000", "1,52", "не определено", false},
    };
    for (size_t r = 0; r < 3; ++r) {
        const auto& row = summary->rows[r];
        const Expected& e = expected[r];
        EXPECT_EQ(row[0], std::to_string(r + 1));
        EXPECT_EQ(row[1], e.name);
        EXPECT_EQ(row[2], e.iokz);
        EXPECT_EQ(row[3], e.device);
        EXPECT_EQ(row[4], e.tokSR);
        EXPECT_EQ(row[5], e.margin);
        EXPECT_EQ(row[7], e.check);
        EXPECT_EQ(summary->bold[r], e.bold) << e.name;
    }
    const std::string all = AllText(note);
    EXPECT_TRUE(Has(all, "* — точка, в которой аппарат защиты не обеспечивает отключение"));
    EXPECT_TRUE(PointFails(CalculatedPoint("К", CableNetwork(), 2000)));
    EXPECT_FALSE(PointFails(RowOnlyPoint("К", "---")));
    EXPECT_TRUE(PointFails(RowOnlyPoint("К", "Тср > 5 с")));
}

// Points that keep their minimum current show it in the summary, in their section with its time
// and verdict, and its parameters once in the method; the others show a dash.
TEST(CalculationNote, MinimumCurrentInTheSummaryThePointAndTheMethod)
{
    NotePoint checked = CalculatedPoint("К-1", CableNetwork(), 1000);
    checked.minimum = PointMinimumCurrent{};
    checked.minimum->current = 1289.6;
    checked.minimum->time = 0.4;
    checked.minimum->tripCurrent = 1000;
    checked.minimum->margin = 1.2896;
    checked.minimum->trips = true;
    NotePoint fuse = CalculatedPoint("К-2", CableNetwork(), 1000);
    fuse.minimum = checked.minimum;
    fuse.minimum->parameters.uteFactor = 1.5;   // the fuse's factor: still the same set of parameters
    NotePoint failing = CalculatedPoint("К-3", CableNetwork(), 1000);
    failing.minimum = PointMinimumCurrent{};
    failing.minimum->current = 999.6;
    failing.minimum->time = 5;
    failing.minimum->tripCurrent = 1000;
    failing.minimum->margin = 0.9996;
    failing.minimum->withstands = false;
    failing.minimum->parameters.heating = ConductorHeating::UteFactors;
    failing.minimum->parameters.networkPower = 250;
    failing.minimum->parameters.phaseVoltage = 220;
    NotePoint noDevice = CalculatedPoint("К-4", CableNetwork(), 0);
    noDevice.minimum = checked.minimum;
    noDevice.minimum->tripCurrent = 0;
    const CalculationNote note =
        Note({checked, fuse, failing, noDevice, CalculatedPoint("К-5", CableNetwork(), 1000),
              RowOnlyPoint("К-6", "Тср < 0,4 с")});
    const NoteTable* summary = TableWithCaption(note, "Результаты расчета по точкам короткого замыкания");
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->header[3], "Iк1\u00A0min, А");
    const std::vector<std::string> column = {"1290", "1290", "1000", "1290", "—", "—"};
    for (size_t r = 0; r < column.size(); ++r)
        EXPECT_EQ(summary->rows[r][3], column[r]) << r;

    const std::string all = AllText(note);
    EXPECT_TRUE(Has(all, "Наименьший ток однофазного короткого замыкания за t = 0,4 с: Iк1 min = 1290 А; "
                         "Iк1\u00A0min\u00A0/\u00A0Iср = 1,28 — срабатывание за нормативное время.\n"));
    // Rounded down: 0,99 never reads as a trip.
    EXPECT_TRUE(Has(all, "за t = 5 с: Iк1 min = 1000 А; Iк1\u00A0min\u00A0/\u00A0Iср = 0,99 — несрабатывание за нормативное время; "
                         "жилы термически не стойки.\n"));
    EXPECT_TRUE(Has(all, "Iк1 min = 1290 А; аппарат защиты не задан.\n"));
    // The method names each set of parameters once.
    EXPECT_TRUE(Has(all, "параметры: cmin·U0 = 0,95·230 = 218,5 В, нагрев жил током короткого замыкания от "
                         "длительно допустимой температуры, без сопротивления питающей сети; cmin·U0 = 0,95·220 = "
                         "209 В, сопротивление жил при 20 °C с коэффициентом 1,25 (автоматический выключатель) или "
                         "1,5 (предохранитель), питающая сеть Sк = 250 МВ·А.\n"));

    // Without any point that keeps it, neither the column nor the method's sentence.
    const CalculationNote plain = Note({CalculatedPoint("К-1", CableNetwork(), 1000)});
    EXPECT_EQ(TableWithCaption(plain, "Результаты расчета по точкам короткого замыкания")->header[3], "Аппарат защиты");
    EXPECT_FALSE(Has(AllText(plain), "параметры: cmin·U0"));
}

// A point with its inputs: the chain with the sections in use only, the inputs as typed, every
// impedance with two decimals and the user's separators, the current and the verdict with its time.
TEST(CalculationNote, PointWithInputsShowsChainInputsImpedancesAndVerdict)
{
    NetworkDescription network = CableNetwork("2");
    network.Lines[2] = {"Воздушная", "Алюминий", "70", "70", "1500", "нет"};  // section 3 used, 2 not
    const NotePoint point = CalculatedPoint("ВРУ-1", network, 100);
    const CalculationNote note = Note({point});
    const ShortCircuitResult& r = point.inputs->result;

    const auto figures = BlocksOf(note, NoteBlock::Kind::Figure);
    ASSERT_EQ(figures.size(), 1u);
    const NoteFigure& chain = figures[0]->figure;
    EXPECT_EQ(chain.transformer, "Т: 250 кВ·А, T/Y-0");
    EXPECT_EQ(chain.device, "QF 160 А, «C»");   // at the line's start, with its characteristic
    EXPECT_FALSE(chain.fuse);
    EXPECT_EQ(chain.faultPoint, "ВРУ-1");
    ASSERT_EQ(chain.links.size(), 2u);
    EXPECT_EQ(chain.links[0].title, "Участок 1");
    EXPECT_EQ(chain.links[0].lines, (std::vector<std::string>{"Кабель с бумажной изоляцией", "Алюминий",
                                                              "Sф / Sн = 95 / 50 мм²", "L = 100 м", "n = 2"}));
    EXPECT_EQ(chain.links[1].title, "Участок 3");
    EXPECT_EQ(chain.links[1].lines[4], "n = 1");

    const NoteTable* inputs = TableWithCaption(note, "Исходные данные участков линии точки «ВРУ-1»");
    ASSERT_NE(inputs, nullptr);
    ASSERT_EQ(inputs->rows.size(), 2u);
    EXPECT_EQ(inputs->rows[1], (std::vector<std::string>{"3", "Воздушная", "Алюминий", "70", "70", "1500", "1"}));

    const NoteTable* loop = TableWithCaption(note, "Сопротивления элементов петли «фаза-нуль» точки «ВРУ-1»");
    ASSERT_NE(loop, nullptr);
    ASSERT_EQ(loop->rows.size(), 6u);
    EXPECT_EQ(loop->rows[0][1], "10,75");   // 32.26 / 3
    EXPECT_EQ(loop->rows[0][2], "26,72");   // 80.15 / 3
    EXPECT_EQ(loop->rows[1][1], "47,70");   // two parallel cables halve 95.4
    EXPECT_EQ(loop->rows[3][1], FormatGrouped(r.RLineSum, 2, Russian));
    EXPECT_EQ(loop->rows[4][1], "40");
    EXPECT_EQ(loop->rows[5], (std::vector<std::string>{"Петля «фаза-нуль» (Rф-н, Xф-н, Zф-н)",
                                                       FormatGrouped(r.Rsum, 2, Russian),
                                                       FormatGrouped(r.Xsum, 2, Russian),
                                                       FormatGrouped(r.Zsum, 2, Russian)}));
    EXPECT_TRUE(Has(FormatGrouped(r.Rsum, 2, Russian), "\u00A0"));  // above 1000: grouped
    EXPECT_TRUE(loop->bold[5]);

    const std::string all = AllText(note);
    EXPECT_TRUE(Has(all, "номинальная мощность 250 кВ·А, схема соединения обмоток «T/Y-0»"));
    EXPECT_TRUE(Has(all, "Rпр = 40 мОм"));
    EXPECT_TRUE(Has(all, "Iокз = 231\u00A0000 / " + FormatGrouped(r.Zsum, 2, Russian) + " = "
                             + FormatCurrent(r.Iokz, Russian) + " А"));
    EXPECT_TRUE(Has(all, "Коэффициент запаса Кз"));
    EXPECT_TRUE(Has(all, "Заключение: Iокз = " + FormatCurrent(r.Iokz, Russian)
                             + " А ≥ Iср = 100 А — срабатывание за нормативное время (нормативное "
                               "время не более 0,4 с)."));
}

TEST(CalculationNote, FailingFuseVerdictNamesFiveSeconds)
{
    NotePoint point = CalculatedPoint("К-5", CableNetwork(), 5000);
    point.inputs->tripTime = "Тср > 5 с";
    point.row[11] = "Тср > 5 с";
    const std::string all = AllText(Note({point}));
    EXPECT_TRUE(Has(all, " А < Iср = 5000 А — несрабатывание за нормативное время (нормативное время не "
                         "более 5 с)."));
}

TEST(CalculationNote, PointWithoutDeviceSaysTheCheckWasNotMade)
{
    NotePoint point = CalculatedPoint("К-1", CableNetwork(), 0);
    point.inputs->device.clear();
    point.inputs->tokSR = 0;
    point.row[10] = "---";
    const CalculationNote note = Note({point});
    EXPECT_TRUE(Has(AllText(note), "Аппарат защиты не задан"));
    EXPECT_EQ(TableWithCaption(note, "Аппарат защиты точки «К-1»"), nullptr);
}

// Points read from a document keep only their row: the note says that their inputs are not known
// and still gives every figure of the row.
TEST(CalculationNote, PointWithoutInputsGivesItsRowFigures)
{
    const NotePoint point = RowOnlyPoint("Щит ЩР-3", "Тср < 0,4 с");
    const CalculationNote note = Note({point});
    EXPECT_TRUE(BlocksOf(note, NoteBlock::Kind::Figure).empty());
    const NoteTable* table = TableWithCaption(note, "Результаты расчета точки «Щит ЩР-3»");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows.size(), 11u);
    for (int c = 1; c < ReportColumnCount; ++c)
        EXPECT_EQ(table->rows[size_t(c - 1)][1], point.row[size_t(c)]);
    const std::string all = AllText(note);
    EXPECT_TRUE(Has(all, "Исходные данные точки не известны"));
    EXPECT_TRUE(Has(all, "Заключение: отключение за нормативное время обеспечено (Тср < 0,4 с"));
}

TEST(CalculationNote, EmptyReportGivesTheMethodAndSaysThereAreNoPoints)
{
    const CalculationNote note = Note({});
    EXPECT_EQ(TableWithCaption(note, "Результаты расчета по точкам короткого замыкания"), nullptr);
    EXPECT_EQ(BlocksOf(note, NoteBlock::Kind::Table).size(), 1u);  // the assumptions only
    const std::string all = AllText(note);
    EXPECT_TRUE(Has(all, "В отчете нет точек короткого замыкания"));
    EXPECT_EQ(note.project.object, "Жилой дом, корпус 2");
}

TEST(CalculationNote, PointsComeFromTheLeadingNamedRows)
{
    ReportRows rows = EmptyReport();
    rows[0][0] = "К-1";
    rows[1][0] = "К-2";
    rows[3][0] = "К-4";  // below an empty row: not a point of the report
    const std::vector<NotePoint> points = PointsFromReportRows(rows);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[1].row[0], "К-2");
    EXPECT_FALSE(points[0].inputs);

    struct Case {
        const char* name;
        bool selectedOnly;
        int selectedRow;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"all", false, 5, {"К-1", "К-2"}},
        {"selected", true, 1, {"К-2"}},
        {"selected below the points", true, 2, {}},
        {"no selection", true, -1, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names;
        for (const NotePoint& point : ChooseNotePoints(points, c.selectedOnly, c.selectedRow))
            names.push_back(point.row[0]);
        EXPECT_EQ(names, c.names) << c.name;
    }
}

// A project's points take their inputs from their records, recalculated; a row without a record,
// with an unreadable one or with a network the tables refuse is a point without inputs.
TEST(CalculationNote, ProjectPointsTakeTheirInputsFromTheirRecords)
{
    PointRecord breaker;
    breaker.network = CableNetwork("2");
    breaker.device.TypeDD = 1;
    breaker.device.TokSR = 1760;
    breaker.deviceTexts = {true, "160", "10 (\"C\")", false, "1.1", "ППН", "100", "1.3", "Тср < 5 с"};
    breaker.verdict = "Срабатывание за нормативное время";
    breaker.tripTime = "Тср < 0,4 с";
    breaker.minimum = CalculatePointMinimum(breaker, CalculateShortCircuit(breaker.network).result, {});
    ASSERT_TRUE(breaker.minimum);
    PointRecord fuse = breaker;
    fuse.minimum.reset();
    fuse.device.TypeDD = 2;
    fuse.device.TimePP = 1;
    fuse.device.TypePP = 1;   // ППН 20 А: its 5 s current lies below the gG gate
    fuse.device.TokPP = 20;
    fuse.deviceTexts.breaker = false;
    PointRecord refused = breaker;
    refused.network.TransPower = "251";

    Project project;
    project.fields = {"Котельная", "Смирнов"};
    for (const char* name : {"К-1", "К-2", "К-3", "К-4", "К-5"})
        project.rows.push_back(RowOnlyPoint(name, "Тср < 0,4 с").row);
    project.records = {WritePointRecord(breaker), WritePointRecord(fuse), "", WritePointRecord(refused), "вздор"};

    const std::vector<NotePoint> points = PointsFromProject(project);
    ASSERT_EQ(points.size(), 5u);
    ASSERT_TRUE(points[0].inputs);
    EXPECT_EQ(points[0].row[0], "К-1");
    EXPECT_EQ(points[0].inputs->network.Lines[0].QuanPar, "2");
    EXPECT_DOUBLE_EQ(points[0].inputs->result.Zsum, CalculateShortCircuit(breaker.network).result.Zsum);
    EXPECT_EQ(points[0].inputs->tokSR, 1760);
    EXPECT_EQ(points[0].inputs->device,
              (std::vector<std::pair<std::string, std::string>>{{"Аппарат защиты", "Автоматический выключатель"},
                                                                {"Номинальный ток расцепителя Iном, А", "160"},
                                                                {"Кратность тока мгновенного расцепителя k", "10 (\"C\")"},
                                                                {"Коэффициент запаса Кз", "1.1"}}));
    ASSERT_TRUE(points[1].inputs);
    EXPECT_EQ(points[1].inputs->device[0].second, "Плавкий предохранитель");
    EXPECT_EQ(points[1].inputs->device[1], (std::pair<std::string, std::string>{"Тип предохранителя", "ППН"}));
    for (size_t i : {2u, 3u, 4u})
        EXPECT_FALSE(points[i].inputs) << points[i].row[0];
    EXPECT_EQ(points[0].minimum, breaker.minimum);
    EXPECT_FALSE(points[1].minimum);
    EXPECT_FALSE(points[2].minimum);

    const NoteProject fields = NoteProjectFields(project, "11.12.2026");
    EXPECT_EQ(fields.object, "Котельная");
    EXPECT_EQ(fields.author, "Смирнов");
    EXPECT_EQ(fields.date, "11.12.2026");
    const std::string all = AllText(BuildCalculationNote(points, fields, {Russian}));
    EXPECT_TRUE(Has(all, "Номинальный ток плавкой вставки, А"));
    // The result window's warning under the fuse's table, with the source of the gate.
    EXPECT_TRUE(Has(all, "Внимание: ток 5 с по таблице (58 А) ниже ")) << all;
    EXPECT_TRUE(Has(all, "пределы вставок gG — по [6], табл. 3."));
    EXPECT_TRUE(Has(all, "Исходные данные точки не известны"));
    // A point whose stored inputs no longer calculate says so, with the calculation's message.
    const std::string message = CalculateShortCircuit(refused.network).message;
    ASSERT_FALSE(message.empty());
    EXPECT_EQ(points[3].notCalculated, message);
    EXPECT_TRUE(Has(all, "расчет по ним не выполняется: " + message));
}

// The one conclusion of a point rests on the smallest current: with Iк1 min the condition holds
// only when both currents reach Iср; a differing verdict is said in one sentence; the summary
// marks a point failing on either; without Iк1 min the conclusion says it rests on Iокз alone.
TEST(CalculationNote, BindingConclusionRestsOnTheSmallestCurrent)
{
    struct Case {
        const char* name;
        double tokSR;          // Iокз is 1527 A
        double minimum;        // Iк1 min, A; 0: the point keeps none
        bool fails;
        const char* says;
    };
    const Case cases[] = {
        {"both pass", 1000, 1290, false, "Iк1 min = 1290 А ≥ Iср = 1000 А; Iокз = 1527 А ≥ Iср = 1000 А — "
                                         "срабатывание за нормативное время (нормативное время не более 0,4 с); "
                                         "вывод сделан по Iк1 min."},
        {"Iк1 min fails alone", 1400, 1290, true,
         "Iк1 min = 1290 А < Iср = 1400 А; Iокз = 1527 А ≥ Iср = 1400 А — несрабатывание за нормативное время "
         "(нормативное время не более 0,4 с); вывод сделан по Iк1 min. По Iокз условие выполняется, по наименьшему "
         "току Iк1 min — нет"},
        {"Iокз fails alone", 2000, 2100, true,
         "Iк1 min = 2100 А ≥ Iср = 2000 А; Iокз = 1527 А < Iср = 2000 А — несрабатывание за нормативное время "
         "(нормативное время не более 0,4 с); вывод сделан по Iокз. По наименьшему току Iк1 min условие "
         "выполняется, по Iокз — нет"},
        {"no Iк1 min", 1000, 0, false, "Iокз = 1527 А ≥ Iср = 1000 А — срабатывание за нормативное время "
                                       "(нормативное время не более 0,4 с). Вывод основан только на Iокз, который "
                                       "завышен (см. 2.1)"},
        {"no Iк1 min, failing", 2000, 0, true, "Iокз = 1527 А < Iср = 2000 А — несрабатывание"},
    };
    for (const Case& c : cases) {
        NotePoint point = CalculatedPoint("К-1", CableNetwork(), c.tokSR);
        if (c.minimum > 0) {
            point.minimum = PointMinimumCurrent{};
            point.minimum->current = c.minimum;
            point.minimum->time = 0.4;
            point.minimum->tripCurrent = c.tokSR;
            point.minimum->margin = c.minimum / c.tokSR;
            point.minimum->trips = c.minimum >= c.tokSR;
        }
        const CalculationNote note = Note({point});
        const std::string all = AllText(note);
        EXPECT_TRUE(Has(all, c.says)) << c.name;
        EXPECT_EQ(PointFails(point), c.fails) << c.name;
        const NoteTable* summary = TableWithCaption(note, "Результаты расчета по точкам короткого замыкания");
        ASSERT_NE(summary, nullptr);
        EXPECT_EQ(summary->rows[0][1], c.fails ? "* К-1" : "К-1") << c.name;
        EXPECT_EQ(summary->rows[0].back(), c.fails ? "не обеспечено" : "обеспечено") << c.name;
        const NoteTable* failing = TableWithCaption(note, "Точки, в которых условие отключения не выполнено");
        EXPECT_EQ(failing != nullptr, c.fails) << c.name;
    }
}

// «Заключение» counts the points that meet the condition and lists exactly those that do not, each
// with the current it rests on, Iср and what "Подбор" finds on that current.
TEST(CalculationNote, ClosingConclusionListsTheFailingPointsWithTheirMeasures)
{
    auto record = [](const char* rated, double tokSR) {
        PointRecord r;
        r.network = CableNetwork();
        r.device.TypeDD = 1;
        r.device.TokAVnom = ParseDecimal(rated).value;
        r.device.KNR = 10;
        r.device.KZAV = 1.1;
        r.device.TokSR = tokSR;
        r.deviceTexts = {true, rated, "10 (\"C\")", false, "1.1", "ППН", "100", "1.3", "Тср < 5 с"};
        const ShortCircuitResult result = CalculateShortCircuit(r.network).result;
        r.verdict = result.Iokz >= tokSR ? "Срабатывание за нормативное время" : "Несрабатывание за нормативное время";
        r.tripTime = result.Iokz >= tokSR ? "Тср < 0,4 с" : "Тср > 0,4 с";
        r.minimum = CalculatePointMinimum(r, result, {});
        return r;
    };
    const PointRecord passing = record("16", 16 * 10 * 1.1), failing = record("160", 160 * 10 * 1.1);
    const std::vector<NotePoint> points = {
        NotePointFromRecord(RowOnlyPoint("К-1", "Тср < 0,4 с").row, passing),
        NotePointFromRecord(RowOnlyPoint("К-2", "Тср > 0,4 с").row, failing),
        RowOnlyPoint("К-3", "Тср > 5 с"),
        RowOnlyPoint("К-4", "---"),
    };
    ASSERT_TRUE(points[1].minimum);
    const CalculationNote note = Note(points);
    const std::string all = AllText(note);
    EXPECT_TRUE(Has(all, "выполнено в 1 из 4 точек; не выполнено в 2; не проверено в 1"));
    const NoteTable* table = TableWithCaption(note, "Точки, в которых условие отключения не выполнено");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows.size(), 2u);
    EXPECT_EQ(table->rows[0][0], "К-2");
    EXPECT_EQ(table->rows[0][1], "Iк1\u00A0min = " + FormatCurrent(points[1].minimum->current, Russian));
    EXPECT_EQ(table->rows[0][2], "1760");
    // Iк1 min of about 1290 A trips a C breaker of up to 1290 / 11 = 117 A: the listed 100 A.
    EXPECT_TRUE(Has(table->rows[0][3], "номинальный ток не более 100 А; участок 1: сечение не менее ")) << table->rows[0][3];
    EXPECT_TRUE(Has(table->rows[0][3], " м (задано 100 м)")) << table->rows[0][3];
    EXPECT_EQ(table->rows[1][0], "К-3");
    EXPECT_EQ(table->rows[1][1], "Iокз = 1527");
    EXPECT_EQ(table->rows[1][3], "подбор невозможен: исходные данные точки не известны");
}

// Whatever the regional settings, the note writes the decimal comma and no-break group spaces,
// inputs included, and Rпр as it was entered.
TEST(CalculationNote, RussianSeparatorsUnderEnglishRegionalSettings)
{
    const NumberSeparators english{".", ","};
    NetworkDescription network = CableNetwork();
    network.Lines[0].Ff = "2.5";
    network.Lines[0].Fn = "2.5";
    network.Lines[0].Length = "62.5";
    network.RArc = "12.5";
    NotePoint point = CalculatedPoint("К-1", network, 25.5);
    const ShortCircuitResult& r = point.inputs->result;
    point.row = MakePointRow("К-1", r, 25.5, point.inputs->tripTime, english);
    point.inputs->device[3].second = "1.1";
    const CalculationNote note = BuildCalculationNote({point}, {"Объект", "Иванов", "10.12.2026"}, {english});
    const std::string all = AllText(note);
    EXPECT_TRUE(Has(all, "Iокз = 231\u00A0000 / " + FormatGrouped(r.Zsum, 2, Russian) + " = ")) << all;
    EXPECT_TRUE(Has(all, "Sф / Sн = 2,5 / 2,5 мм²\nL = 62,5 м\n"));
    EXPECT_TRUE(Has(all, "Rпр = 12,5 мОм"));
    EXPECT_TRUE(Has(all, "Переходное сопротивление Rпр\n12,5\n"));
    EXPECT_TRUE(Has(all, "Коэффициент запаса Кз\n1,1\n"));
    EXPECT_TRUE(Has(all, "Кратность тока мгновенного расцепителя k\n10 («C»)\n"));
    const NoteTable* summary = TableWithCaption(note, "Результаты расчета по точкам короткого замыкания");
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->rows[0][4], FormatGrouped(ReadWrittenNumber(point.row[10], DocumentSeparators(english))->value,
                                                 ReadWrittenNumber(point.row[10], DocumentSeparators(english))->decimals,
                                                 Russian));
    EXPECT_EQ(summary->rows[0][4].find('.'), std::string::npos) << summary->rows[0][4];
}
