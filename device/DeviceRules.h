// The rules of the protective device check without any window: the fuse tables, the trip
// current of a breaker or a fuse, the confirmation of the device window and the trip verdict.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "DeviceSettings.h"
#include "Numbers.h"

// Offered values of the device window's lists, in their order.
QStringList BreakerRatedCurrents();
QStringList ReleaseMultiples();   // "3 ("A")" … "20 ("D")"
QStringList SafetyFactors();      // the same list for breaker and fuse
QStringList FuseTypeNames();      // "ППН", "ПН2", "НПН"
QStringList FuseTimeTexts();      // "Тср < 5 с", "Тср < 0,4 с"

// Fuse type from the exact text of the type list: 1 "ППН", 2 "ПН2", 3 "НПН", 0 any other text.
int FuseTypeFromText(const QString& text);
// The rating list of a fuse type (1..3); empty for any other number.
QStringList FuseRatingList(int typePP);

// What a change of the fuse type text does to the rating list.
struct RatingListChange {
    QStringList items;   // the new list
    QString text;        // the new rating text
    bool unknownType;    // the text named no type: the user is told so
};
RatingListChange RatingListForTypeText(const QString& typeText);

// One row of FuseTripCurrentTable: the currents in amperes at which a fuse link whose rating has
// this whole-ampere part operates within the normative time; 0 where the type has no such rating.
struct FuseTripCurrentRow {
    int key;
    // [type - 1][time - 1]: type 1 ППН, 2 ПН2, 3 НПН; time 1 = 5 s, 2 = 0.4 s
    std::array<std::array<int, 2>, 3> current;
};
extern const std::array<FuseTripCurrentRow, 26> FuseTripCurrentTable;

// The table current for a fuse type (1..3), time (1..2) and rated current; the key is the whole
// part of the rating (31.5 is found under 31). Nothing when the type has no such key.
std::optional<double> LookupFuseTripCurrent(int typePP, int timePP, double ratedCurrent);

// The multiple of a release given by one of the four lettered list texts ("10 ("C")" gives 10).
std::optional<double> LetteredReleaseMultiple(const QString& text);

// The texts of the device window, as the user left them.
struct DeviceInputs {
    bool breaker = true;              // AVRadioButton checked
    QString ratedCurrent;             // TokAVnomComboBox
    QString release;                  // TokNRComboBox: a multiple, or a current when ticked
    bool releaseCurrentGiven = false; // TokNRCheckBox ticked
    QString breakerFactor;            // KZAVComboBox
    QString fuseType;                 // TypePPComboBox
    QString fuseRating;               // TokPPComboBox
    QString fuseFactor;               // KZPPComboBox
    QString fuseTime;                 // TimePPComboBox
};

// New texts of the result window's device labels; an absent text leaves its label as it is.
struct DeviceLabelTexts {
    std::optional<QString> typeDD;   // TypeDDLabel
    std::optional<QString> toknom;   // ToknomLabel
    std::optional<QString> kz;       // KZLabel
    std::optional<QString> tokSR;    // TokSRLabel
};

// An input of the device window, as the confirmation names the one it refused.
enum class DeviceField { None, RatedCurrent, Release, BreakerFactor, FuseType, FuseRating, FuseFactor, FuseTime };

// Outcome of pressing "Да": either the whole new device, or, when refused, the current record
// unchanged and no label to write.
struct DeviceConfirmation {
    enum class Refusal { None, Message, Error };

    ProtectiveDeviceSettings settings;
    DeviceLabelTexts labels;
    Refusal refusal = Refusal::None;
    QString refusalText;   // the sentence of the message or error box
    DeviceField field = DeviceField::None;   // the input at fault; None when a product overflowed

    bool Confirmed() const { return refusal == Refusal::None; }
};

// Runs the confirmation over the window's texts, starting from the current record. Numbers
// are typed: a point or a comma. A fuse's safety factor of 0 is refused like a negative one
// is, with a sentence of its own: it would make the fuse no device at all.
DeviceConfirmation ConfirmDevice(const DeviceInputs& inputs, const ProtectiveDeviceSettings& current,
                                 const NumberSeparators& separators);

// The text of the error box for a number beyond the range of a double.
QString FloatingPointOverflowText();

// What the verdict writes: both status lines, and the trip time when there is a verdict.
struct DeviceVerdict {
    QString status;
    std::optional<QString> timeSR;   // absent: TimeSRLabel is left as it is
};
DeviceVerdict JudgeDevice(double iokz, const ProtectiveDeviceSettings& settings);

// Texts of the reset and of a device or calculation not yet known.
QString NotDeterminedText();    // "В расчете не определен"
QString NoValueText();          // "---"
