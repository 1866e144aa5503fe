// Firmware files on arbitrary bytes: the first byte chooses container or plain data, the fill
// byte and the block size; the rest is the file. Whatever is taken must be padded to whole
// blocks, keep its data in front, and answer the model and version questions; the camera's
// version text is read from the same bytes.

#include <QByteArray>
#include <QString>
#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "tools/VQtFirmwareCrc.h"
#include "tools/VQtFirmwareFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint32_t mode = in.take(1);
    const bool header = mode & 1;
    const uint8_t fill = uint8_t(in.take(1));
    const int block = (mode & 2) ? 256 : 4096;
    const QByteArray bytes(reinterpret_cast<const char*>(in.rest()), int(in.restSize()));

    VQtFirmwareFile file;
    if (file.setFileBytes(bytes, header, fill, block) == VQtFirmwareFile::Ok) {
        const QByteArray& buffer = file.buffer();
        if (buffer.size() % block != 0 || buffer.size() < file.dataSize() || file.dataSize() <= 0)
            std::abort();
        if (!header && buffer.left(file.dataSize()) != bytes)
            std::abort();
        for (int i = file.dataSize(); i < buffer.size(); ++i)
            if (uint8_t(buffer[i]) != fill)
                std::abort();
        file.modelMatches(QString::fromLatin1(bytes.left(8)));
        VQtFirmwareVersions camera;
        const bool known = parseDeviceVersion(QString::fromLatin1(bytes.left(16)), &camera);
        file.checkVersions(known ? &camera : nullptr);
        VQtFirmwareCrc::wholeImage(buffer);
    }
    return 0;
}
