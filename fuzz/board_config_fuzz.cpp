// A simulated board's configuration file reader on arbitrary contents, for every board kind.
// The first byte picks the kind; a file the reader takes must hold only values the board takes.

#include <cstdlib>

#include "device/sim/SimBoardParams.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    SimBoardDesc desc;
    desc.kind = 1 + int(in.take(1) % 4);
    desc.generation = in.take(1) & 1 ? 0xC1000000u : 0x81000000u;
    const QHash<uint32_t, SimBoardParam> params = SimBoardParams::build(desc, 640, 480);
    const QByteArray text(reinterpret_cast<const char*>(in.rest()), int(in.restSize()));
    QVector<QPair<uint32_t, int64_t>> values;
    if (SimBoardParams::parseText(text, desc, params, &values) == 1)
        for (const auto& v : values)
            if (SimBoardParams::check(params.value(v.first), v.second) != 0)
                std::abort();
    // What the board writes, it reads back.
    values.clear();
    if (SimBoardParams::parseText(SimBoardParams::saveText(desc, params), desc, params, &values) != 1)
        std::abort();
    return 0;
}
