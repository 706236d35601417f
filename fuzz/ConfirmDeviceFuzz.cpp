// The device window's confirmation over any texts. The input's first byte chooses the switches
// (breaker or fuse, release given as a current, separators, the record before); the rest holds
// the seven texts, one per line, as UTF-8: rated current, release, breaker factor, fuse type,
// fuse rating, fuse factor, fuse time.
#include <QString>
#include <QStringList>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "DeviceRules.h"
#include "FuzzCheck.h"

namespace {

ProtectiveDeviceSettings EarlierRecord(bool some)
{
    ProtectiveDeviceSettings earlier;
    if (some) {
        earlier.TypeDD = 2;
        earlier.TypePP = 1;
        earlier.TimePP = 1;
        earlier.TokPP = 63;
        earlier.TokSR = 330;
    }
    return earlier;
}

void CheckSettings(const ProtectiveDeviceSettings& s)
{
    for (double v : {s.TokAVnom, s.KNR, s.KZAV, s.TokNR, s.TokPP, s.TokSR})
        FUZZ_CHECK(std::isfinite(v));
    FUZZ_CHECK(s.TypeDD >= 0 && s.TypeDD <= 2);
    FUZZ_CHECK(s.TypePP >= 0 && s.TypePP <= 3);
    FUZZ_CHECK(s.TimePP >= 0 && s.TimePP <= 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t switches = data[0];
    const QString texts = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QStringList fields = texts.split(QLatin1Char('\n'));
    while (fields.size() < 7)
        fields << QString();

    DeviceInputs inputs;
    inputs.breaker = (switches & 1) == 0;
    inputs.releaseCurrentGiven = (switches & 2) != 0;
    inputs.ratedCurrent = fields[0];
    inputs.release = fields[1];
    inputs.breakerFactor = fields[2];
    inputs.fuseType = fields[3];
    inputs.fuseRating = fields[4];
    inputs.fuseFactor = fields[5];
    inputs.fuseTime = fields[6];
    const NumberSeparators separators = (switches & 4) ? NumberSeparators{",", "\u00a0"} : NumberSeparators{".", " "};
    const ProtectiveDeviceSettings earlier = EarlierRecord((switches & 8) != 0);

    const DeviceConfirmation outcome = ConfirmDevice(inputs, earlier, separators);
    CheckSettings(outcome.settings);
    // A refusal leaves the record as it was and writes no label.
    const bool unchanged = outcome.settings.TypeDD == earlier.TypeDD && outcome.settings.TokSR == earlier.TokSR &&
                           outcome.settings.TokPP == earlier.TokPP && outcome.settings.TypePP == earlier.TypePP &&
                           outcome.settings.TimePP == earlier.TimePP;
    const bool noLabels = !outcome.labels.typeDD && !outcome.labels.toknom && !outcome.labels.kz &&
                          !outcome.labels.tokSR;
    if (!outcome.Confirmed())
        FUZZ_CHECK(unchanged && noLabels);
    switch (outcome.refusal) {
    case DeviceConfirmation::Refusal::None: {
        const ProtectiveDeviceSettings& s = outcome.settings;
        FUZZ_CHECK(s.TypeDD == (inputs.breaker ? 1 : 2));
        FUZZ_CHECK(s.TokSR >= 0);
        FUZZ_CHECK(outcome.labels.tokSR.has_value() && !outcome.labels.tokSR->isEmpty());
        if (inputs.breaker) {
            FUZZ_CHECK(s.KZAV >= 1);
        } else {
            FUZZ_CHECK(s.TypePP >= 1 && s.TimePP >= 1);
            FUZZ_CHECK(LookupFuseTripCurrent(s.TypePP, s.TimePP, s.TokPP).has_value());
        }
        break;
    }
    case DeviceConfirmation::Refusal::Message:
        FUZZ_CHECK(!outcome.refusalText.isEmpty());
        break;
    case DeviceConfirmation::Refusal::Error:
        FUZZ_CHECK(outcome.refusalText == FloatingPointOverflowText());
        break;
    }

    // The verdict over the record that results, for a current from nothing to beyond any device.
    for (double iokz : {0.0, 1.0, outcome.settings.TokSR, 1e300}) {
        const DeviceVerdict verdict = JudgeDevice(iokz, outcome.settings);
        FUZZ_CHECK(!verdict.status.isEmpty());
    }
    return 0;
}
