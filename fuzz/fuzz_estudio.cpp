// libFuzzer target: study file reader, report and number conversions.
#include "Sonda.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t largo)
{
    const QString fallo = RevisaEntrada(
        QByteArray::fromRawData(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(largo)));
    if (!fallo.isEmpty()) {
        std::fprintf(stderr, "%s\n", fallo.toUtf8().constData());
        std::abort();
    }
    return 0;
}
