// Benchmarks of the report: reading and writing ".okz" documents, and loading a report into the
// window's grid, at 1,000 and 100,000 lines; and one edit of a large report in the window.
// The window benchmarks report the process's peak resident memory so far (peak_rss_MiB): run one
// alone (--benchmark_filter) for the figure of that load.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <cstdlib>
#include <sys/resource.h>

#include "OkzDocument.h"
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

}  // namespace

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
