#pragma once
// An album session over the build's authored resource tree with its own
// working root, and tiny generated photos in a project folder.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "image/ImageIO.h"
#include "session/AlbumSession.h"

namespace lumora::test {

inline const QString kProgramDir = QStringLiteral(LUMORA_TEST_PROGRAM_DIR);
inline const QString kSampleSong = kProgramDir + QStringLiteral("yinyuegeciwenjian/甜蜜蜜.mp3");
inline const QString kSampleLyrics = kProgramDir + QStringLiteral("yinyuegeciwenjian/甜蜜蜜.lrc");

// A JPEG of w × h with a colour of its own and a diagonal, so crops differ visibly.
inline void writePhoto(const QString &path, int w, int h, QColor colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    QPainter p(&img);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(0, 0, w, h);
    p.end();
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeJpeg(img, path);
}

// Photos named p<i>.jpg in `folder`: `landscape` of 96 × 64, then `portrait` of 64 × 96.
inline QStringList writePhotos(const QString &folder, int landscape, int portrait)
{
    QStringList out;
    for (int i = 0; i < landscape + portrait; ++i) {
        const QString path = folder + QStringLiteral("/p%1.jpg").arg(i + 1, 2, 10, QLatin1Char('0'));
        const bool wide = i < landscape;
        writePhoto(path, wide ? 96 : 64, wide ? 64 : 96, QColor::fromHsv((i * 47) % 360, 200, 200));
        out << path;
    }
    return out;
}

} // namespace lumora::test
