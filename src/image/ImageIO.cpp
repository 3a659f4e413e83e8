// Photo and frame pictures through libjpeg-turbo (TurboJPEG API) and libpng.
#include "ImageIO.h"

#include <QCoreApplication>
#include <QFile>
#include <QTransform>
#include <QtEndian>
#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <libdeflate.h>
#include <libyuv/convert_argb.h>
#include <limits>
#include <memory>
#include <png.h>
#include <turbojpeg.h>
#include <vector>

#include "ExifOrientation.h"
#include "app/Error.h"
#include "resources/PackedFile.h"

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN,
              "QImage::Format_RGB32/ARGB32 are B,G,R,A in memory only on little-endian machines");

namespace lumora {

namespace {

// A decoded PNG larger than this is refused rather than allocated: a
// damaged or hostile header can claim 65535 x 65535 pixels.
constexpr qint64 kMaxDecodedBytes = 1024LL * 1024 * 1024;

struct TjDeleter {
    void operator()(void *h) const { tjDestroy(h); }
};
using TjHandle = std::unique_ptr<void, TjDeleter>;

TjHandle newDecompressor()
{
    TjHandle h(tjInitDecompress());
    if (!h)
        throw Error(QCoreApplication::translate("lumora::ImageIO", "无法初始化JPG解码器：%1")
                        .arg(QString::fromLocal8Bit(tjGetErrorStr2(nullptr))));
    return h;
}

[[noreturn]] void failPhoto(const QString &what, const QString &why)
{
    throw Error(QCoreApplication::translate("lumora::ImageIO", "无法读取照片文件 %1：%2").arg(what, why));
}

QString tjMessage(void *handle)
{
    return QString::fromLocal8Bit(tjGetErrorStr2(handle));
}

// The bytes of a JPEG from its start, either all in memory or read from a file
// on demand, so that reading a header touches only the first few kilobytes of
// a large photo.
class HeaderBytes {
public:
    explicit HeaderBytes(const QByteArray &data) : m_data(data) { }
    explicit HeaderBytes(QFile *file) : m_file(file) { }

