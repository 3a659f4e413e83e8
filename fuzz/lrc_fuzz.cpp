// LRC lyric files: any bytes parse into a lookup table whose first row is
// "00:00" with no text, and the lyric step answers for any clock.
#include <cstdint>

#include "media/LrcParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)lumora::lrcBytesProblem(bytes);
    const lumora::LyricTable table = lumora::parseLrcText(bytes);
    if (table.empty() || table.front().time != QLatin1String("00:00") || !table.front().text.isEmpty())
        __builtin_trap();
    for (const char *clock : {"00:00", "00:01", "ti", ""})
        (void)lumora::lyricLineAt(table, QString::fromLatin1(clock));
    return 0;
}
