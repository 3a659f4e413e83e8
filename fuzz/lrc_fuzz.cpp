// LRC lyric files: any bytes either parse into a timeline ordered by time, or
// are refused with a reason; the line and the karaoke fill answer for any
// moment.
#include <cstdint>

#include "app/Error.h"
#include "media/LrcParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    lumora::LyricTimeline t;
    try {
        t = lumora::parseLrcBytes(bytes);
    } catch (const lumora::Error &e) {
        if (e.message().isEmpty())
            __builtin_trap();
        return 0;
    }
    for (size_t i = 1; i < t.entries.size(); ++i)
        if (t.entries[i - 1].ms > t.entries[i].ms || t.entries[i].ms < 0)
            __builtin_trap();
    for (const qint64 ms : {qint64(0), qint64(1000), qint64(59999), qint64(1) << 40}) {
        const int i = t.indexAt(ms);
        const double sung = lumora::karaokeSungCharacters(t, i, ms);
        if (i >= 0 && sung > double(t.entries[size_t(i)].text.size()))
            __builtin_trap();
        (void)t.textAt(ms);
    }
    return 0;
}
