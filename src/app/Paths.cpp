#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace lumora {

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

Paths::Paths(QString programFolder, QString workFolder)
    : m_program(withSlash(programFolder.isEmpty() ? resourceFolder() : programFolder)),
      m_work(workFolder.isEmpty() ? m_program : withSlash(workFolder))
{
}

QString Paths::executableFolder()
{
    return withSlash(QCoreApplication::applicationDirPath());
}

QString Paths::resourceFolder()
{
    return resourceFolderFor(executableFolder());
}

QString Paths::resourceFolderFor(const QString &exeFolder)
{
    const QString beside = withSlash(exeFolder);
    if (QFileInfo(beside + QStringLiteral("smxcwjj")).isDir())
        return beside;
    const QString installed = QDir::cleanPath(beside + QStringLiteral("../share/lumora")) + QLatin1Char('/');
    if (QFileInfo(installed + QStringLiteral("smxcwjj")).isDir())
        return installed;
    return beside;
}

QString Paths::templateParamFolder(ModeKind mode) const
{
    return root() + QStringLiteral("wj_0_or_2/") + AlbumMode::get(mode).paramFolder + u'/';
}

QString Paths::templateMovieFolder(ModeKind mode) const
{
    return root() + QStringLiteral("wj_0_or_2/") + AlbumMode::get(mode).movieFolder + u'/';
}

QString Paths::modeMoviePacked(ModeKind mode) const
{
    return root() + QStringLiteral("wj_0_or_3_3/") + AlbumMode::get(mode).modeMovieFile;
}

QString Paths::defaultBackgroundPacked(ModeKind mode) const
{
    return defaultBackgroundFolder()
        + (mode == ModeKind::Portrait ? QStringLiteral("wj_0_or_6_6_shu.rar") : QStringLiteral("wj_0_or_6_6.rar"));
}

QString Paths::pictureEffectRoot(const QString &modeFolder) const
{
    return root() + QStringLiteral("wj_x_g_c_l_1/") + modeFolder + QStringLiteral("/wj_x_g_c_l_1/wj_x_g_c_l_0/");
}

QString Paths::pictureEffectFolder(const QString &modeFolder, int k) const
{
    return pictureEffectRoot(modeFolder) + QStringLiteral("wj_x_g_c_l_%1/").arg(k);
}

QString Paths::textEffectRoot(const QString &modeFolder) const
{
    return root() + QStringLiteral("wj_x_g_c_l_2/") + modeFolder + QStringLiteral("/wj_x_g_c_l_1/wj_x_g_c_l_0/");
}

QString Paths::textEffectCategoryFolder(const QString &modeFolder, int category) const
{
    return textEffectRoot(modeFolder) + QStringLiteral("wj_x_g_c_l_%1/").arg(category);
}

QString Paths::textEffectFolder(const QString &modeFolder, int category, int k) const
{
    return textEffectCategoryFolder(modeFolder, category) + QStringLiteral("wj_x_g_c_l_%1/").arg(k);
}

QStringList Paths::workingFiles() const
{
    return {backgroundMovieCopy(1), backgroundMovieCopy(2), backgroundWorkBmp(), backgroundWorkJpg(),
            defaultBackgroundJpg()};
}

} // namespace lumora
