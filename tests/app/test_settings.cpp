#include <gtest/gtest.h>

#include "app/AlbumMode.h"
#include "app/Settings.h"

using namespace lumora;

TEST(Settings, RestoreDefaultsKeepsEffectsAndCombinationsButAlbumResetClearsAll)
{
    Settings s;
    s.hengzhaopianQuanping = false;
    s.zhujiemianHengQuanpin = false;
    s.wenzitexiaoTianjia = false;
    s.huamiantexiaoTianjia = true;
    s.mobanZuheShiyong = true;
    s.restoreDefaults();
    EXPECT_TRUE(s.hengzhaopianQuanping);
    EXPECT_TRUE(s.zhujiemianHengQuanpin);
    EXPECT_TRUE(s.wenzitexiaoTianjia);
    EXPECT_TRUE(s.huamiantexiaoTianjia);
    EXPECT_TRUE(s.mobanZuheShiyong);
    s.resetForAlbum();
    EXPECT_EQ(s, Settings());
    EXPECT_FALSE(s.huamiantexiaoTianjia);
    EXPECT_FALSE(s.mobanZuheShiyong);
}

TEST(AlbumMode, TableOfModes)
{
    const AlbumMode &p = AlbumMode::get(ModeKind::Portrait);
    EXPECT_EQ(p.preview, QSize(250, 445));
    EXPECT_EQ(p.output, QSize(1080, 1920));
    EXPECT_EQ(p.effectFolder, "wj_x_g_c_l_3");
    EXPECT_EQ(AlbumMode::get(ModeKind::Wide4x3).output, QSize(1347, 1080));
    EXPECT_EQ(AlbumMode::fromKey(QStringLiteral("Kuan_ping(16_9)_Moshi")), ModeKind::Wide16x9);
    EXPECT_EQ(AlbumMode::fromName(QStringLiteral("4:3")), ModeKind::Wide4x3);
    EXPECT_FALSE(AlbumMode::fromKey(QString()).has_value());
}
