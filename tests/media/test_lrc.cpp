#include <iconv.h>

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/Error.h"
#include "media/LrcParser.h"
#include "media/LyricEncoding.h"
#include "resources/PackedFile.h"

using namespace lumora;

namespace {

struct Line {
    qint64 ms;
    const char *text;
};

std::vector<std::pair<qint64, QString>> entriesOf(const LyricTimeline &t)
{
    std::vector<std::pair<qint64, QString>> out;
    for (const LyricEntry &e : t.entries)
        out.emplace_back(e.ms, e.text);
    return out;
}

std::vector<std::pair<qint64, QString>> expected(std::initializer_list<Line> lines)
{
    std::vector<std::pair<qint64, QString>> out;
    for (const Line &l : lines)
        out.emplace_back(l.ms, QString::fromUtf8(l.text));
    return out;
}

// Text in a legacy encoding, as editors and download sites write it.
QByteArray encoded(const char *encoding, const QString &text)
{
    iconv_t cd = iconv_open(encoding, "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << encoding;
    QByteArray in = text.toUtf8();
    QByteArray out(in.size() * 4 + 16, '\0');
    char *src = in.data();
    char *dst = out.data();
    size_t srcLeft = size_t(in.size()), dstLeft = size_t(out.size());
    EXPECT_NE(iconv(cd, &src, &srcLeft, &dst, &dstLeft), size_t(-1)) << encoding;
    iconv_close(cd);
    out.truncate(out.size() - qsizetype(dstLeft));
    return out;
}

QByteArray utf16(const QString &text, bool littleEndian, bool mark)
{
    QByteArray out;
    if (mark)
        out += littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char lo = char(c.unicode() & 0xff), hi = char(c.unicode() >> 8);
        out.append(littleEndian ? lo : hi);
        out.append(littleEndian ? hi : lo);
    }
    return out;
}

} // namespace

// Each timing rule on a small file of the shape people download.
TEST(LrcParse, TimingRules)
{
    struct Case {
        const char *name;
        const char *file;
        std::vector<std::pair<qint64, QString>> entries;
    };
    const std::vector<Case> cases{
        {"stamps to the millisecond, CRLF",
         "[ti:月亮]\r\n[ar:佚名]\r\n[00:01.00]第一句\r\n[00:05.25]第二句\r\n[00:07.125]第三句\r\n[00:09.5]第四句\r\n",
         expected({{1000, "第一句"}, {5250, "第二句"}, {7125, "第三句"}, {9500, "第四句"}})},
        {"the first second", "[00:00.50]甜蜜蜜 - 邓丽君\n[00:03.00]甜蜜蜜\n",
         expected({{500, "甜蜜蜜 - 邓丽君"}, {3000, "甜蜜蜜"}})},
        {"one-digit minutes and seconds", "[0:07.00]一\n[1:2.5]二\n[00:3]三\n[100:00.00]长\n",
         expected({{3000, "三"}, {7000, "一"}, {62500, "二"}, {6000000, "长"}})},
        {"fraction after a colon", "[00:01:50]a\n", expected({{1500, "a"}})},
        {"every leading tag, sorted", "[00:20.00]乙\n[00:05.00][00:30.00] 甲\n",
         expected({{5000, "甲"}, {20000, "乙"}, {30000, "甲"}})},
        {"same stamp keeps file order", "[00:02.00]a\n[00:02.00]b\n", expected({{2000, "a"}, {2000, "b"}})},
        {"a tag without text clears", "[00:01.00]唱\n[00:04.00]\n[00:09.00]再唱\n",
         expected({{1000, "唱"}, {4000, ""}, {9000, "再唱"}})},
        {"positive offset shows earlier, clamped at 0", "[offset:+500]\n[00:01.00]a\n[00:00.20]b\n",
         expected({{0, "b"}, {500, "a"}})},
        {"negative offset shows later", "[offset:-250]\n[00:01.00]a\n", expected({{1250, "a"}})},
        {"ID tags are metadata", "[ti:x]\n[la:zh]\n[length: 03:20]\n[re:editor]\n[by:某人]\n[00:01.00]a\n",
         expected({{1000, "a"}})},
        {"a mid-line stamp is removed", "[00:01.00]甲[00:02.00]乙\n", expected({{1000, "甲乙"}})},
        {"lines without a leading time show nothing", "前[00:04.00]后\n[Chorus]\nplain\n[00:06.00]x\n",
         expected({{6000, "x"}})},
        {"brackets that are no tags stay text", "[00:01.00]abc[x\n[00:02.00][Chorus] 副歌\n[00:03.00]歌]词\n",
         expected({{1000, "abc[x"}, {2000, "[Chorus] 副歌"}, {3000, "歌]词"}})},
        {"leading blanks and an unclosed tag", "  [00:01.00]a\n[00:07\n", expected({{1000, "a"}})},
    };
    for (const Case &c : cases) {
        const LyricTimeline t = parseLrcText(QString::fromUtf8(c.file));
        EXPECT_EQ(entriesOf(t), c.entries) << c.name;
    }
    const LyricTimeline t = parseLrcText(QStringLiteral("[ti:月亮]\n[ar:佚名]\n[offset:-250]\n[00:01.00]a\n"));
    EXPECT_EQ(t.tag(QStringLiteral("ti")), QStringLiteral("月亮"));
    EXPECT_EQ(t.tag(QStringLiteral("ar")), QStringLiteral("佚名"));
    EXPECT_EQ(t.offsetMs, -250);
}

