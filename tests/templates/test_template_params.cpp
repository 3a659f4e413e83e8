#include <gtest/gtest.h>

#include "templates/IniFile.h"
#include "templates/TemplateParams.h"
#include "templates/TextCodec.h"

using namespace lumora;

TEST(BarList, Tokens)
{
    struct Case {
        const char *text;
        QStringList tokens;
    };
    const Case cases[] = {
        {"|heng|", {"heng"}},
        {"heng", {}},
        {"|heng", {}},
        {"|heng||shu|", {"heng", "", "shu"}},
        {"x|a|b|y", {"a", "b"}},
        {"", {}},
        {"|800|337|", {"800", "337"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(splitBarList(QString::fromUtf8(c.text)), c.tokens) << c.text;
    EXPECT_EQ(joinBarList({"a", "", "b"}), "|a||b|");
}

TEST(BarList, PhotoSlots)
{
    EXPECT_TRUE(isPhotoSlotName(QStringLiteral("pic_1")));
    EXPECT_FALSE(isPhotoSlotName(QStringLiteral("pic1")));
    EXPECT_FALSE(isPhotoSlotName(QStringLiteral("pic_1_a")));
    EXPECT_EQ(photoSlotIndices({"pic_1", "logo", "pic_2", "a_b_c"}), (std::vector<int>{0, 2}));
}

TEST(IniFile, GbkCaseInsensitiveCrlfAndCaps)
{
    const QString text
        = QStringLiteral(
              "[L_X_Q_K_T_P_W_J_S_Y]\r\nL_X_Q_K_T_P_W_J_S_Y=q_k_t_p_s_y_l_x\r\nl_x_q_k_t_p_w_j_s_y_m_c=浪漫时光\r\n"
              "[1]\nMBDX = 250\nszhz=|heng|shu|\nmbdx=999\nlong=%1\n")
              .arg(QString(3000, u'x'));
    const IniFile ini = IniFile::fromBytes(encodeGbk(text));
    const TemplateParams p = TemplateParams::read(ini);
    EXPECT_TRUE(p.markerOk());
    EXPECT_EQ(p.name, QStringLiteral("浪漫时光"));
    EXPECT_EQ(p.mbdx, "250"); // first occurrence wins, key case ignored
    EXPECT_EQ(p.szhz, "|heng|shu|");
    EXPECT_EQ(p.wxcs01, ""); // missing key reads empty
    EXPECT_EQ(ini.value(QStringLiteral("1"), QStringLiteral("long")).size(), IniFile::kMaxValueLength);
}

TEST(IniFile, MarkerWithoutSectionOneGivesEmptyValues)
{
    const TemplateParams p = TemplateParams::read(
        IniFile::parse(QStringLiteral("[l_x_q_k_t_p_w_j_s_y]\nl_x_q_k_t_p_w_j_s_y=q_k_t_p_s_y_l_x\n")));
    EXPECT_TRUE(p.markerOk());
    for (const QString &v : p.catalogueValues())
        EXPECT_TRUE(v.isEmpty());
}

TEST(IniFile, BomBinaryJunkAndBrokenGbkAreReadAsFarAsPossible)
{
    // UTF-8 with a byte-order mark.
    const QByteArray bom = QByteArray("\xEF\xBB\xBF") + QStringLiteral("[1]\nmblx=单张\n").toUtf8();
    EXPECT_EQ(IniFile::fromBytes(bom).value(QStringLiteral("1"), QStringLiteral("mblx")), QStringLiteral("单张"));
    // Invalid GBK bytes and NULs in the middle: later keys still read.
    static const char raw[] = "[1]\nmblx=\x81\xff\x00\x01zz\nmbdx=100\n";
    const QByteArray junk(raw, sizeof raw - 1);
    const IniFile ini = IniFile::fromBytes(junk);
    EXPECT_EQ(ini.value(QStringLiteral("1"), QStringLiteral("mbdx")), "100");
    // Random bytes never crash.
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise.append(char((i * 7919) % 251));
    IniFile::fromBytes(noise);
    // The parameter file text the authoring tool writes reads back as itself.
    TemplateParams t;
    t.marker = kPackageMarker;
    t.mblx = QStringLiteral("单张横照");
    t.xpkd = QStringLiteral("|800|");
    t.mbdx = QStringLiteral("200");
    t.wxcs04 = QStringLiteral("|10|80|");
    const TemplateParams back = TemplateParams::read(IniFile::fromBytes(encodeGbk(t.toIniText())));
    EXPECT_EQ(back.catalogueValues(), t.catalogueValues());
}