    // Makes bytes [0, end) available; false when the source is shorter.
    bool ensure(qint64 end)
    {
        if (end <= m_data.size())
            return true;
        if (!m_file)
            return false;
        // Read ahead in blocks so a run of small segments costs one read.
        const qint64 want = std::max<qint64>(end, m_data.size() + 64 * 1024);
        const QByteArray more = m_file->read(want - m_data.size());
        m_data.append(more);
        return end <= m_data.size();
    }
    const std::uint8_t *at(qint64 pos) const
    {
        return reinterpret_cast<const std::uint8_t *>(m_data.constData()) + pos;
    }
    const QByteArray &bytes() const { return m_data; }
    // Size of the whole source.
    qint64 totalSize() const { return m_file ? m_file->size() : m_data.size(); }
    // The last `n` bytes of the source (fewer when it is shorter).
    QByteArray tail(qint64 n)
    {
        if (!m_file)
            return m_data.right(n);
        const qint64 size = m_file->size();
        if (!m_file->seek(std::max<qint64>(0, size - n)))
            return {};
        return m_file->read(n);
    }

private:
    QByteArray m_data;
    QFile *m_file = nullptr;
};

struct HeaderScan {
    int orientation = 0; // 0: no EXIF Orientation found
    qint64 headerEnd = 0; // just past the first start-of-scan segment
    std::uint8_t frameMarker = 0; // SOFn
    int frameWidth = 0, frameHeight = 0;
    struct Component {
        int h = 1, v = 1; // sampling factors
    };
    std::vector<Component> components;
};

bool isStartOfFrame(std::uint8_t m)
{
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

// The frame header: size and the sampling factors of each component. A
// damaged one keeps what it could read; TurboJPEG judges the header after.
void readFrame(const std::uint8_t *p, qint64 size, std::uint8_t marker, HeaderScan &scan)
{
    if (size < 6 || !scan.components.empty())
        return;
    scan.frameMarker = marker;
    scan.frameHeight = p[1] << 8 | p[2];
    scan.frameWidth = p[3] << 8 | p[4];
    const int count = p[5];
    for (int i = 0; i < count && 6 + 3 * i + 2 < size; ++i) {
        const std::uint8_t hv = p[6 + 3 * i + 1];
        scan.components.push_back({std::max(1, hv >> 4), std::max(1, hv & 0x0F)});
    }
}

// Walks the marker segments from SOI up to the first SOS, taking the
// Orientation from the first EXIF APP1 segment. Throws for data that is not
// a JPEG or whose header ends early.
HeaderScan scanHeader(HeaderBytes &src, const QString &what)
{
    if (!src.ensure(2)) {
        if (src.bytes().isEmpty())
            failPhoto(what, QCoreApplication::translate("lumora::ImageIO", "文件是空的"));
        failPhoto(what, QCoreApplication::translate("lumora::ImageIO", "不是JPG文件"));
    }
    if (src.at(0)[0] != 0xFF || src.at(0)[1] != 0xD8)
        failPhoto(what, QCoreApplication::translate("lumora::ImageIO", "不是JPG文件"));
    const QString truncated
        = QCoreApplication::translate("lumora::ImageIO", "文件头不完整（文件可能已损坏或未下载完整）");
    HeaderScan scan;
    bool sawFrame = false;
    qint64 pos = 2;
    // Each pass consumes at least two bytes and the source is finite, so the walk ends.
    for (;;) {
        if (!src.ensure(pos + 2))
            failPhoto(what, truncated);
        if (src.at(pos)[0] != 0xFF)
            failPhoto(what, QCoreApplication::translate("lumora::ImageIO", "JPG文件头已损坏"));
        std::uint8_t marker = src.at(pos)[1];
        if (marker == 0xFF) { // fill byte before a marker
            pos += 1;
            continue;
        }
        pos += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a segment
        if (marker == 0xD9 || marker == 0xD8)
            failPhoto(what, truncated);
        if (!src.ensure(pos + 2))
            failPhoto(what, truncated);
        const qint64 length = qFromBigEndian<quint16>(src.at(pos));
        if (length < 2)
            failPhoto(what, QCoreApplication::translate("lumora::ImageIO", "JPG文件头已损坏"));
        const qint64 payload = pos + 2, end = pos + length;
        if (marker == 0xE1 && scan.orientation == 0) {
            if (!src.ensure(end))
                failPhoto(what, truncated);
            scan.orientation = exifOrientation(src.at(payload), std::size_t(length - 2));
        } else if (isStartOfFrame(marker)) {
            if (!src.ensure(end))
                failPhoto(what, truncated);
            readFrame(src.at(payload), length - 2, marker, scan);
            sawFrame = true;
        } else if (marker == 0xDA) {
            if (!sawFrame || !src.ensure(end))
                failPhoto(what, truncated);
            scan.headerEnd = end;
            return scan;
        }
        pos = end;
    }
}

struct Header {
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
};

// Reads width, height and colour space through TurboJPEG. libjpeg-turbo can
// report success on a damaged header without setting the size, so the size
// is checked here as well.
Header tjHeader(void *handle, const QByteArray &bytes, qint64 length, const QString &what)
{
    Header h;
    if (tjDecompressHeader3(handle, reinterpret_cast<const unsigned char *>(bytes.constData()), (unsigned long)length,
                            &h.width, &h.height, &h.subsampling, &h.colorspace)
        != 0)
        failPhoto(what, tjMessage(handle));
    if (h.width <= 0 || h.height <= 0)
        failPhoto(what, QCoreApplication::translate("lumora::ImageIO", "JPG文件头不完整"));
    return h;
}

qint64 ceilDiv(qint64 a, qint64 b)
{
    return (a + b - 1) / b;
}

// Memory and data bounds of the frame: the coefficient buffer a progressive
// decode keeps (per component, blocks rounded up to whole MCUs, 64
// coefficients of 2 bytes each), and the fewest entropy-coded bytes the first
// row of blocks needs with Huffman coding (one bit per block of the smallest
// component: every block of a first scan codes at least its DC difference).
void frameBounds(const HeaderScan &scan, int width, int height, JpegInfo &info)
{
    if (scan.components.empty())
        return;
    int hmax = 1, vmax = 1;
    for (const auto &c : scan.components) {
        hmax = std::max(hmax, c.h);
        vmax = std::max(vmax, c.v);
    }
    const std::uint8_t m = scan.frameMarker;
    const bool progressive = m == 0xC2 || m == 0xC6 || m == 0xCA || m == 0xCE;
    const bool arithmetic = m >= 0xC9;
    qint64 coefficients = 0, leastBlocks = std::numeric_limits<qint64>::max();
    for (const auto &c : scan.components) {
        const qint64 blocksW = ceilDiv(ceilDiv(qint64(width) * c.h, hmax), 8);
        const qint64 blocksH = ceilDiv(ceilDiv(qint64(height) * c.v, vmax), 8);
        coefficients += ceilDiv(blocksW, c.h) * c.h * ceilDiv(blocksH, c.v) * c.v * 64 * 2;
        leastBlocks = std::min(leastBlocks, blocksW);
    }
    info.coefficientBytes = progressive ? coefficients : 0;
    info.leastDataBytes = arithmetic ? 0 : ceilDiv(leastBlocks, 8);
}

// Whether the source ends with the end-of-image marker, after any padding
// that writers leave behind it (zero bytes, fill bytes, line ends).
bool endsWithEoi(HeaderBytes &src)
{
    const QByteArray t = src.tail(4096);
    qsizetype n = t.size();
    while (n > 0 && (t[n - 1] == '\0' || t[n - 1] == '\n' || t[n - 1] == '\r' || t[n - 1] == ' '))
        --n;
    return n >= 2 && quint8(t[n - 2]) == 0xFF && quint8(t[n - 1]) == 0xD9;
}

JpegInfo readInfo(HeaderBytes &src, const QString &what)
{
    const HeaderScan scan = scanHeader(src, what);
    TjHandle tj = newDecompressor();
    const Header h = tjHeader(tj.get(), src.bytes(), scan.headerEnd, what);
    JpegInfo info;
    info.width = h.width;
    info.height = h.height;
    info.orientation = scan.orientation == 0 ? 1 : scan.orientation;
    frameBounds(scan, h.width, h.height, info);
    info.dataBytes = std::max<qint64>(0, src.totalSize() - scan.headerEnd);
    info.complete = endsWithEoi(src);
    return info;
}

QString megabytes(qint64 bytes)
{
    return QString::number(ceilDiv(bytes, 1024 * 1024));
}

// Adobe CMYK/YCCK JPEGs are stored inverted; libjpeg hands the inverted values
// through, so the plain product gives RGB.
void cmykToRgb32(const std::uint8_t *cmyk, QImage &out)
{
    for (int y = 0; y < out.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        const std::uint8_t *s = cmyk + qint64(y) * out.width() * 4;
        for (int x = 0; x < out.width(); ++x, s += 4) {
            const int k = s[3];
            row[x] = qRgb(s[0] * k / 255, s[1] * k / 255, s[2] * k / 255);
        }
    }
}

} // namespace

JpegInfo readJpegInfo(const QByteArray &data, const QString &what)
{
    HeaderBytes src(data);
    return readInfo(src, what);
}

JpegInfo readJpegInfo(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failPhoto(path, QCoreApplication::translate("lumora::ImageIO", "文件无法打开（%1）").arg(file.errorString()));
    HeaderBytes src(&file);
    return readInfo(src, path);
}

qint64 jpegDecodeBytes(const JpegInfo &info, QSize scaled)
{
    return qint64(scaled.width()) * scaled.height() * 4 + info.coefficientBytes;
}

QString jpegUnusableReason(const JpegInfo &info)
{
    const QSize stored(info.width, info.height);
    const qint64 least = jpegDecodeBytes(info, jpegScaledSize(stored, QSize(1, 1)));
    if (least > kMaxJpegDecodeBytes)
        return QCoreApplication::translate(
                   "lumora::ImageIO", "照片太大（%1 × %2 像素%3），最小比例解码也需要 %4 MB 内存，超过 %5 MB 的上限")
            .arg(info.width)
            .arg(info.height)
            .arg(info.coefficientBytes > 0 ? QCoreApplication::translate("lumora::ImageIO", "，渐进式JPG") : QString())
            .arg(megabytes(least))
            .arg(megabytes(kMaxJpegDecodeBytes));
    if (info.leastDataBytes > info.dataBytes)
        return QCoreApplication::translate(
                   "lumora::ImageIO",
                   "照片文件没有图像数据：文件头声称 %1 × %2 像素，但数据连第一行都不够（文件已损坏）")
            .arg(info.width)
            .arg(info.height);
    return {};
}

QSize jpegScaledSize(QSize stored, QSize atLeast)
{
    if (stored.isEmpty() || atLeast.isEmpty())
        return stored;
    int count = 0;
    const tjscalingfactor *factors = tjGetScalingFactors(&count);
    QSize best = stored;
    for (int i = 0; factors && i < count; ++i) {
        const tjscalingfactor f = factors[i];
        // Only 1, 1/2, 1/4 and 1/8: libjpeg-turbo has fast (SIMD) inverse
        // transforms for these, while 7/8, 3/4, 5/8 and 3/8 decode slower than
        // the next larger of them (7/8 slower than a full decode). Never
        // enlarge: the caller scales up smoothly if it must.
        const bool fast = f.num == 1 && (f.denom == 1 || f.denom == 2 || f.denom == 4 || f.denom == 8);
        if (!fast)
            continue;
        const QSize s(TJSCALED(stored.width(), f), TJSCALED(stored.height(), f));
        if (s.width() >= atLeast.width() && s.height() >= atLeast.height()
            && qint64(s.width()) * s.height() < qint64(best.width()) * best.height())
            best = s;
    }
    return best;
}

QImage decodeJpeg(const QByteArray &data, const QString &what, QSize atLeast)
{
    HeaderBytes src(data);
    const JpegInfo info = readInfo(src, what); // a clear message for non-JPEG and truncated headers
    TjHandle tj = newDecompressor();
    const Header h = tjHeader(tj.get(), data, data.size(), what);
    const QSize size = jpegScaledSize(QSize(h.width, h.height), atLeast);
    // Checked before anything is allocated: a header can claim 65535 x 65535
    // pixels, and a progressive decode keeps every coefficient of the image.
    if (jpegDecodeBytes(info, size) > kMaxJpegDecodeBytes)
        failPhoto(
            what,
            QCoreApplication::translate("lumora::ImageIO", "照片尺寸过大（%1 × %2），解码到 %3 × %4 需要 %5 MB 内存")
                .arg(h.width)
                .arg(h.height)
                .arg(size.width())
                .arg(size.height())
                .arg(megabytes(jpegDecodeBytes(info, size))));
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        failPhoto(what,
                  QCoreApplication::translate("lumora::ImageIO", "内存不足，无法解码 %1 × %2 的照片")
                      .arg(size.width())
                      .arg(size.height()));

    const bool cmyk = h.colorspace == TJCS_CMYK || h.colorspace == TJCS_YCCK;
    std::unique_ptr<std::uint8_t[]> cmykBuffer;
    unsigned char *target = out.bits();
    int pitch = int(out.bytesPerLine());
    if (cmyk) {
        cmykBuffer.reset(new std::uint8_t[std::size_t(size.width()) * size.height() * 4]);
        target = cmykBuffer.get();
        pitch = size.width() * 4;
    }
    // BGRA writes 0xFF into the fourth byte, which Format_RGB32 requires.
    const int status
        = tjDecompress2(tj.get(), reinterpret_cast<const unsigned char *>(data.constData()), (unsigned long)data.size(),
                        target, size.width(), pitch, size.height(), cmyk ? TJPF_CMYK : TJPF_BGRA, 0);
    // A warning (for example a photo whose last bytes are missing) still
    // leaves a complete picture, the missing part grey, as image viewers show it.
    if (status != 0 && tjGetErrorCode(tj.get()) != TJERR_WARNING)
        failPhoto(what, tjMessage(tj.get()));
    if (cmyk)
        cmykToRgb32(cmykBuffer.get(), out);
    return out;
}

namespace {
// Compressed photos up to this size are read whole rather than mapped.
constexpr qint64 kLargestReadPhoto = 256LL << 20;
} // namespace

QImage decodeJpeg(const QString &path, QSize atLeast)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failPhoto(path, QCoreApplication::translate("lumora::ImageIO", "文件无法打开（%1）").arg(file.errorString()));
    // Photos are read into memory: a mapped file that another program
    // shortens or rewrites meanwhile (a photo being synced or edited) ends
    // the whole program with a bus error. Only a file too large to read
    // whole (a stitched panorama of hundreds of megabytes) is mapped; the
    // mapping lives as long as `file`.
    if (file.size() > kLargestReadPhoto) {
        if (uchar *mapped = file.map(0, file.size())) {
            const QByteArray view = QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), file.size());
            return decodeJpeg(view, path, atLeast);
        }
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        failPhoto(path, QCoreApplication::translate("lumora::ImageIO", "读取失败（%1）").arg(file.errorString()));
    return decodeJpeg(data, path, atLeast);
}

