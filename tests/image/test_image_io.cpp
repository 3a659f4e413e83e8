#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <random>
#include <turbojpeg.h>
#include <zlib.h>

#include "app/Error.h"
#include "image/ExifOrientation.h"
#include "image/ImageIO.h"
#include "resources/PackedFile.h"

using namespace lumora;

namespace {

// A picture with a gradient and a few shapes, so JPEG data is not trivial.
QImage paintedPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(20, 40, 160));
    g.setColorAt(1, QColor(240, 180, 60));
    p.fillRect(img.rect(), g);
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(QRect(w / 4, h / 4, w / 2, h / 2));
    return img;
}

void put16(QByteArray &b, int v, bool big)
{
    if (big)
        b.append(char(v >> 8)).append(char(v & 0xff));
    else
        b.append(char(v & 0xff)).append(char(v >> 8));
}
void put32(QByteArray &b, quint32 v, bool big)
{
    for (int i = 0; i < 4; ++i)
        b.append(char(big ? (v >> (24 - 8 * i)) & 0xff : (v >> (8 * i)) & 0xff));
}

// An APP1 EXIF segment whose IFD0 holds an unrelated tag first, then Orientation.
QByteArray exifSegment(int orientation, bool bigEndian)
{
    QByteArray tiff = bigEndian ? QByteArray("MM") : QByteArray("II");
    put16(tiff, 42, bigEndian);
    put32(tiff, 8, bigEndian);
    put16(tiff, 2, bigEndian);
    put16(tiff, 0x0100, bigEndian); // ImageWidth, LONG
    put16(tiff, 4, bigEndian);
    put32(tiff, 1, bigEndian);
    put32(tiff, 1234, bigEndian);
    put16(tiff, 0x0112, bigEndian); // Orientation, SHORT
    put16(tiff, 3, bigEndian);
    put32(tiff, 1, bigEndian);
    put16(tiff, orientation, bigEndian);
    put16(tiff, 0, bigEndian);
    put32(tiff, 0, bigEndian); // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray seg("\xFF\xE1");
    put16(seg, int(payload.size()) + 2, true);
    return seg + payload;
}

QByteArray withExif(const QByteArray &jpeg, const QByteArray &segment)
{
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QString expectThrows(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.message();
    }
    ADD_FAILURE() << "no lumora::Error thrown";
    return {};
}

} // namespace

TEST(ImageIO, ReadsSizeAndOrientationFromHeaderAndExif)
{
    const QByteArray jpeg = encodeJpeg(paintedPicture(160, 120));
    struct Case {
        const char *name;
        QByteArray data;
        int orientation;
    } cases[] = {
        {"no exif", jpeg, 1},
        {"orient6 little-endian", withExif(jpeg, exifSegment(6, false)), 6},
        {"orient8 big-endian", withExif(jpeg, exifSegment(8, true)), 8},
        {"orient3", withExif(jpeg, exifSegment(3, false)), 3},
        {"out-of-range value", withExif(jpeg, exifSegment(9, false)), 1},
    };
    for (const Case &c : cases) {
        const JpegInfo info = readJpegInfo(c.data, QString::fromLatin1(c.name));
        EXPECT_EQ(info.width, 160) << c.name;
        EXPECT_EQ(info.height, 120) << c.name;
        EXPECT_EQ(info.orientation, c.orientation) << c.name;
    }
    const JpegInfo turned = readJpegInfo(withExif(jpeg, exifSegment(6, false)), QStringLiteral("orient6"));
    EXPECT_TRUE(turned.turned());
    EXPECT_EQ(turned.displayed(), QSize(120, 160));

    // From a file, reading only the header, with a large segment before the frame header.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("orient8.jpg"));
    QByteArray bigComment("\xFF\xFE");
    put16(bigComment, 65000, true);
    bigComment += QByteArray(64998, 'c');
    writeFileBytes(path, withExif(jpeg, exifSegment(8, false) + bigComment + bigComment));
    const JpegInfo fromFile = readJpegInfo(path);
    EXPECT_EQ(fromFile.width, 160);
    EXPECT_EQ(fromFile.orientation, 8);
}

