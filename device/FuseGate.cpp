#include "FuseGate.h"

#include <cmath>

#include "DeviceRules.h"

const std::array<GgGate, 24> GgGates = {{
    // rating, Imin(10 s), Imax(5 s), Imin(0.1 s), Imax(0.1 s)
    {2, 3.7, 9.2, 6.0, 23},        {4, 7.8, 18.5, 14, 47},        {6, 11, 28, 26, 72},
    {10, 22, 46, 58, 104},         {16, 33, 65, 85, 150},         {20, 42, 85, 110, 200},
    {25, 52, 110, 150, 260},       {32, 75, 150, 200, 350},       {40, 95, 190, 260, 450},
    {50, 125, 250, 350, 610},      {63, 160, 320, 450, 820},      {80, 215, 425, 610, 1100},
    {100, 290, 580, 820, 1450},    {125, 355, 715, 1100, 1910},   {160, 460, 950, 1450, 2590},
    {200, 610, 1250, 1910, 3420},  {250, 750, 1650, 2590, 4500},  {315, 1050, 2200, 3420, 6000},
    {400, 1420, 2840, 4500, 8060}, {500, 1780, 3800, 6000, 10600}, {630, 2200, 5100, 8060, 14140},
    {800, 3060, 7000, 10600, 19000}, {1000, 4000, 9500, 14140, 24000}, {1250, 5000, 13000, 19000, 35000},
}};

std::optional<GgGate> GgGateFor(double rating)
{
    for (const GgGate& gate : GgGates)
        if (rating <= gate.rating)
            return gate;
    return std::nullopt;
}

std::optional<FuseGateCheck> CheckFuseGate(int typePP, double rating)
{
    const std::optional<double> current5s = LookupFuseTripCurrent(typePP, 1, rating);
    const std::optional<GgGate> gate = GgGateFor(rating);
    if (!current5s || !gate || !(rating > 0))
        return std::nullopt;
    FuseGateCheck check;
    check.gate = *gate;
    check.current5s = *current5s;
    check.current04s = LookupFuseTripCurrent(typePP, 2, rating).value_or(0);
    check.below = check.current5s < gate->imax5s;
    check.notCredible = check.current04s > 0 && check.current04s < gate->imax5s;
    check.coveringFactor = std::max(1.0, gate->imax5s / check.current5s);
    return check;
}

namespace {

QString Figure(double value, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatGeneralGrouped(value, separators));
}

}  // namespace

QString FuseGateWarning(const ProtectiveDeviceSettings& s, const NumberSeparators& separators)
{
    if (s.TypeDD != 2 || !(s.TokSR > 0))
        return {};
    const std::optional<FuseGateCheck> check = CheckFuseGate(s.TypePP, s.TokPP);
    if (!check)
        return {};
    const QString gate = QStringLiteral(", при которых вставка gG %1 А плавится за 5 с по ГОСТ Р МЭК 60269-1")
                             .arg(Figure(check->gate.rating, separators));
    const QString imax = Figure(check->gate.imax5s, separators);
    if (s.TimePP == 2 && check->notCredible)
        return QStringLiteral("Внимание: ток 0,4 с по таблице (%1 А) ниже %2 А%3: значение недостоверно.")
            .arg(Figure(check->current04s, separators), imax, gate);
    if (!check->below)
        return {};
    QString text = QStringLiteral("Внимание: ток 5 с по таблице (%1 А) ниже %2 А%3")
                       .arg(Figure(check->current5s, separators), imax, gate);
    if (s.TimePP == 1) {
        // Two decimals rounded up: the factor that is sure to cover the gap.
        const double factor = std::ceil(check->coveringFactor * 100 - 1e-9) / 100;
        text += QStringLiteral("; это покрывает Кз от %1")
                    .arg(QString::fromStdString(FormatGrouped(factor, 2, separators)));
    }
    return text + QStringLiteral(".");
}
