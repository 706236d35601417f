#include "DeviceRules.h"

#include <cfloat>
#include <cmath>

namespace {

const QString kBreakerName = QStringLiteral("Автоматический выключатель");
const QString kTime5s = QStringLiteral("Тср < 5 с");
const QString kTime04s = QStringLiteral("Тср < 0,4 с");

// Lettered release texts and their multiples; the letters are Latin capitals.
struct LetteredMultiple {
    const char16_t* text;
    double multiple;
};
constexpr LetteredMultiple kLetteredMultiples[] = {
    {u"3 (\"A\")", 3}, {u"5 (\"B\")", 5}, {u"10 (\"C\")", 10}, {u"20 (\"D\")", 20}};

QString Text(const char16_t* text) { return QString::fromUtf16(text); }

QStringList FromList(std::initializer_list<const char16_t*> texts)
{
    QStringList list;
    for (const char16_t* text : texts)
        list << Text(text);
    return list;
}

bool NotNegative(double v) { return v >= 0; }
bool Positive(double v) { return v > 0; }
bool AtLeastOne(double v) { return v >= 1; }

// Reads the numbers of one confirmation; the first refusal is kept in the outcome.
class NumberReader {
public:
    explicit NumberReader(DeviceConfirmation& outcome) : outcome_(outcome) {}

    // The value of the typed `text` of `field` when it is a number that `accept` takes; otherwise
    // the refusal is recorded (`message`, or the overflow error) and nothing is returned.
    std::optional<double> Read(const QString& text, DeviceField field, bool (*accept)(double), const QString& message)
    {
        const DecimalValue number = ParseDecimal(text.toStdString(), DecimalSign::PointOrComma);
        if (number.status == DecimalStatus::Overflow) {
            Overflow(field);
            return std::nullopt;
        }
        if (number.status != DecimalStatus::Valid || !accept(number.value)) {
            Refuse(message, field);
            return std::nullopt;
        }
        return number.value;
    }

    // The product formed in extended precision, as it is stored: a double.
    std::optional<double> Store(long double product)
    {
        if (!(std::fabs(product) <= static_cast<long double>(DBL_MAX))) {
            Overflow(DeviceField::None);
            return std::nullopt;
        }
        // A negative zero ("-0" typed as the rating) is shown as 0.
        return static_cast<double>(product) + 0.0;
    }

    DeviceConfirmation& Refuse(const QString& message, DeviceField field)
    {
        outcome_.refusal = DeviceConfirmation::Refusal::Message;
        outcome_.refusalText = message;
        outcome_.field = field;
        return outcome_;
    }

private:
    void Overflow(DeviceField field)
    {
        outcome_.refusal = DeviceConfirmation::Refusal::Error;
        outcome_.refusalText = FloatingPointOverflowText();
        outcome_.field = field;
    }