TEST(ImageIO, DamagedExifNeverThrowsAndMeansNoOrientation)
{
    QByteArray seg = exifSegment(6, false);
    const QByteArray payload = seg.mid(4);
    auto orientationOf = [](const QByteArray &p) {
        return exifOrientation(reinterpret_cast<const std::uint8_t *>(p.constData()), std::size_t(p.size()));
    };
    EXPECT_EQ(orientationOf(payload), 6);
    // Every truncation of the payload, and an IFD that claims more entries than exist.
    for (int n = 0; n < payload.size(); ++n)
        EXPECT_EQ(orientationOf(payload.left(n)), n >= payload.size() - 4 ? 6 : 0) << n;
    QByteArray manyEntries = payload;
    manyEntries[6 + 8] = char(0xff);
    manyEntries[6 + 9] = char(0xff);
    manyEntries.remove(6 + 10, 12); // drop the first entry: Orientation now sits outside the claimed table
    manyEntries.truncate(6 + 10 + 12);
    EXPECT_EQ(orientationOf(manyEntries), 6);
    manyEntries[6 + 10] = char(0x13); // no Orientation among the entries that exist
    EXPECT_EQ(orientationOf(manyEntries), 0);
    QByteArray badOffset = payload;
    badOffset[6 + 4] = char(0xf0); // IFD0 beyond the end
    EXPECT_EQ(orientationOf(badOffset), 0);
    EXPECT_EQ(orientationOf(QByteArray("Exif\0\0XX*\0", 10)), 0);
    EXPECT_EQ(orientationOf(QByteArray("http://ns.adobe.com/xap/1.0/")), 0);
}

TEST(ImageIO, UnreadableFilesAreRefusedWithTheirPath)
{
    QTemporaryDir dir;
    const QByteArray jpeg = encodeJpeg(paintedPicture(64, 48));
    QByteArray png;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        paintedPicture(8, 8).save(&b, "PNG");
    }
    // The SOS segment ends shortly before the scan data; cut inside the frame header.
    const int sos = int(jpeg.indexOf("\xFF\xDA"));
    struct Case {
        const char *file;
        QByteArray data;
        const char *why;
    } cases[] = {
        {"empty.jpg", QByteArray(), "文件是空的"},
        {"png-with-jpeg-extension.jpg", png, "不是JPG文件"},
        {"truncated-header.jpg", jpeg.left(sos - 40), "文件头不完整"},
        {"soi-only.jpg", jpeg.left(2), "文件头不完整"},
        {"text.jpg", QByteArray("hello"), "不是JPG文件"},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.file));
        writeFileBytes(path, c.data);
        for (auto read : {std::function<void()>([&] { readJpegInfo(path); }),
                          std::function<void()>([&] { decodeJpeg(path, QSize(10, 10)); })}) {
            const QString msg = expectThrows(read);
            EXPECT_TRUE(msg.contains(path)) << qPrintable(msg);
            EXPECT_TRUE(msg.contains(QString::fromUtf8(c.why))) << c.file << ": " << qPrintable(msg);
            EXPECT_TRUE(msg.startsWith(QStringLiteral("无法读取照片文件"))) << qPrintable(msg);
        }
    }
    const QString missing = dir.filePath(QStringLiteral("missing.jpg"));
    EXPECT_TRUE(expectThrows([&] { readJpegInfo(missing); }).contains(missing));
    EXPECT_TRUE(expectThrows([&] { decodeJpeg(missing); }).contains(missing));
    EXPECT_TRUE(expectThrows([&] { decodePng(missing); }).contains(missing));
    const QString pngMsg = expectThrows([&] { decodePng(jpeg, QStringLiteral("photo.png")); });
    EXPECT_TRUE(pngMsg.contains(QStringLiteral("photo.png"))) << qPrintable(pngMsg);
}

