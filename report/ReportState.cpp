#include "ReportState.h"

#include <utility>

void ReportUndoHistory::Remember(ReportState state)
{
    keptRows_ += state.rows.size();
    states_.push_back(std::move(state));
    while (states_.size() > MaxSteps || (states_.size() > 1 && keptRows_ > MaxKeptRows)) {
        keptRows_ -= states_.front().rows.size();
        states_.pop_front();
    }
}

ReportState ReportUndoHistory::TakeNewest()
{
    ReportState newest = std::move(states_.back());
    states_.pop_back();
    keptRows_ -= newest.rows.size();
    return newest;
}