    DeviceConfirmation& outcome_;
};

QString TripCurrentText(double tokSR, const NumberSeparators& separators)
{
    return QStringLiteral("Iср=") + QString::fromStdString(FormatGeneral(tokSR, separators)) + QStringLiteral(" А");
}

QString RatedCurrentText(const QString& typed) { return QStringLiteral("Iном=") + typed + QStringLiteral(" А"); }

void ConfirmBreaker(const DeviceInputs& in, const NumberSeparators& separators, DeviceConfirmation& out)
{
    ProtectiveDeviceSettings& s = out.settings;
    NumberReader reader(out);

    s.TypeDD = 1;
    out.labels.typeDD = kBreakerName;

    const auto rated = reader.Read(
        in.ratedCurrent, DeviceField::RatedCurrent, NotNegative,
        QStringLiteral("Неверная величина номинального тока расцепителя автоматического выключателя"));
    if (!rated)
        return;
    s.TokAVnom = *rated;
    out.labels.toknom = RatedCurrentText(in.ratedCurrent);

    if (in.releaseCurrentGiven) {
        const auto current =
            reader.Read(in.release, DeviceField::Release, Positive,
                        QStringLiteral("Неверная величина тока независимого расцепителя"));
        if (!current)
            return;
        s.TokNR = *current;
    } else {
        auto multiple = LetteredReleaseMultiple(in.release);
        if (!multiple)
            multiple = reader.Read(in.release, DeviceField::Release, Positive,
                                   QStringLiteral("Неверная величина коэффициента независимого расцепителя"));
        if (!multiple)
            return;
        s.KNR = *multiple;
    }

    const auto factor = reader.Read(
        in.breakerFactor, DeviceField::BreakerFactor, AtLeastOne,
        QStringLiteral("Неверная величина коэффициента запаса автоматического выключателя"));
    if (!factor)
        return;
    s.KZAV = *factor;
    out.labels.kz = QStringLiteral("Кз=") + in.breakerFactor;

    const long double product = in.releaseCurrentGiven
                                    ? static_cast<long double>(s.TokNR) * s.KZAV
                                    : static_cast<long double>(s.TokAVnom) * s.KNR * s.KZAV;
    const auto tokSR = reader.Store(product);
    if (!tokSR)
        return;
    s.TokSR = *tokSR;
    out.labels.tokSR = TripCurrentText(s.TokSR, separators);
}

void ConfirmFuse(const DeviceInputs& in, const NumberSeparators& separators, DeviceConfirmation& out)
{
    ProtectiveDeviceSettings& s = out.settings;
    NumberReader reader(out);

    s.TypeDD = 2;

    const auto rating = reader.Read(in.fuseRating, DeviceField::FuseRating, NotNegative,
                                    QStringLiteral("Неверная величина тока плавкой вставки предохранителя"));
    if (!rating)
        return;
    s.TokPP = *rating;
    out.labels.toknom = RatedCurrentText(in.fuseRating);

    const auto factor = reader.Read(
        in.fuseFactor, DeviceField::FuseFactor, NotNegative,
        QStringLiteral("Неверная величина коэффициента запаса плавкой вставки предохранителя"));
    if (!factor)
        return;
    // A factor of 0 would turn the fuse into no device at all, without a word.
    if (*factor == 0) {
        reader.Refuse(QStringLiteral("Коэффициент запаса плавкой вставки предохранителя должен быть больше нуля"),
                      DeviceField::FuseFactor);
        return;
    }
    out.labels.kz = QStringLiteral("Kз=") + in.fuseFactor;   // Latin K, unlike the breaker's label

    s.TypePP = FuseTypeFromText(in.fuseType);
    if (s.TypePP != 0)
        out.labels.typeDD = QStringLiteral("Плавкий предохранитель (") + in.fuseType + QStringLiteral(")");

    if (in.fuseTime == kTime5s)
        s.TimePP = 1;
    else if (in.fuseTime == kTime04s)
        s.TimePP = 2;
    else {
        reader.Refuse(QStringLiteral("Неправильно указано время срабатывания"), DeviceField::FuseTime);
        return;
    }

    if (s.TypePP == 0) {
        reader.Refuse(QStringLiteral("Неправильно указан тип предохранителя"), DeviceField::FuseType);
        return;
    }

    const auto tableCurrent = LookupFuseTripCurrent(s.TypePP, s.TimePP, s.TokPP);
    if (!tableCurrent) {
        reader.Refuse(QStringLiteral("Неизвестный номинальный ток плавкой вставки предохранителя."),
                      DeviceField::FuseRating);
        return;
    }

    const auto tokSR = reader.Store(static_cast<long double>(*tableCurrent) * *factor);
    if (!tokSR)
        return;
    s.TokSR = *tokSR;
    out.labels.tokSR = TripCurrentText(s.TokSR, separators);
}

}  // namespace

QStringList BreakerRatedCurrents()
{
    return FromList({u"1",   u"2",   u"3",   u"4",   u"5",   u"6",    u"8",    u"10",   u"13",   u"16",
                     u"20",  u"25",  u"32",  u"40",  u"50",  u"63",   u"80",   u"100",  u"125",  u"160",
                     u"200", u"250", u"320", u"400", u"630", u"800",  u"1000", u"1250", u"1600"});
}

QStringList ReleaseMultiples()
{
    return FromList({kLetteredMultiples[0].text, kLetteredMultiples[1].text, kLetteredMultiples[2].text, u"12",
                     kLetteredMultiples[3].text});
}

QStringList SafetyFactors() { return FromList({u"1.0", u"1.05", u"1.1", u"1.15", u"1.2"}); }

QStringList FuseTypeNames() { return FromList({u"ППН", u"ПН2", u"НПН"}); }

QStringList FuseTimeTexts() { return {kTime5s, kTime04s}; }

int FuseTypeFromText(const QString& text)
{
    const int index = FuseTypeNames().indexOf(text);   // exact and case-sensitive
    return index + 1;
}

QStringList FuseRatingList(int typePP)
{
    switch (typePP) {
    case 1:
        return FromList({u"2",   u"4",   u"6",   u"10",  u"16",  u"20",  u"25",  u"32",
                         u"40",  u"50",  u"63",  u"80",  u"100", u"125", u"160", u"200",
                         u"250", u"315", u"400", u"500", u"630", u"800", u"1000", u"1250"});
    case 2:
        return FromList({u"31.5", u"40", u"50", u"63", u"80", u"100", u"125", u"160", u"200", u"250", u"315",
                         u"355", u"400", u"500", u"630"});
    case 3:
        return FromList({u"6.3", u"10", u"16", u"20", u"25", u"31.5", u"40", u"63"});
    default:
        return {};
    }
}

RatingListChange RatingListForTypeText(const QString& typeText)
{
    const int type = FuseTypeFromText(typeText);
    if (type == 0)
        return {{}, QStringLiteral("0"), true};
    return {FuseRatingList(type), QStringLiteral("63"), false};
}