TEST(ImageIO, PhotoWithMissingTailStillDecodesWithItsTopIntact)
{
    const QImage original = paintedPicture(64, 64);
    const QByteArray jpeg = encodeJpeg(original);
    const QByteArray cut = jpeg.left(jpeg.size() * 2 / 3);
    EXPECT_EQ(readJpegInfo(cut, QStringLiteral("cut")).width, 64);
    const QImage img = decodeJpeg(cut, QStringLiteral("cut"));
    ASSERT_EQ(img.size(), QSize(64, 64));
    const QColor top = img.pixelColor(2, 2), expected = original.pixelColor(2, 2);
    EXPECT_NEAR(top.red(), expected.red(), 12);
    EXPECT_NEAR(top.blue(), expected.blue(), 12);
}

TEST(ImageIO, EncodesBaseline420AndDecodesCloseToTheOriginal)
{
    const QImage original = paintedPicture(201, 117); // odd sizes
    const QByteArray jpeg = encodeJpeg(original, 90);
    const int sof0 = int(jpeg.indexOf("\xFF\xC0"));
    ASSERT_GT(sof0, 0) << "baseline frame header";
    EXPECT_EQ(jpeg.indexOf("\xFF\xC2"), -1) << "no progressive frame";
    EXPECT_EQ(quint8(jpeg[sof0 + 11]), 0x22) << "luma sampled 2x2 (4:2:0)";
    EXPECT_EQ(quint8(jpeg[sof0 + 14]), 0x11);

    const QImage back = decodeJpeg(jpeg, QStringLiteral("t"));
    ASSERT_EQ(back.size(), original.size());
    EXPECT_EQ(back.format(), QImage::Format_RGB32);
    qint64 diff = 0;
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x) {
            const QRgb a = back.pixel(x, y), b = original.pixel(x, y);
            diff += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            ASSERT_EQ(qAlpha(a), 255);
        }
    EXPECT_LT(double(diff) / (3.0 * back.width() * back.height()), 3.0);
    // Other formats are converted, alpha dropped.
    EXPECT_EQ(decodeJpeg(encodeJpeg(original.convertToFormat(QImage::Format_Grayscale8)), QStringLiteral("g")).size(),
              original.size());
    EXPECT_THROW(encodeJpeg(QImage()), Error);
}

TEST(ImageIO, ScaledDecodeIsTheSmallestScaleCoveringTheRequest)
{
    const QSize sources[] = {{1600, 1200}, {1001, 777}, {333, 1999}};
    for (const QSize src : sources) {
        const QByteArray jpeg = encodeJpeg(paintedPicture(src.width(), src.height()));
        for (int w = 40; w <= src.width() + 300; w += 97) {
            const QSize want(w, w * src.height() / src.width());
            const QImage img = decodeJpeg(jpeg, QStringLiteral("sweep"), want);
            ASSERT_EQ(img.size(), jpegScaledSize(src, want)) << w;
            // The expected scale is the smallest of 1/8, 1/4, 1/2 that covers the request.
            QSize expected = src;
            for (int m : {4, 2, 1}) {
                const QSize s((src.width() * m + 7) / 8, (src.height() * m + 7) / 8);
                if (s.width() >= want.width() && s.height() >= want.height())
                    expected = s;
            }
            EXPECT_EQ(img.size(), expected) << "source " << src.width() << "x" << src.height() << ", want " << w;
            EXPECT_TRUE((img.width() >= want.width() && img.height() >= want.height()) || img.size() == src)
                << "covers the request or is the full photo";
        }
    }
    EXPECT_EQ(jpegScaledSize({6000, 4000}, {800, 450}), QSize(1500, 1000));
    EXPECT_EQ(jpegScaledSize({6000, 4000}, {250, 166}), QSize(750, 500));
    EXPECT_EQ(jpegScaledSize({6000, 4000}, {}), QSize(6000, 4000));
}

