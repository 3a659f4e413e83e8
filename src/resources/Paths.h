#pragma once
// Every path of the program folder's tree, built in one place with '/'
// separators. Folder paths end in '/'. The program folder is the folder of
// the executable unless a test or tool points it elsewhere.
#include <QString>

#include "app/AlbumMode.h"

namespace lumora {

class Paths {
public:
    // programFolder: with or without a trailing '/'. Empty: the folder of the running executable.
    explicit Paths(QString programFolder = {});

    const QString &programFolder() const { return m_program; }
    static QString executableFolder();

    QString root() const { return m_program + QStringLiteral("smxcwjj/"); }
    QString scratch() const { return root() + QStringLiteral("wj_0_or_2/wjj_00_j_y/"); }
    // Parameter file n (1-based listing position) while it is being read.
    QString scratchIni(int n) const { return scratch() + QStringLiteral("wjj_00_j_y%1.ini").arg(n); }
    QString templateParamFolder(ModeKind mode) const;
    QString templateMovieFolder(ModeKind mode) const;

    QString startupMoviePacked() const { return root() + QStringLiteral("wj_0_or_2_2/wj_0_or_2_2_d.rar"); }
    QString startupMovieUnpacked() const { return scratch() + QStringLiteral("wj_0_or_2_2_d.swf"); }
    QString modeMoviePacked(ModeKind mode) const;

    QString backgroundFolder() const { return root() + QStringLiteral("wj_0_or_5_5/"); }
    QString backgroundMoviePacked() const { return backgroundFolder() + QStringLiteral("wj_0_or_5_5_d.rar"); }
    QString backgroundMovieCopy(int k) const { return backgroundFolder() + QStringLiteral("wj_0_or_5_5_d_%1.rar").arg(k); }
    QString backgroundWorkBmp() const { return backgroundFolder() + QStringLiteral("wj_y_l_b_j.bmp"); }
    QString backgroundWorkJpg() const { return backgroundFolder() + QStringLiteral("wj_y_l_b_j.jpg"); }

    QString defaultBackgroundFolder() const { return root() + QStringLiteral("wj_0_or_6_6/"); }
    QString defaultBackgroundPacked(ModeKind mode) const;
    QString defaultBackgroundJpg() const { return defaultBackgroundFolder() + QStringLiteral("wj_0_or_6_6.jpg"); }

    QString packFolder() const { return root() + QStringLiteral("wj_0_or_9_9/"); }

    // Effect packages. modeFolder is the effect mode folder (wj_x_g_c_l_1/2/3).
    QString pictureEffectRoot(const QString &modeFolder) const;
    QString pictureEffectFolder(const QString &modeFolder, int k) const;
    QString textEffectRoot(const QString &modeFolder) const;
    QString textEffectCategoryFolder(const QString &modeFolder, int category) const;
    QString textEffectFolder(const QString &modeFolder, int category, int k) const;

    QString stagingRoot() const { return root() + QStringLiteral("wj_y_l/"); }
    QString pictureFolder() const { return root() + QStringLiteral("wj_y_l/wj_y_l/wj_y_l/pic/"); }
    QString handOverPicture() const { return pictureFolder() + QStringLiteral("picture_0.jpg"); }
    QString frameFile() const { return root() + QStringLiteral("wj_y_l/wj_y_l/wj_y_l/wj_y_l.bmp"); }
    QString albumStaging() const { return root() + QStringLiteral("wj_y_l/wj_y_l/wj_y_l/wj_y_l/"); }
    // Template staging folder n (1-based: used-template row n - 1).
    QString templateStaging(int n) const { return albumStaging() + QStringLiteral("wj_y_l_%1/").arg(n); }
    QString stagedTemplateMovie(int n, const QString &extension) const
    {
        return templateStaging(n) + QStringLiteral("wj_y_l_%1").arg(n) + extension;
    }
    QString modeMovieStaging() const { return albumStaging() + QStringLiteral("wj_y_l_z_h/"); }
    QString stagedModeMovie(const QString &extension) const { return modeMovieStaging() + QStringLiteral("wj_y_l_z_h") + extension; }
    QString stagedModeMovieProduction(const QString &extension) const
    {
        return modeMovieStaging() + QStringLiteral("wj_y_l_z_h_2") + extension;
    }
    QString previewStaging() const { return albumStaging() + QStringLiteral("wj_y_l/"); }

    QString wjToWj() const { return m_program + QStringLiteral("wj_to_wj/"); }
    QString sampleFolder() const { return m_program + QStringLiteral("yinyuegeciwenjian/"); }
    QString sampleSong() const { return sampleFolder() + QStringLiteral("甜蜜蜜.mp3"); }
    QString sampleLyrics() const { return sampleFolder() + QStringLiteral("甜蜜蜜.lrc"); }
    // Sample photos of the demo album (JPG, landscape and portrait).
    QString samplePhotoFolder() const { return m_program + QStringLiteral("shilizhaopian/"); }

    // The five working files deleted at start-up and at exit.
    QStringList workingFiles() const;

private:
    QString m_program;
};

// Appends '/' when missing.
QString withSlash(const QString &folder);

} // namespace lumora
