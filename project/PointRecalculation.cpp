#include "PointRecalculation.h"

#include "DeviceRules.h"
#include "ReportTable.h"

namespace {

constexpr int CurrentColumn = 9;

}  // namespace


namespace {

// The calculation and the verdict, without the row: the figures of the row are written only for
// the points the user takes. The minimum current too, unless `withMinimum`.
PointCalculation Calculate(PointRecord record, const MinimumCurrentParameters& parameters, bool withMinimum = true)
{
    PointCalculation calculation;
    const CalculationOutcome outcome = CalculateShortCircuit(record.network);
    if (outcome.status != CalculationStatus::Success) {
        calculation.failure = outcome.message;
        calculation.record = std::move(record);
        return calculation;
    }
    const DeviceVerdict verdict = JudgeDevice(outcome.result.Iokz, record.device);
    record.verdict = verdict.status.toStdString();
    // As in the result window, a verdict without a trip time leaves the time as it was.
    if (verdict.timeSR)
        record.tripTime = verdict.timeSR->toStdString();
    record.iokz = outcome.result.Iokz;
    const MinimumCurrentParameters minimumParameters = record.minimum ? record.minimum->parameters : parameters;
    if (withMinimum) {
        record.minimum = CalculatePointMinimum(record, outcome.result, minimumParameters);
    } else {
        record.minimum.reset();
        calculation.pendingMinimum = minimumParameters;
    }
    calculation.result = outcome.result;
    calculation.record = std::move(record);
    calculation.ok = true;
    return calculation;
}

// Finds the minimum current a preview left.
void CompleteMinimum(PointCalculation& calculation)
{
    if (!calculation.ok || !calculation.pendingMinimum)
        return;
    calculation.record.minimum = CalculatePointMinimum(calculation.record, calculation.result, *calculation.pendingMinimum);
    calculation.pendingMinimum.reset();
}

ReportRow RowOf(const std::string& name, const PointCalculation& calculation)
{
    return MakePointRow(name, calculation.result, calculation.record.device.TokSR, calculation.record.tripTime,
                        calculation.record.separators);
}

}  // namespace

PointCalculation CalculatePoint(const std::string& name, PointRecord record, const MinimumCurrentParameters& parameters)
{
    PointCalculation calculation = Calculate(std::move(record), parameters);
    if (calculation.ok)
        calculation.row = RowOf(name, calculation);
    return calculation;
}

std::optional<PointMinimumCurrent> CalculatePointMinimum(const PointRecord& record, const ShortCircuitResult& result,
                                                         MinimumCurrentParameters parameters)
{
    const ProtectiveDeviceSettings& device = record.device;
    const bool present = device.TokSR > 0;
    const bool fuse = present && device.TypeDD == 2;
    parameters.uteFactor = fuse ? 1.5 : 1.25;
    const double time = fuse && device.TimePP == 1 ? 5 : 0.4;
    const MinimumCurrentResult minimum =
        CalculateMinimumCurrent(record.network, result, parameters, time, present ? device.TokSR : 0);
    if (!minimum.ok)
        return std::nullopt;
    return PointMinimumCurrent{parameters,           minimum.time,  minimum.minimumCurrent, minimum.tripCurrent,
                               minimum.margin,       minimum.trips, minimum.withstands};
}

NetworkDescription ApplyUpstreamChange(NetworkDescription network, const UpstreamChange& change)
{
    switch (change.kind) {
    case UpstreamChange::Kind::Transformer:
        network.TransPower = change.source.TransPower;
        network.WindKind = change.source.WindKind;
        break;
    case UpstreamChange::Kind::ArcResistance:
        network.RArc = change.source.RArc;
        break;
    case UpstreamChange::Kind::LeadingLines:
        for (int n = 0; n < change.lineCount && n < LineSectionCount; ++n)
            network.Lines[n] = change.source.Lines[n];
        break;
    }
    return network;
}

const PointRecord* PointRecordCache::Read(const std::string& text)
{
    auto found = entries_.find(text);
    if (found == entries_.end())
        found = entries_.emplace(text, Entry{ReadPointRecord(text).record}).first;
    found->second.used = true;
    return found->second.record ? &*found->second.record : nullptr;
}

void PointRecordCache::ForgetUnused()
{
    std::erase_if(entries_, [](const auto& entry) { return !entry.second.used; });
    for (auto& entry : entries_)
        entry.second.used = false;
}

Recalculation PreviewRecalculation(const ReportRows& rows, const std::vector<std::string>& records,
                                   const std::vector<int>& chosen, const UpstreamChange& change,
                                   PointRecordCache& cache)
{
    Recalculation recalculation;
    recalculation.changes.reserve(chosen.size());
    for (int row : chosen) {
        if (row < 0 || row >= static_cast<int>(rows.size()))
            continue;
        const std::size_t index = static_cast<std::size_t>(row);
        const PointRecord* record =
            index < records.size() && !records[index].empty() ? cache.Read(records[index]) : nullptr;
        if (record == nullptr) {
            ++recalculation.skipped;
            continue;
        }
        PointChange& point = recalculation.changes.emplace_back();
        point.row = row;
        point.name = rows[index][0];
        point.oldCurrent = rows[index][CurrentColumn];
        point.oldVerdict = record->verdict;
        PointRecord changed = *record;
        changed.network = ApplyUpstreamChange(std::move(changed.network), change);
        point.calculation = Calculate(std::move(changed), change.minimumParameters, false);
        if (point.calculation.ok) {
            point.newCurrent =
                FormatCurrent(point.calculation.result.Iokz, DocumentSeparators(point.calculation.record.separators));
            point.newVerdict = point.calculation.record.verdict;
        }
    }
    cache.ForgetUnused();
    return recalculation;
}

Recalculation RecalculatePoints(const ReportRows& rows, const std::vector<std::string>& records,
                                const std::vector<int>& chosen, const UpstreamChange& change)
{
    PointRecordCache cache;
    Recalculation recalculation = PreviewRecalculation(rows, records, chosen, change, cache);
    for (PointChange& point : recalculation.changes)
        CompleteMinimum(point.calculation);
    return recalculation;
}

void ApplyRecalculation(ReportRows& rows, std::vector<std::string>& records, const Recalculation& recalculation)
{
    if (records.size() < rows.size())
        records.resize(rows.size());
    for (const PointChange& point : recalculation.changes) {
        if (!point.calculation.ok || point.row >= static_cast<int>(rows.size()))
            continue;
        PointCalculation calculation = point.calculation;
        CompleteMinimum(calculation);
        rows[point.row] = RowOf(point.name, calculation);
        records[point.row] = WritePointRecord(calculation.record);
    }
}
