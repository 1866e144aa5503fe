// A camera settings file of the Aravis backend (OxaDevLoadConfigurationFromFile) on arbitrary
// bytes: parsed, and what parses is written out and parsed again to the same settings.
#include <QByteArray>
#include <QString>
#include <cstdlib>

#include "device/aravis/VQtArvConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    VQtArvConfig config;
    QString why;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    if (VQtArvConfigFile::parse(bytes, &config, &why) != VQtArvConfigFile::Ok) {
        if (why.isEmpty())
            std::abort(); // a refusal always says why
        return 0;
    }
    VQtArvConfig again;
    if (VQtArvConfigFile::parse(VQtArvConfigFile::format(config), &again, &why) != VQtArvConfigFile::Ok ||
        again.values != config.values || again.model != config.model || again.vendor != config.vendor)
        std::abort();
    return 0;
}