TEST(ImageIO, OrientationTurnsStoredPixelsIntoDisplayedOnes)
{
    // 3 x 2 picture with distinct pixels: value = 10 * x + y.
    QImage stored(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            stored.setPixel(x, y, qRgb(10 * x + y, 0, 0));
    // Where the displayed pixel (dx, dy) comes from in the stored picture (W = 3, H = 2).
    struct Case {
        int orientation;
        QSize size;
        std::function<QPoint(int, int)> source;
    } cases[] = {
        {1, {3, 2}, [](int x, int y) { return QPoint(x, y); }},
        {2, {3, 2}, [](int x, int y) { return QPoint(2 - x, y); }},
        {3, {3, 2}, [](int x, int y) { return QPoint(2 - x, 1 - y); }},
        {4, {3, 2}, [](int x, int y) { return QPoint(x, 1 - y); }},
        {5, {2, 3}, [](int x, int y) { return QPoint(y, x); }},
        {6, {2, 3}, [](int x, int y) { return QPoint(y, 1 - x); }},
        {7, {2, 3}, [](int x, int y) { return QPoint(2 - y, 1 - x); }},
        {8, {2, 3}, [](int x, int y) { return QPoint(2 - y, x); }},
    };
    for (const Case &c : cases) {
        const QImage shown = applyOrientation(stored, c.orientation);
        ASSERT_EQ(shown.size(), c.size) << c.orientation;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                EXPECT_EQ(qRed(shown.pixel(x, y)), qRed(stored.pixel(c.source(x, y))))
                    << "orientation " << c.orientation << " at " << x << "," << y;
    }
}

TEST(ImageIO, PngKeepsAlphaAndDecodesPremultiplied)
{
    QImage src(5, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            src.setPixel(x, y, qRgba(50 * x, 60 * y, 200, x * 60 + y));
    const QImage ours = decodePng(encodePng(src, 9), QStringLiteral("ours"));
    EXPECT_EQ(ours.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(ours.convertToFormat(QImage::Format_ARGB32),
              src.convertToFormat(QImage::Format_ARGB32_Premultiplied).convertToFormat(QImage::Format_ARGB32));

    // A palette picture with a transparent entry, written by another encoder.
    QImage indexed(4, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgba(0, 0, 0, 0), qRgba(255, 0, 0, 255), qRgba(0, 0, 255, 128)});
    for (int x = 0; x < 4; ++x)
        indexed.setPixel(x, 0, uint(x % 3));
    QByteArray data;
    QBuffer b(&data);
    b.open(QIODevice::WriteOnly);
    ASSERT_TRUE(indexed.save(&b, "PNG"));
    const QImage pal = decodePng(data, QStringLiteral("palette.png"));
    EXPECT_EQ(qAlpha(pal.pixel(0, 0)), 0);
    EXPECT_EQ(pal.pixel(1, 0), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(pal.pixel(2, 0)), 128);
    EXPECT_NEAR(qBlue(pal.pixel(2, 0)), 128, 1); // premultiplied

    // Opaque pictures round-trip exactly; damaged data is refused with the name.
    const QImage opaque = paintedPicture(33, 21);
    EXPECT_EQ(decodePng(encodePng(opaque), QStringLiteral("o")).convertToFormat(QImage::Format_RGB32), opaque);
    const QByteArray good = encodePng(opaque);
    const QString msg = expectThrows([&] { decodePng(good.left(good.size() / 2), QStringLiteral("frame_7.png")); });
    EXPECT_TRUE(msg.contains(QStringLiteral("frame_7.png"))) << qPrintable(msg);
    EXPECT_THROW(decodePng(QByteArray(), QStringLiteral("e")), Error);
    EXPECT_THROW(encodePng(QImage()), Error);
}

// The effect frame decoder gives the general decoder's pixels with straight
// alpha, for every kind of PNG a frame could be saved as, and reuses the
// picture it is handed.
TEST(ImageIO, FramePngGivesTheSamePixelsStraightAndReusesItsPicture)
{
    QImage rgba(40, 30, QImage::Format_ARGB32);
    for (int y = 0; y < rgba.height(); ++y)
        for (int x = 0; x < rgba.width(); ++x)
            rgba.setPixel(x, y, qRgba(6 * x, 8 * y, 255 - 6 * x, (x * 7 + y * 3) % 256));
    QImage indexed(16, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgba(0, 0, 0, 0), qRgba(255, 0, 0, 255), qRgba(0, 0, 255, 128)});
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 2; ++y)
            indexed.setPixel(x, y, uint((x + y) % 3));
    const auto qtPng = [](const QImage &image) {
        QByteArray data;
        QBuffer b(&data);
        b.open(QIODevice::WriteOnly);
        image.save(&b, "PNG");
        return data;
    };
    const struct {
        const char *kind;
        QByteArray data;
    } cases[] = {
        {"RGBA", encodePng(rgba, 9)},
        {"RGB", encodePng(paintedPicture(33, 21), 1)},
        {"palette with transparency", qtPng(indexed)},
        {"grey", qtPng(paintedPicture(20, 10).convertToFormat(QImage::Format_Grayscale8))},
    };
    QImage frame;
    for (const auto &c : cases) {
        ASSERT_FALSE(c.data.isEmpty()) << c.kind;
        decodeFramePng(c.data, QStringLiteral("f.png"), frame);
        EXPECT_EQ(frame.format(), QImage::Format_ARGB32) << c.kind;
        EXPECT_EQ(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  decodePng(c.data, QStringLiteral("f.png")))
            << c.kind;
    }
    decodeFramePng(encodePng(rgba), QStringLiteral("a"), frame);
    EXPECT_EQ(frame, rgba); // straight alpha: colour kept where alpha is low

    // A second frame of the same size lands in the same pixels.
    const uchar *pixels = frame.constBits();
    decodeFramePng(encodePng(rgba.mirrored()), QStringLiteral("b"), frame);
    EXPECT_EQ(frame.constBits(), pixels);
    EXPECT_EQ(frame, rgba.mirrored());

    // Damaged data is refused with the name and leaves no half-read frame.
    const QByteArray good = encodePng(rgba);
    const QString msg
        = expectThrows([&] { decodeFramePng(good.left(good.size() / 2), QStringLiteral("2_7.png"), frame); });
    EXPECT_TRUE(msg.contains(QStringLiteral("2_7.png"))) << qPrintable(msg);
    EXPECT_TRUE(frame.isNull());
    EXPECT_THROW(decodeFramePng(QByteArray(), QStringLiteral("e"), frame), Error);
    EXPECT_THROW(decodeFramePng(QByteArrayLiteral("not a png at all"), QStringLiteral("e"), frame), Error);
}

