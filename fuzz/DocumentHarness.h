// What the document fuzz targets share: one read of any bytes held to a memory budget in step with
// the document (every allocation is counted by AllocationCount.cpp), and the rows a writer keeps.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>
#include <vector>

#include "AllocationCount.h"
#include "FuzzCheck.h"
#include "ReportRow.h"

// Texts decoded from the document, with their string and line overhead, take at most this many
// bytes per document byte.
constexpr std::size_t BytesPerDocumentByte = 8;

// Reads `bytes` with `read` and makes it a finding when the read held more than
// BytesPerDocumentByte per byte plus `tableAllowance` (the tables of the largest document the
// reader takes, which a short document of bare lines may fill).
template <typename Reader>
auto ReadWithinBudget(std::string_view bytes, std::size_t tableAllowance, Reader read)
{
    const std::size_t heldBefore = StartPeak();
    auto contents = read(bytes);
    const std::size_t cost = PeakBytes() - heldBefore;
    const std::size_t budget = BytesPerDocumentByte * bytes.size() + tableAllowance;
    if (cost > budget)
        std::fprintf(stderr, "reading %zu bytes held %zu bytes at the peak\n", bytes.size(), cost);
    FUZZ_CHECK(cost <= budget);
    return contents;
}

// How many rows a writer keeps: both writers stop at the last row holding text.
inline std::size_t RowsUpToLastText(const std::vector<ReportRow>& rows)
{
    std::size_t kept = rows.size();
    while (kept > 0) {
        for (const auto& cell : rows[kept - 1])
            if (!cell.empty())
                return kept;
        --kept;
    }
    return 0;
}
