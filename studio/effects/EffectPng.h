#pragma once
// Writes effect frames as RGBA PNG through libpng, tuned for overlays that
// are mostly transparent: fully transparent pixels are stored as 0,0,0,0 and
// the colour of faint pixels is rounded (it is barely visible once blended),
// which keeps the noise of un-premultiplying out of the file; rows take
// row filters when `smooth` (gradients), none otherwise (scattered shapes).
// Throws lumora::Error with the path on failure.
#include <QImage>
#include <QString>

namespace lumora::studio {

void writeEffectPng(const QImage &image, const QString &path, bool smooth, int zlibLevel = 6);

} // namespace lumora::studio