QImage applyOrientation(const QImage &image, int orientation)
{
    // Qt's y axis points down, so rotate(90) turns clockwise.
    switch (orientation) {
    case 2: return image.mirrored(true, false);
    case 3: return image.transformed(QTransform().rotate(180));
    case 4: return image.mirrored(false, true);
    case 5: return image.mirrored(true, false).transformed(QTransform().rotate(270)); // transpose
    case 6: return image.transformed(QTransform().rotate(90));
    case 7: return image.mirrored(true, false).transformed(QTransform().rotate(90)); // transverse
    case 8: return image.transformed(QTransform().rotate(270));
    default: return image;
    }
}

QByteArray encodeJpeg(const QImage &image, int quality)
{
    if (image.isNull())
        throw Error(QCoreApplication::translate("lumora::ImageIO", "JPG编码失败：图片是空的"));
    const QImage src = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            || image.format() == QImage::Format_ARGB32_Premultiplied
        ? image
        : image.convertToFormat(QImage::Format_RGB32);
    struct Deleter {
        void operator()(void *h) const { tjDestroy(h); }
    };
    std::unique_ptr<void, Deleter> tj(tjInitCompress());
    if (!tj)
        throw Error(QCoreApplication::translate("lumora::ImageIO", "无法初始化JPG编码器：%1").arg(tjMessage(nullptr)));
    const unsigned long bound = tjBufSize(src.width(), src.height(), TJSAMP_420);
    if (bound == (unsigned long)-1 || bound > (unsigned long)std::numeric_limits<int>::max())
        throw Error(QCoreApplication::translate("lumora::ImageIO", "JPG编码失败：图片太大（%1 × %2）")
                        .arg(src.width())
                        .arg(src.height()));
    // Compress straight into the result: no reallocation, no copy.
    QByteArray out(qsizetype(bound), Qt::Uninitialized);
    unsigned char *buffer = reinterpret_cast<unsigned char *>(out.data());
    unsigned long size = bound;
    if (tjCompress2(tj.get(), src.constBits(), src.width(), int(src.bytesPerLine()), src.height(), TJPF_BGRX, &buffer,
                    &size, TJSAMP_420, quality, TJFLAG_NOREALLOC)
        != 0)
        throw Error(QCoreApplication::translate("lumora::ImageIO", "JPG编码失败：%1").arg(tjMessage(tj.get())));
    out.resize(qsizetype(size));
    return out;
}

