#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DeviceRules.h"
#include "OkzDocument.h"
#include "PointRecalculation.h"
#include "PointRecord.h"
#include "ProjectDocument.h"
#include "ReportTable.h"

namespace {

const NumberSeparators Comma{",", " "};
const NumberSeparators Point{".", ","};

// A network of the main window: the initial texts with the given first two line sections.
NetworkDescription Network(const std::string& power, const std::string& length1, const std::string& length2,
                           const std::string& rArc = "15")
{
    NetworkDescription network = InitialNetworkDescription();
    network.TransPower = power;
    network.Lines[0] = {"Кабель с бумажной изоляцией", "Алюминий", "95", "50", length1, "нет"};
    network.Lines[1] = {"Кабель с ПВХ изоляцией", "Медь", "4", "4", length2, "нет"};
    network.RArc = rArc;
    return network;
}

DeviceInputs Breaker(const QString& rated, const QString& release)
{
    DeviceInputs inputs;
    inputs.breaker = true;
    inputs.ratedCurrent = rated;
    inputs.release = release;
    inputs.breakerFactor = "1.1";
    inputs.fuseType = "ППН";
    inputs.fuseRating = "100";
    inputs.fuseFactor = "1.0";
    inputs.fuseTime = "Тср < 5 с";
    return inputs;
}

// A point made the way the windows make one: the calculation, the confirmed device, its verdict,
// then the row "Добавить в отчет..." writes and the record beside it.
struct MadePoint {
    ReportRow row;
    PointRecord record;
};
MadePoint MakePoint(const std::string& name, const NetworkDescription& network, const DeviceInputs& device,
                    const NumberSeparators& separators)
{
    const CalculationOutcome outcome = CalculateShortCircuit(network);
    EXPECT_EQ(outcome.status, CalculationStatus::Success) << outcome.message;
    const DeviceConfirmation confirmed = ConfirmDevice(device, {}, separators);
    EXPECT_TRUE(confirmed.Confirmed()) << confirmed.refusalText.toStdString();
    const DeviceVerdict verdict = JudgeDevice(outcome.result.Iokz, confirmed.settings);
    const std::string tripTime = verdict.timeSR.value_or("---").toStdString();

    MadePoint point;
    point.row = MakePointRow(name, outcome.result, confirmed.settings.TokSR, tripTime, separators);
    PointRecord& r = point.record;
    r.network = network;
    r.device = confirmed.settings;
    r.deviceTexts = {device.breaker,
                     device.ratedCurrent.toStdString(),
                     device.release.toStdString(),
                     device.releaseCurrentGiven,
                     device.breakerFactor.toStdString(),
                     device.fuseType.toStdString(),
                     device.fuseRating.toStdString(),
                     device.fuseFactor.toStdString(),
                     device.fuseTime.toStdString()};
    r.verdict = verdict.status.toStdString();
    r.tripTime = tripTime;
    r.iokz = outcome.result.Iokz;
    r.separators = separators;
    r.minimum = CalculatePointMinimum(r, outcome.result, {});
    return point;
}

struct Report {
    ReportRows rows;
    std::vector<std::string> records;
};

// Three points with records, one row from a ".okz" document without one, in that order.
Report SampleReport()
{
    Report report;
    for (const MadePoint& p : {MakePoint("К-1", Network("250", "120", "35"), Breaker("16", "10 (\"C\")"), Comma),
                               MakePoint("К-2", Network("630", "80.5", "12"), Breaker("25", "5 (\"B\")"), Point),
                               MakePoint("К|3\\", Network("1000", "300", "0.7e2"), Breaker("63", "20 (\"D\")"), Comma)}) {
        report.rows.push_back(p.row);
        report.records.push_back(WritePointRecord(p.record));
    }
    report.rows.push_back({"ОКЗ-старая", "5,20", "15,20", "30,15", "1,60", "15", "50,35", "16,80", "53,08", "4352",
                           "750", "Тср < 5 с"});
    report.records.emplace_back();
    return report;
}

PointRecord ReadBack(const std::string& text)
{
    const PointRecordReading reading = ReadPointRecord(text);
    EXPECT_TRUE(reading.record) << reading.refusal;
    return reading.record.value_or(PointRecord{});
}

}  // namespace

