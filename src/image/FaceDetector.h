#pragma once
// Faces in photos: dlib's frontal face detector (a HOG feature pyramid with
// a linear classifier, compiled into the library; no model file) behind a
// small interface, so that only FaceDetector.cpp includes dlib.
//
// A photo is decoded at the smallest DCT scale whose long side reaches
// kFaceDetectLongSide (after EXIF orientation), turned to grey and searched
// once. Boxes are returned in the photo's displayed pixels (the stored size
// of the photo table: orientation applied, full resolution).
//
// Thread-safe: the detector is unpacked once and each thread searches with
// its own copy.
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace lumora {

// Long side, in pixels, the detector looks at. dlib's detector finds faces
// from about 80 × 80 pixels up: at 1000 pixels, faces from a twelfth of the
// photo's long side (portraits, couples, a family or a small group across
// the frame). A search there costs about 47 ms of processor time and the
// decode of a 24-megapixel photo to it about 20 ms, within 80 ms per photo;
// 1200 pixels would cost about 70 ms for the search alone, and searching
// an upsampled picture for smaller faces four times as much (bench_faces).
constexpr int kFaceDetectLongSide = 1000;

// Faces in an already decoded picture, in its own pixels, largest first.
// `picture` may be any format; it is converted to grey.
std::vector<QRect> detectFacesInImage(const QImage &picture);

// Faces of the JPEG at `path` in displayed photo pixels, largest first,
// searched at `longSide` pixels (benchmarks try others). Throws
// lumora::Error when the file cannot be decoded.
std::vector<QRect> detectPhotoFaces(const QString &path, int longSide = kFaceDetectLongSide);

} // namespace lumora
