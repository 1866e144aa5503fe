// Separate coding table files on arbitrary bytes: a file that is taken gives exactly 256
// words, each made of two 16-bit numbers, and reads the same when written out again.

#include <QByteArray>
#include <cstdlib>

#include "tools/VQtCodingTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const VQtCodingTable::Content content = VQtCodingTable::parse(bytes);
    if (!content.ok) {
        if (content.badLine < 2 || content.reason.isEmpty())
            std::abort();
        return 0;
    }
    if (content.words.size() != VQtCodingTable::kLines)
        std::abort();
    QByteArray text = "a,b\n";
    for (uint32_t w : content.words)
        text += QByteArray::number(w & 0xFFFF) + ',' + QByteArray::number(w >> 16) + '\n';
    if (VQtCodingTable::parse(text).words != content.words)
        std::abort();
    return 0;
}
