// Interim implementation over Qt's image plugins; replaced by the
// libjpeg-turbo / libexif / libpng implementation.
#include "ImageIO.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QTransform>

#include "app/Error.h"
#include "resources/PackedFile.h"

namespace lumora {

JpegInfo readJpegInfo(const QByteArray &data, const QString &what)
{
    QBuffer b;
    b.setData(data);
    QImageReader r(&b, "jpeg");
    r.setAutoTransform(false);
    const QSize s = r.size();
    if (!s.isValid() || s.isEmpty())
        throw Error(QStringLiteral("%1 不是可读的JPG文件").arg(what));
    JpegInfo info;
    info.width = s.width();
    info.height = s.height();
    return info;
}

JpegInfo readJpegInfo(const QString &path) { return readJpegInfo(readFileBytes(path), path); }

QImage decodeJpeg(const QByteArray &data, const QString &what, QSize)
{
    QImage img;
    if (!img.loadFromData(data, "JPEG") || img.isNull())
        throw Error(QStringLiteral("%1 不是可读的JPG文件").arg(what));
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage decodeJpeg(const QString &path, QSize atLeast) { return decodeJpeg(readFileBytes(path), path, atLeast); }

QImage applyOrientation(const QImage &image, int orientation)
{
    QTransform t;
    switch (orientation) {
    case 2: return image.mirrored(true, false);
    case 3: t.rotate(180); break;
    case 4: return image.mirrored(false, true);
    case 5: return image.mirrored(true, false).transformed(QTransform().rotate(270));
    case 6: t.rotate(90); break;
    case 7: return image.mirrored(true, false).transformed(QTransform().rotate(90));
    case 8: t.rotate(270); break;
    default: return image;
    }
    return image.transformed(t);
}

QByteArray encodeJpeg(const QImage &image, int quality)
{
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    QImageWriter w(&b, "jpeg");
    w.setQuality(quality);
    if (!w.write(image))
        throw Error(QStringLiteral("JPG编码失败：%1").arg(w.errorString()));
    return out;
}

void writeJpeg(const QImage &image, const QString &path, int quality) { writeFileBytes(path, encodeJpeg(image, quality)); }

QImage decodePng(const QByteArray &data, const QString &what)
{
    QImage img;
    if (!img.loadFromData(data, "PNG") || img.isNull())
        throw Error(QStringLiteral("%1 不是可读的PNG文件").arg(what));
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage decodePng(const QString &path) { return decodePng(readFileBytes(path), path); }

QByteArray encodePng(const QImage &image, int compression)
{
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    QImageWriter w(&b, "png");
    w.setCompression(compression);
    if (!w.write(image))
        throw Error(QStringLiteral("PNG编码失败：%1").arg(w.errorString()));
    return out;
}

void writePng(const QImage &image, const QString &path, int compression) { writeFileBytes(path, encodePng(image, compression)); }

} // namespace lumora