TEST(ProjectDocument, EveryPointReadsBackWithItsInputsResultsAndOrder)
{
    Report report = SampleReport();
    // Texts as a user may type them: separators of the format, a backslash, blanks, nothing at all.
    PointRecord odd = ReadBack(report.records[0]);
    odd.network.Lines[5].Length = " 1|2\\n ";
    odd.network.RArc = "";
    odd.deviceTexts.release = "=\\|=";
    odd.tripTime = std::string("a\nb\rc\0d", 7);
    odd.device.TokSR = 0.1 + 0.2;   // 0.30000000000000004: must survive to the last bit
    odd.device.KZAV = 1e-300;
    odd.iokz = 1.0 / 3.0;
    report.records[0] = WritePointRecord(odd);
    const ProjectFields fields{"Жилой дом | корпус 2", "Иванов И.И.\\", "12-2026-ЭМ.РР", "П", "ООО «Проект»",
                               "Петров", "Сидоров", "Кузнецов", "TN-S"};

    const std::string document = WriteProjectDocument(fields, report.rows, report.records);
    const ProjectReading reading = ReadProjectDocument(document);
    ASSERT_TRUE(reading.project) << reading.refusal;
    EXPECT_EQ(reading.project->fields, fields);
    EXPECT_EQ(reading.project->rows, report.rows);
    ASSERT_EQ(reading.project->records.size(), report.records.size());
    for (std::size_t i = 0; i < report.records.size(); ++i) {
        SCOPED_TRACE(i);
        if (report.records[i].empty()) {
            EXPECT_TRUE(reading.project->records[i].empty());
            continue;
        }
        EXPECT_TRUE(SameRecord(ReadBack(reading.project->records[i]), ReadBack(report.records[i])));
    }
    EXPECT_TRUE(SameRecord(ReadBack(reading.project->records[0]), odd));
    // Written again, the document is the same bytes.
    EXPECT_EQ(WriteProjectDocument(reading.project->fields, reading.project->rows, reading.project->records), document);
}

TEST(ProjectDocument, StartsWithItsVersionLineAndKeepsTypedTextsVisible)
{
    const Report report = SampleReport();
    const std::string document = WriteProjectDocument({}, report.rows, report.records);
    EXPECT_TRUE(document.starts_with("Зорант проект 1.2\nобъект=\nавтор=\nшифр=\nстадия=\nорганизация=\nпроверил=\nнормоконтроль=\nутвердил=\nзаземление=TN-C-S\nточка=К-1|"));
    EXPECT_NE(document.find("\nлиния2=Кабель с ПВХ изоляцией|Медь|4|4|0.7e2|нет\n"), std::string::npos);
    EXPECT_NE(document.find("\nточка=К\\|3\\\\|"), std::string::npos);
    EXPECT_TRUE(document.ends_with("\nконец\n"));
}

TEST(ProjectDocument, ReportWithoutTextGivesAnEmptyProjectThatReadsBack)
{
    const ProjectReading reading = ReadProjectDocument(WriteProjectDocument({}, EmptyReport(), {}));
    ASSERT_TRUE(reading.project) << reading.refusal;
    EXPECT_TRUE(reading.project->rows.empty());
    EXPECT_EQ(reading.project->fields, ProjectFields{});
}

TEST(ProjectDocument, ReopenedPointRecalculatedGivesItsStoredResultsToTheLastDigit)
{
    const Report report = SampleReport();
    const ProjectReading reading = ReadProjectDocument(WriteProjectDocument({}, report.rows, report.records));
    ASSERT_TRUE(reading.project);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(report.rows[i][0]);
        const PointRecord stored = ReadBack(reading.project->records[i]);
        const PointCalculation again = CalculatePoint(reading.project->rows[i][0], stored);
        ASSERT_TRUE(again.ok) << again.failure;
        EXPECT_EQ(again.row, report.rows[i]);
        EXPECT_EQ(again.record.iokz, stored.iokz);
        EXPECT_TRUE(SameRecord(again.record, stored));
    }
}

