// Calculating a point again from its record: alone, as reopening it does, or a set of points after
// one upstream change (transformer, Rпр, the first line sections), with what changed for each.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "PointRecord.h"
#include "ReportRow.h"

// The row and record a point's inputs give now: CalculateShortCircuit, then JudgeDevice with the
// record's device, the row written as "Добавить в отчет..." writes it with the record's separators.
struct PointCalculation {
    bool ok = false;
    std::string failure;          // why the calculation refused the inputs (its own message)
    ShortCircuitResult result;
    ReportRow row;                // left empty by RecalculatePoints: ApplyRecalculation writes it
    PointRecord record;
    // Set by PreviewRecalculation, which leaves record.minimum empty: the parameters the minimum
    // current is to be found with when the point is taken.
    std::optional<MinimumCurrentParameters> pendingMinimum;
};
// The record's minimum current is found again with its own parameters, or with `parameters` when
// it has none.
PointCalculation CalculatePoint(const std::string& name, PointRecord record,
                                const MinimumCurrentParameters& parameters = {});

// The point's minimum fault current as the window "Проверка" finds it for the same device:
// CalculateMinimumCurrent with `parameters`, the fixed factor of the device (1.5 for a fuse, else
// 1.25) and its normative time (5 s for a fuse set to 5 s, else 0.4 s). `result` is the calculation
// of record.network. Nothing when the chain is refused or a core melts (no current of the chain then).
std::optional<PointMinimumCurrent> CalculatePointMinimum(const PointRecord& record, const ShortCircuitResult& result,
                                                         MinimumCurrentParameters parameters);

// One change applied to every chosen point; the values come from `source`, the main window's texts.
struct UpstreamChange {
    enum class Kind {
        Transformer,    // power and winding scheme
        ArcResistance,  // Rпр
        LeadingLines,   // line sections 1..lineCount
    };
    Kind kind = Kind::Transformer;
    NetworkDescription source;
    int lineCount = 1;   // LeadingLines: 1..6
    MinimumCurrentParameters minimumParameters;   // for points that have no minimum current yet
};
NetworkDescription ApplyUpstreamChange(NetworkDescription network, const UpstreamChange& change);

// What recalculating one point gives, before the user accepts it.
struct PointChange {
    int row = 0;
    std::string name;
    std::string oldCurrent, newCurrent;   // the report's current texts (A); newCurrent empty on failure
                                          // (written as the row will write it)
    std::string oldVerdict, newVerdict;
    PointCalculation calculation;
};

struct Recalculation {
    std::vector<PointChange> changes;   // the points with a record, in the order chosen
    int skipped = 0;                    // chosen rows without a record (empty or from ".okz")
};

// The records read from their texts, kept so that a window showing one preview after another
// reads each text once, not at every preview.
class PointRecordCache {
public:
    // The record of `text`, or nothing when it cannot be read.
    const PointRecord* Read(const std::string& text);
    // Forgets every record not read since the last call.
    void ForgetUnused();

private:
    struct Entry {
        std::optional<PointRecord> record;
        bool used = false;
    };
    std::unordered_map<std::string, Entry> entries_;
};

// Recalculates the chosen rows (indexes into `rows`; those outside are ignored). `records` holds
// each row's record text (WritePointRecord) or an empty text; it may be shorter than `rows`.
Recalculation RecalculatePoints(const ReportRows& rows, const std::vector<std::string>& records,
                                const std::vector<int>& chosen, const UpstreamChange& change);
// The same, for showing before the user takes it: the records come from `cache`, and the minimum
// current, the slow part, is left to ApplyRecalculation (pendingMinimum).
Recalculation PreviewRecalculation(const ReportRows& rows, const std::vector<std::string>& records,
                                   const std::vector<int>& chosen, const UpstreamChange& change,
                                   PointRecordCache& cache);

// Puts every successful change in place: its row (written now) and its record text, with the
// minimum current found now when the preview left it. Failed ones stay as they were.
void ApplyRecalculation(ReportRows& rows, std::vector<std::string>& records, const Recalculation& recalculation);
