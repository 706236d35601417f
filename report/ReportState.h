// Everything the report keeps, as one value, and the states an undo puts back.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>

#include "ReportRow.h"

// The report's whole state: what the grid's model hands out before a change and takes back on
// undo. Whatever the report comes to keep beside its rows belongs here too, so that an undo
// brings it back with them.
// The record texts of the points (PointRecord.h), by point name. Each text is shared between the
// states that hold it, so that a state kept for undo costs a pointer per point, not its record.
using PointRecordTexts = std::unordered_map<std::string, std::shared_ptr<const std::string>>;

struct ReportState {
    ReportRows rows;
    PointRecordTexts records;

    friend bool operator==(const ReportState&, const ReportState&) = default;
};

// The states before the latest changes of the report, the newest last. Several steps are kept,
// but no more than MaxSteps, and the older ones only while all of them together hold no more
// than MaxKeptRows rows: a 100,000-row report takes about 38 MB, so the memory stays bounded
// while the usual reports of some hundred rows keep every step. The newest state is always kept.
class ReportUndoHistory {
public:
    static constexpr std::size_t MaxSteps = 20;
    static constexpr std::size_t MaxKeptRows = 200'000;

    void Remember(ReportState state);
    bool IsEmpty() const { return states_.empty(); }
    std::size_t Steps() const { return states_.size(); }
    // The newest state, taken out of the history. The history must not be empty.
    ReportState TakeNewest();

private:
    std::deque<ReportState> states_;
    std::size_t keptRows_ = 0;
};
