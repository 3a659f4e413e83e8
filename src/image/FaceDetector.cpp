#include "FaceDetector.h"

// The only file that includes dlib: its headers are large templates.
#include <dlib/image_processing/frontal_face_detector.h>

#include <algorithm>
#include <cmath>
#include <mutex>

#include "image/ImageIO.h"

namespace lumora {
namespace {

// The detector's weights are stored compressed in the library; unpacking
// them takes some 300 ms, ten times a search. They are unpacked once; every
// thread searches with a copy of its own (a detector is not safe to share).
dlib::frontal_face_detector &threadDetector()
{
    static std::mutex lock;
    static const dlib::frontal_face_detector master = dlib::get_frontal_face_detector();
    thread_local dlib::frontal_face_detector own = [] {
        std::lock_guard<std::mutex> g(lock);
        return master;
    }();
    return own;
}

} // namespace

std::vector<QRect> detectFacesInImage(const QImage &picture)
{
    if (picture.isNull())
        return {};
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    dlib::array2d<unsigned char> img(grey.height(), grey.width());
    for (int y = 0; y < grey.height(); ++y)
        std::copy_n(grey.constScanLine(y), grey.width(), &img[y][0]);
    const std::vector<dlib::rectangle> found = threadDetector()(img);
    std::vector<QRect> faces;
    for (const dlib::rectangle &r : found) {
        const QRect box = QRect(int(r.left()), int(r.top()), int(r.width()), int(r.height())).intersected(grey.rect());
        if (!box.isEmpty())
            faces.push_back(box);
    }
    std::stable_sort(faces.begin(), faces.end(), [](const QRect &a, const QRect &b) {
        return qint64(a.width()) * a.height() > qint64(b.width()) * b.height();
    });
    return faces;
}

std::vector<QRect> detectPhotoFaces(const QString &path, int longSide)
{
    const JpegInfo info = readJpegInfo(path);
    const QSize shown = info.displayed();
    if (shown.isEmpty())
        return {};
    // The decode request: the long side near kFaceDetectLongSide (DCT scales
    // give the smallest of 1/8 … 1 at least that large).
    const double f = std::min(1.0, double(longSide) / std::max(shown.width(), shown.height()));
    const QSize want(int(std::floor(info.width * f)), int(std::floor(info.height * f)));
    QImage img = decodeJpeg(path, want);
    if (info.orientation != 1)
        img = applyOrientation(img, info.orientation);
    // DCT scaling may leave the picture up to twice the wanted size: bring it
    // down so the detector's cost stays what the long side says.
    const int got = std::max(img.width(), img.height());
    if (got > longSide * 5 / 4)
        img = img.scaled(img.size() * (double(longSide) / got), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const std::vector<QRect> found = detectFacesInImage(img);
    const double sx = double(shown.width()) / img.width(), sy = double(shown.height()) / img.height();
    std::vector<QRect> faces;
    for (const QRect &r : found) {
        const int l = int(std::lround(r.left() * sx)), t = int(std::lround(r.top() * sy));
        const int rr = int(std::lround((r.left() + r.width()) * sx)), b = int(std::lround((r.top() + r.height()) * sy));
        faces.push_back(QRect(l, t, rr - l, b - t).intersected(QRect(QPoint(0, 0), shown)));
    }
    return faces;
}

} // namespace lumora