TEST(ProjectDocument, ReadInPiecesAsWhole)
{
    const Report report = SampleReport();
    const std::string document = WriteProjectDocument({"Объект", ""}, report.rows, report.records);
    for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
        SCOPED_TRACE(piece);
        ProjectReader reader;
        for (std::size_t at = 0; at < document.size(); at += piece)
            reader.Feed(std::string_view(document).substr(at, piece));
        const ProjectReading reading = reader.Finish();
        ASSERT_TRUE(reading.project) << reading.refusal;
        EXPECT_EQ(reading.project->rows, report.rows);
        EXPECT_EQ(reading.project->records, ReadProjectDocument(document).project->records);
    }
}

TEST(ProjectDocument, LaterMinorVersionIsReadWithItsUnknownKeysSkipped)
{
    const Report report = SampleReport();
    std::string document = WriteProjectDocument({}, report.rows, report.records);
    document.replace(0, std::string("Зорант проект 1.2").size(), "Зорант проект 1.7");
    document.replace(document.find("\nток="), 1, "\nминимальный ток=ок|12\r\n");
    document.insert(document.find("\nточка="), "\nдата=2026");
    const ProjectReading reading = ReadProjectDocument(document);
    ASSERT_TRUE(reading.project) << reading.refusal;
    EXPECT_EQ(reading.project->rows, report.rows);
    EXPECT_TRUE(SameRecord(ReadBack(reading.project->records[0]), ReadBack(report.records[0])));
}

TEST(ProjectDocument, EveryTruncationIsRefusedAsCut)
{
    const Report report = SampleReport();
    const std::string document = WriteProjectDocument({}, report.rows, report.records);
    // Only the final line end may go: "конец" is then still the last line.
    for (std::size_t size = 0; size + 1 < document.size(); ++size) {
        const ProjectReading reading = ReadProjectDocument(std::string_view(document).substr(0, size));
        ASSERT_FALSE(reading.project) << "cut at " << size;
        ASSERT_FALSE(reading.refusal.empty());
    }
    EXPECT_TRUE(ReadProjectDocument(std::string_view(document).substr(0, document.size() - 1)).project);
    const ProjectReading cut = ReadProjectDocument(document.substr(0, document.size() / 2));
    EXPECT_NE(cut.refusal.find("файл обрезан"), std::string::npos) << cut.refusal;
}

struct RefusalCase {
    const char* name;
    std::string (*make)(const std::string& good);
    const char* says;   // a piece of the message
};

std::string Replaced(std::string text, const std::string& what, const std::string& with)
{
    const std::size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    if (at != std::string::npos)
        text.replace(at, what.size(), with);
    return text;
}