const std::array<FuseTripCurrentRow, 26> FuseTripCurrentTable = {{
    // key, {{ППН 5 s, 0.4 s}, {ПН2 5 s, 0.4 s}, {НПН 5 s, 0.4 s}}
    {2, {{{9, 16}, {0, 0}, {0, 0}}}},
    {4, {{{19, 32}, {0, 0}, {0, 0}}}},
    {6, {{{28, 50}, {0, 0}, {55, 80}}}},
    {10, {{{44, 70}, {0, 0}, {70, 110}}}},
    {16, {{{54, 120}, {0, 0}, {80, 120}}}},
    {20, {{{58, 140}, {0, 0}, {90, 150}}}},
    {25, {{{110, 190}, {0, 0}, {100, 180}}}},
    {31, {{{0, 0}, {400, 940}, {110, 200}}}},
    {32, {{{150, 250}, {0, 0}, {0, 0}}}},
    {40, {{{190, 320}, {500, 1100}, {130, 240}}}},
    {50, {{{260, 460}, {600, 1300}, {0, 0}}}},
    {63, {{{330, 600}, {700, 1700}, {180, 300}}}},
    {80, {{{420, 750}, {800, 2000}, {0, 0}}}},
    {100, {{{600, 1000}, {950, 2300}, {0, 0}}}},
    {125, {{{700, 1300}, {1100, 2700}, {0, 0}}}},
    {160, {{{1000, 1900}, {1500, 3200}, {0, 0}}}},
    {200, {{{1200, 2400}, {2000, 4400}, {0, 0}}}},
    {250, {{{1600, 3000}, {2600, 5000}, {0, 0}}}},
    {315, {{{2000, 3800}, {3000, 6000}, {0, 0}}}},
    {355, {{{0, 0}, {3300, 7000}, {0, 0}}}},
    {400, {{{2800, 6000}, {4000, 8000}, {0, 0}}}},
    {500, {{{3500, 7500}, {5000, 11000}, {0, 0}}}},
    {630, {{{4800, 9000}, {6000, 14000}, {0, 0}}}},
    {800, {{{7000, 12000}, {0, 0}, {0, 0}}}},
    {1000, {{{8000, 17000}, {0, 0}, {0, 0}}}},
    {1250, {{{12000, 22000}, {0, 0}, {0, 0}}}},
}};

std::optional<double> LookupFuseTripCurrent(int typePP, int timePP, double ratedCurrent)
{
    if (typePP < 1 || typePP > 3 || timePP < 1 || timePP > 2)
        return std::nullopt;
    // Compared as doubles: a typed rating far beyond any key must not overflow an integer.
    const double key = std::trunc(ratedCurrent);
    for (const FuseTripCurrentRow& row : FuseTripCurrentTable) {
        if (row.key != key)
            continue;
        const int current = row.current[typePP - 1][timePP - 1];
        if (current == 0)
            return std::nullopt;
        return current;
    }
    return std::nullopt;
}

std::optional<double> LetteredReleaseMultiple(const QString& text)
{
    for (const LetteredMultiple& lettered : kLetteredMultiples)
        if (text == Text(lettered.text))
            return lettered.multiple;
    return std::nullopt;
}

DeviceConfirmation ConfirmDevice(const DeviceInputs& inputs, const ProtectiveDeviceSettings& current,
                                 const NumberSeparators& separators)
{
    DeviceConfirmation outcome;
    outcome.settings = current;
    if (inputs.breaker)
        ConfirmBreaker(inputs, separators, outcome);
    else
        ConfirmFuse(inputs, separators, outcome);
    // All or nothing: a refused device must never be shown, or judged, with parts of another.
    if (!outcome.Confirmed()) {
        outcome.settings = current;
        outcome.labels = {};
    }
    return outcome;
}

QString FloatingPointOverflowText() { return QStringLiteral("Floating point overflow."); }

DeviceVerdict JudgeDevice(double iokz, const ProtectiveDeviceSettings& settings)
{
    const double tokSR = settings.TokSR;
    const bool fuse5s = settings.TypeDD == 2 && settings.TimePP == 1;
    const bool known = settings.TypeDD == 1 || settings.TypeDD == 2;

    if (iokz >= tokSR) {
        if (!(tokSR > 0))
            return {NotDeterminedText(), std::nullopt};
        const QString time = fuse5s ? kTime5s : kTime04s;
        return {QStringLiteral("Срабатывание за нормативное время"), known ? std::optional(time) : std::nullopt};
    }
    if (!(iokz > 0))
        return {QStringLiteral("Выполните расчет тока однофазного короткого замыкания"), std::nullopt};
    const QString time = fuse5s ? QStringLiteral("Тср > 5 с") : QStringLiteral("Тср > 0,4 с");
    return {QStringLiteral("Несрабатывание за нормативное время"), known ? std::optional(time) : std::nullopt};
}

QString NotDeterminedText() { return QStringLiteral("В расчете не определен"); }

QString NoValueText() { return QStringLiteral("---"); }
