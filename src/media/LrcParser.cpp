#include "media/LrcParser.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "app/Error.h"
#include "media/LyricEncoding.h"
#include "resources/PackedFile.h"

namespace lumora {

namespace {

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load();
}

// "m:ss", "mm:ss.xx", "mmm:ss.xxx", "mm:ss:xx": milliseconds, or nullopt
// when `tag` is not a time.
std::optional<qint64> timeOfTag(QStringView tag)
{
    const qsizetype colon = tag.indexOf(u':');
    if (colon < 1 || colon > 3)
        return std::nullopt;
    auto digits = [](QStringView s) {
        return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    const QStringView minutes = tag.left(colon);
    QStringView rest = tag.mid(colon + 1);
    qsizetype dot = rest.indexOf(u'.');
    if (dot < 0)
        dot = rest.indexOf(u':');
    const QStringView seconds = dot < 0 ? rest : rest.left(dot);
    const QStringView fraction = dot < 0 ? QStringView() : rest.mid(dot + 1);
    if (!digits(minutes) || !digits(seconds) || seconds.size() > 2 || fraction.size() > 3
        || (dot >= 0 && !digits(fraction)))
        return std::nullopt;
    qint64 ms = minutes.toLongLong() * 60000 + seconds.toLongLong() * 1000;
    if (!fraction.isEmpty()) {
        static constexpr int kScale[] = {0, 100, 10, 1};
        ms += fraction.toLongLong() * kScale[fraction.size()];
    }
    return ms;
}

// "[key:value]" with a key of letters (ti, ar, al, by, offset, length, …):
// the key in lower case and the value, or nullopt.
std::optional<std::pair<QString, QString>> idTag(QStringView tag)
{
    const qsizetype colon = tag.indexOf(u':');
    if (colon < 1)
        return std::nullopt;
    const QStringView key = tag.left(colon);
    if (!key.front().isLetter()
        || !std::all_of(key.begin(), key.end(), [](QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'-'; }))
        return std::nullopt;
    return std::pair{key.toString().toLower(), tag.mid(colon + 1).trimmed().toString()};
}

struct Stamp {
    qint64 ms;
    qsizetype at; // character of the shown text it stands before
};

// The text of a line after its leading tags, with its word stamps taken out.
struct Body {
    QString text;
    std::vector<Stamp> stamps;
};

Body readBody(QStringView s)
{
    Body b;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c == u'<' || c == u'[') {
            const qsizetype close = s.indexOf(c == u'<' ? u'>' : u']', i + 1);
            if (close > i) {
                if (const auto ms = timeOfTag(s.mid(i + 1, close - i - 1))) {
                    b.stamps.push_back({*ms, b.text.size()});
                    i = close + 1;
                    continue;
                }
            }
        }
        b.text += c;
        ++i;
    }
    // Spaces at both ends are not shown; the stamps keep their characters.
    qsizetype lead = 0;
    while (lead < b.text.size() && b.text[lead].isSpace())
        ++lead;
    qsizetype end = b.text.size();
    while (end > lead && b.text[end - 1].isSpace())
        --end;
    for (Stamp &st : b.stamps)
        st.at = std::clamp(st.at - lead, qsizetype(0), end - lead);
    b.text = b.text.mid(lead, end - lead);
    return b;
}

// Words of a line shown from `lineMs`: each stamp starts the text up to the
// next one; text before the first stamp starts at the line's time; a stamp
// with no text after it ends the last word (else endMs stays -1).
std::vector<LyricWord> wordsOf(const Body &b, qint64 lineMs, qint64 shift)
{
    std::vector<LyricWord> words;
    if (b.stamps.empty() || b.text.isEmpty())
        return words;
    std::vector<Stamp> starts;
    if (b.stamps.front().at > 0)
        starts.push_back({lineMs, 0});
    starts.insert(starts.end(), b.stamps.begin(), b.stamps.end());
    for (size_t i = 0; i < starts.size(); ++i) {
        const qsizetype from = starts[i].at;
        const qsizetype to = i + 1 < starts.size() ? starts[i + 1].at : b.text.size();
        if (to <= from) {
            if (!words.empty() && from >= b.text.size())
                words.back().endMs = starts[i].ms + shift; // the closing stamp
            continue;
        }
        words.push_back({starts[i].ms + shift, -1, from, to - from});
    }
    for (size_t i = 0; i + 1 < words.size(); ++i)
        if (words[i].endMs < 0)
            words[i].endMs = words[i + 1].startMs;
    return words;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

// The last word of each karaoke entry without a closing stamp lasts as long
// as the line's words do on average (a second for a one-word line), but not
// past the next line.
void closeLastWords(std::vector<LyricEntry> &entries)
{
    for (size_t e = 0; e < entries.size(); ++e) {
        std::vector<LyricWord> &words = entries[e].words;
        if (words.empty())
            continue;
        LyricWord &last = words.back();
        if (last.endMs < 0) {
            const qint64 average
                = words.size() > 1 ? (last.startMs - words.front().startMs) / qint64(words.size() - 1) : 1000;
            last.endMs = last.startMs + std::max<qint64>(average, 200);
            for (size_t n = e + 1; n < entries.size(); ++n) {
                if (entries[n].ms > entries[e].ms) {
                    last.endMs = std::min(last.endMs, entries[n].ms);
                    break;
                }
            }
        }
        for (LyricWord &w : words)
            w.endMs = std::max(w.endMs, w.startMs + 1);
    }
}

} // namespace