const RefusalCase RefusalCases[] = {
    {"Empty", [](const std::string&) { return std::string(); }, "не проект Зорант"},
    {"OkzDocument",
     [](const std::string&) { return WriteOkzDocument(SampleReport().rows); }, "не является проектом Зорант"},
    {"NewerVersion", [](const std::string& g) { return Replaced(g, "проект 1.2", "проект 2.0"); },
     "более новой версией программы (формат 2.0)"},
    {"VersionNotANumber", [](const std::string& g) { return Replaced(g, "проект 1.2", "проект 1"); },
     "неверная строка версии"},
    {"LineWithoutEquals", [](const std::string& g) { return Replaced(g, "\nавтор=", "\nавтор\n"); }, "без знака"},
    {"PointOfElevenCells", [](const std::string& g) { return Replaced(g, "точка=К-1|", "точка=К-1"); }, "12 ячеек"},
    {"BadEscape", [](const std::string& g) { return Replaced(g, "\nсеть=250", "\nсеть=25\\q"); }, "escape"},
    {"MissingLine", [](const std::string& g) { return Replaced(g, "\nлиния4=", "\nлинияX="); }, "линия4"},
    {"RepeatedKey", [](const std::string& g) { return Replaced(g, "\nток=", "\nсеть=1|2|3\nток="); }, "повторяется"},
    {"CurrentNotANumber", [](const std::string& g) { return Replaced(g, "\nток=", "\nток=x"); }, "ток"},
    {"DeviceKindUnknown", [](const std::string& g) { return Replaced(g, "аппарат=автомат", "аппарат=рубильник"); },
     "вид аппарата"},
    {"RecordBeforeItsPoint",
     [](const std::string& g) { return Replaced(g, "\nточка=К-1", "\nсеть=1|2|3\nточка=К-1"); }, "до ее строки"},
    {"TextAfterEnd", [](const std::string& g) { return g + "точка=|||||||||||\n"; }, "после строки \"конец\""},
    {"MinimumOfTooFewFields",
     [](const std::string& g) { return Replaced(g, "|адиабатический|1.25|", "|адиабатический|"); }, "ток_мин"},
    {"MinimumHeatingUnknown",
     [](const std::string& g) { return Replaced(g, "|адиабатический|", "|изотермический|"); }, "ток_мин"},
    {"MinimumCMinOutOfRange", [](const std::string& g) { return Replaced(g, "|0.95|230|", "|1.5|230|"); }, "ток_мин"},
    {"MinimumNotANumber", [](const std::string& g) { return Replaced(g, "\nток_мин=", "\nток_мин=x"); }, "ток_мин"},
    {"MinimumRepeated",
     [](const std::string& g) {
         const std::size_t at = g.find("\nток_мин=");
         const std::string line = g.substr(at, g.find('\n', at + 1) - at);
         return Replaced(g, line, line + line);
     },
     "повторяется"},
    {"EarthingUnknown", [](const std::string& g) { return Replaced(g, "заземление=TN-C-S", "заземление=IT"); },
     "заземление"},
    {"NotUtf8", [](const std::string& g) { return Replaced(g, "К-1", "\xCA-1"); }, "UTF-8"},
    {"CarriageReturnInsideALine",
     [](const std::string& g) { return Replaced(g, "\nсеть=250", "\nсеть=250\r\r"); }, "возврата каретки"},
    {"NulInsideALine",
     [](const std::string& g) { return Replaced(g, "\nсеть=250", std::string("\nсеть=250\0", 14)); }, "нулевой байт"},
    {"RecordOfARepeatedName", [](const std::string& g) { return Replaced(g, "точка=К-2|", "точка=К-1|"); },
     "повторным названием"},
    {"LineTooLong", [](const std::string& g) { return Replaced(g, "автор=", "автор=" + std::string(70000, 'a')); },
     "слишком длинная строка"},
};

class ProjectRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(ProjectRefusal, IsRefusedWithTheReason)
{
    const Report report = SampleReport();
    const std::string good = WriteProjectDocument({}, report.rows, report.records);
    ASSERT_TRUE(ReadProjectDocument(good).project);
    const ProjectReading reading = ReadProjectDocument(GetParam().make(good));
    EXPECT_FALSE(reading.project);
    EXPECT_NE(reading.refusal.find(GetParam().says), std::string::npos) << reading.refusal;
}

