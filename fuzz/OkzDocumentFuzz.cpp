// Any bytes as a ".okz" document. What the reader makes of them must survive the writer: writing
// the rows read and reading that document gives the same cells (down to the last row holding
// text, which is where the writer stops), a sound document, and the same bytes when written again.
// Reading must also cost memory in step with the document: every allocation is counted, and a
// read whose peak exceeds its budget is a finding (a document of bare line ends once asked for
// 384 bytes per byte read).
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "DocumentHarness.h"
#include "OkzDocument.h"

namespace {

// Beyond the cells, the row table of the largest report the reader takes, which a short document
// of many empty lines may fill. A reader that made the rows of 120,000 bare line ends (46 MB)
// exceeds it.
constexpr std::size_t RowTableAllowance = OkzDocumentLineLimit * sizeof(ReportRow) + (1u << 20);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const OkzDocumentContents read =
        ReadWithinBudget(bytes, RowTableAllowance, [](std::string_view b) { return ReadOkzDocument(b); });

    FUZZ_CHECK(!read.tooLong || read.lines.empty());
    const auto expectedEnd = read.lines.begin() + static_cast<std::ptrdiff_t>(RowsUpToLastText(read.lines));

    const std::string written = WriteOkzDocument(read.lines);
    const OkzDocumentContents reread = ReadOkzDocument(written);
    FUZZ_CHECK(!reread.damaged);
    FUZZ_CHECK(std::equal(reread.lines.begin(), reread.lines.end(), read.lines.begin(), expectedEnd));
    FUZZ_CHECK(WriteOkzDocument(reread.lines) == written);
    return 0;
}