int LyricTimeline::indexAt(qint64 ms) const
{
    const auto it
        = std::upper_bound(entries.begin(), entries.end(), ms, [](qint64 t, const LyricEntry &e) { return t < e.ms; });
    return int(it - entries.begin()) - 1;
}

QString LyricTimeline::textAt(qint64 ms) const
{
    const int i = indexAt(ms);
    return i < 0 ? QString() : entries[size_t(i)].text;
}

QString LyricTimeline::tag(const QString &key) const
{
    for (const auto &[k, v] : tags)
        if (k == key)
            return v;
    return {};
}

double karaokeSungCharacters(const LyricTimeline &timeline, int index, qint64 ms)
{
    if (index < 0 || size_t(index) >= timeline.entries.size())
        return -1;
    const std::vector<LyricWord> &words = timeline.entries[size_t(index)].words;
    if (words.empty())
        return -1;
    double sung = 0;
    for (const LyricWord &w : words) {
        if (ms >= w.endMs) {
            sung = double(w.start + w.length);
            continue;
        }
        if (ms > w.startMs)
            sung = double(w.start) + double(w.length) * double(ms - w.startMs) / double(w.endMs - w.startMs);
        break;
    }
    return sung;
}

LyricTimeline parseLrcText(const QString &text, const std::atomic<bool> *stop)
{
    LyricTimeline t;
    for (const QString &raw : splitLines(text)) {
        if (stopped(stop))
            return {};
        QStringView line(raw);
        while (!line.isEmpty() && (line.front().isSpace() || line.front() == QChar(0xFEFF)))
            line = line.mid(1);
        std::vector<qint64> times;
        while (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            if (close < 0)
                break;
            const QStringView inner = line.mid(1, close - 1);
            if (const auto ms = timeOfTag(inner))
                times.push_back(*ms);
            else if (const auto tag = idTag(inner))
                t.tags.push_back(*tag);
            else
                break; // "[Chorus]" and the like are text
            line = line.mid(close + 1);
            while (!line.isEmpty() && line.front().isSpace())
                line = line.mid(1);
        }
        if (times.empty())
            continue;
        const Body body = readBody(line);
        for (const qint64 ms : times)
            t.entries.push_back({ms, body.text, wordsOf(body, times.front(), ms - times.front())});
    }

    bool ok = false;
    const qint64 offset = t.tag(QStringLiteral("offset")).toLongLong(&ok);
    t.offsetMs = ok ? offset : 0;
    if (t.offsetMs != 0) {
        auto shifted = [&](qint64 ms) { return std::max<qint64>(0, ms - t.offsetMs); };
        for (LyricEntry &e : t.entries) {
            e.ms = shifted(e.ms);
            for (LyricWord &w : e.words) {
                w.startMs = shifted(w.startMs);
                if (w.endMs >= 0)
                    w.endMs = shifted(w.endMs);
            }
        }
    }
    std::stable_sort(t.entries.begin(), t.entries.end(),
                     [](const LyricEntry &a, const LyricEntry &b) { return a.ms < b.ms; });
    closeLastWords(t.entries);
    return t;
}

LyricTimeline parseLrcBytes(const QByteArray &bytes, const std::atomic<bool> *stop)
{
    if (bytes.size() > kMaxLrcBytes)
        throw Error(QCoreApplication::translate("lumora::LrcParser", "文件太大（超过 1 MB），不是歌词文件"));
    const DecodedLyricText decoded = decodeLyricText(bytes);
    if (!decoded.problem.isEmpty())
        throw Error(decoded.problem);
    LyricTimeline t = parseLrcText(decoded.text, stop);
    if (stopped(stop))
        return {};
    if (t.entries.empty())
        throw Error(
            QCoreApplication::translate("lumora::LrcParser", "文件中没有时间标签（如 [00:12.34]），不是 LRC 歌词文件"));
    t.encoding = decoded.encoding;
    return t;
}

LyricTimeline readLrcFile(const QString &path, const std::atomic<bool> *stop)
{
    auto refuse = [&](const QString &why) {
        return Error(QCoreApplication::translate("lumora::LrcParser", "歌词文件无法读取：%1（%2）").arg(path, why));
    };
    // Judged by its size before reading: a large file is refused unread.
    const QFileInfo info(path);
    if (info.exists() && info.size() > kMaxLrcBytes)
        throw refuse(QCoreApplication::translate("lumora::LrcParser", "文件太大（超过 1 MB），不是歌词文件"));
    QByteArray bytes;
    try {
        bytes = readFileBytes(path);
    } catch (const Error &e) {
        throw refuse(e.message());
    }
    try {
        return parseLrcBytes(bytes, stop);
    } catch (const Error &e) {
        throw refuse(e.message());
    }
}

} // namespace lumora