void writeJpeg(const QImage &image, const QString &path, int quality)
{
    writeFileBytes(path, encodeJpeg(image, quality));
}

// ---- PNG ----

namespace {
quint32 readBigEndian32(const uchar *p)
{
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

// libpng allocates a chunk's declared length before it reads the chunk: a
// damaged length of two gigabytes in a small file took that much memory. The
// whole file is in memory, so every chunk up to the end is checked to fit in
// it first.
bool pngChunksFitTheFile(const QByteArray &data)
{
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    const size_t size = size_t(data.size());
    size_t pos = 8; // after the signature (libpng checks it)
    while (pos + 8 <= size) { // a chunk's length and type can be read
        const quint64 length = readBigEndian32(bytes + pos);
        if (length + 12 > size - pos)
            return false;
        if (std::memcmp(bytes + pos + 4, "IEND", 4) == 0)
            return true;
        pos += size_t(length) + 12;
    }
    return true; // cut short inside a chunk header: libpng says so
}
} // namespace

QImage decodePng(const QByteArray &data, const QString &what)
{
    const auto fail = [&](const QString &why) -> QImage {
        throw Error(QCoreApplication::translate("lumora::ImageIO", "无法读取图片文件 %1：%2").arg(what, why));
    };
    if (data.isEmpty())
        return fail(QCoreApplication::translate("lumora::ImageIO", "文件是空的"));
    if (!pngChunksFitTheFile(data))
        return fail(QCoreApplication::translate("lumora::ImageIO", "文件不完整"));
    // libpng's simplified reader keeps its setjmp inside the library and
    // reports failures through image.message; png_image_free releases what
    // begin_read allocated when we stop before finish_read.
    struct PngImage : png_image {
        PngImage()
        {
            std::memset(static_cast<png_image *>(this), 0, sizeof(png_image));
            version = PNG_IMAGE_VERSION;
        }
        ~PngImage() { png_image_free(this); }
    } png;
    if (!png_image_begin_read_from_memory(&png, data.constData(), size_t(data.size())))
        return fail(QString::fromLatin1(png.message));
    if (qint64(png.width) * png.height * 4 > kMaxDecodedBytes || png.width > 65535 || png.height > 65535)
        return fail(
            QCoreApplication::translate("lumora::ImageIO", "图片尺寸过大（%1 × %2）").arg(png.width).arg(png.height));
    // 8-bit sRGB output, not premultiplied, in B,G,R,A order: Format_ARGB32 on little-endian.
    png.format = PNG_FORMAT_BGRA;
    QImage out(int(png.width), int(png.height), QImage::Format_ARGB32);
    if (out.isNull())
        return fail(QCoreApplication::translate("lumora::ImageIO", "内存不足"));
    if (!png_image_finish_read(&png, nullptr, out.bits(), png_int_32(out.bytesPerLine()), nullptr))
        return fail(QString::fromLatin1(png.message));
    out.convertTo(QImage::Format_ARGB32_Premultiplied);
    return out;
}

namespace {
struct PngSource {
    const png_byte *data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    char message[160] = {};
};

void pngReadData(png_structp png, png_bytep out, png_size_t length)
{
    auto *src = static_cast<PngSource *>(png_get_io_ptr(png));
    if (length > src->size - src->pos)
        png_error(png, "file ends early");
    std::memcpy(out, src->data + src->pos, length);
    src->pos += length;
}

void pngReadError(png_structp png, png_const_charp message)
{
    auto *src = static_cast<PngSource *>(png_get_error_ptr(png));
    std::snprintf(src->message, sizeof src->message, "%s", message);
    png_longjmp(png, 1);
}

void pngReadWarning(png_structp, png_const_charp)
{
}

enum class FrameRead { Done, Failed, TooLarge, NoMemory };

// Everything between setjmp and the reads lives outside this frame (the
// structs, the source, `into`), so a longjmp out of libpng skips no
// destructor.
FrameRead readFrameRows(png_structp png, png_infop info, QImage &into)
{
    if (setjmp(png_jmpbuf(png)))
        return FrameRead::Failed;
#if defined(PNG_SET_OPTION_SUPPORTED) && defined(PNG_IGNORE_ADLER32)
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_set_user_limits(png, 65535, 65535);
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, color = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &color, &interlace, nullptr, nullptr);
    if (qint64(width) * height * 4 > kMaxDecodedBytes)
        return FrameRead::TooLarge;
    png_set_expand(png); // palette and small grey depths to 8 bits, tRNS to alpha
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER); // only where the file has none
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (into.width() != int(width) || into.height() != int(height) || into.format() != QImage::Format_ARGB32)
        into = QImage(int(width), int(height), QImage::Format_ARGB32);
    if (into.isNull())
        return FrameRead::NoMemory;
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < int(height); ++y)
            png_read_row(png, into.scanLine(y), nullptr);
    return FrameRead::Done;
}
} // namespace

