// Timing of one full set of "Подбор" answers: margin, largest rating, and the greatest length
// and smallest section of every line section.
#include <benchmark/benchmark.h>

#include "Selection.h"

namespace {

NetworkDescription SixLines()
{
    NetworkDescription network = InitialNetworkDescription();
    for (LineSection& line : network.Lines)
        line = {"Кабель с ПВХ изоляцией", "Медь", "95", "50", "25.5", "2"};
    network.Lines[5] = {"Воздушная", "Алюминий", "70", "70", "300", "нет"};
    return network;
}

// The breaker of the device window's initial texts: 16 A, multiple 10, Kз 1.1.
SelectionDevice Breaker()
{
    SelectionDevice device;
    device.kind = SelectionDevice::Kind::Breaker;
    device.tripCurrent = 176;
    device.safetyFactor = 1.1;
    device.releaseMultiple = 10;
    device.ratings = {1,  2,  3,  4,   5,   6,   8,   10,  13,  16,  20,   25,   32,   40,  50,
                      63, 80, 100, 125, 160, 200, 250, 320, 400, 630, 800, 1000, 1250, 1600};
    return device;
}

// Fuse ППН 63 A, 5 s, Kз 1.1.
SelectionDevice Fuse()
{
    SelectionDevice device;
    device.kind = SelectionDevice::Kind::Fuse;
    device.tripCurrent = 363.00000000000006;
    device.safetyFactor = 1.1;
    device.ratings = {2,   4,   6,   10,  16,  20,  25,  32,  40,  50,  63,   80,
                      100, 125, 160, 200, 250, 315, 400, 500, 630, 800, 1000, 1250};
    device.tableCurrents = {9,   19,  28,   44,   54,   58,   110,  150,  190,  260,  330,  420,
                            600, 700, 1000, 1200, 1600, 2000, 2800, 3500, 4800, 7000, 8000, 12000};
    return device;
}

void Answers(benchmark::State& state, const NetworkDescription& network, const SelectionDevice& device)
{
    const ShortCircuitResult result = CalculateShortCircuit(network).result;
    for (auto _ : state) {
        SelectionAnswers answers = SelectParameters(network, result, device);
        benchmark::DoNotOptimize(answers);
    }
}
BENCHMARK_CAPTURE(Answers, SixLinesBreaker, SixLines(), Breaker());
BENCHMARK_CAPTURE(Answers, SixLinesFuse, SixLines(), Fuse());

}  // namespace

BENCHMARK_MAIN();
