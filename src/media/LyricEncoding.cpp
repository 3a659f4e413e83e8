#include "media/LyricEncoding.h"

#include <iconv.h>
#include <uchardet.h>

#include <QCoreApplication>
#include <QStringDecoder>
#include <cerrno>
#include <memory>

namespace lumora {

namespace {

struct IconvCloser {
    void operator()(void *cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
struct UchardetCloser {
    void operator()(uchardet_t d) const { uchardet_delete(d); }
};

struct Decoded {
    QString text;
    qsizetype errors = -1; // bytes no character could be made of; -1: encoding unknown to iconv
};

// Decodes with iconv, replacing each byte that starts no valid sequence by
// U+FFFD and counting it.
Decoded decodeWith(const char *encoding, const QByteArray &in)
{
    Decoded result;
    std::unique_ptr<void, IconvCloser> cd(iconv_open("UTF-8", encoding));
    if (cd.get() == reinterpret_cast<void *>(-1)) {
        (void)cd.release();
        return result;
    }
    auto *handle = static_cast<iconv_t>(cd.get());
    result.errors = 0;
    QByteArray out;
    out.reserve(in.size() * 2 + 16);
    char *src = const_cast<char *>(in.constData());
    size_t left = size_t(in.size());
    char buffer[4096];
    while (left > 0) {
        char *dst = buffer;
        size_t room = sizeof buffer;
        const size_t rc = iconv(handle, &src, &left, &dst, &room);
        out.append(buffer, dst - buffer);
        if (rc == size_t(-1) && errno != E2BIG) {
            out.append("\xEF\xBF\xBD");
            ++result.errors;
            ++src;
            --left;
            iconv(handle, nullptr, nullptr, nullptr, nullptr);
        }
    }
    result.text = QString::fromUtf8(out);
    return result;
}

bool validUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes); // decoding happens on conversion
    return !decoder.hasError();
}

// UTF-16 without a mark: text of mostly Latin characters and digits (the tags
// are) has a zero in every other byte.
QString utf16WithoutMark(const QByteArray &bytes)
{
    const qsizetype n = std::min<qsizetype>(bytes.size(), 4096) & ~qsizetype(1);
    if (n < 8)
        return {};
    qsizetype evenZeros = 0, oddZeros = 0;
    for (qsizetype i = 0; i < n; i += 2) {
        evenZeros += bytes[i] == 0;
        oddZeros += bytes[i + 1] == 0;
    }
    const qsizetype pairs = n / 2;
    if (oddZeros * 10 >= pairs * 3 && evenZeros * 20 < pairs)
        return QStringLiteral("UTF-16LE");
    if (evenZeros * 10 >= pairs * 3 && oddZeros * 20 < pairs)
        return QStringLiteral("UTF-16BE");
    return {};
}

QString detectorGuess(const QByteArray &bytes)
{
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, UchardetCloser> d(uchardet_new());
    if (!d || uchardet_handle_data(d.get(), bytes.constData(), size_t(bytes.size())) != 0)
        return {};
    uchardet_data_end(d.get());
    return QString::fromLatin1(uchardet_get_charset(d.get())).toUpper();
}

// Control characters that text never holds, and characters nothing could be
// made of, among the characters of `text`.
QString unreadable(const QString &text, qsizetype undecodable)
{
    qsizetype controls = 0, replaced = 0, visible = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QChar::ReplacementCharacter)
            ++replaced;
        else if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\x0B' && c != u'\x0C'
                 && !(c == u'\x1A' && i == text.size() - 1)) // a DOS end mark
            ++controls;
        if (!c.isSpace())
            ++visible;
    }
    if (controls > 0)
        return QCoreApplication::translate("lumora::LyricEncoding", "文件含有二进制数据，不是文本格式的歌词文件");
    replaced = std::max(replaced, undecodable);
    if (visible == 0)
        return QCoreApplication::translate("lumora::LyricEncoding", "文件中没有文字");
    // A damaged character here and there is read as far as it goes.
    if (replaced * 20 > visible)
        return QCoreApplication::translate(
            "lumora::LyricEncoding", "无法识别文件的文字编码（能读的是 UTF-8、UTF-16、GB18030/GBK 与 Big5 文本）");
    return {};
}

DecodedLyricText finish(QString text, QString encoding, qsizetype undecodable = 0)
{
    DecodedLyricText r;
    r.problem = unreadable(text, undecodable);
    r.text = std::move(text);
    r.encoding = std::move(encoding);
    return r;
}

} // namespace

DecodedLyricText decodeLyricText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return finish(QString::fromUtf8(bytes.mid(3)), QStringLiteral("UTF-8 BOM"));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringDecoder::Utf16LE);
        return finish(d.decode(bytes.mid(2)), QStringLiteral("UTF-16LE"));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringDecoder::Utf16BE);
        return finish(d.decode(bytes.mid(2)), QStringLiteral("UTF-16BE"));
    }
    const QString utf16 = utf16WithoutMark(bytes);
    if (!utf16.isEmpty()) {
        QStringDecoder d(utf16 == QLatin1String("UTF-16LE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return finish(d.decode(bytes), utf16);
    }
    if (validUtf8(bytes))
        return finish(QString::fromUtf8(bytes), QStringLiteral("UTF-8"));

    const QString guess = detectorGuess(bytes);
    const Decoded gb = decodeWith("GB18030", bytes);
    if (guess.startsWith(QLatin1String("BIG5")) || guess == QLatin1String("EUC-TW")) {
        const Decoded big5 = decodeWith("BIG5-HKSCS", bytes);
        if (big5.errors >= 0 && big5.errors <= gb.errors)
            return finish(big5.text, QStringLiteral("Big5"), big5.errors);
    }
    // Another encoding the detector is sure of (Japanese or Korean lyrics,
    // Western text) when GB18030 cannot read the bytes cleanly.
    if (gb.errors > 0 && !guess.isEmpty() && !guess.startsWith(QLatin1String("GB"))
        && !guess.startsWith(QLatin1String("HZ"))) {
        const Decoded other = decodeWith(guess.toLatin1().constData(), bytes);
        if (other.errors >= 0 && other.errors < gb.errors)
            return finish(other.text, guess, other.errors);
    }
    return finish(gb.text, QStringLiteral("GB18030"), gb.errors);
}

} // namespace lumora
