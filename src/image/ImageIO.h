#pragma once
// Photo and frame pictures: JPEG headers with EXIF orientation, scaled JPEG
// decoding, quality-90 JPEG encoding, PNG decoding with alpha and PNG encoding.
// All functions are thread-safe (no shared state) and throw lumora::Error with
// the file path and the library's own message on failure.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace lumora {

// The most memory one JPEG decode may take (output picture plus, for
// progressive files, the coefficients the decoder keeps for the whole image).
// A photo whose smallest decode (1/8) needs more is refused when it is added.
constexpr qint64 kMaxJpegDecodeBytes = 256LL * 1024 * 1024;

struct JpegInfo {
    int width = 0; // as stored in the file
    int height = 0;
    int orientation = 1; // EXIF Orientation 1..8 (1 when absent or unreadable)
    // Bytes the decoder keeps whatever the output scale: the whole image's
    // DCT coefficients of a progressive (multi-scan) file, 0 for a
    // sequential one, which decodes row by row.
    qint64 coefficientBytes = 0;
    // Entropy-coded bytes after the first scan header, and the fewest bytes
    // the first row of blocks of the declared size can take (at least one
    // bit per block; 0 when no such bound is known, as for arithmetic coding).
    qint64 dataBytes = 0;
    qint64 leastDataBytes = 0;
    // The file ends with the end-of-image marker. A file without it was cut
    // short: it decodes as far as its data goes, the rest grey.
    bool complete = true;
    // Values 5..8 turn the picture by a quarter: the displayed width and height swap.
    bool turned() const { return orientation >= 5 && orientation <= 8; }
    QSize displayed() const { return turned() ? QSize(height, width) : QSize(width, height); }
};

// Reads only the JPEG header and the EXIF block (no pixel decoding), and the
// last bytes of the file to tell whether it is complete.
// Throws for a file that is not a readable JPEG (truncated header, zero size...).
JpegInfo readJpegInfo(const QString &path);
JpegInfo readJpegInfo(const QByteArray &data, const QString &what);

// Memory in bytes a decode to `scaled` takes (see kMaxJpegDecodeBytes).
qint64 jpegDecodeBytes(const JpegInfo &info, QSize scaled);
// Why a photo cannot be used, in Chinese, or "" when it can: its smallest
// decode would need more than kMaxJpegDecodeBytes, or its data cannot hold
// even the first row of its declared size (a damaged or hostile header).
QString jpegUnusableReason(const JpegInfo &info);

// Decodes a JPEG as stored (no EXIF rotation applied), using the DCT scaling
// of libjpeg-turbo to the smallest of the scales 1/8, 1/4, 1/2, 1 whose result
// is at least `atLeast` in both dimensions (an empty size decodes in full).
// A photo with a damaged tail decodes with the missing part grey, as browsers
// show it. Throws when the decode would need more than kMaxJpegDecodeBytes.
// The result is QImage::Format_RGB32.
QImage decodeJpeg(const QString &path, QSize atLeast = {});
// The size decodeJpeg gives for a photo stored at `stored` and a request `atLeast`.
QSize jpegScaledSize(QSize stored, QSize atLeast);
QImage decodeJpeg(const QByteArray &data, const QString &what, QSize atLeast = {});
// Applies an EXIF orientation (1..8) to a decoded picture.
QImage applyOrientation(const QImage &image, int orientation);

// Encodes baseline JPEG (4:2:0) at `quality` (the album uses 90). Alpha is
// dropped: a premultiplied picture codes as if drawn over black.
QByteArray encodeJpeg(const QImage &image, int quality = 90);
// Encodes and writes a JPEG; creates parent folders.
void writeJpeg(const QImage &image, const QString &path, int quality = 90);

// Decodes a PNG with its alpha channel through libpng, to
// QImage::Format_ARGB32_Premultiplied.
QImage decodePng(const QString &path);
QImage decodePng(const QByteArray &data, const QString &what);
// Decodes a PNG of the program's own resource tree (an effect frame) the
// quickest way libpng allows, into `into` as QImage::Format_ARGB32 with
// straight (not premultiplied) alpha. The checksum over the decompressed
// pixels is not computed (the chunks' CRCs still are). When `into` already
// has the frame's size and format its pixels are reused, so a worker
// decoding frame after frame does not allocate (and fault in) a fresh
// picture each time. Throws like decodePng.
void decodeFramePng(const QByteArray &data, const QString &what, QImage &into);
// Encodes a PNG keeping alpha (compression 0..9).
QByteArray encodePng(const QImage &image, int compression = 6);
void writePng(const QImage &image, const QString &path, int compression = 6);

} // namespace lumora
