// Photo reading figures: header + EXIF per 24-megapixel photo (the add-photos
// path) and decoding time at each DCT scale.
#include <QElapsedTimer>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "image/ImageIO.h"
#include "resources/PackedFile.h"

using namespace lumora;

namespace {
// A 6000 x 4000 photo with fine texture, so it codes to a realistic size.
QImage photo()
{
    QImage img(6000, 4000, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 6000, 4000);
    g.setColorAt(0, QColor(30, 90, 160));
    g.setColorAt(1, QColor(230, 170, 80));
    p.fillRect(img.rect(), g);
    p.end();
    QRandomGenerator rng(7);
    for (int y = 0; y < img.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = int(rng.bounded(12)) - 6;
            const QRgb c = row[x];
            row[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                          std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    return img;
}

// A phone-like APP1 block: EXIF with Orientation 6 followed by a 60 KB thumbnail area.
QByteArray exifApp1()
{
    QByteArray tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 26);
    QByteArray payload = QByteArray("Exif\0\0", 6) + tiff + QByteArray(60000, '\x55');
    const int len = int(payload.size()) + 2;
    return QByteArray("\xFF\xE1") + char(len >> 8) + char(len & 0xff) + payload;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main()
{
    QTemporaryDir dir;
    const QByteArray plain = encodeJpeg(photo(), 92);
    const QByteArray jpeg = plain.left(2) + exifApp1() + plain.mid(2);
    std::printf("24-megapixel photo: 6000 x 4000, %.1f MB\n", jpeg.size() / 1e6);

    // Header + EXIF over 20 distinct files (page cache warm, as after a folder listing).
    std::vector<QString> files;
    for (int i = 0; i < 20; ++i) {
        files.push_back(dir.filePath(QStringLiteral("p%1.jpg").arg(i)));
        writeFileBytes(files.back(), jpeg);
    }
    std::vector<double> header;
    for (int round = 0; round < 10; ++round)
        for (const QString &f : files) {
            QElapsedTimer t;
            t.start();
            const JpegInfo info = readJpegInfo(f);
            header.push_back(t.nsecsElapsed() / 1e6);
            if (info.orientation != 6 || info.width != 6000)
                std::printf("unexpected header result\n");
        }
    std::printf("readJpegInfo (header + EXIF): median %.3f ms per photo (target <= 5 ms)\n", median(header));

    const QSize targets[] = {{}, {3000, 2000}, {1500, 1000}, {750, 500}};
    for (const QSize want : targets) {
        std::vector<double> times;
        QSize got;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer t;
            t.start();
            got = decodeJpeg(jpeg, QStringLiteral("bench"), want).size();
            times.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("decodeJpeg to %4d x %4d (scale %d/8): median %.1f ms\n", got.width(), got.height(),
                    got.width() * 8 / 6000, median(times));
    }
    return 0;
}
