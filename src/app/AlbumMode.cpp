#include "AlbumMode.h"

#include <QCoreApplication>

namespace lumora {

const AlbumMode &AlbumMode::get(ModeKind kind)
{
    static const AlbumMode modes[] = {
        {ModeKind::Portrait, QStringLiteral("Shu_ping_Moshi"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::AlbumMode", "竖屏模式（手机屏幕）")),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::AlbumMode", "当前模式：竖屏相册模式")), QSize(250, 445),
         QSize(1080, 1920), QStringLiteral("wj_x_g_c_l_3"), QStringLiteral("wjj_01"), QStringLiteral("wjj_02"),
         QStringLiteral("wj_0_or_3_3_d_(sp).rar"), QStringLiteral("portrait")},
        {ModeKind::Wide16x9, QStringLiteral("Kuan_ping(16_9)_Moshi"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::AlbumMode", "宽屏模式（16:9）")),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::AlbumMode", "当前模式：宽屏16:9相册模式")), QSize(800, 450),
         QSize(1920, 1080), QStringLiteral("wj_x_g_c_l_1"), QStringLiteral("wjj_01_02"), QStringLiteral("wjj_02_02"),
         QStringLiteral("wj_0_or_3_3_d.rar"), QStringLiteral("16:9")},
        {ModeKind::Wide4x3, QStringLiteral("Kuan_ping(4_3)_Moshi"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::AlbumMode", "宽屏模式（4:3）")),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::AlbumMode", "当前模式：宽屏4:3相册模式")), QSize(530, 425),
         QSize(1347, 1080), QStringLiteral("wj_x_g_c_l_2"), QStringLiteral("wjj_01_03"), QStringLiteral("wjj_02_03"),
         QStringLiteral("wj_0_or_3_3_d_(4_3).rar"), QStringLiteral("4:3")},
    };
    return modes[int(kind)];
}

std::optional<ModeKind> AlbumMode::fromKey(const QString &key)
{
    for (ModeKind k : {ModeKind::Portrait, ModeKind::Wide16x9, ModeKind::Wide4x3})
        if (get(k).key == key)
            return k;
    return std::nullopt;
}

std::optional<ModeKind> AlbumMode::fromName(const QString &name)
{
    for (ModeKind k : {ModeKind::Portrait, ModeKind::Wide16x9, ModeKind::Wide4x3})
        if (get(k).shortName.compare(name, Qt::CaseInsensitive) == 0 || get(k).key == name)
            return k;
    return std::nullopt;
}

} // namespace lumora
