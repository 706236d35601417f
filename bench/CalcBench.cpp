// Timing of one calculation on the worked networks, and of the number conversions it and the
// windows use.
#include <benchmark/benchmark.h>

#include "MaximumCurrent.h"
#include "MinimumCurrent.h"
#include "MinimumSelection.h"
#include "Numbers.h"
#include "ShortCircuit.h"

namespace {

NetworkDescription PaperCable(const char* count) {
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с бумажной изоляцией", "Алюминий", "95", "50", "100", count};
    return network;
}

NetworkDescription CableAndOverheadLine() {
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с ПВХ изоляцией", "Медь", "240", "120", "200", "нет"};
    network.Lines[1] = {"Воздушная", "Алюминий", "70", "70", "300", "нет"};
    network.RArc = "15";
    return network;
}

NetworkDescription SixLines() {
    NetworkDescription network = InitialNetworkDescription();
    for (LineSection& line : network.Lines) line = {"Кабель с ПВХ изоляцией", "Медь", "95", "50", "25.5", "2"};
    return network;
}

void Calculate(benchmark::State& state, const NetworkDescription& network) {
    for (auto _ : state) {
        CalculationOutcome outcome = CalculateShortCircuit(network);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK_CAPTURE(Calculate, InitialTexts, InitialNetworkDescription());
BENCHMARK_CAPTURE(Calculate, PaperCable, PaperCable("нет"));
BENCHMARK_CAPTURE(Calculate, PaperCableTwoParallel, PaperCable("2"));
BENCHMARK_CAPTURE(Calculate, CableAndOverheadLine, CableAndOverheadLine());
BENCHMARK_CAPTURE(Calculate, SixLines, SixLines());

// One full answer of "Проверка": the chain read (the calculation repeated to check it), the
// heating solved. The thin short core behind the largest transformer needs the most steps.
void MinimumCurrent(benchmark::State& state, const NetworkDescription& network, double time) {
    const ShortCircuitResult result = CalculateShortCircuit(network).result;
    for (auto _ : state) {
        MinimumCurrentResult answer = CalculateMinimumCurrent(network, result, {}, time, 176);
        benchmark::DoNotOptimize(answer);
    }
}
NetworkDescription FinalCircuit() {
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с ПВХ изоляцией", "Медь", "2.5", "2.5", "60", "нет"};
    return network;
}
NetworkDescription ThinCoreBehind2500() {
    NetworkDescription network = InitialNetworkDescription();
    network.TransPower = "2500";
    network.RArc = "0";
    network.Lines[0] = {"Кабель с ПВХ изоляцией", "Медь", "1.5", "1.5", "2", "нет"};
    return network;
}
// A core of almost no length: it heats until the ceiling stops it.
NetworkDescription RunawayStub() {
    NetworkDescription network = ThinCoreBehind2500();
    network.Lines[0].Length = "1e-300";
    return network;
}
BENCHMARK_CAPTURE(MinimumCurrent, FinalCircuit04s, FinalCircuit(), 0.4);
BENCHMARK_CAPTURE(MinimumCurrent, FinalCircuit5s, FinalCircuit(), 5.0);
BENCHMARK_CAPTURE(MinimumCurrent, SixLines5s, SixLines(), 5.0);
BENCHMARK_CAPTURE(MinimumCurrent, ThinCoreBehind2500Kva5s, ThinCoreBehind2500(), 5.0);
BENCHMARK_CAPTURE(MinimumCurrent, RunawayStub5s, RunawayStub(), 5.0);

// One full set of "Подбор" answers at the minimum current: bisection of every length and a pass
// over the offered sections, each point a full minimum-current calculation.
void SelectionAtMinimumCurrent(benchmark::State& state, const NetworkDescription& network) {
    const ShortCircuitResult result = CalculateShortCircuit(network).result;
    SelectionDevice device;
    device.kind = SelectionDevice::Kind::Breaker;
    device.tripCurrent = 176;
    device.safetyFactor = 1.1;
    device.releaseMultiple = 10;
    device.ratings = {6, 10, 16, 20, 25, 32, 40, 50, 63};
    for (auto _ : state) {
        SelectionAnswers answers = SelectParametersAtMinimumCurrent(network, result, device, {}, 0.4);
        benchmark::DoNotOptimize(answers);
    }
}
BENCHMARK_CAPTURE(SelectionAtMinimumCurrent, FinalCircuit, FinalCircuit())->Unit(benchmark::kMillisecond);

// One full answer of the maximum-current check: the chain read (the calculation repeated to check
// it), both methods at the default place and the capacity verdict.
void MaximumCurrent(benchmark::State& state, const NetworkDescription& network, double networkPower) {
    const ShortCircuitResult result = CalculateShortCircuit(network).result;
    const MaximumCurrentChain chain = ReadMaximumCurrentChain(network, result).chain;
    const MaximumCurrentParameters parameters{DefaultDevicePlace(chain), 1.05, networkPower};
    for (auto _ : state) {
        const MaximumCurrentResult answer = CalculateMaximumCurrent(network, result, parameters);
        BreakingVerdict verdict = JudgeBreakingCapacity(answer, 4.5, true);
        benchmark::DoNotOptimize(verdict);
    }
}
BENCHMARK_CAPTURE(MaximumCurrent, FinalCircuit, FinalCircuit(), 0.0);
BENCHMARK_CAPTURE(MaximumCurrent, SixLinesWithNetwork, SixLines(), 200.0);

void ParseDecimalText(benchmark::State& state, const char* text) {
    for (auto _ : state) benchmark::DoNotOptimize(ParseDecimal(text));
}
BENCHMARK_CAPTURE(ParseDecimalText, Short, "95");
BENCHMARK_CAPTURE(ParseDecimalText, Fraction, "1234.5678");
BENCHMARK_CAPTURE(ParseDecimalText, Exponent, "1.5e-3");

void ParseIntegerText(benchmark::State& state, const char* text) {
    for (auto _ : state) benchmark::DoNotOptimize(ParseInteger(text));
}
BENCHMARK_CAPTURE(ParseIntegerText, Decimal, "1600");
BENCHMARK_CAPTURE(ParseIntegerText, Hexadecimal, "$FA");

const NumberSeparators Russian{",", "\xC2\xA0"};

void FormatGroupedValue(benchmark::State& state, double value) {
    for (auto _ : state) benchmark::DoNotOptimize(FormatGrouped(value, 2, Russian));
}
BENCHMARK_CAPTURE(FormatGroupedValue, Impedance, 86.39866954994157);
BENCHMARK_CAPTURE(FormatGroupedValue, Thousands, 1234.567);
BENCHMARK_CAPTURE(FormatGroupedValue, Scientific, 1.5e20);

void FormatGeneralValue(benchmark::State& state, double value) {
    for (auto _ : state) benchmark::DoNotOptimize(FormatGeneral(value, Russian));
}
BENCHMARK_CAPTURE(FormatGeneralValue, Decimal, 32.26);
BENCHMARK_CAPTURE(FormatGeneralValue, Tiny, 1e-300);

void FormatCurrentValue(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(FormatCurrent(4027.4956, Russian));
}
BENCHMARK(FormatCurrentValue);

}  // namespace
