// The device rules without a window: trip currents, refusals that change nothing,
// the fuse tables and the trip verdict.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

#include "DeviceRules.h"
#include "FuseGate.h"

// Readable texts in failure messages.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

const NumberSeparators kPoint{".", ","};

// The window's texts at start, with the breaker selected.
DeviceInputs InitialInputs()
{
    DeviceInputs in;
    in.breaker = true;
    in.ratedCurrent = "16";
    in.release = "10 (\"C\")";
    in.releaseCurrentGiven = false;
    in.breakerFactor = "1.1";
    in.fuseType = "ППН";
    in.fuseRating = "63";
    in.fuseFactor = "1.1";
    in.fuseTime = "Тср < 5 с";
    return in;
}

DeviceInputs Fuse(const QString& type, const QString& rating, const QString& factor, const QString& time)
{
    DeviceInputs in = InitialInputs();
    in.breaker = false;
    in.fuseType = type;
    in.fuseRating = rating;
    in.fuseFactor = factor;
    in.fuseTime = time;
    return in;
}

// A record with a confirmed device that every refusal below must keep.
ProtectiveDeviceSettings EarlierDevice()
{
    ProtectiveDeviceSettings s;
    s.TokAVnom = 100;
    s.KNR = 5;
    s.KZAV = 1.2;
    s.TokNR = 250;
    s.TypePP = 2;
    s.TimePP = 2;
    s.TokPP = 40;
    s.TokSR = 600;
    s.TypeDD = 1;
    return s;
}

// --- Accepted confirmations --------------------------------------------------------------------

struct AcceptedCase {
    const char* name;
    std::function<void(DeviceInputs&)> edit;
    double tokSR;
    QString typeDD, toknom, kz, tokSRText;
};

class AcceptedConfirmation : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedConfirmation, StoresTripCurrentAndWritesAllFourLabels)
{
    const AcceptedCase& c = GetParam();
    DeviceInputs in = InitialInputs();
    c.edit(in);
    const DeviceConfirmation out = ConfirmDevice(in, ProtectiveDeviceSettings{}, kPoint);

    ASSERT_TRUE(out.Confirmed()) << out.refusalText.toStdString();
    EXPECT_EQ(out.settings.TokSR, c.tokSR);
    EXPECT_EQ(out.labels.typeDD, c.typeDD);
    EXPECT_EQ(out.labels.toknom, c.toknom);
    EXPECT_EQ(out.labels.kz, c.kz);
    EXPECT_EQ(out.labels.tokSR, c.tokSRText);
}

const QString kBreaker = "Автоматический выключатель";

