#include "media/LrcParser.h"

#include <QFileInfo>

#include "app/Error.h"
#include "resources/PackedFile.h"
#include "templates/TextCodec.h"

namespace lumora {

namespace {

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load();
}

// Character at 1-based position p of s; position 0 reads as position 1; a
// position outside s reads as no character.
QChar charAt(const QString &s, int p)
{
    if (p == 0)
        p = 1;
    return p >= 1 && p <= s.size() ? s[p - 1] : QChar();
}

// Takes the time tags of one line, right to left, appending timeline rows.
void takeTags(const QString &line, std::vector<LyricRow> &timeline)
{
    QString s = line;
    const int w = int(line.size());
    std::vector<int> opens; // ListBox_LRC_1: positions of '[' in the order found
    std::vector<int> closes; // ListBox_LRC_2: positions of ']' in the order found
    for (int i = 1; i <= w; ++i) {
        const int p = w - i;
        const QChar c = charAt(s, p);
        if (c == QLatin1Char(']'))
            closes.push_back(p);
        if (i < w && c == QLatin1Char('[')) {
            // A '[' with no ']' after it that is not yet taken (the stray one
            // of "[00:01.00]abc[x") opens no tag: counting it would pair every
            // '[' to its left with the wrong ']' and lose their tags. It stays
            // part of the text.
            if (opens.size() >= closes.size())
                continue;
            opens.push_back(p);
            const size_t g = opens.size() - 1;
            {
                const int q = closes[g];
                const QString tag = q > p ? s.mid(p, q - p - 1) : QString();
                QString text;
                // Touching tags ([a][b]text): the left one takes the text of the right one.
                if (g > 0 && closes.back() == opens[g - 1] - 1 && !timeline.empty())
                    text = timeline.back().text;
                else
                    text = s.mid(q);
                timeline.push_back({tag, text});
            }
            s.truncate(p > 0 ? p - 1 : 0);
        }
    }
}

} // namespace

LyricTable parseLrcLines(const QStringList &lines, const std::atomic<bool> *stop)
{
    QStringList lineTable; // ListView_LRC_1
    QStringList tagList; // ListBox_LRC_3
    for (const QString &line : lines) {
        if (stopped(stop))
            return {};
        if (!line.isEmpty() && line.back() == QLatin1Char(']'))
            tagList.append(line);
        else
            lineTable.append(line);
    }

    std::vector<LyricRow> timeline; // ListView_LRC_2
    for (const QString &line : lineTable) {
        if (stopped(stop))
            return {};
        if (!line.isEmpty())
            takeTags(line, timeline);
    }

    // Tag fields written with trailing text after their bracket were read as
    // time tags: move them back to the tag list, one key after the other.
    for (const char *key : {"ti", "ar", "al", "by"}) {
        const QString k = QLatin1String(key);
        std::vector<LyricRow> kept;
        for (LyricRow &row : timeline) {
            if (row.time.startsWith(k))
                tagList.append(QStringLiteral("[") + row.time + QStringLiteral("]"));
            else
                kept.push_back(std::move(row));
        }
        timeline = std::move(kept);
    }

    for (const QString &line : tagList) {
        const QString key = line.mid(1, 2);
        if (key == QLatin1String("ti") || key == QLatin1String("ar") || key == QLatin1String("al")
            || key == QLatin1String("by"))
            timeline.push_back({key, line.mid(4, line.size() - 5)}); // characters 5 .. W-1
    }

    LyricTable table;
    table.reserve(timeline.size() + 1);
    table.push_back({QStringLiteral("00:00"), QString()});
    for (LyricRow &row : timeline)
        table.push_back(std::move(row));
    return table;
}

LyricTable parseLrcText(const QByteArray &bytes, const std::atomic<bool> *stop)
{
    const QString text = decodeGbk(bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return parseLrcLines(lines, stop);
}

QString lrcBytesProblem(const QByteArray &bytes)
{
    if (bytes.size() > kMaxLrcBytes)
        return QStringLiteral("文件太大（超过 1 MB），不是歌词文件");
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = quint8(bytes[i]);
        // Text in GBK or UTF-8 never holds these control bytes; a DOS end
        // mark (0x1A) at the very end is tolerated.
        const bool control = b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != 0x0B && b != 0x0C;
        if (control && !(b == 0x1A && i == bytes.size() - 1))
            return QStringLiteral("文件含有二进制数据，不是文本格式的歌词文件");
    }
    return {};
}

LyricTable parseLrcFile(const QString &path, const std::atomic<bool> *stop)
{
    auto refuse
        = [&](const QString &why) { return Error(QStringLiteral("歌词文件无法读取：%1（%2）").arg(path, why)); };
    // Judged by its size before reading: a large file is refused unread.
    const QFileInfo info(path);
    if (info.exists() && info.size() > kMaxLrcBytes)
        throw refuse(lrcBytesProblem(QByteArray(kMaxLrcBytes + 1, ' ')));
    QByteArray bytes;
    try {
        bytes = readFileBytes(path);
    } catch (const Error &e) {
        throw refuse(e.message());
    }
    const QString problem = lrcBytesProblem(bytes);
    if (!problem.isEmpty())
        throw refuse(problem);
    return parseLrcText(bytes, stop);
}

std::optional<QString> lyricLineAt(const LyricTable &table, const QString &clock)
{
    for (const LyricRow &row : table)
        if (row.time.startsWith(clock, Qt::CaseInsensitive))
            return row.text;
    return std::nullopt;
}

} // namespace lumora
