#pragma once
// The benchmark albums' material: photo-like 24-megapixel JPEGs (the
// production, preview and window benchmarks use the same photos), a sine
// song of a given length made by the ffmpeg tool and a GBK lyric file with a
// line every four seconds.
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <algorithm>

#include "image/ImageIO.h"
#include "resources/PackedFile.h"
#include "templates/TextCodec.h"

namespace lumora::bench {

// A gradient sky, shapes and grain, so JPEG decoding and scaling work as
// hard as on a camera's photo.
inline QString writePhoto(const QString &folder, int i, bool portrait)
{
    const QSize size = portrait ? QSize(4000, 6000) : QSize(6000, 4000);
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv((i * 47) % 360, 120, 230));
    sky.setColorAt(1, QColor::fromHsv((i * 47 + 90) % 360, 160, 90));
    p.fillRect(img.rect(), sky);
    QRandomGenerator rng(quint32(i + 1));
    for (int k = 0; k < 60; ++k) {
        p.setBrush(QColor::fromHsv(int(rng.bounded(360)), 150, 200, 160));
        p.setPen(Qt::NoPen);
        const int r = int(rng.bounded(size.width() / 6)) + 40;
        p.drawEllipse(QPoint(int(rng.bounded(size.width())), int(rng.bounded(size.height()))), r, r);
    }
    p.end();
    for (int y = 0; y < img.height(); y += 2) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = int(rng.bounded(24)) - 12;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    const QString path = folder + QStringLiteral("/photo_%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    writeJpeg(img, path, 90);
    return path;
}

// `count` photos, every fourth one portrait.
inline QStringList writePhotos(const QString &folder, int count)
{
    QStringList photos;
    for (int i = 0; i < count; ++i)
        photos << writePhoto(folder, i, i % 4 == 3);
    return photos;
}

// A stereo 128 kb/s MP3 of `seconds` seconds; false when ffmpeg failed.
inline bool writeSong(const QString &path, int seconds)
{
    return QProcess::execute(QStringLiteral("ffmpeg"),
                             {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                              QStringLiteral("lavfi"), QStringLiteral("-i"),
                              QStringLiteral("sine=frequency=330:sample_rate=44100:duration=%1").arg(seconds),
                              QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-b:a"),
                              QStringLiteral("128k"), path})
        == 0;
}

// A lyric line every four seconds, GBK as lyric files are.
inline void writeLyrics(const QString &path, int seconds)
{
    QString lrc;
    for (int s = 0; s < seconds; s += 4)
        lrc += QStringLiteral("[%1:%2.00]第%3句歌词，金色秋天\r\n")
                   .arg(s / 60, 2, 10, QLatin1Char('0'))
                   .arg(s % 60, 2, 10, QLatin1Char('0'))
                   .arg(s / 4 + 1);
    writeFileBytes(path, encodeGbk(lrc));
}

} // namespace lumora::bench
