// Time to turn a large report into a workbook file, its figures as numbers.

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>

#include "Workbook.h"

namespace {

ReportRows LargeReport(int count)
{
    ReportRows rows;
    rows.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        rows.push_back({"ЩР-" + n, "1,23", "4,56", n + ",78", "3,21", "15", "1\u00A0234,57", "9,87", "1\u00A0245,61",
                        "17" + n.substr(0, 2), "250", "Тср < 0,4 с"});
    }
    return rows;
}

void BM_ExportReportToWorkbook(benchmark::State& state)
{
    const ReportRows rows = LargeReport(int(state.range(0)));
    QTemporaryDir folder;
    for (auto _ : state) {
        const TransferBlock block = BuildTransferBlock(rows);
        const QString path = WriteWorkbook(block, folder.path(), SheetNumbers(NumberSeparators{",", "\u00A0"}, block));
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ExportReportToWorkbook)->Arg(14)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