TEST(LrcParse, LineOnScreen)
{
    const LyricTimeline t = parseLrcText(QStringLiteral("[00:00.50]一\n[00:03.50]二\n[00:05.00]\n[00:08.00]三\n"));
    struct Case {
        qint64 ms;
        const char *text;
    };
    for (const Case &c : {Case{0, ""}, Case{499, ""}, Case{500, "一"}, Case{3499, "一"}, Case{3500, "二"},
                          Case{4999, "二"}, Case{5000, ""}, Case{8000, "三"}, Case{600000, "三"}})
        EXPECT_EQ(t.textAt(c.ms), QString::fromUtf8(c.text)) << c.ms;
    EXPECT_EQ(LyricTimeline{}.indexAt(1000), -1);
}

// The same lyric file in every encoding it is found in.
TEST(LrcEncoding, EveryEncodingReadsTheSameLines)
{
    const QString simplified
        = QStringLiteral("[ti:第一行]\r\n[ar:歌手]\r\n[00:00.50]第一行正常\r\n[00:03.20]我们的故事从这里开始\r\n"
                         "[00:07.80]那年我们还不懂告别\r\n[00:12.00]风吹过田野和山冈\r\n[00:16.40]月亮照着回家的路\r\n"
                         "[00:20.00]你说过的话我都记得\r\n");
    const QString traditional
        = QStringLiteral("[ti:第一行]\r\n[ar:歌手]\r\n[00:00.50]第一行正常\r\n[00:03.20]我們的故事從這裡開始\r\n"
                         "[00:07.80]那年我們還不懂告別\r\n[00:12.00]風吹過田野和山岡\r\n[00:16.40]月亮照著回家的路\r\n"
                         "[00:20.00]你說過的話我都記得\r\n");
    struct Case {
        const char *name;
        QByteArray bytes;
        const char *encoding;
        const QString *text;
    };
    const Case cases[] = {
        {"UTF-8 without BOM", simplified.toUtf8(), "UTF-8", &simplified},
        {"UTF-8 with BOM", QByteArray("\xEF\xBB\xBF") + simplified.toUtf8(), "UTF-8 BOM", &simplified},
        {"UTF-16LE", utf16(simplified, true, true), "UTF-16LE", &simplified},
        {"UTF-16BE", utf16(simplified, false, true), "UTF-16BE", &simplified},
        {"UTF-16LE without BOM", utf16(simplified, true, false), "UTF-16LE", &simplified},
        {"GBK", encoded("GBK", simplified), "GB18030", &simplified},
        {"Big5", encoded("BIG5", traditional), "Big5", &traditional},
    };
    // A short file of one line, as tests and hand-made files have.
    const QByteArray shortGbk = encoded("GBK", QStringLiteral("[00:01.00]甲\r\n"));
    EXPECT_EQ(parseLrcBytes(shortGbk).textAt(1000), QStringLiteral("甲"))
        << qPrintable(decodeLyricText(shortGbk).encoding);
    for (const Case &c : cases) {
        const DecodedLyricText d = decodeLyricText(c.bytes);
        EXPECT_EQ(d.encoding, QLatin1String(c.encoding)) << c.name;
        EXPECT_TRUE(d.problem.isEmpty()) << c.name << ": " << qPrintable(d.problem);
        EXPECT_EQ(d.text, *c.text) << c.name;
        const LyricTimeline t = parseLrcBytes(c.bytes);
        EXPECT_EQ(t.encoding, QLatin1String(c.encoding)) << c.name;
        ASSERT_EQ(t.entries.size(), 6u) << c.name;
        EXPECT_EQ(t.entries.front().text, QStringLiteral("第一行正常")) << c.name;
        EXPECT_EQ(t.entries.front().ms, 500) << c.name;
    }
}

