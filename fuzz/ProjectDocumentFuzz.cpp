// Any bytes as a project document. What the reader accepts must survive the writer: writing the
// project read and reading that document gives the same fields, rows and records, and the same bytes
// when written again. Reading must cost memory in step with the document: every allocation is
// counted, and a read whose peak exceeds its budget is a finding (a reader that held the document
// whole, or made rows beyond the point limit).
#include <cstdint>
#include <string>
#include <string_view>

#include "DocumentHarness.h"
#include "ProjectDocument.h"

namespace {

// Beyond the texts, the row and record tables of the largest project the reader takes, grown by
// doubling, which a short document of bare point lines may fill.
constexpr std::size_t TableAllowance = 2 * ProjectPointLimit * (sizeof(ReportRow) + sizeof(std::string)) + (1u << 20);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const ProjectReading read =
        ReadWithinBudget(bytes, TableAllowance, [](std::string_view b) { return ReadProjectDocument(b); });

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
    const std::size_t kept = RowsUpToLastText(project.rows);
    FUZZ_CHECK(reread.project->rows.size() == kept);
    for (std::size_t r = 0; r < kept; ++r) {
        FUZZ_CHECK(reread.project->rows[r] == project.rows[r]);
        FUZZ_CHECK(reread.project->records[r] == project.records[r]);
    }
    FUZZ_CHECK(WriteProjectDocument(reread.project->fields, reread.project->rows, reread.project->records) == written);
    return 0;
}
