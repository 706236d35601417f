// The calculation note as a PDF, read back with poppler's tools: every figure of every point is
// in the text, each sheet says "Лист N из M" with the right numbers, every font is embedded and
// no word leaves the frame, whatever the length of names and numbers.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "NoteRenderer.h"
#include "NoteTitleBlock.h"
#include "PointRecalculation.h"
#include "NoteTestPoints.h"

namespace {

// Output of a poppler tool; the test fails when it cannot run.
QString Poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Text with every run of blanks (no-break spaces and line ends too) made one space, so that a
// cell's text wrapped over lines reads as one.
QString Collapsed(QString text)
{
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    return text.simplified();
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

class NotePdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (const char* tool : {"pdftotext", "pdffonts"})
            ASSERT_FALSE(QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                << tool << " is missing: poppler-utils (scripts/install-deps.sh)";
    }

    QString Write(const CalculationNote& note)
    {
        const QString path = dir.filePath(QStringLiteral("note %1.pdf").arg(++count));
        written = WriteCalculationNotePdf(note, path);
        // The notes for a look by eye: ZORANT_PICTURES=<folder>.
        if (const QString folder = qEnvironmentVariable("ZORANT_PICTURES"); !folder.isEmpty())
            QFile::copy(path, QDir(folder).filePath(QStringLiteral("%1 %2.pdf")
                                                        .arg(QString::fromLatin1(::testing::UnitTest::GetInstance()
                                                                                     ->current_test_info()
                                                                                     ->name()))
                                                        .arg(count)));
        return path;
    }

    // The pages' texts as `pdftotext -layout` gives them.
    QStringList Pages(const QString& pdf)
    {
        QStringList pages = Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                                .split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

    // The words of each page with their boxes in millimetres.
    struct Word {
        QString text;
        double x1, y1, x2, y2;
    };
    std::vector<std::vector<Word>> Words(const QString& pdf)
    {
        const QString boxes = Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        const QRegularExpression word(QStringLiteral(
            "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
        constexpr double Mm = 25.4 / 72;
        std::vector<std::vector<Word>> pages;
        for (const QString& page : boxes.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1)) {
            std::vector<Word>& words = pages.emplace_back();
            for (auto it = word.globalMatch(page); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                words.push_back({m.captured(5), m.captured(1).toDouble() * Mm, m.captured(2).toDouble() * Mm,
                                 m.captured(3).toDouble() * Mm, m.captured(4).toDouble() * Mm});
            }
        }
        return pages;
    }

    // Every word of `caption` stands inside `cell`.
    static bool InCell(const std::vector<Word>& words, const QString& caption, const TitleCell& cell)
    {
        for (const QString& part : caption.split(QLatin1Char(' '))) {
            const bool found = std::any_of(words.begin(), words.end(), [&](const Word& w) {
                return w.text == part && w.x1 >= cell.x - 0.2 && w.x2 <= cell.x + cell.w + 0.2 && w.y1 >= cell.y - 0.2
                       && w.y2 <= cell.y + cell.h + 0.2;
            });
            if (!found)
                return false;
        }
        return true;
    }

    // Each sheet's number stands in the block's sheet cell; the first sheet's block also gives the count.
    void ExpectSheetNumbers(const QString& pdf)
    {
        const auto pages = Words(pdf);
        EXPECT_EQ(int(pages.size()), written);
        for (size_t p = 0; p < pages.size(); ++p) {
            const TitleCell cell = p == 0 ? FirstBlockCell(QStringLiteral("лист")) : OtherBlockCell(QStringLiteral("лист"));
            EXPECT_TRUE(InCell(pages[p], QString::number(p + 1), cell)) << "page " << p + 1;
        }
        if (!pages.empty()) {
            EXPECT_TRUE(InCell(pages[0], QString::number(pages.size()), FirstBlockCell(QStringLiteral("листов"))));
        }
    }

    void ExpectFontsEmbedded(const QString& pdf)
    {
        const QStringList lines = Poppler(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_GT(lines.size(), 2) << "no fonts listed";
        for (int i = 2; i < lines.size(); ++i) {
            const QStringList columns = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
            ASSERT_GE(columns.size(), 6);
            // name, type (one or two words), encoding, emb, sub, uni, object number, generation
            EXPECT_EQ(columns[columns.size() - 5], QStringLiteral("yes")) << lines[i].toStdString();
            EXPECT_TRUE(lines[i].contains(QStringLiteral("Liberation"))) << lines[i].toStdString();
        }
    }

    // Every word's box lies inside the frame (20 mm left, 5 mm elsewhere) of its A4 page, but the
    // captions of the binding margin's additional columns (8 to 13 mm from the left, below 207 mm).
    void ExpectWordsInsideTheFrame(const QString& pdf)
    {
        const QString boxes = Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        const QRegularExpression word(QStringLiteral(
            "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
        constexpr double Point = 72 / 25.4;
        int words = 0;
        for (auto it = word.globalMatch(boxes); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            ++words;
            const std::string text = m.captured(5).toStdString();
            if (m.captured(1).toDouble() >= 8 * Point && m.captured(3).toDouble() <= 13 * Point
                && m.captured(2).toDouble() >= 207 * Point && m.captured(4).toDouble() <= 292 * Point)
                continue;
            EXPECT_GE(m.captured(1).toDouble(), 20 * Point) << text;
            EXPECT_LE(m.captured(3).toDouble(), 205 * Point) << text;
            EXPECT_GE(m.captured(2).toDouble(), 5 * Point) << text;
            EXPECT_LE(m.captured(4).toDouble(), 292 * Point) << text;
        }
        EXPECT_GT(words, 100);
    }

    QTemporaryDir dir;
    int count = 0;
    int written = 0;  // the pages the writer reported for the last note
};

CalculationNote FewPoints(std::vector<NotePoint>& points)
{
    NetworkDescription twoSections = CableNetwork("2");
    twoSections.Lines[1] = {"Кабель с ПВХ изоляцией", "Медь", "240", "120", "200", "нет"};
    twoSections.RArc = "15";
    points = {CalculatedPoint("К-1", CableNetwork(), 1760), CalculatedPoint("ЩР-2", twoSections, 2500),
              CalculatedPoint("К-3", InitialNetworkDescription(), 550), RowOnlyPoint("К-4 из документа", "Тср > 0,4 с")};
    PointRecord record;
    record.network = CableNetwork();
    record.device.TypeDD = 1;
    record.device.TokSR = 1760;
    points[0].minimum = CalculatePointMinimum(record, points[0].inputs->result, {});
    return BuildCalculationNote(points, {"Жилой дом", "Петров", "10.12.2026"}, {Russian});
}

}  // namespace

// Every input, impedance, current and verdict of each point is in the PDF's text.
TEST_F(NotePdf, HoldsEveryFigureOfEveryPoint)
{
    std::vector<NotePoint> points;
    const QString pdf = Write(FewPoints(points));
    const QStringList pages = Pages(pdf);
    ASSERT_GE(pages.size(), 3);
    ExpectSheetNumbers(pdf);
    ExpectFontsEmbedded(pdf);
    const QString text = Collapsed(pages.join(QLatin1Char(' ')));

    for (const char* part : {"Расчетная записка", "Жилой дом", "Петров", "10.12.2026", "Таблица 1 —", "Рисунок 1 —",
                             "2 Методика расчета", "3 Сводная таблица результатов", "ГОСТ 28249-93"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    for (const NotePoint& point : points) {
        const std::string name = point.row[0];
        EXPECT_TRUE(text.contains(QStringLiteral("Точка «") + Q(name) + QStringLiteral("»"))) << name;
        for (int c = 1; c + 1 < ReportColumnCount; ++c)  // the report row: every impedance, current, Iср
            EXPECT_TRUE(text.contains(Collapsed(Q(point.row[size_t(c)])))) << name << ": " << point.row[size_t(c)];
        if (!point.inputs) {
            EXPECT_TRUE(text.contains(QStringLiteral("Исходные данные точки не известны")));
            continue;
        }
        const NetworkDescription& network = point.inputs->network;
        EXPECT_TRUE(text.contains(QStringLiteral("мощность %1 кВ·А, схема соединения обмоток «%2»")
                                      .arg(Q(network.TransPower), Q(network.WindKind))))
            << name;
        EXPECT_TRUE(text.contains(QStringLiteral("Rпр = ") + Q(network.RArc) + QStringLiteral(" мОм"))) << name;
        const ShortCircuitResult& r = point.inputs->result;
        for (int s = 0; s < LineSectionCount; ++s) {
            const LineSection& line = network.Lines[size_t(s)];
            if (r.ZLine[size_t(s)] == 0)
                continue;
            for (const std::string& input : {line.KindPerform, line.Stuff, line.Length})
                EXPECT_TRUE(text.contains(Q(input))) << name << ": " << input;
            EXPECT_TRUE(text.contains(QStringLiteral("Sф / Sн = %1 / %2 мм²").arg(Q(line.Ff), Q(line.Fn)))) << name;
            for (const double value : {r.RLine[size_t(s)], r.XLine[size_t(s)], r.ZLine[size_t(s)]})
                EXPECT_TRUE(text.contains(Collapsed(Q(FormatGrouped(value, 2, Russian))))) << name << ": " << value;
        }
        for (const double value : {r.Rt, r.Xt, r.Zt, r.Zt / 3, r.ZLineSum, r.Rsum, r.Xsum, r.Zsum})
            EXPECT_TRUE(text.contains(Collapsed(Q(FormatGrouped(value, 2, Russian))))) << name << ": " << value;
    }
    EXPECT_TRUE(text.contains(QStringLiteral("— несрабатывание за нормативное время")));
    EXPECT_TRUE(text.contains(QStringLiteral("* ЩР-2")));
    // К-1 keeps its minimum current: in the summary's column and in its section.
    const PointMinimumCurrent& minimum = points[0].minimum.value();
    EXPECT_TRUE(text.contains(QStringLiteral("Iк1 min, А")));
    EXPECT_TRUE(text.contains(QStringLiteral("Iк1 min = ") + Q(FormatCurrent(minimum.current, Russian)) +
                              QStringLiteral(" А; Iк1 min / Iср =")));
    EXPECT_TRUE(text.contains(QStringLiteral("cmin·U0 = 0,95·230 = 218,5 В")));
    ExpectWordsInsideTheFrame(pdf);
}

// Long names without a break and huge numbers wrap inside their cells and stay on the sheet;
// many points run over many sheets, each numbered.
TEST_F(NotePdf, LongNamesAndManyPointsStayInsideTheFrame)
{
    const std::string longName = "Распределительный_щит_ЩР-" + std::string(40, '7') + "_этаж_12_секция_Б";
    std::vector<NotePoint> points;
    for (int i = 0; i < 40; ++i)
        points.push_back(CalculatedPoint(i == 3 ? longName : "К-" + std::to_string(i + 1), CableNetwork(), 1000));
    // A name longer than a sheet holds: its summary row goes on over the next sheets.
    std::string endless;
    for (int i = 0; i < 400; ++i)
        endless += "щит" + std::to_string(i) + " ";
    endless += "конец";
    points.push_back(CalculatedPoint(endless, CableNetwork(), 1000));
    NetworkDescription huge = CableNetwork();
    huge.Lines[0].Length = "12345678901234567890";
    huge.Lines[0].KindPerform = "Воздушная";
    huge.Lines[0].Ff = huge.Lines[0].Fn = "70";
    points.push_back(CalculatedPoint("Огромная длина", huge, 1000));
    const CalculationNote note = BuildCalculationNote(
        points, {std::string(30, 'W') + " объект с очень длинным наименованием, " + std::string(200, 'x'), longName, "01.01.2027"},
        {Russian});
    const QString pdf = Write(note);
    const QStringList pages = Pages(pdf);
    EXPECT_GT(pages.size(), 20);
    ExpectSheetNumbers(pdf);
    ExpectWordsInsideTheFrame(pdf);
    QString all = pages.join(QString());
    all.remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(all.contains(Q(longName)));
    EXPECT_TRUE(all.contains(QStringLiteral("12345678901234567890")));
    QString endlessText = Q(endless);
    endlessText.remove(QLatin1Char(' '));
    // Whole in the heading and the chain's caption; the summary row runs over three sheets and
    // more, each part under "Продолжение таблицы 3" and the repeated header.
    EXPECT_GE(all.count(endlessText), 2);
    EXPECT_GE(all.count(QStringLiteral("Продолжениетаблицы3")), 3);
}

TEST_F(NotePdf, EmptyReportGivesAMethodSheet)
{
    const QString pdf = Write(BuildCalculationNote({}, {}, {Russian}));
    const QStringList pages = Pages(pdf);
    ASSERT_GE(pages.size(), 1);
    ExpectSheetNumbers(pdf);
    ExpectFontsEmbedded(pdf);
    EXPECT_TRUE(Collapsed(pages.join(QLatin1Char(' '))).contains(QStringLiteral("В отчете нет точек короткого замыкания")));
}

// A note that cannot be written leaves the earlier file as it was.
TEST_F(NotePdf, UnwritableFileThrowsAndLeavesNothing)
{
    const QString missing = dir.filePath(QStringLiteral("нет такой папки/note.pdf"));
    EXPECT_THROW(WriteCalculationNotePdf(BuildCalculationNote({}, {}, {Russian}), missing), std::runtime_error);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// The title blocks of ГОСТ Р 21.101-2020 forms 5 and 6: each caption and each project field in
// the cell the standard gives it, the program's name nowhere in the organisation's place.
TEST_F(NotePdf, TitleBlocksFollowTheStandardsForms)
{
    std::vector<NotePoint> points;
    CalculationNote note = FewPoints(points);
    note.project.designation = "12-2026-ЭМ.РР";
    note.project.stage = "П";
    note.project.organisation = "ООО Проект";
    note.project.checker = "Сидоров";
    note.project.normController = "Кузнецов";
    note.project.approver = "Орлов";
    const auto pages = Words(Write(note));
    ASSERT_GE(pages.size(), 2u);
    struct Expected {
        const char* text;
        const char* cell;   // the caption's own cell when empty
        bool first;         // on the first sheet's block, else on the following sheets'
    };
    const Expected expected[] = {
        {"Изм.", "", true},        {"Кол.уч.", "", true},     {"Лист", "", true},   {"№ док.", "", true},
        {"Подп.", "", true},       {"Дата", "", true},        {"Разраб.", "", true}, {"Пров.", "", true},
        {"Н. контр.", "", true},   {"Утв.", "", true},        {"Стадия", "", true}, {"Листов", "", true},
        {"Лист", "Лист документа", true},
        {"12-2026-ЭМ.РР", "обозначение", true},               {"П", "стадия", true},
        {"ООО Проект", "организация", true},                  {"Расчет токов", "наименование", true},
        {"Изм.", "", false},       {"Кол.уч.", "", false},    {"Лист", "", false},  {"№ док.", "", false},
        {"Подп.", "", false},      {"Дата", "", false},       {"12-2026-ЭМ.РР", "обозначение", false},
    };
    for (const Expected& e : expected) {
        const QString text = QString::fromUtf8(e.text);
        const QString cell = *e.cell ? QString::fromUtf8(e.cell) : text;
        EXPECT_TRUE(InCell(pages[e.first ? 0 : 1], text, e.first ? FirstBlockCell(cell) : OtherBlockCell(cell)))
            << e.text << (e.first ? " (first sheet)" : " (following sheet)");
    }
    // The surnames beside their roles.
    for (const auto& [role, name] : {std::pair{"Разраб.", "Петров"}, std::pair{"Пров.", "Сидоров"},
                                     std::pair{"Н. контр.", "Кузнецов"}, std::pair{"Утв.", "Орлов"}}) {
        TitleCell cell = FirstBlockCell(QString::fromUtf8(role));
        cell.x += 20;
        EXPECT_TRUE(InCell(pages[0], QString::fromUtf8(name), cell)) << name;
    }
    const TitleCell organisation = FirstBlockCell(QStringLiteral("организация"));
    for (const Word& w : pages[0])
        if (w.x1 >= organisation.x && w.y1 >= organisation.y && w.x2 <= organisation.x + organisation.w) {
            EXPECT_FALSE(w.text.contains(QStringLiteral("Зорант"))) << w.text.toStdString();
        }
    // The binding margin's columns on every sheet.
    for (const auto& page : {pages[0], pages[1]})
        for (const char* caption : {"Инв.", "подл.", "Подп.", "дата", "Взам."})
            EXPECT_TRUE(std::any_of(page.begin(), page.end(), [&](const Word& w) {
                return w.text == QString::fromUtf8(caption) && w.x2 <= 13.2 && w.x1 >= 7.8;
            })) << caption;
}
