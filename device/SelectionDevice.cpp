#include "SelectionDevice.h"

#include <cmath>

#include "DeviceRules.h"

namespace {

// A product formed as the device window forms it: in extended precision, stored as a double.
double Product(long double a, double b, double c = 1) { return static_cast<double>(a * b * c); }

std::vector<double> ListValues(const QStringList& texts)
{
    std::vector<double> values;
    for (const QString& text : texts)
        values.push_back(ParseDecimal(text.toStdString()).value);
    return values;
}

}  // namespace

SelectionDevice SelectionDeviceOf(const ProtectiveDeviceSettings& s, bool releaseTicked, const std::string& fuseFactorText)
{
    SelectionDevice device;
    device.tripCurrent = s.TokSR;
    if (!(s.TokSR > 0))
        return device;
    device.kind = SelectionDevice::Kind::TripCurrentOnly;

    if (s.TypeDD == 1) {
        const bool multipleFits = Product(s.TokAVnom, s.KNR, s.KZAV) == s.TokSR;
        const bool releaseFits = Product(s.TokNR, s.KZAV) == s.TokSR;
        device.safetyFactor = s.KZAV;
        if (releaseFits && (releaseTicked || !multipleFits)) {
            device.kind = SelectionDevice::Kind::BreakerRelease;
        } else if (multipleFits) {
            device.kind = SelectionDevice::Kind::Breaker;
            device.releaseMultiple = s.KNR;
            device.ratings = ListValues(BreakerRatedCurrents());
        }
        return device;
    }

    if (s.TypeDD == 2) {
        const std::optional<double> own = LookupFuseTripCurrent(s.TypePP, s.TimePP, s.TokPP);
        if (!own)
            return device;
        const DecimalValue typed = ParseDecimal(fuseFactorText, DecimalSign::PointOrComma);
        double factor = s.TokSR / *own;
        if (typed.status == DecimalStatus::Valid && Product(*own, typed.value) == s.TokSR)
            factor = typed.value;
        else if (std::fabs(Product(*own, factor) - s.TokSR) > 1e-12 * s.TokSR)
            return device;
        device.kind = SelectionDevice::Kind::Fuse;
        device.safetyFactor = factor;
        device.ratings = ListValues(FuseRatingList(s.TypePP));
        for (double rating : device.ratings)
            device.tableCurrents.push_back(LookupFuseTripCurrent(s.TypePP, s.TimePP, rating).value_or(0));
    }
    return device;
}