INSTANTIATE_TEST_SUITE_P(
    Devices, AcceptedConfirmation,
    ::testing::Values(
        AcceptedCase{"InitialBreaker", [](DeviceInputs&) {}, 176, kBreaker, "Iном=16 А", "Кз=1.1", "Iср=176 А"},
        AcceptedCase{"MultipleTwelve",
                     [](DeviceInputs& in) {
                         in.ratedCurrent = "25";
                         in.release = "12";
                         in.breakerFactor = "1.0";
                     },
                     300, kBreaker, "Iном=25 А", "Кз=1.0", "Iср=300 А"},
        AcceptedCase{"LetterB", [](DeviceInputs& in) { in.release = "5 (\"B\")"; }, 88, kBreaker, "Iном=16 А",
                     "Кз=1.1", "Iср=88 А"},
        AcceptedCase{"TypedMultiple",
                     [](DeviceInputs& in) {
                         in.release = "7.5";
                         in.breakerFactor = "1";
                     },
                     120, kBreaker, "Iном=16 А", "Кз=1", "Iср=120 А"},
        AcceptedCase{"ReleaseCurrentGiven",
                     [](DeviceInputs& in) {
                         in.releaseCurrentGiven = true;
                         in.release = "500";
                         in.breakerFactor = "1.2";
                     },
                     600, kBreaker, "Iном=16 А", "Кз=1.2", "Iср=600 А"},
        // The rating text goes into the label exactly as typed, leading blank included.
        AcceptedCase{"RatedZeroTypedWithBlank", [](DeviceInputs& in) { in.ratedCurrent = " 0"; }, 0, kBreaker,
                     "Iном= 0 А", "Кз=1.1", "Iср=0 А"},
        AcceptedCase{"FusePPN", [](DeviceInputs& in) { in = Fuse("ППН", "63", "1.1", "Тср < 5 с"); },
                     363.00000000000006, "Плавкий предохранитель (ППН)", "Iном=63 А", "Kз=1.1", "Iср=363 А"},
        AcceptedCase{"FusePPNShortTime", [](DeviceInputs& in) { in = Fuse("ППН", "63", "1.1", "Тср < 0,4 с"); },
                     660, "Плавкий предохранитель (ППН)", "Iном=63 А", "Kз=1.1", "Iср=660 А"},
        AcceptedCase{"FusePN2", [](DeviceInputs& in) { in = Fuse("ПН2", "31.5", "1.0", "Тср < 0,4 с"); }, 940,
                     "Плавкий предохранитель (ПН2)", "Iном=31.5 А", "Kз=1.0", "Iср=940 А"},
        AcceptedCase{"FuseNPN", [](DeviceInputs& in) { in = Fuse("НПН", "6.3", "1.2", "Тср < 5 с"); }, 66,
                     "Плавкий предохранитель (НПН)", "Iном=6.3 А", "Kз=1.2", "Iср=66 А"},
        // The fuse factor has no lower bound of 1.
        AcceptedCase{"FuseFactorBelowOne", [](DeviceInputs& in) { in = Fuse("ППН", "40", "0.95", "Тср < 5 с"); },
                     180.5, "Плавкий предохранитель (ППН)", "Iном=40 А", "Kз=0.95", "Iср=180.5 А"},
        // A rating is looked up by its whole part, never rounded.
        AcceptedCase{"FuseRatingFraction", [](DeviceInputs& in) { in = Fuse("ППН", "63.9", "1.0", "Тср < 5 с"); },
                     330, "Плавкий предохранитель (ППН)", "Iном=63.9 А", "Kз=1.0", "Iср=330 А"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfirmDevice, BreakerProductIsFormedInExtendedPrecision)
{
    // In double arithmetic 0.1 * 7.5 * 1.2 gives 0.8999999999999999; in extended precision
    // the product rounds to the double nearest 0.9.
    DeviceInputs in = InitialInputs();
    in.ratedCurrent = "0.1";
    in.release = "7.5";
    in.breakerFactor = "1.2";
    const DeviceConfirmation out = ConfirmDevice(in, {}, kPoint);
    ASSERT_TRUE(out.Confirmed());
    EXPECT_EQ(out.settings.TokSR, 0.9);
    EXPECT_EQ(out.settings.TokAVnom, 0.1);
    EXPECT_EQ(out.settings.KNR, 7.5);
    EXPECT_EQ(out.settings.KZAV, 1.2);
}

TEST(ConfirmDevice, TripCurrentIsWrittenWithTheRegionalSeparator)
{
    DeviceInputs in = InitialInputs();
    in.release = "3 (\"A\")";
    const DeviceConfirmation out = ConfirmDevice(in, {}, NumberSeparators{",", " "});
    ASSERT_TRUE(out.Confirmed());
    EXPECT_EQ(out.labels.tokSR, QString("Iср=52,8 А"));
    // The typed factor stays as typed, whatever the locale.
    EXPECT_EQ(out.labels.kz, QString("Кз=1.1"));
}

TEST(ConfirmDevice, TickedReleaseKeepsTheMultipleAndUntickedKeepsTheCurrent)
{
    DeviceInputs ticked = InitialInputs();
    ticked.releaseCurrentGiven = true;
    ticked.release = "400";
    const DeviceConfirmation a = ConfirmDevice(ticked, EarlierDevice(), kPoint);
    EXPECT_EQ(a.settings.TokNR, 400);
    EXPECT_EQ(a.settings.KNR, EarlierDevice().KNR);

    const DeviceConfirmation b = ConfirmDevice(InitialInputs(), EarlierDevice(), kPoint);
    EXPECT_EQ(b.settings.KNR, 10);
    EXPECT_EQ(b.settings.TokNR, EarlierDevice().TokNR);
}

TEST(ConfirmDevice, FuseKeepsItsTypeTimeAndRatingButNotItsFactor)
{
    const DeviceConfirmation out = ConfirmDevice(Fuse("НПН", "31.5", "1.2", "Тср < 0,4 с"), EarlierDevice(), kPoint);
    ASSERT_TRUE(out.Confirmed());
    EXPECT_EQ(out.settings.TypeDD, 2);
    EXPECT_EQ(out.settings.TypePP, 3);
    EXPECT_EQ(out.settings.TimePP, 2);
    EXPECT_EQ(out.settings.TokPP, 31.5);
    EXPECT_EQ(out.settings.TokSR, 240);
    // The breaker fields stay as they were, its factor included.
    EXPECT_EQ(out.settings.KZAV, EarlierDevice().KZAV);
    EXPECT_EQ(out.settings.TokAVnom, EarlierDevice().TokAVnom);
}

// --- Refused confirmations ---------------------------------------------------------------------

// A refusal changes nothing: the record stays field for field as it was and no label is written.
void ExpectUnchanged(const DeviceConfirmation& out)
{
    const ProtectiveDeviceSettings before = EarlierDevice();
    EXPECT_EQ(out.settings.TokAVnom, before.TokAVnom);
    EXPECT_EQ(out.settings.KNR, before.KNR);
    EXPECT_EQ(out.settings.KZAV, before.KZAV);
    EXPECT_EQ(out.settings.TokNR, before.TokNR);
    EXPECT_EQ(out.settings.TypePP, before.TypePP);
    EXPECT_EQ(out.settings.TimePP, before.TimePP);
    EXPECT_EQ(out.settings.TokPP, before.TokPP);
    EXPECT_EQ(out.settings.TokSR, before.TokSR);
    EXPECT_EQ(out.settings.TypeDD, before.TypeDD);
    EXPECT_FALSE(out.labels.typeDD || out.labels.toknom || out.labels.kz || out.labels.tokSR);
}

struct RefusedCase {
    const char* name;
    DeviceInputs inputs;
    QString message;
};

class RefusedConfirmation : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedConfirmation, ShowsItsMessageAndChangesNothing)
{
    const RefusedCase& c = GetParam();
    const DeviceConfirmation out = ConfirmDevice(c.inputs, EarlierDevice(), kPoint);

    EXPECT_EQ(out.refusal, DeviceConfirmation::Refusal::Message);
    EXPECT_EQ(out.refusalText, c.message);
    ExpectUnchanged(out);
}

DeviceInputs Breaker(const QString& rated, const QString& release, bool ticked, const QString& factor)
{
    DeviceInputs in = InitialInputs();
    in.ratedCurrent = rated;
    in.release = release;
    in.releaseCurrentGiven = ticked;
    in.breakerFactor = factor;
    return in;
}

const QString kRatedMessage = "Неверная величина номинального тока расцепителя автоматического выключателя";
const QString kMultipleMessage = "Неверная величина коэффициента независимого расцепителя";
const QString kReleaseMessage = "Неверная величина тока независимого расцепителя";
const QString kBreakerFactorMessage = "Неверная величина коэффициента запаса автоматического выключателя";
const QString kFuseRatingMessage = "Неверная величина тока плавкой вставки предохранителя";
const QString kFuseFactorMessage = "Неверная величина коэффициента запаса плавкой вставки предохранителя";
const QString kTimeMessage = "Неправильно указано время срабатывания";
const QString kTypeMessage = "Неправильно указан тип предохранителя";
const QString kLookupMessage = "Неизвестный номинальный ток плавкой вставки предохранителя.";

INSTANTIATE_TEST_SUITE_P(
    Breaker, RefusedConfirmation,
    ::testing::Values(
        RefusedCase{"RatedNotANumber", Breaker("16A", "10 (\"C\")", false, "1.1"), kRatedMessage},
        RefusedCase{"RatedNegative", Breaker("-1", "10 (\"C\")", false, "1.1"), kRatedMessage},
        RefusedCase{"RatedTrailingBlank", Breaker("16 ", "10 (\"C\")", false, "1.1"), kRatedMessage},
        RefusedCase{"MultipleWithLetter", Breaker("25", "7x", false, "1.1"), kMultipleMessage},
        RefusedCase{"MultipleZero", Breaker("25", "0", false, "1.1"), kMultipleMessage},
        RefusedCase{"MultipleEmpty", Breaker("25", "", false, "1.1"), kMultipleMessage},
        // A lettered text is recognised only exactly: with a Cyrillic С it is just not a number.
        RefusedCase{"MultipleCyrillicLetter", Breaker("25", "10 (\"С\")", false, "1.1"), kMultipleMessage},
        RefusedCase{"ReleaseCurrentEmpty", Breaker("25", "", true, "1.1"), kReleaseMessage},
        RefusedCase{"ReleaseCurrentIsLetteredText", Breaker("25", "10 (\"C\")", true, "1.1"), kReleaseMessage},
        RefusedCase{"FactorBelowOne", Breaker("25", "12", false, "0.95"), kBreakerFactorMessage},
        RefusedCase{"FactorWithComma", Breaker("25", "12", false, "1,1"), kBreakerFactorMessage},
        RefusedCase{"FactorWithTickedCurrent", Breaker("25", "300", true, "0"), kBreakerFactorMessage}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Fuse, RefusedConfirmation,
    ::testing::Values(
        RefusedCase{"RatingNotANumber", Fuse("ППН", "63 А", "1.1", "Тср < 5 с"), kFuseRatingMessage},
        RefusedCase{"RatingNegative", Fuse("ППН", "-63", "1.1", "Тср < 5 с"), kFuseRatingMessage},
        RefusedCase{"FactorWithComma", Fuse("ППН", "63", "1,1", "Тср < 5 с"), kFuseFactorMessage},
        RefusedCase{"FactorNegative", Fuse("ППН", "63", "-0.5", "Тср < 5 с"), kFuseFactorMessage},
        RefusedCase{"TimeWithoutBlanks", Fuse("ППН", "63", "1.1", "Тср<5 с"), kTimeMessage},
        RefusedCase{"TimeWithPoint", Fuse("ППН", "63", "1.1", "Тср < 0.4 с"), kTimeMessage},
        RefusedCase{"TimeLowerCase", Fuse("ППН", "63", "1.1", "тср < 5 с"), kTimeMessage},
        RefusedCase{"TimeLatinT", Fuse("ППН", "63", "1.1", "Tср < 5 с"), kTimeMessage},
        RefusedCase{"TimeEmpty", Fuse("ППН", "63", "1.1", ""), kTimeMessage},
        // The time is checked before the type, so a bad time hides an unknown type.
        RefusedCase{"TimeBeforeUnknownType", Fuse("ПН", "63", "1.1", "Тср < 5"), kTimeMessage},
        RefusedCase{"UnknownType", Fuse("ПН", "0", "1.1", "Тср < 5 с"), kTypeMessage},
        RefusedCase{"TypeLowerCase", Fuse("ппн", "63", "1.1", "Тср < 5 с"), kTypeMessage},
        RefusedCase{"RatingNotInTable", Fuse("ППН", "7", "1.1", "Тср < 5 с"), kLookupMessage},
        RefusedCase{"RatingZero", Fuse("ППН", "0", "1.1", "Тср < 5 с"), kLookupMessage},
        RefusedCase{"RatingOfAnotherType", Fuse("НПН", "100", "1.1", "Тср < 0,4 с"), kLookupMessage},
        RefusedCase{"RatingFarBeyondTheTable", Fuse("ППН", "1e300", "1.1", "Тср < 5 с"), kLookupMessage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfirmDevice, OverflowingNumberStopsWithTheErrorBox)
{
    const std::pair<const char*, DeviceInputs> cases[] = {
        {"rated", Breaker("1e309", "12", false, "1.1")},
        {"multiple", Breaker("16", "-1e400", false, "1.1")},
        {"product", Breaker("1e200", "1e200", false, "1.1")},
        {"fuse factor", Fuse("ППН", "63", "1e308", "Тср < 5 с")},
    };
    for (const auto& [name, inputs] : cases) {
        SCOPED_TRACE(name);
        const DeviceConfirmation out = ConfirmDevice(inputs, EarlierDevice(), kPoint);
        EXPECT_EQ(out.refusal, DeviceConfirmation::Refusal::Error);
        EXPECT_EQ(out.refusalText, QString("Floating point overflow."));
        ExpectUnchanged(out);
    }
}

// --- Fuse tables -------------------------------------------------------------------------------

TEST(FuseTables, KeysOfEachTypeAreTheWholePartsOfItsRatingList)
{
    for (int type = 1; type <= 3; ++type) {
        SCOPED_TRACE(type);
        std::set<int> fromRatings;
        for (const QString& rating : FuseRatingList(type))
            fromRatings.insert(static_cast<int>(std::trunc(ParseDecimal(rating.toStdString()).value)));

        for (int time = 1; time <= 2; ++time) {
            std::set<int> fromTable;
            for (const FuseTripCurrentRow& row : FuseTripCurrentTable)
                if (row.current[type - 1][time - 1] != 0)
                    fromTable.insert(row.key);
            EXPECT_EQ(fromTable, fromRatings) << "time " << time;
        }
    }
}

TEST(FuseTables, ShortTimeNeedsAtLeastTheLongTimeCurrent)
{
    for (const FuseTripCurrentRow& row : FuseTripCurrentTable)
        for (int type = 0; type < 3; ++type)
            EXPECT_LE(row.current[type][0], row.current[type][1]) << row.key << " type " << type + 1;
}

TEST(FuseTables, LookupUsesTheWholePartAndRefusesOtherTypesKeys)
{
    EXPECT_EQ(LookupFuseTripCurrent(2, 2, 31.5), 940);
    EXPECT_EQ(LookupFuseTripCurrent(3, 1, 6.3), 55);
    EXPECT_EQ(LookupFuseTripCurrent(1, 2, 1250.99), 22000);
    EXPECT_EQ(LookupFuseTripCurrent(1, 1, 31.5), std::nullopt);   // ППН has 32, not 31
    EXPECT_EQ(LookupFuseTripCurrent(2, 1, 2), std::nullopt);
    EXPECT_EQ(LookupFuseTripCurrent(0, 1, 63), std::nullopt);
    EXPECT_EQ(LookupFuseTripCurrent(1, 0, 63), std::nullopt);
}

TEST(FuseTables, TypeTextChoosesTheRatingList)
{
    struct Case {
        QString text;
        qsizetype items;
        QString rating;
        bool unknown;
    };
    const Case cases[] = {
        {"ППН", 24, "63", false}, {"ПН2", 15, "63", false}, {"НПН", 8, "63", false},
        {"ПН", 0, "0", true},     {"ппн", 0, "0", true},    {"ППН ", 0, "0", true},
        {"", 0, "0", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const RatingListChange change = RatingListForTypeText(c.text);
        EXPECT_EQ(change.items.size(), c.items);
        EXPECT_EQ(change.text, c.rating);
        EXPECT_EQ(change.unknownType, c.unknown);
        if (!c.unknown) {
            EXPECT_TRUE(change.items.contains(change.text));
        }
    }
}

// --- Trip verdict ------------------------------------------------------------------------------

struct VerdictCase {
    const char* name;
    double iokz;
    double tokSR;
    int typeDD;
    int timePP;
    QString status;
    std::optional<QString> time;
};

class Verdict : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(Verdict, StatusAndTripTime)
{
    const VerdictCase& c = GetParam();
    ProtectiveDeviceSettings s;
    s.TokSR = c.tokSR;
    s.TypeDD = c.typeDD;
    s.TimePP = c.timePP;
    const DeviceVerdict v = JudgeDevice(c.iokz, s);
    EXPECT_EQ(v.status, c.status);
    EXPECT_EQ(v.timeSR, c.time);
}

const QString kTrips = "Срабатывание за нормативное время";
const QString kNoTrip = "Несрабатывание за нормативное время";
const QString kNotDetermined = "В расчете не определен";
const QString kCalculate = "Выполните расчет тока однофазного короткого замыкания";

INSTANTIATE_TEST_SUITE_P(
    Rows, Verdict,
    ::testing::Values(
        VerdictCase{"BreakerTrips", 1527.13, 176, 1, 0, kTrips, "Тср < 0,4 с"},
        VerdictCase{"BreakerDoesNotTrip", 150, 176, 1, 0, kNoTrip, "Тср > 0,4 с"},
        // A breaker has no time of its own: a 5 s left over from a fuse does not count.
        VerdictCase{"BreakerIgnoresFuseTime", 150, 176, 1, 1, kNoTrip, "Тср > 0,4 с"},
        VerdictCase{"EqualityTrips", 176, 176, 1, 0, kTrips, "Тср < 0,4 с"},
        VerdictCase{"Fuse5sTrips", 400, 363.00000000000006, 2, 1, kTrips, "Тср < 5 с"},
        VerdictCase{"Fuse5sDoesNotTrip", 300, 363.00000000000006, 2, 1, kNoTrip, "Тср > 5 с"},
        VerdictCase{"Fuse5sJustBelow", 363, 363.00000000000006, 2, 1, kNoTrip, "Тср > 5 с"},
        VerdictCase{"FuseShortTimeDoesNotTrip", 600, 660, 2, 2, kNoTrip, "Тср > 0,4 с"},
        VerdictCase{"FuseShortTimeTrips", 660, 660, 2, 2, kTrips, "Тср < 0,4 с"},
        VerdictCase{"FuseOtherTimeUsesShortTexts", 700, 660, 2, 0, kTrips, "Тср < 0,4 с"},
        VerdictCase{"CalculationBeforeDevice", 1527.13, 0, 0, 0, kNotDetermined, std::nullopt},
        VerdictCase{"DeviceBeforeCalculation", 0, 176, 1, 0, kCalculate, std::nullopt},
        VerdictCase{"NothingAtAll", 0, 0, 0, 0, kNotDetermined, std::nullopt},
        VerdictCase{"AfterReset", 0, -1, 1, 0, kNotDetermined, std::nullopt},
        VerdictCase{"CalculationAfterReset", 900, -1, 2, 1, kNotDetermined, std::nullopt},
        VerdictCase{"FuseWithZeroFactor", 900, 0, 2, 1, kNotDetermined, std::nullopt},
        // A zero rated current gives a zero trip current: not a device.
        VerdictCase{"ZeroTripCurrent", 900, 0, 1, 0, kNotDetermined, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// Every rating of every fuse type against the gG gates, worked out by hand from the gate table:
// the ratings whose 5 s current lies below Imax(5 s) of their gate (31.5 A against 32 A, 6.3 A
// against 10 A), and the one whose 0.4 s current lies below it too.
TEST(FuseGate, EveryRowOfTheFuseTableAgainstItsGate)
{
    struct Type {
        int typePP;
        std::set<QString> below;
        std::set<QString> notCredible;
    };
    const Type types[] = {
        {1,
         {"2", "10", "16", "20", "80", "125", "200", "250", "315", "400", "500", "630", "1000", "1250"},
         {}},
        {2, {}, {}},
        {3, {"25", "31.5", "40", "63"}, {"63"}},
    };
    int rows = 0;
    for (const Type& type : types) {
        for (const QString& rating : FuseRatingList(type.typePP)) {
            SCOPED_TRACE(FuseTypeNames()[type.typePP - 1].toStdString() + " " + rating.toStdString());
            const double value = ParseDecimal(rating.toStdString()).value;
            const std::optional<FuseGateCheck> check = CheckFuseGate(type.typePP, value);
            ASSERT_TRUE(check.has_value());
            EXPECT_GE(check->gate.rating, value);
            EXPECT_EQ(check->current5s, *LookupFuseTripCurrent(type.typePP, 1, value));
            EXPECT_EQ(check->current04s, *LookupFuseTripCurrent(type.typePP, 2, value));
            EXPECT_EQ(check->below, type.below.count(rating) == 1);
            EXPECT_EQ(check->notCredible, type.notCredible.count(rating) == 1);
            // The covering factor lifts the table current exactly to the gate.
            if (check->below) {
                EXPECT_NEAR(check->current5s * check->coveringFactor, check->gate.imax5s, 1e-9);
            } else {
                EXPECT_EQ(check->coveringFactor, 1.0);
            }
            ++rows;
        }
    }
    EXPECT_EQ(rows, 24 + 15 + 8);
}

TEST(FuseGate, RatingsBetweenTheGatesTakeTheNextLargerOne)
{
    const std::pair<double, std::optional<double>> cases[] = {
        {2, 2}, {0.5, 2}, {6.3, 10}, {31.5, 32}, {355, 400}, {1250, 1250}, {1250.5, std::nullopt},
    };
    for (const auto& [rating, gate] : cases) {
        const std::optional<GgGate> found = GgGateFor(rating);
        ASSERT_EQ(found.has_value(), gate.has_value()) << rating;
        if (gate) {
            EXPECT_EQ(found->rating, *gate) << rating;
        }
    }
    // The gates rise with the rating, and each row keeps its own order of currents.
    for (std::size_t i = 0; i < GgGates.size(); ++i) {
        const GgGate& g = GgGates[i];
        EXPECT_LT(g.imin10s, g.imax5s) << g.rating;
        EXPECT_LT(g.imin01s, g.imax01s) << g.rating;
        EXPECT_LT(g.imax5s, g.imax01s) << g.rating;
        if (i > 0) {
            EXPECT_GT(g.rating, GgGates[i - 1].rating);
            EXPECT_GT(g.imax5s, GgGates[i - 1].imax5s);
        }
    }
}

TEST(FuseGate, WarningLineForTheConfirmedDevice)
{
    const NumberSeparators russian{",", "\u00A0"};
    const auto confirmed = [&](const DeviceInputs& in) { return ConfirmDevice(in, {}, russian).settings; };
    struct Case {
        const char* name;
        ProtectiveDeviceSettings settings;
        QString expected;  // "" for no warning
    };
    ProtectiveDeviceSettings reset = confirmed(Fuse("ППН", "1000", "1.1", "Тср < 5 с"));
    reset.TokSR = -1;
    const Case cases[] = {
        {"ППН 1000 A at 5 s: 8 800 A against 9 500 A", confirmed(Fuse("ППН", "1000", "1.1", "Тср < 5 с")),
         QStringLiteral("Внимание: ток 5 с по таблице (8\u00A0000 А) ниже 9\u00A0500 А, при которых вставка gG "
                        "1\u00A0000 А плавится за 5 с по ГОСТ Р МЭК 60269-1; это покрывает Кз от 1,19.")},
        {"НПН 31.5 A checked against 32 A", confirmed(Fuse("НПН", "31.5", "1.0", "Тср < 5 с")),
         QStringLiteral("Внимание: ток 5 с по таблице (110 А) ниже 150 А, при которых вставка gG 32 А "
                        "плавится за 5 с по ГОСТ Р МЭК 60269-1; это покрывает Кз от 1,37.")},
        {"ППН 80 A at 0.4 s: the row, without a factor", confirmed(Fuse("ППН", "80", "1.0", "Тср < 0,4 с")),
         QStringLiteral("Внимание: ток 5 с по таблице (420 А) ниже 425 А, при которых вставка gG 80 А "
                        "плавится за 5 с по ГОСТ Р МЭК 60269-1.")},
        {"НПН 63 A at 0.4 s: not credible", confirmed(Fuse("НПН", "63", "1.2", "Тср < 0,4 с")),
         QStringLiteral("Внимание: ток 0,4 с по таблице (300 А) ниже 320 А, при которых вставка gG 63 А "
                        "плавится за 5 с по ГОСТ Р МЭК 60269-1: значение недостоверно.")},
        {"ППН 63 A lies above its gate", confirmed(Fuse("ППН", "63", "1.1", "Тср < 5 с")), ""},
        {"ПН2 31.5 A lies above 32 A's gate", confirmed(Fuse("ПН2", "31.5", "1.0", "Тср < 0,4 с")), ""},
        {"breaker", confirmed(InitialInputs()), ""},
        {"after the reset", reset, ""},
        {"nothing confirmed", ProtectiveDeviceSettings{}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FuseGateWarning(c.settings, russian), c.expected);
    }
}

}  // namespace
