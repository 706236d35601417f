// A whole network description through the calculation. The input is the main window's texts,
// one per line, in the window's order: power, winding scheme, then for lines 1 to 6 the line
// type, material, phase section, neutral section, length and parallel count, then Rпр. Texts
// the input does not reach keep their initial values.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "Numbers.h"
#include "ShortCircuit.h"

namespace {

NetworkDescription NetworkFromInput(std::string_view input)
{
    NetworkDescription network = InitialNetworkDescription();
    std::vector<std::string*> fields{&network.TransPower, &network.WindKind};
    for (LineSection& line : network.Lines)
        for (std::string* field : {&line.KindPerform, &line.Stuff, &line.Ff, &line.Fn, &line.Length, &line.QuanPar})
            fields.push_back(field);
    fields.push_back(&network.RArc);

    std::size_t start = 0;
    for (std::string* field : fields) {
        if (start > input.size())
            break;
        const std::size_t end = std::min(input.find('\n', start), input.size());
        field->assign(input.substr(start, end - start));
        start = end + 1;
    }
    return network;
}

bool Finite(double v) { return std::isfinite(v); }

void CheckResult(const ShortCircuitResult& r)
{
    for (double v : {r.Rt, r.Xt, r.Zt, r.RLineSum, r.XLineSum, r.ZLineSum, r.Rother, r.Rsum, r.Xsum, r.Zsum, r.Iokz})
        FUZZ_CHECK(Finite(v));
    for (int n = 0; n < LineSectionCount; ++n) {
        FUZZ_CHECK(Finite(r.RLine[n]) && Finite(r.XLine[n]) && Finite(r.ZLine[n]));
        FUZZ_CHECK(r.RLine[n] >= 0 && r.XLine[n] >= 0 && r.ZLine[n] >= 0);
    }
    FUZZ_CHECK(r.Rt > 0 && r.Xt > 0);
    FUZZ_CHECK(r.Rother >= 0 && r.Rother <= 40);
    FUZZ_CHECK(r.Zsum > 0 && r.Zsum >= r.Rsum && r.Zsum >= r.Xsum);
    FUZZ_CHECK(r.Iokz > 0);
    FUZZ_CHECK(std::fabs(r.Iokz * r.Zsum - 231000) <= 231000 * 1e-12);

    // Everything the windows and the report write from a result.
    for (const NumberSeparators& separators : {NumberSeparators{".", " "}, NumberSeparators{",", "\u00a0"}}) {
        FUZZ_CHECK(!FormatCurrent(r.Iokz, separators).empty());
        for (double v : {r.Rsum, r.Xsum, r.Zsum, r.RLineSum, r.ZLine[5]})
            FUZZ_CHECK(!FormatGrouped(v, 2, separators).empty());
        FUZZ_CHECK(!FormatGrouped(r.Rother, 0, separators).empty());
        FUZZ_CHECK(!FormatGeneral(r.Rt, separators).empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const NetworkDescription network = NetworkFromInput(std::string_view(reinterpret_cast<const char*>(data), size));
    const CalculationOutcome outcome = CalculateShortCircuit(network);
    switch (outcome.status) {
    case CalculationStatus::Success:
        CheckResult(outcome.result);
        break;
    case CalculationStatus::InvalidPower:
    case CalculationStatus::Failed:
        FUZZ_CHECK(!outcome.message.empty());
        break;
    case CalculationStatus::Overflow:
        FUZZ_CHECK(outcome.message == "Floating point overflow");
        break;
    }
    // Nothing is kept between runs.
    const CalculationOutcome again = CalculateShortCircuit(network);
    FUZZ_CHECK(again.status == outcome.status && again.message == outcome.message);
    FUZZ_CHECK(again.result.Iokz == outcome.result.Iokz || std::isnan(outcome.result.Iokz));
    return 0;
}
