#pragma once
// Packed resources: content wrapped in N layers of
//   [inflated length L: 4 bytes little-endian signed][zlib stream inflating to exactly L bytes]
// An empty file stays unchanged by every pass. Unpacking happens in memory;
// only the target file is written.
#include <QByteArray>
#include <QString>

namespace lumora {

namespace packed {
// Largest layer we accept: a layer header beyond this is treated as damage,
// not as a request for a giant allocation.
constexpr qint64 kMaxLayerBytes = 512LL * 1024 * 1024;

// Removes one layer. `what` names the file in error messages.
// Throws lumora::Error for a negative or oversized length, a damaged or
// truncated stream, or a stream that does not inflate to exactly L bytes.
QByteArray removeLayer(const QByteArray &data, const QString &what);
// Removes `depth` layers.
QByteArray unpackData(QByteArray data, int depth, const QString &what);
// Reads `path` and removes `depth` layers.
QByteArray unpackFile(const QString &path, int depth);
// Reads `path`, removes `depth` layers and writes the result to `target`
// (parent folders are created). Throws lumora::Error on failure.
void unpackTo(const QString &path, int depth, const QString &target);

// Wraps `content` in `depth` layers (used by the resource authoring tool and tests).
QByteArray pack(const QByteArray &content, int depth, int level = 6);
// Writes `content` packed to `path` (parent folders are created).
void packTo(const QByteArray &content, int depth, const QString &path);

// Layer counts of the shipped resources.
constexpr int kStartupMovieDepth = 13;
constexpr int kTemplateParamDepth = 20;
constexpr int kTemplateMovieDepth = 20;
constexpr int kModeMovieDepth = 16;
constexpr int kBackgroundMovieDepth = 6;
constexpr int kDefaultBackgroundDepth = 3;
constexpr int kPackParamDepth = 3;
} // namespace packed

// Reads a whole file; throws lumora::Error naming it when it cannot be read.
QByteArray readFileBytes(const QString &path);
// Writes a whole file atomically enough for our purposes (write, flush, close);
// creates parent folders; throws lumora::Error naming it on failure (full disk included).
void writeFileBytes(const QString &path, const QByteArray &data);

} // namespace lumora
