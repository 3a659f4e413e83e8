#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <zlib.h>

#include "app/Error.h"
#include "resources/FileSizeLimit.h"
#include "resources/PackedFile.h"

using namespace lumora;

namespace {
QByteArray layer(qint32 length, const QByteArray &stream)
{
    QByteArray h(4, 0);
    for (int i = 0; i < 4; ++i)
        h[i] = char((quint32(length) >> (8 * i)) & 0xff);
    return h + stream;
}
QByteArray zlibOf(const QByteArray &data)
{
    return qCompress(data).mid(4); // qCompress prefixes its own 4-byte big-endian length
}
} // namespace

TEST(PackedFile, RoundTripsAtEveryDepthAndKeepsEmptyFiles)
{
    const QByteArray content = QByteArray("[1]\r\nmbdx=100\r\n").repeated(50);
    for (int depth : {1, 3, 6, 13, 16, 20})
        EXPECT_EQ(packed::unpackData(packed::pack(content, depth), depth, QStringLiteral("t")), content) << depth;
    EXPECT_EQ(packed::unpackData(QByteArray(), 20, QStringLiteral("empty")), QByteArray());
}

TEST(PackedFile, YieldsExactlyLBytesWhateverFollowsTheStream)
{
    const QByteArray content("hello packed world");
    const QByteArray data = layer(qint32(content.size()), zlibOf(content) + QByteArray("trailing junk"));
    EXPECT_EQ(packed::removeLayer(data, QStringLiteral("t")), content);
}

TEST(PackedFile, DamagedLayersAreRefusedWithTheFileName)
{
    const QByteArray content = QByteArray("abcdefgh").repeated(1000);
    const QByteArray stream = zlibOf(content);
    struct Case {
        const char *what;
        QByteArray data;
    };
    const Case cases[] = {
        {"negative length", layer(-5, stream)},
        {"giant length", layer(0x7fffffff, stream)},
        {"length too small", layer(qint32(content.size() - 1), stream)},
        {"length too large", layer(qint32(content.size() + 1), stream)},
        {"truncated stream", layer(qint32(content.size()), stream.left(stream.size() / 2))},
        {"not zlib", layer(10, QByteArray("this is not a zlib stream"))},
        {"short header", QByteArray("ab")},
    };
    for (const Case &c : cases) {
        try {
            packed::removeLayer(c.data, QStringLiteral("坏文件.rar"));
            ADD_FAILURE() << c.what << " was accepted";
        } catch (const Error &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("坏文件.rar"))) << c.what;
        }
    }
}

TEST(PackedFile, UnpackToWritesOnlyTheTargetAndTwiceGivesTheSameResult)
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("a.rar"));
    packed::packTo(QByteArray("movie"), 20, src);
    const QString target = dir.filePath(QStringLiteral("out/sub/a.swf"));
    packed::unpackTo(src, 20, target);
    packed::unpackTo(src, 20, target);
    EXPECT_EQ(readFileBytes(target), QByteArray("movie"));
    EXPECT_THROW(packed::unpackTo(dir.filePath(QStringLiteral("missing.rar")), 3, target), Error);
}

// A write the disk cannot take (here: beyond the size this process may
// write, which fails as a full disk does) is refused with the file's name and
// the reason in plain words, and leaves no partial file behind.
TEST(PackedFile, AWriteTheDiskCannotTakeIsRefusedAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("staged/picture.jpg"));
    QString message;
    {
        const test::FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.active());
        try {
            writeFileBytes(path, QByteArray(64 * 1024, 'x'));
        } catch (const Error &e) {
            message = e.message();
        }
    }
    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("文件超出了系统允许的大小"))) << message.toStdString();
    EXPECT_FALSE(QFile::exists(path));
    writeFileBytes(path, QByteArray(64 * 1024, 'x')); // room again: written whole
    EXPECT_EQ(QFile(path).size(), 64 * 1024);
}