namespace {
// The frames of the program's own effects are 8-bit RGBA PNGs, mostly
// transparent. zlib inflates their long runs of zero bytes a byte at a time
// and that was most of a frame's decoding; libdeflate inflates the whole
// image data in one call several times quicker. The rows are then unfiltered
// here and swapped to B,G,R,A with libyuv. Any other kind of PNG (palette,
// grey, 16-bit, interlaced) takes libpng's way.
enum class QuickPng { Done, NotThisKind, Failed };

// Undoes the filter of one row of 4-byte pixels in place; `prev` is the
// unfiltered row above (all zero for the first row).
bool unfilterRow(int filter, uchar *row, const uchar *prev, size_t bytes)
{
    switch (filter) {
    case 0: return true;
    case 1:
        for (size_t i = 4; i < bytes; ++i)
            row[i] = uchar(row[i] + row[i - 4]);
        return true;
    case 2:
        for (size_t i = 0; i < bytes; ++i)
            row[i] = uchar(row[i] + prev[i]);
        return true;
    case 3:
        for (size_t i = 0; i < 4 && i < bytes; ++i)
            row[i] = uchar(row[i] + (prev[i] >> 1));
        for (size_t i = 4; i < bytes; ++i)
            row[i] = uchar(row[i] + ((unsigned(row[i - 4]) + prev[i]) >> 1));
        return true;
    case 4:
        for (size_t i = 0; i < 4 && i < bytes; ++i)
            row[i] = uchar(row[i] + prev[i]); // no left neighbour: Paeth picks the one above
        for (size_t i = 4; i < bytes; ++i) {
            const int a = row[i - 4], b = prev[i], c = prev[i - 4];
            const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
            const int predictor = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
            row[i] = uchar(row[i] + predictor);
        }
        return true;
    default: return false;
    }
}

struct DecompressorDeleter {
    void operator()(libdeflate_decompressor *d) const { libdeflate_free_decompressor(d); }
};

QuickPng decodeRgbaPngQuickly(const QByteArray &data, QImage &into, QString &why)
{
    static const uchar kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    const size_t size = size_t(data.size());
    if (size < 8 + 25 || std::memcmp(bytes, kSignature, 8) != 0)
        return QuickPng::NotThisKind; // libpng words the complaint
    // IHDR first, then every chunk checked against its CRC; the image data
    // chunks are gathered into one stream.
    thread_local std::vector<uchar> stream;
    stream.clear();
    quint32 width = 0, height = 0;
    bool sawHeader = false, sawEnd = false, inData = false, dataEnded = false;
    size_t pos = 8;
    while (pos + 12 <= size) {
        const quint32 length = readBigEndian32(bytes + pos);
        const uchar *type = bytes + pos + 4;
        if (length > size - pos - 12) {
            why = QCoreApplication::translate("lumora::ImageIO", "文件不完整");
            return QuickPng::Failed;
        }
        const uchar *body = type + 4;
        const quint32 crc = libdeflate_crc32(0, type, size_t(length) + 4);
        if (crc != readBigEndian32(body + length)) {
            why = QCoreApplication::translate("lumora::ImageIO", "数据校验错误");
            return QuickPng::Failed;
        }
        pos += size_t(length) + 12;
        const bool isData = std::memcmp(type, "IDAT", 4) == 0;
        if (!sawHeader) {
            if (std::memcmp(type, "IHDR", 4) != 0 || length != 13)
                return QuickPng::NotThisKind;
            width = readBigEndian32(body);
            height = readBigEndian32(body + 4);
            // 8-bit RGBA, deflate, adaptive filters, not interlaced.
            if (body[8] != 8 || body[9] != 6 || body[10] != 0 || body[11] != 0 || body[12] != 0)
                return QuickPng::NotThisKind;
            if (width == 0 || height == 0 || width > 65535 || height > 65535)
                return QuickPng::NotThisKind;
            sawHeader = true;
            continue;
        }
        if (isData) {
            if (dataEnded)
                return QuickPng::NotThisKind; // image data in two runs: not a valid PNG, libpng says so
            inData = true;
            stream.insert(stream.end(), body, body + length);
            continue;
        }
        if (inData)
            dataEnded = true;
        if (std::memcmp(type, "IEND", 4) == 0) {
            sawEnd = true;
            break;
        }
        // Ancillary chunks (lower-case first letter) are skipped, as the
        // general path does; an unknown critical one is left to libpng.
        if (!(type[0] & 0x20) && std::memcmp(type, "PLTE", 4) != 0)
            return QuickPng::NotThisKind;
    }
    if (!sawHeader || !sawEnd || stream.empty()) {
        why = QCoreApplication::translate("lumora::ImageIO", "文件不完整");
        return QuickPng::Failed;
    }
    if (qint64(width) * height * 4 > kMaxDecodedBytes)
        return QuickPng::NotThisKind; // refused with its size by the general path
    const size_t rowBytes = size_t(width) * 4;
    const size_t rawBytes = (rowBytes + 1) * height;
    // Deflate expands at most about 1032 to 1: a header claiming far more
    // pixels than the data could hold is refused before anything that size
    // is allocated.
    if (rawBytes / 1032 > stream.size() + 64) {
        why = QCoreApplication::translate("lumora::ImageIO", "图像数据损坏");
        return QuickPng::Failed;
    }
    thread_local std::vector<uchar> raw;
    thread_local std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> inflater;
    if (!inflater)
        inflater.reset(libdeflate_alloc_decompressor());
    if (!inflater) {
        why = QCoreApplication::translate("lumora::ImageIO", "内存不足");
        return QuickPng::Failed;
    }
    raw.resize(rawBytes);
    size_t produced = 0;
    const libdeflate_result r
        = libdeflate_zlib_decompress(inflater.get(), stream.data(), stream.size(), raw.data(), rawBytes, &produced);
    if (r != LIBDEFLATE_SUCCESS || produced != rawBytes) {
        why = r == LIBDEFLATE_SUCCESS || r == LIBDEFLATE_INSUFFICIENT_SPACE
            ? QCoreApplication::translate("lumora::ImageIO", "图像数据大小不符")
            : QCoreApplication::translate("lumora::ImageIO", "图像数据损坏");
        return QuickPng::Failed;
    }
    if (into.width() != int(width) || into.height() != int(height) || into.format() != QImage::Format_ARGB32)
        into = QImage(int(width), int(height), QImage::Format_ARGB32);
    if (into.isNull()) {
        why = QCoreApplication::translate("lumora::ImageIO", "内存不足");
        return QuickPng::Failed;
    }
    thread_local std::vector<uchar> zeroRow;
    zeroRow.assign(rowBytes, 0);
    const uchar *prev = zeroRow.data();
    for (quint32 y = 0; y < height; ++y) {
        uchar *line = raw.data() + size_t(y) * (rowBytes + 1);
        if (!unfilterRow(line[0], line + 1, prev, rowBytes)) {
            why = QCoreApplication::translate("lumora::ImageIO", "图像数据损坏");
            return QuickPng::Failed;
        }
        prev = line + 1;
    }
    // R,G,B,A bytes (libyuv's "ABGR") to B,G,R,A (its "ARGB", QImage's ARGB32).
    libyuv::ABGRToARGB(raw.data() + 1, int(rowBytes + 1), into.bits(), int(into.bytesPerLine()), int(width),
                       int(height));
    return QuickPng::Done;
}
} // namespace

