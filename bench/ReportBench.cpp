// Benchmarks of the report: reading and writing ".okz" documents, and loading a report into the
// window's grid, at 1,000 and 100,000 lines; one edit of a large report in the window; saving and
// opening a project of 100,000 points through its files; recalculating 10,000 points, whole and
// as the recalculation window previews and applies it.
// The window benchmarks report the process's peak resident memory so far (peak_rss_MiB): run one
// alone (--benchmark_filter) for the figure of that load.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdlib>
#include <sys/resource.h>

#include "Dialogs.h"
#include "OkzDocument.h"
#include "PointRecalculation.h"
#include "ReportFiles.h"
#include "ReportTable.h"
#include "ReportUnit.h"

namespace {

ReportRows SampleRows(int count)
{
    ReportRows rows(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r)
        rows[r] = ReportRow{"К-" + std::to_string(r), "5,20", "15,20", "30,15", "1,60", "15", "50,35", "16,80",
                            "1\u00A0234,57", "4352", "750", "Тср < 5 с"};
    return rows;
}

void BM_ReadOkzDocument(benchmark::State& state)
{
    const std::string document = WriteOkzDocument(SampleRows(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadOkzDocument(document));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}

void BM_WriteOkzDocument(benchmark::State& state)
{
    const ReportRows rows = SampleRows(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteOkzDocument(rows));
}

double PeakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// A document's bytes read and shown in the report window: the grid takes the rows, the view is
// scrolled to the end and painted. Rows of figures, or bare line ends (the most rows for the bytes).
void LoadIntoReportWindow(benchmark::State& state, const std::string& document)
{
    TReportForm form;
    form.show();
    for (auto _ : state) {
        form.ReplaceRows(ReportRows());  // start from an empty window every time
        QApplication::processEvents();
        form.ReplaceRows(ReadOkzDocument(document).lines);
        form.ReportStringGrid->scrollToBottom();
        QApplication::processEvents();
    }
    state.counters["peak_rss_MiB"] = PeakResidentMiB();
}

void BM_LoadIntoReportWindow(benchmark::State& state)
{
    // Made first: the sample rows must not outlive the document's making.
    const std::string document = WriteOkzDocument(SampleRows(static_cast<int>(state.range(0))));
    LoadIntoReportWindow(state, document);
}

void BM_LoadLineEndsIntoReportWindow(benchmark::State& state)
{
    LoadIntoReportWindow(state, std::string(static_cast<std::size_t>(state.range(0)), '\n'));
}

// One edit of a large report shown in the window: a row deleted near the top and a point added.
void BM_EditLargeReportWindow(benchmark::State& state)
{
    TReportForm form;
    form.show();
    form.ReplaceRows(SampleRows(static_cast<int>(state.range(0))));
    QApplication::processEvents();
    for (auto _ : state) {
        SelectedRow = 1;
        SelectedCol = 0;
        form.DeleteReportButtonClick();
        form.AddPoint(ReportRow{"new"});
        QApplication::processEvents();
    }
}

// A report of `count` points, each with its record, made as "Добавить в отчет..." makes them.
struct SampleProject {
    ReportRows rows;
    std::vector<std::string> records;
};
SampleProject MakeSampleProject(int count)
{
    SampleProject project;
    project.rows.reserve(static_cast<std::size_t>(count));
    project.records.reserve(static_cast<std::size_t>(count));
    PointRecord record;
    record.network = InitialNetworkDescription();
    record.network.Lines[0] = {"Кабель с бумажной изоляцией", "Алюминий", "95", "50", "", "нет"};
    record.network.Lines[1] = {"Кабель с ПВХ изоляцией", "Медь", "4", "4", "", "нет"};
    record.network.RArc = "15";
    record.device.TypeDD = 1;
    record.device.TokAVnom = 16;
    record.device.KNR = 10;
    record.device.KZAV = 1.1;
    record.device.TokSR = 176;
    record.deviceTexts = {true, "16", "10 (\"C\")", false, "1.1", "ППН", "100", "1.0", "Тср < 5 с"};
    record.separators = {",", "\u00A0"};
    for (int p = 0; p < count; ++p) {
        record.network.Lines[0].Length = std::to_string(20 + p % 300) + ".5";
        record.network.Lines[1].Length = std::to_string(5 + p % 40);
        PointCalculation point = CalculatePoint("К-" + std::to_string(p + 1), record);
        project.rows.push_back(point.row);
        project.records.push_back(WritePointRecord(point.record));
    }
    return project;
}

// File dialogs that answer with one name; no box is expected.
class NamedFileDialogs final : public Dialogs {
public:
    explicit NamedFileDialogs(QString name) : name_(std::move(name)) { SetDialogs(this); }
    ~NamedFileDialogs() override { SetDialogs(nullptr); }
    void Message(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool Question(const QString&) override { return true; }
    void Error(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    std::optional<QString> SaveFileName(QWidget*, const QString&) override { return name_; }
    std::optional<QString> OpenFileName(QWidget*, const QString&) override { return name_; }
    std::optional<QString> SaveProjectFileName(QWidget*, const QString&) override { return name_; }
    std::optional<QString> OpenProjectFileName(QWidget*, const QString&) override { return name_; }
    Answer YesNoCancel(const QString&) override { return Answer::Yes; }
    void ShowHelp(const QString&, int) override {}

private:
    QString name_;
};

void BM_SaveProject(benchmark::State& state)
{
    const SampleProject project = MakeSampleProject(static_cast<int>(state.range(0)));
    QTemporaryDir folder;
    NamedFileDialogs dialogs(folder.filePath(QStringLiteral("sample.zpr")));
    for (auto _ : state) {
        QString name;
        if (!SaveProjectDocument(nullptr, {"Объект", "Автор"}, project.rows, project.records, name))
            state.SkipWithError("not saved");
    }
    state.counters["peak_rss_MiB"] = PeakResidentMiB();
}

void BM_OpenProject(benchmark::State& state)
{
    QTemporaryDir folder;
    NamedFileDialogs dialogs(folder.filePath(QStringLiteral("sample.zpr")));
    {
        const SampleProject project = MakeSampleProject(static_cast<int>(state.range(0)));
        QString name;
        SaveProjectDocument(nullptr, {}, project.rows, project.records, name);
    }
    for (auto _ : state) {
        QString name;
        const std::optional<Project> project = LoadProjectDocument(nullptr, name);
        if (!project || project->rows.size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("not opened");
    }
    state.counters["peak_rss_MiB"] = PeakResidentMiB();
}

void BM_RecalculatePoints(benchmark::State& state)
{
    const SampleProject project = MakeSampleProject(static_cast<int>(state.range(0)));
    std::vector<int> chosen(project.rows.size());
    for (std::size_t r = 0; r < chosen.size(); ++r)
        chosen[r] = static_cast<int>(r);
    UpstreamChange change;
    change.kind = UpstreamChange::Kind::Transformer;
    change.source = InitialNetworkDescription();
    change.source.TransPower = "400";
    for (auto _ : state)
        benchmark::DoNotOptimize(RecalculatePoints(project.rows, project.records, chosen, change));
}

// What the window "Пересчет точек" does with them: a preview ("Рассчитать") with the records it
// keeps from the previous one, the first preview (every record read from its text), and
// "Применить" of a preview (the minimum currents found, rows and records written).
UpstreamChange TransformerChange()
{
    UpstreamChange change;
    change.kind = UpstreamChange::Kind::Transformer;
    change.source = InitialNetworkDescription();
    change.source.TransPower = "400";
    return change;
}

std::vector<int> EveryRow(const SampleProject& project)
{
    std::vector<int> chosen(project.rows.size());
    for (std::size_t r = 0; r < chosen.size(); ++r)
        chosen[r] = static_cast<int>(r);
    return chosen;
}

void BM_PreviewRecalculation(benchmark::State& state)
{
    const SampleProject project = MakeSampleProject(static_cast<int>(state.range(0)));
    const std::vector<int> chosen = EveryRow(project);
    PointRecordCache cache;
    PreviewRecalculation(project.rows, project.records, chosen, TransformerChange(), cache);
    for (auto _ : state)
        benchmark::DoNotOptimize(PreviewRecalculation(project.rows, project.records, chosen, TransformerChange(), cache));
}

void BM_FirstPreviewRecalculation(benchmark::State& state)
{
    const SampleProject project = MakeSampleProject(static_cast<int>(state.range(0)));
    const std::vector<int> chosen = EveryRow(project);
    for (auto _ : state) {
        PointRecordCache cache;
        benchmark::DoNotOptimize(PreviewRecalculation(project.rows, project.records, chosen, TransformerChange(), cache));
    }
}

void BM_ApplyRecalculation(benchmark::State& state)
{
    const SampleProject project = MakeSampleProject(static_cast<int>(state.range(0)));
    PointRecordCache cache;
    const Recalculation preview =
        PreviewRecalculation(project.rows, project.records, EveryRow(project), TransformerChange(), cache);
    for (auto _ : state) {
        ReportRows rows = project.rows;
        std::vector<std::string> records = project.records;
        ApplyRecalculation(rows, records, preview);
        benchmark::DoNotOptimize(rows);
    }
}

}  // namespace

BENCHMARK(BM_SaveProject)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenProject)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecalculatePoints)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewRecalculation)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPreviewRecalculation)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyRecalculation)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOkzDocument)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteOkzDocument)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIntoReportWindow)->Arg(1000)->Arg(OkzDocumentLineLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLineEndsIntoReportWindow)->Arg(OkzDocumentLineLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditLargeReportWindow)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
