// Movie documents: any bytes either parse into a document within the
// declared bounds or raise lumora::Error.
#include <cstdint>

#include "app/Error.h"
#include "playback/MovieDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const lumora::MovieDocument doc = lumora::parseMovieDocument(bytes, QStringLiteral("fuzz"));
        if (doc.frames < 1 || doc.frames > lumora::kMaxMovieFrames || doc.stage.isEmpty()
            || doc.stage.width() > lumora::kMaxStageSide || doc.stage.height() > lumora::kMaxStageSide
            || doc.layers.size() > size_t(lumora::kMaxMovieLayers))
            __builtin_trap();
        (void)doc.pictureNames();
    } catch (const lumora::Error &) {
    }
    return 0;
}