void decodeFramePng(const QByteArray &data, const QString &what, QImage &into)
{
    const auto fail = [&](const QString &why) {
        throw Error(QCoreApplication::translate("lumora::ImageIO", "无法读取图片文件 %1：%2").arg(what, why));
    };
    if (data.isEmpty())
        fail(QCoreApplication::translate("lumora::ImageIO", "文件是空的"));
    QString quickWhy;
    switch (decodeRgbaPngQuickly(data, into, quickWhy)) {
    case QuickPng::Done: return;
    case QuickPng::Failed:
        into = QImage(); // a picture left half read must not be mistaken for a frame
        fail(quickWhy);
        break;
    case QuickPng::NotThisKind: break;
    }
    if (!pngChunksFitTheFile(data))
        fail(QCoreApplication::translate("lumora::ImageIO", "文件不完整"));
    PngSource src;
    src.data = reinterpret_cast<const png_byte *>(data.constData());
    src.size = size_t(data.size());
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &src, pngReadError, pngReadWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        fail(QCoreApplication::translate("lumora::ImageIO", "内存不足"));
    }
    png_set_read_fn(png, &src, pngReadData);
    const FrameRead result = readFrameRows(png, info, into);
    png_destroy_read_struct(&png, &info, nullptr);
    switch (result) {
    case FrameRead::Done: return;
    case FrameRead::TooLarge: fail(QCoreApplication::translate("lumora::ImageIO", "图片尺寸过大")); break;
    case FrameRead::NoMemory: fail(QCoreApplication::translate("lumora::ImageIO", "内存不足")); break;
    case FrameRead::Failed:
        // A picture left half read must not be mistaken for a frame.
        into = QImage();
        fail(QString::fromLatin1(src.message));
        break;
    }
}

