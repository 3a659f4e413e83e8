#pragma once
// Small movie documents and pictures for the playback tests.
#include <QByteArray>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include "image/ImageIO.h"
#include "templates/TemplateParams.h"

namespace lumora::test {

// A movie of `frames` frames with the template identity pair: a red
// background picture whose transparency follows num_stop over a black
// backdrop, and `extraLayers` (JSON text, comma-led) on top.
inline QByteArray templateMovie(int frames, const QString &extraLayers = {}, int width = 160, int height = 90)
{
    return QStringLiteral(R"({"lumoraMovie":1,"stage":[%1,%2],"frames":%3,"backdrop":"#000000",
 "variables":{"%4":"%5","num_stop":"0"},
 "layers":[{"type":"picture","rect":[0,0,%1,%2],"picture":"wj_y_l_b_j.jpg","transparencyVariable":"num_stop"}%6]})")
        .arg(width)
        .arg(height)
        .arg(frames)
        .arg(kMovieIdentityVariable, kMovieIdentityValue, extraLayers)
        .toUtf8();
}

// Text layers need fonts, and fonts need a QGuiApplication.
inline void ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_playback";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

inline QImage solid(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// Mean absolute difference per channel, 0..255.
inline double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 255;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col]))
                + std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
    return sum / (3.0 * x.width() * x.height());
}

} // namespace lumora::test
