// Any bytes as a project document. What the reader accepts must survive the writer: writing the
// project read and reading that document gives the same fields, rows and records, and the same bytes
// when written again. Reading must cost memory in step with the document: every allocation is
// counted, and a read whose peak exceeds its budget is a finding (a reader that held the document
// whole, or made rows beyond the point limit).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

#include "AllocationCount.h"
#include "FuzzCheck.h"
#include "ProjectDocument.h"

namespace {

// The budget of one read: a fixed multiple of the document's size (texts, their string and line
// overhead), plus the row and record tables of the largest project the reader takes, grown by
// doubling, which a short document of bare point lines may fill.
constexpr std::size_t BytesPerDocumentByte = 8;
constexpr std::size_t TableAllowance = 2 * ProjectPointLimit * (sizeof(ReportRow) + sizeof(std::string)) + (1u << 20);

bool HoldsText(const ReportRow& row)
{
    for (const std::string& cell : row)
        if (!cell.empty())
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::size_t heldBefore = StartPeak();
    const ProjectReading read = ReadProjectDocument(bytes);
    const std::size_t readCost = PeakBytes() - heldBefore;
    if (readCost > BytesPerDocumentByte * size + TableAllowance)
        std::fprintf(stderr, "reading %zu bytes held %zu bytes at the peak\n", size, readCost);
    FUZZ_CHECK(readCost <= BytesPerDocumentByte * size + TableAllowance);

    FUZZ_CHECK(read.project.has_value() == read.refusal.empty());
    if (!read.project)
        return 0;
    const Project& project = *read.project;
    FUZZ_CHECK(project.rows.size() == project.records.size());
    FUZZ_CHECK(project.rows.size() <= ProjectPointLimit);

    const std::string written = WriteProjectDocument(project.fields, project.rows, project.records);
    const ProjectReading reread = ReadProjectDocument(written);
    FUZZ_CHECK(reread.project.has_value());
    FUZZ_CHECK(reread.project->fields == project.fields);
    // The writer stops at the last row holding text, as the ".okz" writer does.
    std::size_t kept = project.rows.size();
    while (kept > 0 && !HoldsText(project.rows[kept - 1]))
        --kept;
    FUZZ_CHECK(reread.project->rows.size() == kept);
    for (std::size_t r = 0; r < kept; ++r) {
        FUZZ_CHECK(reread.project->rows[r] == project.rows[r]);
        FUZZ_CHECK(reread.project->records[r] == project.records[r]);
    }
    FUZZ_CHECK(WriteProjectDocument(reread.project->fields, reread.project->rows, reread.project->records) == written);
    return 0;
}