namespace {

// An 8-bit RGBA PNG written chunk by chunk: each row carries the filter type
// `filterOf(y)` over random bytes (any bytes are valid filtered data), the
// image data split into `pieces` chunks with a text chunk before them;
// `damageStream` spoils a byte of the compressed data (the chunks' CRCs
// still match).
QByteArray handMadeRgbaPng(int w, int h, const std::function<int(int)> &filterOf, int pieces, unsigned seed,
                           bool damageStream = false)
{
    std::mt19937 random(seed);
    QByteArray rows;
    for (int y = 0; y < h; ++y) {
        rows.append(char(filterOf(y)));
        for (int i = 0; i < w * 4; ++i)
            rows.append(char(random() & 0xff));
    }
    QByteArray stream = qCompress(rows).mid(4); // qCompress puts the length before the zlib stream
    if (damageStream)
        stream[stream.size() / 2] = char(stream[stream.size() / 2] ^ 0x5a);
    const auto be32 = [](quint32 v) {
        const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        return QByteArray(bytes, 4);
    };
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const auto chunk = [&](const char *type, const QByteArray &body) {
        QByteArray typed = QByteArray(type, 4) + body;
        png += be32(quint32(body.size())) + typed
            + be32(quint32(crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size()))));
    };
    QByteArray header = be32(quint32(w)) + be32(quint32(h));
    header += QByteArray("\x08\x06\x00\x00\x00", 5);
    chunk("IHDR", header);
    chunk("tEXt", QByteArray("Comment\0frame", 13));
    const int step = int(stream.size() + pieces - 1) / pieces;
    for (int at = 0; at < stream.size(); at += step)
        chunk("IDAT", stream.mid(at, step));
    chunk("IEND", {});
    return png;
}

} // namespace

