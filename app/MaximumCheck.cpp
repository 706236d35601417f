#include "MaximumCheck.h"

#include <cmath>

namespace {

const NumberSeparators InputSeparators{".", ""};
const QString Dash = QStringLiteral("—");
constexpr double LargestCapacity = 300;  // kA: beyond any low-voltage device made

QString General(double value, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatGeneral(value, separators));
}

QString Kiloamperes(double amperes, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatGrouped(amperes / 1000, 2, separators)) + QStringLiteral(" кА");
}

}  // namespace

QStringList OfferedCapacities(bool fuse)
{
    if (fuse)
        return {QStringLiteral("50"), QStringLiteral("80"), QStringLiteral("100"), QStringLiteral("120")};
    return {QStringLiteral("4.5"), QStringLiteral("6"), QStringLiteral("10"),
            QStringLiteral("15"),  QStringLiteral("20"), QStringLiteral("25")};
}

MaximumCheckFieldTexts MaximumCheckFieldTextsOf(const MaximumCheckSettings& s, bool fuse)
{
    MaximumCheckFieldTexts t;
    t.placeIndex = s.place;
    t.cMaxIndex = s.cMax == 1.1 ? 1 : 0;
    t.networkPower = s.networkPower > 0 ? General(s.networkPower, InputSeparators) : QString();
    const double capacity = fuse ? s.fuseCapacity : s.breakerCapacity;
    t.capacity = capacity > 0 ? General(capacity, InputSeparators) : QString();
    return t;
}

MaximumCheckFieldReading ReadMaximumCheckFields(const MaximumCheckFieldTexts& t, const MaximumCheckSettings& current,
                                                bool fuse)
{
    MaximumCheckSettings s = current;
    s.place = t.placeIndex;
    s.cMax = t.cMaxIndex == 1 ? 1.1 : 1.05;
    const auto read = [](const QString& text) {
        if (text.trimmed().isEmpty())
            return 0.0;
        const DecimalValue value = ParseDecimal(text.toStdString(), DecimalSign::PointOrComma);
        return value.status == DecimalStatus::Valid ? value.value : NAN;
    };
    s.networkPower = read(t.networkPower);
    // The place and c_max come from lists; only an unlisted place can be refused of them.
    const std::string refused = CheckMaximumCurrentParameters({s.place == 0 ? 1 : s.place, s.cMax, s.networkPower});
    if (!refused.empty())
        return {std::nullopt, QString::fromStdString(refused),
                s.place < 0 || s.place > LineSectionCount ? QStringLiteral("PlaceComboBox")
                                                          : QStringLiteral("NetworkPowerEdit")};
    const double capacity = read(t.capacity);
    if (!(capacity == 0 || (capacity >= 0.5 && capacity <= LargestCapacity)))
        return {std::nullopt,
                QStringLiteral("Неверная отключающая способность аппарата защиты. Введите величину в диапазоне "
                               "0.5..300 кА"),
                QStringLiteral("CapacityComboBox")};
    (fuse ? s.fuseCapacity : s.breakerCapacity) = capacity;
    return {s, QString(), QString()};
}

MaximumCheckAnswers CheckMaximumCurrent(const NetworkDescription& network, const ShortCircuitResult& shortCircuit,
                                        const MaximumCheckSettings& s, bool fuse)
{
    MaximumCheckAnswers answers;
    answers.fuse = fuse;
    const MaximumCurrentChainOutcome read = ReadMaximumCurrentChain(network, shortCircuit);
    if (!read.ok) {
        answers.failure = QString::fromStdString(read.message);
        return answers;
    }
    const int place = s.place == 0 ? DefaultDevicePlace(read.chain) : s.place;
    answers.result = SolveMaximumCurrent(read.chain, {place, s.cMax, s.networkPower});
    if (!answers.result.ok) {
        answers.failure = QString::fromStdString(answers.result.message);
        return answers;
    }
    std::vector<double> offered;
    for (const QString& text : OfferedCapacities(fuse))
        offered.push_back(ParseDecimal(text.toStdString()).value);
    answers.smallest = SmallestSufficientCapacity(answers.result, offered, !fuse);
    answers.capacity = fuse ? s.fuseCapacity : s.breakerCapacity;
    if (answers.capacity > 0)
        answers.verdict = JudgeBreakingCapacity(answers.result, answers.capacity, !fuse);
    return answers;
}

MaximumCheckTexts ComposeMaximumCheckTexts(const MaximumCheckAnswers& a, const NumberSeparators& separators)
{
    MaximumCheckTexts t;
    for (QString* text : {&t.place, &t.greatest, &t.peak, &t.verdict, &t.margin, &t.making, &t.makingVerdict,
                          &t.smallest})
        *text = Dash;
    for (MethodTexts* m : {&t.gost, &t.iec})
        m->threePhase = m->singlePhase = m->twoPhase = m->peak = m->kappa = Dash;
    if (!a.failure.isEmpty()) {
        t.note = a.failure;
        return t;
    }
    const MaximumCurrentResult& r = a.result;
    t.place = r.place == 1 ? QStringLiteral("шины 0,4 кВ трансформатора")
                           : QStringLiteral("начало линии %1").arg(r.place);
    const auto method = [&](const MethodCurrents& m, MethodTexts& out) {
        out.threePhase = Kiloamperes(m.threePhase, separators);
        out.singlePhase = Kiloamperes(m.singlePhase, separators);
        out.twoPhase = Kiloamperes(m.twoPhase, separators);
        out.peak = Kiloamperes(m.peak, separators);
        out.kappa = QString::fromStdString(FormatGrouped(m.kappa, 3, separators));
    };
    method(r.gost, t.gost);
    method(r.iec, t.iec);
    t.greatest = QStringLiteral("Iк max=") + Kiloamperes(r.greatest, separators);
    t.peak = QStringLiteral("ip=") + Kiloamperes(r.peak, separators);
    t.smallest = a.smallest > 0 ? General(a.smallest, separators) + QStringLiteral(" кА")
                                : QStringLiteral("нет в списке");
    if (!(a.capacity > 0)) {
        t.note = QStringLiteral("Задайте отключающую способность аппарата защиты");
        return t;
    }
    const BreakingVerdict& v = a.verdict;
    const QString capacity = General(a.capacity, separators) + QStringLiteral(" кА");
    t.short_ = !v.sufficient;
    t.verdict = v.sufficient ? QStringLiteral("Отключающая способность достаточна")
                             : QStringLiteral("Отключающая способность недостаточна: Iк max = ") +
                                   Kiloamperes(r.greatest, separators) + QStringLiteral(" > Icu = ") + capacity;
    // Rounded down, so that a margin shown as 1,00 or more always means the capacity suffices.
    t.margin = QString::fromStdString(FormatGrouped(std::floor(v.margin * 100) / 100, 2, separators));
    if (v.makingChecked) {
        t.making = QStringLiteral("Icm=") + General(v.factor, separators) + QStringLiteral("·") + capacity +
                   QStringLiteral(" = ") + Kiloamperes(v.making, separators);
        t.makingShort = !v.makingSufficient;
        t.makingVerdict = v.makingSufficient ? QStringLiteral("Включающая способность достаточна")
                                             : QStringLiteral("Включающая способность недостаточна: ip = ") +
                                                   Kiloamperes(r.peak, separators) + QStringLiteral(" > Icm = ") +
                                                   Kiloamperes(v.making, separators);
    }
    return t;
}
