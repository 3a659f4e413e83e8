#include "ui/app/ProjectCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include "app/Error.h"
#include "session/AlbumSession.h"
#include "session/ProjectFile.h"
#include "session/RecoveryFile.h"
#include "ui/app/DialogService.h"
#include "ui/app/FileFolders.h"

namespace lumora::ui {

namespace {
constexpr int kSnapshotIntervalMs = 3000;
const char *const kFilter = QT_TRANSLATE_NOOP("lumora::ui::ProjectCommands", "相册文件 (*.lumora)");
} // namespace

ProjectCommands::ProjectCommands(AlbumSession &session, DialogService &dialogs, QWidget *window,
                                 std::function<void()> afterOpen, const QString &recoveryFolder)
    : QObject(window), m_session(session), m_dialogs(dialogs), m_window(window), m_afterOpen(std::move(afterOpen)),
      m_recoveryFolder(recoveryFolder)
{
    if (!recoveryFolder.isEmpty()) {
        m_recovery = std::make_unique<RecoveryFile>(recoveryFolder);
        m_timer.setInterval(kSnapshotIntervalMs);
        connect(&m_timer, &QTimer::timeout, this, &ProjectCommands::snapshotNow);
        m_timer.start();
    }
}

ProjectCommands::~ProjectCommands() = default;

void ProjectCommands::snapshotNow()
{
    // Only an album holding work is worth recovering (an emptied album
    // leaves no file to offer); the copy is cheap and the writer skips it
    // when nothing changed.
    if (!m_recovery)
        return;
    if (albumHoldsWork(m_session.album())) {
        m_recovery->submit(captureProject(m_session));
        m_recoveryHoldsWork = true;
    } else if (m_recoveryHoldsWork) {
        m_recovery->discard();
        m_recoveryHoldsWork = false;
    }
}

void ProjectCommands::cleanExit()
{
    m_timer.stop();
    if (m_recovery && !m_keepRecovery)
        m_recovery->discard();
}

bool ProjectCommands::hasUnsavedWork() const
{
    const Album &album = m_session.album();
    if (!album.modeChosen
        || (album.ListView_daoru_zhaopian.empty() && album.ListView_daoru_yinyue.empty()
            && album.ListView_daoru_LRC.empty()))
        return false;
    return serializeProject(captureProject(m_session), {}) != m_savedDocument;
}

void ProjectCommands::endKeepingUnsavedWork()
{
    m_timer.stop();
    if (!m_recovery)
        return;
    if (hasUnsavedWork()) {
        writeRecoveryNow();
        m_keepRecovery = true;
    } else {
        m_recovery->discard();
    }
}

void ProjectCommands::writeRecoveryNow()
{
    if (!m_recovery || !m_session.album().modeChosen)
        return;
    m_recovery->submit(captureProject(m_session));
    m_recovery->flush();
}

QString ProjectCommands::save()
{
    if (!m_session.album().modeChosen || m_session.album().ListView_daoru_zhaopian.empty()) {
        m_dialogs.notice(m_window, tr("没有添加照片文件！"));
        return {};
    }
    QString path = m_dialogs.saveFile(m_window, tr("保存相册"), suggestedPath(), tr(kFilter));
    if (path.isEmpty())
        return {};
    if (!path.endsWith(kProjectExtension, Qt::CaseInsensitive))
        path += kProjectExtension;
    try {
        saveProject(m_session, path);
    } catch (const Error &e) {
        m_dialogs.notice(m_window, e.message());
        return {};
    }
    rememberFolder(FileKind::Album, path);
    m_lastName = QFileInfo(path).completeBaseName();
    markSaved();
    m_dialogs.notice(m_window, tr("相册已经保存！"));
    return path;
}

QString ProjectCommands::suggestedPath() const
{
    QString name = m_session.output().albumName.trimmed();
    if (name.isEmpty())
        name = m_lastName;
    if (name.isEmpty())
        name = tr("我的相册");
    return QDir(startFolder(FileKind::Album)).filePath(name + kProjectExtension);
}

void ProjectCommands::markSaved()
{
    m_savedDocument = serializeProject(captureProject(m_session), {});
}

bool ProjectCommands::settleUnsavedChanges(const QString &title)
{
    if (!hasUnsavedWork())
        return true;
    const int answer = m_dialogs.choose(m_window, title, tr("当前相册有还没有保存的修改,是否先保存相册?"),
                                        {tr("保存"), tr("不保存"), tr("取消")});
    if (answer == 0)
        return !save().isEmpty();
    return answer == 1;
}

bool ProjectCommands::open()
{
    if (!settleUnsavedChanges(tr("打开相册")))
        return false;
    const QString path = m_dialogs.openFile(m_window, tr("打开相册"), startFolder(FileKind::Album), tr(kFilter));
    if (path.isEmpty())
        return false;
    rememberFolder(FileKind::Album, path);
    m_lastName = QFileInfo(path).completeBaseName();
    return openPath(path);
}

bool ProjectCommands::openPath(const QString &path)
{
    try {
        ProjectOpenReport r = openProject(m_session, path);
        if (!r.loaded && !r.missing.isEmpty()) {
            const QString question
                = missingFilesNotice(r.missing) + tr("\n是否仍然打开相册?(找不到的照片、音乐和歌词不再使用)");
            if (!m_dialogs.confirm(m_window, tr("打开相册"), question))
                return false;
            r = openProject(m_session, path, MissingFiles::LoadWithout);
        }
        if (!r.loaded)
            return false;
    } catch (const Error &e) {
        m_dialogs.notice(m_window, e.message());
        return false;
    }
    markSaved();
    if (m_afterOpen)
        m_afterOpen();
    snapshotNow();
    return true;
}

bool ProjectCommands::offerRecovery()
{
    if (m_recoveryFolder.isEmpty())
        return false;
    const QStringList left = RecoveryFile::leftBehind(m_recoveryFolder);
    if (left.isEmpty())
        return false;
    bool restored = false;
    if (m_dialogs.confirm(m_window, tr("恢复相册"), tr("程序上次没有正常退出,是否恢复上次编辑的相册?")))
        restored = openPath(left.first());
    if (restored)
        m_savedDocument.clear(); // restored work is in no project file yet
    // Offered once: the files of crashed runs are not asked about again.
    for (const QString &f : left)
        QFile::remove(f);
    return restored;
}

} // namespace lumora::ui