QImage decodePng(const QString &path)
{
    return decodePng(readFileBytes(path), path);
}

namespace {
struct PngWriteState {
    QByteArray *out;
    char message[200];
};

void pngWriteData(png_structp png, png_bytep data, png_size_t length)
{
    auto *state = static_cast<PngWriteState *>(png_get_io_ptr(png));
    state->out->append(reinterpret_cast<const char *>(data), qsizetype(length));
}

void pngFlush(png_structp)
{
}

void pngError(png_structp png, png_const_charp message)
{
    auto *state = static_cast<PngWriteState *>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message ? message : "");
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp)
{
}

struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWriter() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

// The only function that calls setjmp: it owns no C++ object, so a longjmp
// from libpng's error handler skips no destructor; the caller turns the
// result into an exception.
bool writePngRows(png_structp png, png_infop info, png_bytepp rows, int width, int height, bool alpha, int compression)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, compression);
    png_write_info(png, info);
    png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0, PNG_FILLER_AFTER); // drop the unused fourth byte of RGB32
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}
} // namespace

QByteArray encodePng(const QImage &image, int compression)
{
    if (image.isNull())
        throw Error(QCoreApplication::translate("lumora::ImageIO", "PNG编码失败：图片是空的"));
    const bool alpha = image.hasAlphaChannel();
    const QImage src = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QByteArray out;
    PngWriteState state{&out, {}};
    PngWriter w;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, pngError, pngWarning);
    if (w.png)
        w.info = png_create_info_struct(w.png);
    if (!w.png || !w.info)
        throw Error(QCoreApplication::translate("lumora::ImageIO", "PNG编码失败：内存不足"));
    png_set_write_fn(w.png, &state, pngWriteData, pngFlush);
    std::vector<png_bytep> rows(std::size_t(src.height()));
    for (int y = 0; y < src.height(); ++y)
        rows[std::size_t(y)] = const_cast<png_bytep>(src.constScanLine(y));
    if (!writePngRows(w.png, w.info, rows.data(), src.width(), src.height(), alpha, std::clamp(compression, 0, 9)))
        throw Error(
            QCoreApplication::translate("lumora::ImageIO", "PNG编码失败：%1").arg(QString::fromLatin1(state.message)));
    return out;
}

void writePng(const QImage &image, const QString &path, int compression)
{
    writeFileBytes(path, encodePng(image, compression));
}

} // namespace lumora
