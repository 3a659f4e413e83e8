#pragma once
// Stages sample photos for an authored template the way the album's staging
// does (slot pictures sized from the slot tokens and the slot geometry, the
// background picture, the hand-over picture), so the studio can render its
// templates for the contact sheet and checks without an album.
#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

#include "TemplateDesign.h"

namespace lumora::studio {

struct SamplePhotoSet {
    std::vector<QImage> landscape;
    std::vector<QImage> portrait;
};

// Sample photos from `folder` (JPG files, turned as their EXIF says); when the
// folder holds none of an orientation, simple pictures of our own fill in.
SamplePhotoSet loadSamplePhotos(const QString &folder);

// Writes into `folder` (a template staging folder two levels below a pic/
// folder) the slot pictures of `design` for render size `render`, the
// background picture and, when `handOver` is not null, pic/picture_0.jpg.
// `offset` picks which sample photos are used.
void stageSample(const TemplateDesign &design, ModeKind mode, QSize render, const SamplePhotoSet &photos, int offset,
                 const QString &folder, const QImage &handOver);

} // namespace lumora::studio