INSTANTIATE_TEST_SUITE_P(Damaged, ProjectRefusal, testing::ValuesIn(RefusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectDocument, MinimumCurrentReadsBackExactlyAndDocumentsWithoutItReadAsNotComputed)
{
    Report report = SampleReport();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(ReadBack(report.records[i]).minimum) << i;
    PointRecord odd = ReadBack(report.records[0]);
    odd.minimum->current = 1.0 / 3.0;
    odd.minimum->margin = 0.1 + 0.2;
    odd.minimum->trips = false;
    odd.minimum->withstands = false;
    odd.minimum->time = 5;
    odd.minimum->parameters.heating = ConductorHeating::UteFactors;
    odd.minimum->parameters.uteFactor = 1.5;
    odd.minimum->parameters.networkPower = 1e5 / 3;
    odd.minimum->parameters.paperCableLimit = 250.125;
    report.records[0] = WritePointRecord(odd);
    const std::string document = WriteProjectDocument({}, report.rows, report.records);
    EXPECT_NE(document.find("\nток_мин=0.3333333333333333|5|"), std::string::npos);
    EXPECT_NE(document.find("|0.30000000000000004|нет|нет|0.95|230|33333.333333333336|коэффициенты|1.5|"),
              std::string::npos);
    const ProjectReading reading = ReadProjectDocument(document);
    ASSERT_TRUE(reading.project) << reading.refusal;
    EXPECT_EQ(ReadBack(reading.project->records[0]).minimum, odd.minimum);
    EXPECT_TRUE(SameRecord(ReadBack(reading.project->records[1]), ReadBack(report.records[1])));

    // A document of format 1.0: no minimum current anywhere, every point opens without one.
    std::string older = Replaced(document, "проект 1.2", "проект 1.0");
    for (const char* key : {"\nток_мин=", "\nшифр=", "\nстадия=", "\nорганизация=", "\nпроверил=",
                            "\nнормоконтроль=", "\nутвердил=", "\nзаземление="})
        for (std::size_t at; (at = older.find(key)) != std::string::npos;)
            older.erase(at, older.find('\n', at + 1) - at);
    const ProjectReading olderReading = ReadProjectDocument(older);
    ASSERT_TRUE(olderReading.project) << olderReading.refusal;
    // Without the title block's lines: those fields empty, the earthing system at its default.
    EXPECT_EQ(olderReading.project->fields, ProjectFields{});
    EXPECT_EQ(olderReading.project->fields.earthing, "TN-C-S");
    for (int i = 0; i < 3; ++i) {
        PointRecord expected = ReadBack(report.records[i]);
        expected.minimum.reset();
        const PointRecord read = ReadBack(olderReading.project->records[i]);
        EXPECT_FALSE(read.minimum) << i;
        EXPECT_TRUE(SameRecord(read, expected)) << i;
    }
}

TEST(ProjectDocument, MorePointsThanAReportHoldsAreRefused)
{
    ReportRows rows(ProjectPointLimit, ReportRow{"К"});
    ASSERT_TRUE(ReadProjectDocument(WriteProjectDocument({}, rows, {})).project);
    rows.emplace_back(ReportRow{"К"});
    const ProjectReading reading = ReadProjectDocument(WriteProjectDocument({}, rows, {}));
    EXPECT_FALSE(reading.project);
    EXPECT_NE(reading.refusal.find("более 100\u00A0000"), std::string::npos) << reading.refusal;
}

TEST(PointRecalculation, TransformerChangeGivesTheCurrentOfTheChangedNetworkAndSkipsPointsWithoutRecord)
{
    Report report = SampleReport();
    UpstreamChange change;
    change.kind = UpstreamChange::Kind::Transformer;
    change.source = InitialNetworkDescription();
    change.source.TransPower = "100";
    change.source.WindKind = "Y/Y-0";

    const Recalculation recalculation = RecalculatePoints(report.rows, report.records, {0, 1, 3, 2, 99}, change);
    EXPECT_EQ(recalculation.skipped, 1);
    ASSERT_EQ(recalculation.changes.size(), 3u);
    EXPECT_EQ(recalculation.changes[2].row, 2);
    for (const PointChange& point : recalculation.changes) {
        SCOPED_TRACE(point.name);
        const PointRecord before = ReadBack(report.records[point.row]);
        NetworkDescription expected = before.network;
        expected.TransPower = "100";
        expected.WindKind = "Y/Y-0";
        const MadePoint direct = MakePoint(point.name, expected,
                                           Breaker(QString::fromStdString(before.deviceTexts.ratedCurrent),
                                                   QString::fromStdString(before.deviceTexts.release)),
                                           before.separators);
        ASSERT_TRUE(point.calculation.ok);
        EXPECT_EQ(point.oldCurrent, report.rows[point.row][9]);
        EXPECT_EQ(point.newCurrent, direct.row[9]);
        EXPECT_NE(point.newCurrent, point.oldCurrent);
        EXPECT_EQ(point.oldVerdict, before.verdict);
        EXPECT_EQ(point.newVerdict, direct.record.verdict);
        // Everything but the transformer stays as typed.
        EXPECT_EQ(point.calculation.record.network.Lines[0].Length, before.network.Lines[0].Length);
        EXPECT_EQ(point.calculation.record.network.RArc, before.network.RArc);
    }

    const ReportRows oldRows = report.rows;
    ApplyRecalculation(report.rows, report.records, recalculation);
    for (const PointChange& point : recalculation.changes)
        EXPECT_EQ(report.rows[point.row], CalculatePoint(point.name, point.calculation.record).row) << point.name;
    EXPECT_EQ(report.rows[0][9], recalculation.changes[0].newCurrent);
    EXPECT_EQ(report.rows[3], oldRows[3]);
    EXPECT_TRUE(report.records[3].empty());
    EXPECT_EQ(ReadBack(report.records[1]).network.TransPower, "100");
}

TEST(PointRecalculation, LongerFeederTurnsATripIntoNoTrip)
{
    Report report;
    const MadePoint near = MakePoint("К-1", Network("630", "10", "5"), Breaker("16", "5 (\"B\")"), Comma);
    ASSERT_EQ(near.record.verdict, "Срабатывание за нормативное время");
    report.rows.push_back(near.row);
    report.records.push_back(WritePointRecord(near.record));

    UpstreamChange change;
    change.kind = UpstreamChange::Kind::LeadingLines;
    change.lineCount = 2;
    change.source = Network("25", "900", "400", "0");
    change.source.Lines[2].Length = "77";   // beyond the first two: not taken
    const Recalculation recalculation = RecalculatePoints(report.rows, report.records, {0}, change);
    ASSERT_EQ(recalculation.changes.size(), 1u);
    const PointChange& point = recalculation.changes[0];
    ASSERT_TRUE(point.calculation.ok);
    EXPECT_EQ(point.newVerdict, "Несрабатывание за нормативное время");
    EXPECT_EQ(point.calculation.record.tripTime, "Тср > 0,4 с");
    EXPECT_EQ(point.calculation.record.network.Lines[0].Length, "900");
    EXPECT_EQ(point.calculation.record.network.Lines[2].Length, "0");
    EXPECT_EQ(point.calculation.record.network.TransPower, "630");
    EXPECT_EQ(point.calculation.record.network.RArc, "15");
    // The minimum current follows the longer feeder too.
    ASSERT_TRUE(near.record.minimum && point.calculation.record.minimum);
    EXPECT_TRUE(near.record.minimum->trips);
    EXPECT_FALSE(point.calculation.record.minimum->trips);
    EXPECT_LT(point.calculation.record.minimum->current, point.calculation.record.iokz);
}

TEST(PointRecalculation, MinimumCurrentIsFoundAgainWithThePointsOwnParametersOrTheSessionsWhenItHasNone)
{
    MinimumCurrentParameters own;
    own.cMin = 1.05;
    own.networkPower = 200;
    MadePoint kept = MakePoint("К-1", Network("250", "120", "35"), Breaker("16", "10 (\"C\")"), Comma);
    kept.record.minimum = CalculatePointMinimum(kept.record, CalculateShortCircuit(kept.record.network).result, own);
    MadePoint older = MakePoint("К-2", Network("630", "80.5", "12"), Breaker("25", "5 (\"B\")"), Point);
    older.record.minimum.reset();   // a point of a 1.0 document
    const ReportRows rows = {kept.row, older.row};
    const std::vector<std::string> records = {WritePointRecord(kept.record), WritePointRecord(older.record)};

    UpstreamChange change;
    change.kind = UpstreamChange::Kind::Transformer;
    change.source = Network("100", "0", "0");
    change.minimumParameters.cMin = 0.9;
    const Recalculation recalculation = RecalculatePoints(rows, records, {0, 1}, change);
    ASSERT_EQ(recalculation.changes.size(), 2u);
    for (const PointChange& point : recalculation.changes) {
        SCOPED_TRACE(point.name);
        ASSERT_TRUE(point.calculation.ok);
        const PointRecord& r = point.calculation.record;
        ASSERT_TRUE(r.minimum);
        const double cMin = point.row == 0 ? 1.05 : 0.9;
        EXPECT_EQ(r.minimum->parameters.cMin, cMin);
        EXPECT_EQ(r.minimum->parameters.networkPower, point.row == 0 ? 200 : 0);
        MinimumCurrentParameters expected = r.minimum->parameters;
        const MinimumCurrentResult direct =
            CalculateMinimumCurrent(r.network, point.calculation.result, expected, 0.4, r.device.TokSR);
        ASSERT_TRUE(direct.ok) << direct.message;
        EXPECT_EQ(r.minimum->current, direct.minimumCurrent);
        EXPECT_EQ(r.minimum->margin, direct.margin);
    }
    EXPECT_LT(recalculation.changes[0].calculation.record.minimum->current, kept.record.minimum->current);
}

// The minimum current of a point is judged as the window "Проверка" judges it: the device's
// normative time and fixed factor, whatever the session's parameters say of the factor.
struct MinimumDeviceCase {
    const char* name;
    int typeDD, timePP;
    double tokSR;
    double time, uteFactor, tripCurrent;
};
const MinimumDeviceCase MinimumDeviceCases[] = {
    {"Breaker", 1, 0, 160, 0.4, 1.25, 160},
    {"FuseFor5s", 2, 1, 300, 5, 1.5, 300},
    {"FuseFor04s", 2, 2, 300, 0.4, 1.5, 300},
    {"NoDevice", 2, 1, 0, 0.4, 1.25, 0},
};

class PointMinimumDevice : public ::testing::TestWithParam<MinimumDeviceCase> {};

TEST_P(PointMinimumDevice, TakesTheDevicesTimeFactorAndTripCurrent)
{
    const MinimumDeviceCase& c = GetParam();
    PointRecord record;
    record.network = Network("250", "120", "35");
    record.device.TypeDD = c.typeDD;
    record.device.TimePP = c.timePP;
    record.device.TokSR = c.tokSR;
    const CalculationOutcome outcome = CalculateShortCircuit(record.network);
    MinimumCurrentParameters session;
    session.heating = ConductorHeating::UteFactors;
    session.uteFactor = 1.9;
    const auto minimum = CalculatePointMinimum(record, outcome.result, session);
    ASSERT_TRUE(minimum);
    EXPECT_EQ(minimum->time, c.time);
    EXPECT_EQ(minimum->parameters.uteFactor, c.uteFactor);
    EXPECT_EQ(minimum->tripCurrent, c.tripCurrent);
    EXPECT_EQ(minimum->trips, c.tripCurrent > 0 && minimum->current >= c.tripCurrent);
    // Fixed factors on the 20 °C resistance: the current is c_min·U0 over the loop so raised.
    EXPECT_LT(minimum->current, outcome.result.Iokz * 0.95 * 230 / 231);

    PointRecord unknown = record;
    unknown.network.Lines[0].Length = "121";   // not the network of the result
    EXPECT_FALSE(CalculatePointMinimum(unknown, outcome.result, session));
}

INSTANTIATE_TEST_SUITE_P(Devices, PointMinimumDevice, ::testing::ValuesIn(MinimumDeviceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PointRecalculation, RefusedInputsLeaveThePointAsItWas)
{
    Report report = SampleReport();
    UpstreamChange change;
    change.kind = UpstreamChange::Kind::ArcResistance;
    change.source.RArc = "41";
    const Recalculation recalculation = RecalculatePoints(report.rows, report.records, {0}, change);
    ASSERT_EQ(recalculation.changes.size(), 1u);
    EXPECT_FALSE(recalculation.changes[0].calculation.ok);
    EXPECT_NE(recalculation.changes[0].calculation.failure.find("0..40"), std::string::npos);
    EXPECT_TRUE(recalculation.changes[0].newCurrent.empty());
    const Report before = report;
    ApplyRecalculation(report.rows, report.records, recalculation);
    EXPECT_EQ(report.rows, before.rows);
    EXPECT_EQ(report.records, before.records);
}

// The window's preview leaves the minimum current to "Применить", and reads each record once;
// what it finally writes is what the whole recalculation writes.
TEST(PointRecalculation, PreviewThenApplyWritesWhatTheWholeRecalculationWrites)
{
    const Report report = SampleReport();
    UpstreamChange change;
    change.kind = UpstreamChange::Kind::LeadingLines;
    change.source = Network("630", "40", "16");
    const std::vector<int> chosen = {0, 1, 2, 3};
    PointRecordCache cache;
    PreviewRecalculation(report.rows, report.records, chosen, change, cache);
    const Recalculation preview = PreviewRecalculation(report.rows, report.records, chosen, change, cache);
    for (const PointChange& point : preview.changes)
        EXPECT_TRUE(!point.calculation.record.minimum && point.calculation.pendingMinimum) << point.name;
    Report whole = report, previewed = report;
    ApplyRecalculation(whole.rows, whole.records, RecalculatePoints(report.rows, report.records, chosen, change));
    ApplyRecalculation(previewed.rows, previewed.records, preview);
    EXPECT_EQ(previewed.rows, whole.rows);
    EXPECT_EQ(previewed.records, whole.records);
    EXPECT_NE(whole.records, report.records);
}
