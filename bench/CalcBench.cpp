// Timing of one calculation on the worked networks, and of the number conversions it and the
// windows use.
#include <benchmark/benchmark.h>

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
