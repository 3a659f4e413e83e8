#pragma once
// Pictures of the sample content, painted procedurally with QPainter: the
// demo album's photos (landscapes and portraits, some stored turned with an
// EXIF Orientation as phone cameras do) and the default background pictures.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

namespace lumora::studio {

struct SamplePhoto {
    QString fileName; // sorted listing order is the album order
    QSize displayed; // size as the viewer shows it
    int orientation = 1; // 6: stored turned a quarter to the left, shown upright through EXIF
    int scene = 0; // which painter
    QString fingerprint; // changes with the painter
};

std::vector<SamplePhoto> samplePhotos();

// The picture as displayed (orientation already applied).
QImage paintSamplePhoto(const SamplePhoto &photo);
// The JPEG file content (quality 90); for orientation 6 the pixels are stored
// turned and an EXIF block carries the Orientation.
QByteArray samplePhotoJpeg(const SamplePhoto &photo);

// A soft, elegant default background (gradient with bokeh lights).
QImage paintDefaultBackground(QSize size);

} // namespace lumora::studio
