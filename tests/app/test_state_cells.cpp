#include <gtest/gtest.h>

#include "app/ClockText.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "app/StateCells.h"

using namespace lumora;

TEST(ClockText, FormatsWholeSecondsAndFrames)
{
    struct Case {
        long long seconds;
        const char *hms;
        const char *ms;
    };
    for (const Case &c :
         {Case{0, "00:00:00", "00:00"}, Case{9, "00:00:09", "00:09"}, Case{3599, "00:59:59", "59:59"},
          Case{3600, "01:00:00", "00:00"}, Case{7322, "02:02:02", "02:02"}, Case{360000, "100:00:00", "00:00"}}) {
        EXPECT_EQ(clockTextHMS(c.seconds), QString::fromLatin1(c.hms)) << c.seconds;
        EXPECT_EQ(clockTextMS(c.seconds), QString::fromLatin1(c.ms)) << c.seconds;
        EXPECT_EQ(parseClockText(clockTextHMS(c.seconds)), c.seconds);
    }
    EXPECT_EQ(clockTextHMS(frameSeconds(37)), "00:00:01");
    EXPECT_EQ(clockTextHMS(frameSeconds(24)), "00:00:00");
    EXPECT_EQ(frameSeconds(25), 1);
    EXPECT_EQ(parseClockText(QStringLiteral("01:30")), 90);
    EXPECT_EQ(parseClockText(QStringLiteral("1:x:3")), -1);
}

TEST(StateCells, InitialTextsCountersAndNotification)
{
    StateCells cells;
    EXPECT_EQ(cells.text(cell::kTuichu), flag::kStopped);
    EXPECT_EQ(cells.text(cell::kZongLeijiaZhen), cell::kMobanZhenLeijia);
    EXPECT_EQ(cells.text(cell::kKuozhanming1), ".rar");
    EXPECT_EQ(cells.text(cell::kHangshu), flag::kNone);
    EXPECT_EQ(cells.text(cell::kShockwaveFlashBofang), "1");
    EXPECT_EQ(cells.text(cell::kZhizuoKaishi), "Edit_zhizuo_zhuan_zhizuo");
    EXPECT_EQ(StateCells::cellNames().size(), 30);

    // Placeholder texts are not numbers: reading one as a number is a programming error.
    EXPECT_THROW(cells.toInt(cell::kMobanZhenLeijia), Error);
    EXPECT_THROW(cells.text(QStringLiteral("Edit_no_such_cell")), Error);

    QStringList seen;
    cells.setTotalFrameChanged([&](const QString &v) { seen << v; });
    cells.setInt(cell::kZongLeijiaZhen, 0);
    EXPECT_EQ(cells.raise(cell::kZongLeijiaZhen), 1);
    cells.setInt(cell::kMobanZhenLeijia, -1);
    EXPECT_EQ(cells.raise(cell::kMobanZhenLeijia), 0);
    EXPECT_EQ(seen, (QStringList{"0", "1"})); // only the total frame counter notifies
}

TEST(StateCells, PlayingGuard)
{
    StateCells cells;
    EXPECT_TRUE(cells.playingGuard().isEmpty());
    cells.setText(cell::kTuichu, flag::kPlaying);
    EXPECT_EQ(cells.playingGuard(), QStringLiteral("正在播放相册,点停止按钮后,再操作！"));
    cells.setText(cell::kTuichu, flag::kStopped); // a preview that ended by itself
    EXPECT_TRUE(cells.playingGuard().isEmpty());
}
