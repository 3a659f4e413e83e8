#pragma once
// Every path of the program folder's tree, built in one place with '/'
// separators. Folder paths end in '/'. The program folder is the folder of
// the executable unless a test or tool points it elsewhere.
//
// Two roots with the same relative layout: the resource tree under the
// program folder is only read; everything the program writes while it works
// (scratch, staging, hand-over picture, frame file, unpacked backgrounds)
// goes under the working folder, which is this process's own working root
// (WorkRoot.h) or, when none is given, the program folder itself.
#include <QString>

#include "app/AlbumMode.h"

namespace lumora {

class Paths {
public:
    // programFolder: with or without a trailing '/'. Empty: resourceFolder().
    // workFolder: with or without a trailing '/'. Empty: the program folder.
    explicit Paths(QString programFolder = {}, QString workFolder = {});

    const QString &programFolder() const { return m_program; }
    const QString &workFolder() const { return m_work; }
    static QString executableFolder();
    // Where the resource tree of the running program lies: the executable's
    // folder when the tree sits beside it (the build layout), else the
    // installed data folder <prefix>/share/lumora/ when that holds the tree
    // (the executable in <prefix>/bin/); the executable's folder when neither
    // holds it.
    static QString resourceFolder();
    // The same choice for an executable in `exeFolder`.
    static QString resourceFolderFor(const QString &exeFolder);

    // The resource tree (read only).
    QString root() const { return m_program + QStringLiteral("smxcwjj/"); }
    // The same tree under the working folder: what the program writes.
    QString workRoot() const { return m_work + QStringLiteral("smxcwjj/"); }
    QString scratch() const { return workRoot() + QStringLiteral("wj_0_or_2/wjj_00_j_y/"); }
    // Parameter file n (1-based listing position) while it is being read.
    QString scratchIni(int n) const { return scratch() + QStringLiteral("wjj_00_j_y%1.ini").arg(n); }
    QString templateParamFolder(ModeKind mode) const;
    QString templateMovieFolder(ModeKind mode) const;

    QString startupMoviePacked() const { return root() + QStringLiteral("wj_0_or_2_2/wj_0_or_2_2_d.rar"); }
    QString startupMovieUnpacked() const { return scratch() + QStringLiteral("wj_0_or_2_2_d.swf"); }
    QString modeMoviePacked(ModeKind mode) const;

    QString backgroundFolder() const { return root() + QStringLiteral("wj_0_or_5_5/"); }
    QString backgroundMoviePacked() const { return backgroundFolder() + QStringLiteral("wj_0_or_5_5_d.rar"); }
    QString backgroundWorkFolder() const { return workRoot() + QStringLiteral("wj_0_or_5_5/"); }
    QString backgroundMovieCopy(int k) const
    {
        return backgroundWorkFolder() + QStringLiteral("wj_0_or_5_5_d_%1.rar").arg(k);
    }
    QString backgroundWorkBmp() const { return backgroundWorkFolder() + QStringLiteral("wj_y_l_b_j.bmp"); }
    QString backgroundWorkJpg() const { return backgroundWorkFolder() + QStringLiteral("wj_y_l_b_j.jpg"); }

    QString defaultBackgroundFolder() const { return root() + QStringLiteral("wj_0_or_6_6/"); }
    QString defaultBackgroundPacked(ModeKind mode) const;
    QString defaultBackgroundJpg() const { return workRoot() + QStringLiteral("wj_0_or_6_6/wj_0_or_6_6.jpg"); }

    QString packFolder() const { return root() + QStringLiteral("wj_0_or_9_9/"); }

    // Effect packages. modeFolder is the effect mode folder (wj_x_g_c_l_1/2/3).
    QString pictureEffectRoot(const QString &modeFolder) const;
    QString pictureEffectFolder(const QString &modeFolder, int k) const;
    QString textEffectRoot(const QString &modeFolder) const;
    QString textEffectCategoryFolder(const QString &modeFolder, int category) const;
    QString textEffectFolder(const QString &modeFolder, int category, int k) const;

    QString stagingRoot() const { return workRoot() + QStringLiteral("wj_y_l/"); }
    QString pictureFolder() const { return workRoot() + QStringLiteral("wj_y_l/wj_y_l/wj_y_l/pic/"); }
    QString handOverPicture() const { return pictureFolder() + QStringLiteral("picture_0.jpg"); }
    QString frameFile() const { return workRoot() + QStringLiteral("wj_y_l/wj_y_l/wj_y_l/wj_y_l.bmp"); }
    QString albumStaging() const { return workRoot() + QStringLiteral("wj_y_l/wj_y_l/wj_y_l/wj_y_l/"); }
    // Template staging folder n (1-based: used-template row n - 1).
    QString templateStaging(int n) const { return albumStaging() + QStringLiteral("wj_y_l_%1/").arg(n); }
    QString stagedTemplateMovie(int n, const QString &extension) const
    {
        return templateStaging(n) + QStringLiteral("wj_y_l_%1").arg(n) + extension;
    }
    QString modeMovieStaging() const { return albumStaging() + QStringLiteral("wj_y_l_z_h/"); }
    QString stagedModeMovie(const QString &extension) const
    {
        return modeMovieStaging() + QStringLiteral("wj_y_l_z_h") + extension;
    }
    QString stagedModeMovieProduction(const QString &extension) const
    {
        return modeMovieStaging() + QStringLiteral("wj_y_l_z_h_2") + extension;
    }
    QString previewStaging() const { return albumStaging() + QStringLiteral("wj_y_l/"); }

    QString wjToWj() const { return m_work + QStringLiteral("wj_to_wj/"); }
    QString sampleFolder() const { return m_program + QStringLiteral("yinyuegeciwenjian/"); }
    QString sampleSong() const { return sampleFolder() + QStringLiteral("甜蜜蜜.mp3"); }
    QString sampleLyrics() const { return sampleFolder() + QStringLiteral("甜蜜蜜.lrc"); }
    // Sample photos of the demo album (JPG, landscape and portrait).
    QString samplePhotoFolder() const { return m_program + QStringLiteral("shilizhaopian/"); }

    // The five working files deleted at start-up and at exit.
    QStringList workingFiles() const;

private:
    QString m_program;
    QString m_work;
};

// Appends '/' when missing.
QString withSlash(const QString &folder);

} // namespace lumora