TEST(LrcFile, StopAndRefusedFiles)
{
    std::atomic<bool> stop{true};
    EXPECT_TRUE(parseLrcText(QStringLiteral("[00:01.00]a"), &stop).empty());

    QTemporaryDir dir;
    const QByteArray line = QStringLiteral("[00:01.00]一句歌词\r\n").toUtf8();
    struct Case {
        const char *file;
        QByteArray bytes; // empty: the file is not written
        const char *why; // "" = accepted
    } cases[] = {
        {"missing.lrc", {}, "无法读取"},
        {"big.lrc", line.repeated(int(kMaxLrcBytes / line.size()) + 1), "超过 1 MB"},
        {"nul.lrc", line + QByteArray("\0\x01\x02", 3) + line, "二进制"},
        {"picture.lrc", QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11), "二进制"},
        {"plain-text.lrc", QStringLiteral("这只是一段文字\r\n没有时间\r\n").toUtf8(), "没有时间标签"},
        {"tags-only.lrc", QByteArray("[ti:x]\r\n[ar:y]\r\n"), "没有时间标签"},
        {"blank.lrc", QByteArray(" \r\n\r\n"), "没有文字"},
        {"dos-end.lrc", line + QByteArray("\x1A"), ""},
        {"just-under.lrc", line.repeated(int(kMaxLrcBytes / line.size())), ""},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.file));
        if (!c.bytes.isEmpty())
            writeFileBytes(path, c.bytes);
        try {
            const LyricTimeline t = readLrcFile(path);
            EXPECT_FALSE(*c.why) << c.file << " must be refused";
            EXPECT_FALSE(t.empty()) << c.file;
        } catch (const Error &e) {
            EXPECT_TRUE(*c.why) << c.file << ": " << qPrintable(e.message());
            EXPECT_TRUE(e.message().contains(path)) << qPrintable(e.message());
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.why))) << qPrintable(e.message());
        }
    }
}

TEST(LrcKaraoke, WordStampsTimeEachWord)
{
    const LyricTimeline t
        = parseLrcText(QStringLiteral("[00:12.00]<00:12.00>我<00:12.40>们<00:12.90>的<00:13.50>\n"
                                      "[00:14.00]ab <00:15.00>cd\n[00:15.50]next\n[00:20.00]plain\n"));
    ASSERT_EQ(t.entries.size(), 4u);
    const LyricEntry &k = t.entries[0];
    EXPECT_EQ(k.text, QStringLiteral("我们的"));
    EXPECT_EQ(k.words, (std::vector<LyricWord>{{12000, 12400, 0, 1}, {12400, 12900, 1, 1}, {12900, 13500, 2, 1}}));
    struct Case {
        qint64 ms;
        double sung;
    };
    for (const Case &c :
         {Case{12000, 0}, Case{12200, 0.5}, Case{12400, 1}, Case{12650, 1.5}, Case{13499, 2.998}, Case{13500, 3}})
        EXPECT_NEAR(karaokeSungCharacters(t, 0, c.ms), c.sung, 0.01) << c.ms;
    // Text before the first word stamp starts at the line's time; the last
    // word without a closing stamp ends no later than the next line.
    const LyricEntry &open = t.entries[1];
    EXPECT_EQ(open.text, QStringLiteral("ab cd"));
    EXPECT_EQ(open.words, (std::vector<LyricWord>{{14000, 15000, 0, 3}, {15000, 15500, 3, 2}}));
    EXPECT_EQ(karaokeSungCharacters(t, 3, 20000), -1) << "a plain line";
    // The offset moves the words with their line.
    const LyricTimeline shifted
        = parseLrcText(QStringLiteral("[offset:1000]\n[00:12.00]<00:12.00>我<00:12.40>们<00:12.90>\n"));
    EXPECT_EQ(shifted.entries[0].words, (std::vector<LyricWord>{{11000, 11400, 0, 1}, {11400, 11900, 1, 1}}));
}