// Every row filter, image data in one chunk or several, odd widths: the
// effect frame decoder unfilters exactly as libpng does; a damaged chunk or
// stream is refused and leaves no frame behind.
TEST(ImageIO, FramePngUnfiltersEveryFilterAsLibpngDoes)
{
    const struct {
        const char *name;
        int w, h;
        std::function<int(int)> filterOf;
        int pieces;
    } cases[] = {
        {"every filter in turn", 37, 25, [](int y) { return y % 5; }, 1},
        {"Paeth only, one pixel wide", 1, 9, [](int) { return 4; }, 3},
        {"Sub and Average, split data", 64, 12, [](int y) { return y % 2 ? 1 : 3; }, 7},
        {"Up under a first row of Paeth", 5, 6, [](int y) { return y == 0 ? 4 : 2; }, 2},
    };
    QImage frame;
    for (const auto &c : cases) {
        const QByteArray data = handMadeRgbaPng(c.w, c.h, c.filterOf, c.pieces, unsigned(c.w * 31 + c.h));
        decodeFramePng(data, QStringLiteral("f.png"), frame);
        ASSERT_EQ(frame.size(), QSize(c.w, c.h)) << c.name;
        EXPECT_EQ(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied), decodePng(data, QStringLiteral("f.png")))
            << c.name;
    }

    const QByteArray good = handMadeRgbaPng(
        20, 20, [](int y) { return y % 5; }, 2, 7);
    QByteArray badCrc = good;
    badCrc[40] = char(badCrc[40] ^ 0x01); // inside the text chunk
    const QByteArray badStream = handMadeRgbaPng(
        20, 20, [](int y) { return y % 5; }, 2, 7, true);
    QByteArray badFilter = handMadeRgbaPng(
        4, 3, [](int y) { return y == 2 ? 5 : 0; }, 1, 3);
    for (const QByteArray &bad : {badCrc, badStream, badFilter, good.left(good.size() - 12)}) {
        decodeFramePng(good, QStringLiteral("ok.png"), frame);
        const QString msg = expectThrows([&] { decodeFramePng(bad, QStringLiteral("3_1.png"), frame); });
        EXPECT_TRUE(msg.contains(QStringLiteral("3_1.png"))) << qPrintable(msg);
        EXPECT_TRUE(frame.isNull());
    }
}

namespace {

// A real JPEG of `w` × `h` whose frame header then claims `claimW` × `claimH`:
// the classic damaged or hostile header over a tiny file.
QByteArray claimingSize(const QByteArray &jpeg, int claimW, int claimH)
{
    QByteArray out = jpeg;
    for (const char *sof : {"\xFF\xC0", "\xFF\xC2"}) {
        const qsizetype at = out.indexOf(QByteArray(sof, 2));
        if (at < 0)
            continue;
        out[at + 5] = char(claimH >> 8);
        out[at + 6] = char(claimH & 0xFF);
        out[at + 7] = char(claimW >> 8);
        out[at + 8] = char(claimW & 0xFF);
        return out;
    }
    ADD_FAILURE() << "no frame header";
    return out;
}

QByteArray progressiveJpeg(const QImage &image)
{
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    tjhandle tj = tjInitCompress();
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    const int rc = tjCompress2(tj, src.constBits(), src.width(), int(src.bytesPerLine()), src.height(), TJPF_BGRX,
                               &buffer, &size, TJSAMP_420, 90, TJFLAG_PROGRESSIVE);
    QByteArray out = rc == 0 ? QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(size)) : QByteArray();
    tjFree(buffer);
    tjDestroy(tj);
    return out;
}

} // namespace

