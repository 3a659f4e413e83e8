// JPEG headers and EXIF of user photos: any bytes give an answer or raise
// lumora::Error. Small pictures are decoded as well, at a reduced scale.
#include <cstdint>

#include "app/Error.h"
#include "image/ExifOrientation.h"
#include "image/ImageIO.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)lumora::exifOrientation(data, size);
    try {
        const lumora::JpegInfo info = lumora::readJpegInfo(bytes, QStringLiteral("fuzz"));
        if (info.orientation < 1 || info.orientation > 8 || info.width <= 0 || info.height <= 0)
            __builtin_trap();
        if (qint64(info.width) * info.height <= 4'000'000)
            lumora::decodeJpeg(bytes, QStringLiteral("fuzz"), QSize(32, 32));
    } catch (const lumora::Error &) {
    }
    return 0;
}
