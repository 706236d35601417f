// Any bytes as a ".okz" document. What the reader makes of them must survive the writer: writing
// the rows read and reading that document gives the same cells (down to the last row holding
// text, which is where the writer stops), a sound document, and the same bytes when written again.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "OkzDocument.h"

namespace {

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
    const OkzDocumentContents read = ReadOkzDocument(bytes);

    ReportRows expected = read.lines;
    while (!expected.empty() && !HoldsText(expected.back()))
        expected.pop_back();

    const std::string written = WriteOkzDocument(read.lines);
    const OkzDocumentContents reread = ReadOkzDocument(written);
    FUZZ_CHECK(!reread.damaged);
    FUZZ_CHECK(reread.lines == expected);
    FUZZ_CHECK(WriteOkzDocument(reread.lines) == written);
    return 0;
}