TEST(ImageLimits, HeadersThatClaimMoreThanTheFileOrTheBudgetHoldAreUnusable)
{
    const QByteArray small = encodeJpeg(paintedPicture(16, 16));
    const QByteArray progressive = progressiveJpeg(paintedPicture(16, 16));
    ASSERT_FALSE(progressive.isEmpty());
    struct Case {
        const char *name;
        QByteArray data;
        const char *why; // "" = usable
    } cases[] = {
        {"plain 16x16", small, ""},
        {"progressive 16x16", progressive, ""},
        // A few hundred bytes claiming 65000 x 65000: the data runs out in the first row.
        {"tiny file claiming 65000x65000", claimingSize(small, 65000, 65000), "没有图像数据"},
        // A progressive panorama keeps every coefficient: gigabytes even at 1/8.
        {"progressive 65000x36563", claimingSize(progressive, 65000, 36563), "照片太大"},
        // Enough data for the first rows of a baseline panorama: usable, decoded at 1/8 at most.
        {"baseline 65000x36563 with data", claimingSize(small, 65000, 36563) + QByteArray(4096, '\0'), ""},
    };
    for (const Case &c : cases) {
        const JpegInfo info = readJpegInfo(c.data, QString::fromUtf8(c.name));
        const QString why = jpegUnusableReason(info);
        if (*c.why)
            EXPECT_TRUE(why.contains(QString::fromUtf8(c.why))) << c.name << ": " << qPrintable(why);
        else
            EXPECT_TRUE(why.isEmpty()) << c.name << ": " << qPrintable(why);
    }

    // The panorama decodes for a full-HD slot at 1/8, within the budget.
    const JpegInfo panorama = readJpegInfo(claimingSize(small, 65000, 36563), QStringLiteral("p"));
    const QSize scaled = jpegScaledSize(QSize(panorama.width, panorama.height), QSize(1920, 1080));
    EXPECT_EQ(scaled, QSize(8125, 4571));
    EXPECT_LE(jpegDecodeBytes(panorama, scaled), kMaxJpegDecodeBytes);
    // A decode that would pass the budget is refused before any allocation.
    const QString msg = expectThrows(
        [&] { decodeJpeg(claimingSize(progressive, 65000, 36563), QStringLiteral("pano.jpg"), QSize(100, 100)); });
    EXPECT_TRUE(msg.contains(QStringLiteral("pano.jpg")) && msg.contains(QStringLiteral("过大"))) << qPrintable(msg);
}

TEST(ImageLimits, AFileCutShortIsTold)
{
    QTemporaryDir dir;
    const QByteArray jpeg = encodeJpeg(paintedPicture(64, 48));
    struct Case {
        const char *file;
        QByteArray data;
        bool complete;
    } cases[] = {
        {"whole.jpg", jpeg, true},
        {"zero-padded.jpg", jpeg + QByteArray(100, '\0'), true},
        {"cut.jpg", jpeg.left(jpeg.size() * 2 / 3), false},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.file));
        writeFileBytes(path, c.data);
        EXPECT_EQ(readJpegInfo(path).complete, c.complete) << c.file;
        EXPECT_EQ(readJpegInfo(c.data, path).complete, c.complete) << c.file;
        EXPECT_EQ(decodeJpeg(path).size(), QSize(64, 48)) << c.file; // the cut one with its tail grey
    }
}
