// Effect frame PNGs of the resource tree: any bytes give a frame or raise
// lumora::Error. Where the frame decoder and the general libpng decoder both
// read a file, they must agree on every pixel.
#include <cstdint>

#include "app/Error.h"
#include "image/ImageIO.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // Pictures claiming more than 4 megapixels are left out: a fuzzer's
    // memory is small, and the size limits are tested elsewhere.
    if (size >= 24) {
        const auto be32 = [&](std::size_t at) {
            return quint64(data[at]) << 24 | quint64(data[at + 1]) << 16 | quint64(data[at + 2]) << 8 | data[at + 3];
        };
        if (be32(16) * be32(20) > 4'000'000)
            return 0;
    }
    QImage frame;
    try {
        lumora::decodeFramePng(bytes, QStringLiteral("fuzz"), frame);
    } catch (const lumora::Error &) {
        if (!frame.isNull())
            __builtin_trap(); // a refused frame leaves no picture behind
        return 0;
    }
    if (frame.isNull() || frame.format() != QImage::Format_ARGB32)
        __builtin_trap();
    try {
        const QImage general = lumora::decodePng(bytes, QStringLiteral("fuzz"));
        if (general != frame.convertToFormat(QImage::Format_ARGB32_Premultiplied))
            __builtin_trap();
    } catch (const lumora::Error &) {
        // libpng is stricter about some damage the frame decoder lets pass
        // (a chunk it does not know, data after the end): no pixels to compare.
    }
    return 0;
}
