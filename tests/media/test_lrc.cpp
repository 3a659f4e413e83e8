#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/Error.h"
#include "media/LrcParser.h"
#include "resources/PackedFile.h"
#include "templates/TextCodec.h"

using namespace lumora;

namespace {
LyricTable parse(const QStringList &lines)
{
    return parseLrcLines(lines);
}
LyricTable rows(std::initializer_list<std::pair<const char *, const char *>> list)
{
    LyricTable t{{QStringLiteral("00:00"), QString()}};
    for (const auto &[time, text] : list)
        t.push_back({QString::fromUtf8(time), QString::fromUtf8(text)});
    return t;
}
} // namespace

TEST(LrcParse, WorkedExampleFromGbkFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("月亮.lrc"));
    writeFileBytes(
        path,
        encodeGbk(QStringLiteral("[ti:月亮]\r\n[ar:佚名]\r\n[00:01.00]第一句\r\n[00:05.00][00:20.00]第二句\r\n")));
    EXPECT_EQ(
        parseLrcFile(path),
        rows({{"00:01.00", "第一句"}, {"00:20.00", "第二句"}, {"00:05.00", "第二句"}, {"ti", "月亮"}, {"ar", "佚名"}}));
}

TEST(LrcParse, EdgeCases)
{
    struct Case {
        const char *name;
        QStringList lines;
        LyricTable expected;
    };
    const std::vector<Case> cases{
        {"only tag lines",
         {QStringLiteral("[ti:标题]"), QStringLiteral("[al:专辑]"), QStringLiteral("[offset:100]")},
         rows({{"ti", "标题"}, {"al", "专辑"}})},
        {"title with a trailing blank is moved back", {QStringLiteral("[ti:标题] ")}, rows({{"ti", "标题"}})},
        {"three touching tags share the text",
         {QStringLiteral("[00:01.00][00:02.00][00:03.00]歌")},
         rows({{"00:03.00", "歌"}, {"00:02.00", "歌"}, {"00:01.00", "歌"}})},
        {"text between tags",
         {QStringLiteral("[00:01.00]甲[00:02.00]乙")},
         rows({{"00:02.00", "乙"}, {"00:01.00", "甲"}})},
        {"a ] inside the text garbles the time", {QStringLiteral("[00:01.00]歌]词")}, rows({{"00:01.00]歌", "词"}})},
        {"text before the first tag is ignored", {QStringLiteral("前[00:04.00]后")}, rows({{"00:04.00", "后"}})},
        {"time tag without text is dropped",
         {QStringLiteral("[00:09.00]"), QString(), QStringLiteral("[00:02.00]x")},
         rows({{"00:02.00", "x"}})},
        {"an unclosed tag gives no row",
         {QStringLiteral("[00:07"), QStringLiteral("[00:08.00]y")},
         rows({{"00:08.00", "y"}})},
        // A stray '[' keeps every valid tag before it and stays in the text.
        {"a stray [ after the text", {QStringLiteral("[00:01.00]abc[x")}, rows({{"00:01.00", "abc[x"}})},
        {"a stray [ between tags",
         {QStringLiteral("[00:01.00]甲[x[00:02.00]乙")},
         rows({{"00:02.00", "乙"}, {"00:01.00", "甲[x"}})},
        {"a stray [ before touching tags",
         {QStringLiteral("[[00:01.00][00:02.00]歌")},
         rows({{"00:02.00", "歌"}, {"00:01.00", "歌"}})},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parse(c.lines), c.expected) << c.name;
}

TEST(LrcParse, LineEndsAndByteOrderMark)
{
    // CR, LF and CR LF all end a line; a UTF-8 byte-order mark selects UTF-8
    // and does not become part of the first line.
    const QByteArray text
        = QByteArray("\xEF\xBB\xBF") + QStringLiteral("[ti:名]\r[00:01.00]一\n[00:02.00]二\r\n").toUtf8();
    EXPECT_EQ(parseLrcText(text), rows({{"00:01.00", "一"}, {"00:02.00", "二"}, {"ti", "名"}}));
}

TEST(LrcParse, StopAndRefusedFiles)
{
    std::atomic<bool> stop{true};
    EXPECT_TRUE(parseLrcLines({QStringLiteral("[00:01.00]a")}, &stop).empty());

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
        {"dos-end.lrc", line + QByteArray("\x1A"), ""},
        {"just-under.lrc", line.repeated(int(kMaxLrcBytes / line.size())), ""},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.file));
        if (!c.bytes.isEmpty())
            writeFileBytes(path, c.bytes);
        try {
            const LyricTable t = parseLrcFile(path);
            EXPECT_FALSE(*c.why) << c.file << " must be refused";
            EXPECT_GE(t.size(), 2u) << c.file;
        } catch (const Error &e) {
            EXPECT_TRUE(*c.why) << c.file << ": " << qPrintable(e.message());
            EXPECT_TRUE(e.message().contains(path)) << qPrintable(e.message());
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.why))) << qPrintable(e.message());
        }
    }
}

TEST(LyricStep, FindsTheLineOfTheSecond)
{
    const LyricTable t = parse({QStringLiteral("[00:00.50]太早"), QStringLiteral("[00:03.50]三秒"),
                                QStringLiteral("[0:05.00]一位分钟"), QStringLiteral("[01:02.99]一分二秒")});
    struct Case {
        const char *clock;
        std::optional<QString> expected;
    };
    const std::vector<Case> cases{
        {"00:00", QString()}, // the first row empties the label at 00:00
        {"00:03", QStringLiteral("三秒")}, // hundredths ignored
        {"00:04", std::nullopt}, // no stamp: the label keeps its text
        {"00:05", std::nullopt}, // one-digit minutes never match
        {"01:02", QStringLiteral("一分二秒")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(lyricLineAt(t, QLatin1String(c.clock)), c.expected) << c.clock;
    EXPECT_EQ(lyricLineAt({}, QStringLiteral("00:00")), std::nullopt);
    // Letter case is ignored in the prefix match.
    EXPECT_EQ(lyricLineAt(parse({QStringLiteral("[ti:T]")}), QStringLiteral("TI")), QStringLiteral("T"));
}
