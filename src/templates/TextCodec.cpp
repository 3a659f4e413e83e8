#include "TextCodec.h"

#include <iconv.h>

#include <memory>

namespace lumora {
namespace {
struct IconvCloser {
    void operator()(void *cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openIconv(const char *to, const char *from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    return IconvHandle(cd);
}

// Converts as much as possible; on an invalid sequence emits `bad` and skips
// one input byte.
QByteArray convert(const char *to, const char *from, const QByteArray &in, const QByteArray &bad)
{
    IconvHandle cd = openIconv(to, from);
    if (!cd)
        return in;
    QByteArray out;
    out.reserve(in.size() * 2 + 16);
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = size_t(in.size());
    char buffer[4096];
    while (srcLeft > 0) {
        char *dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t rc = iconv(static_cast<iconv_t>(cd.get()), &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, int(dst - buffer));
        if (rc == size_t(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (truncated sequence at the end): replace one byte.
            out.append(bad);
            ++src;
            --srcLeft;
            iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}
} // namespace

QString decodeGbk(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return QString::fromUtf8(convert("UTF-8", "GBK", bytes, QByteArray("\xEF\xBF\xBD")));
}

QByteArray encodeGbk(const QString &text)
{
    return convert("GBK", "UTF-8", text.toUtf8(), QByteArray("?"));
}

} // namespace lumora
