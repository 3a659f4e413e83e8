// Packed resource layers: any bytes either unpack or raise lumora::Error.
#include <cstdint>

#include "app/Error.h"
#include "resources/PackedFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        lumora::packed::removeLayer(bytes, QStringLiteral("fuzz"));
    } catch (const lumora::Error &) {
    }
    try {
        lumora::packed::unpackData(bytes, 3, QStringLiteral("fuzz"));
    } catch (const lumora::Error &) {
    }
    return 0;
}
