#include "EffectPng.h"

#include <QFile>
#include <memory>
#include <png.h>
#include <vector>

#include "app/Error.h"
#include "resources/PackedFile.h"

namespace lumora::studio {

namespace {
struct WriteState {
    QByteArray *out;
};

void writeData(png_structp png, png_bytep data, png_size_t length)
{
    auto *s = static_cast<WriteState *>(png_get_io_ptr(png));
    s->out->append(reinterpret_cast<const char *>(data), qsizetype(length));
}
void flushData(png_structp)
{
}

struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWriter() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

// Straight (non-premultiplied) RGBA of one row, faint colours rounded.
void convertRow(const QRgb *src, png_byte *dst, int width)
{
    for (int x = 0; x < width; ++x) {
        const QRgb p = src[x];
        int a = qAlpha(p);
        png_byte *d = dst + 4 * x;
        if (a == 0) {
            d[0] = d[1] = d[2] = d[3] = 0;
            continue;
        }
        int r = qRed(p) * 255 / a, g = qGreen(p) * 255 / a, b = qBlue(p) * 255 / a;
        // Colour steps of 16 below ~40 % coverage and of 4 above are not seen
        // once blended over a photo, and they make long equal runs for zlib.
        const int step = a < 96 ? 16 : 4;
        r = std::min(255, (r + step / 2) / step * step);
        g = std::min(255, (g + step / 2) / step * step);
        b = std::min(255, (b + step / 2) / step * step);
        a = a >= 254 ? 255 : (a + 2) / 4 * 4;
        d[0] = png_byte(std::min(r, 255));
        d[1] = png_byte(std::min(g, 255));
        d[2] = png_byte(std::min(b, 255));
        d[3] = png_byte(a);
    }
}
} // namespace

void writeEffectPng(const QImage &source, const QString &path, bool smooth, int zlibLevel)
{
    const QImage image = source.format() == QImage::Format_ARGB32_Premultiplied
        ? source
        : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray out;
    WriteState state{&out};
    PngWriter w;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!w.png)
        throw Error(QStringLiteral("PNG编码失败：%1").arg(path));
    w.info = png_create_info_struct(w.png);
    std::vector<png_byte> row(size_t(image.width()) * 4);
    if (!w.info || setjmp(png_jmpbuf(w.png)))
        throw Error(QStringLiteral("PNG编码失败：%1").arg(path));
    png_set_write_fn(w.png, &state, writeData, flushData);
    png_set_IHDR(w.png, w.info, png_uint_32(image.width()), png_uint_32(image.height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(w.png, zlibLevel);
    // Row filters pay off on smooth gradients; on scattered shapes over
    // transparency they only cost time.
    png_set_filter(w.png, PNG_FILTER_TYPE_BASE, smooth ? PNG_ALL_FILTERS : PNG_FILTER_NONE);
    png_write_info(w.png, w.info);
    for (int y = 0; y < image.height(); ++y) {
        convertRow(reinterpret_cast<const QRgb *>(image.constScanLine(y)), row.data(), image.width());
        png_write_row(w.png, row.data());
    }
    png_write_end(w.png, w.info);
    writeFileBytes(path, out);
}

} // namespace lumora::studio
