#pragma once
// The three album modes with their preview size, output size and effect
// mode folder. The mode decides the template folders, the effect folders and
// every size of the album.
#include <QSize>
#include <QString>
#include <optional>

namespace lumora {

enum class ModeKind { Portrait, Wide16x9, Wide4x3 };

struct AlbumMode {
    ModeKind kind;
    QString key; // Shu_ping_Moshi, Kuan_ping(16_9)_Moshi, Kuan_ping(4_3)_Moshi
    QString caption; // button caption
    QString labelText; // "当前模式：…"
    QSize preview; // preview frame and player size
    QSize output; // production render size of the album
    QString effectFolder; // wj_x_g_c_l_3 / _1 / _2
    QString paramFolder; // wjj_01, wjj_01_02, wjj_01_03
    QString movieFolder; // wjj_02, wjj_02_02, wjj_02_03
    QString modeMovieFile; // packed mode movie under wj_0_or_3_3
    QString shortName; // "portrait", "16:9", "4:3" (command line)

    bool isPortrait() const { return kind == ModeKind::Portrait; }

    static const AlbumMode &get(ModeKind kind);
    static std::optional<ModeKind> fromKey(const QString &key);
    // Accepts "portrait", "16:9", "4:3" and the mode keys.
    static std::optional<ModeKind> fromName(const QString &name);
};

} // namespace lumora
