// Correction-table CSV files on arbitrary bytes. What is read must be written back as the
// same entries, and the check against a camera table (limits from the first bytes) must
// answer without trouble.

#include <QByteArray>
#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "tools/VQtCsvFile.h"
#include "tools/VQtTableCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    VQtTableLimits limits;
    limits.kind = int(in.take(1) % 3);
    limits.count = int64_t(in.take(2));
    limits.valueMax = int64_t(in.take(2));
    limits.columnMax = int64_t(in.take(2));
    limits.rowMax = int64_t(in.take(2));
    limits.maxEntries = int64_t(in.take(1)) - 1;
    const QByteArray bytes(reinterpret_cast<const char*>(in.rest()), int(in.restSize()));

    const VQtCsvFile::Content content = VQtCsvFile::parse(bytes);
    if (!content.valid)
        return 0;
    if (content.entries.size() != content.lines.size())
        std::abort();
    const VQtCsvFile::Content again = VQtCsvFile::parse(VQtCsvFile::format(content.entries));
    if (!again.valid || again.entries != content.entries || again.stopLine != 0)
        std::abort();
    VQtTableCheck::check(limits, content.entries, content.lines, true);
    VQtTableCheck::check(limits, content.entries, {}, false);
    VQtCsvFile::stopText(content);
    return 0;
}
