// Time to build and render the calculation note of a large report as a PDF.
// With --sample=<file.pdf> it writes instead the note of a few example points, with their minimum
// current (the README's pictures are its first pages).

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "CalculationNote.h"
#include "NoteRenderer.h"
#include "PointRecalculation.h"
#include "ReportTable.h"

namespace {

const NumberSeparators Russian{",", "\u00A0"};

// A point as the program keeps it: its record with a C breaker of `rated` A (k = 10, Кз = 1.1) and
// its minimum current, made into the note's point as a project's points are.
NotePoint Point(const std::string& name, const NetworkDescription& network, double rated)
{
    PointRecord record;
    record.network = network;
    // Iср formed as the device window forms it, so that "Подбор" recognises the breaker.
    record.device = ProtectiveDeviceSettings{rated, 10, 1.1, 0, 0, 0, 0, static_cast<double>(static_cast<long double>(rated) * 10 * 1.1), 1};
    record.deviceTexts = {true, FormatGeneral(rated, Russian), "10 (\"C\")", false, "1,1", "ППН", "100", "1,3", "Тср < 5 с"};
    const CalculationOutcome outcome = CalculateShortCircuit(network);
    const bool trips = outcome.result.Iokz >= record.device.TokSR;
    record.tripTime = trips ? "Тср < 0,4 с" : "Тср > 0,4 с";
    record.verdict = trips ? "Срабатывание за нормативное время" : "Несрабатывание за нормативное время";
    record.iokz = outcome.result.Iokz;
    record.separators = Russian;
    record.minimum = CalculatePointMinimum(record, outcome.result, MinimumCurrentParameters{});
    return NotePointFromRecord(MakePointRow(name, outcome.result, record.device.TokSR, record.tripTime, Russian), record);
}

// Point i: a paper cable 95/50 from the transformer and a PVC cable whose length grows with i.
NotePoint LargeReportPoint(int i)
{
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с бумажной изоляцией", "Алюминий", "95", "50", "60", "2"};
    network.Lines[1] = {"Кабель с ПВХ изоляцией", "Медь", "16", "16", std::to_string(20 + i % 300), "нет"};
    network.RArc = "15";
    return Point("ЩР-" + std::to_string(i + 1), network, 100);
}

std::vector<NotePoint> SamplePoints()
{
    NetworkDescription cable = InitialNetworkDescription();
    cable.Lines[0] = {"Кабель с бумажной изоляцией", "Алюминий", "95", "50", "100", "нет"};
    NetworkDescription chain = cable;
    chain.Lines[0].QuanPar = "2";
    chain.Lines[1] = {"Кабель с ПВХ изоляцией", "Медь", "240", "120", "200", "нет"};
    chain.Lines[2] = {"Воздушная", "Алюминий", "70", "70", "300", "нет"};
    chain.RArc = "15";
    // The second point's breaker is too large for its minimum current: the conclusion lists it.
    std::vector<NotePoint> points = {Point("К-1", cable, 100), Point("Щит освещения ЩО-2, 3-й этаж, секция Б", chain, 100),
                                     Point("К-3", InitialNetworkDescription(), 100)};
    points.push_back({{"К-4 из документа", "10,75", "26,72", "95,40", "12,27", "40", "146,15", "38,99", "151,26",
                       "1527", "1000", "Тср < 0,4 с"},
                      std::nullopt,
                      std::nullopt});
    return points;
}

void BM_RenderCalculationNote(benchmark::State& state)
{
    std::vector<NotePoint> points;
    for (int i = 0; i < state.range(0); ++i)
        points.push_back(LargeReportPoint(i));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("note.pdf"));
    int pages = 0;
    for (auto _ : state) {
        const CalculationNote note = BuildCalculationNote(points, {"Жилой квартал", "Иванов", "10.12.2026"}, {Russian});
        pages = WriteCalculationNotePdf(note, path);
    }
    state.counters["pages"] = pages;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_RenderCalculationNote)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const char* const sample = "--sample=";
    if (argc == 2 && std::strncmp(argv[1], sample, std::strlen(sample)) == 0) {
        const CalculationNote note = BuildCalculationNote(
            SamplePoints(),
            {"Жилой дом со встроенными помещениями, корпус 2", "Иванов И. И.", "10.12.2026", "TN-C-S", "12-2026-ЭМ.РР",
             "П", "ООО «Проектное бюро»", "Петров П. П.", "Сидоров С. С.", "Кузнецов К. К."},
            {Russian});
        WriteCalculationNotePdf(note, QString::fromLocal8Bit(argv[1] + std::strlen(sample)));
        return EXIT_SUCCESS;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
