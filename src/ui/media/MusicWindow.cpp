#include "media/MusicWindow.h"

#include <QEventLoop>
#include <QFile>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTreeWidget>
#include <QtConcurrent>

#include "app/DialogService.h"
#include "app/FileFolders.h"
#include "app/FlagWords.h"
#include "media/MusicList.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {
const char *const kNoMusic = QT_TRANSLATE_NOOP("lumora::ui::MusicWindow", "没有添加音乐文件！");
const char *const kTitle = QT_TRANSLATE_NOOP("lumora::ui::MusicWindow", "删除音乐");
} // namespace

void addSongsWithProgress(AlbumSession &session, DialogService &dialogs, const QStringList &paths, QWidget *parent)
{
    QProgressDialog progress(MusicWindow::tr("正在添加音乐……"), QString(), 0, int(paths.size()), parent);
    progress.setObjectName(QStringLiteral("TForm13"));
    progress.setWindowTitle(MusicWindow::tr("添加音乐"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();
    // The worker decodes and measures the songs; the rows are appended here,
    // on the thread that owns the album, once it is done.
    QFutureWatcher<MeasuredSongs> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcher<MeasuredSongs>::finished, &loop, &QEventLoop::quit);
    QPointer<QProgressDialog> bar(&progress);
    watcher.setFuture(QtConcurrent::run([paths, bar] {
        return AlbumSession::measureSongs(paths, [bar](int done, int) {
            QMetaObject::invokeMethod(
                qApp,
                [bar, done] {
                    if (bar)
                        bar->setValue(done);
                },
                Qt::QueuedConnection);
        });
    }));
    loop.exec();
    progress.close();
    const MediaAddReport report = session.applySongs(watcher.result());
    QStringList lines = report.notices;
    for (const RefusedFile &f : report.refused)
        lines << f.reason;
    if (!lines.isEmpty())
        dialogs.notice(parent, lines.join(QLatin1Char('\n')));
}

MusicWindow::MusicWindow(AlbumSession &session, DialogService &dialogs,
                         std::function<void(const QString &, int)> openPreview, QWidget *parent)
    : MediaListWindow(session, dialogs, parent), m_openPreview(std::move(openPreview))
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(tr("添加音乐"));
    build({tr("序号"), tr("音乐名称"), tr("格式"), tr("音乐时长"), tr("位置")},
          [this]() -> const RowTable & { return m_session.album().ListView_daoru_yinyue; },
          {{QStringLiteral("Edit_xuhao"), tr("序号")},
           {QStringLiteral("Edit_mingcheng"), tr("音乐名称")},
           {QStringLiteral("Edit_geshi"), tr("格式")},
           {QStringLiteral("Edit_shichang"), tr("音乐时长")},
           {QStringLiteral("Edit_weizhi"), tr("位置")}},
          {-1, 0, 1, 2, 3});
    list()->setObjectName(QStringLiteral("ListView_daoru_yinyue"));
    addButton(QStringLiteral("Button_tianjia_yinyue"), tr("添加音乐"), [this] { addSongs(); });
    addButton(QStringLiteral("Button_shanchu_yinyue"), tr("删除音乐"), [this] { deleteSelected(); });
    addButton(QStringLiteral("Button_quanbu_shanchu"), tr("全部删除"), [this] { deleteAll(); });
    addButton(QStringLiteral("Button_yinyue_yulan"), tr("音乐预览"), [this] { preview(); });
    addButton(QStringLiteral("Button_fanhui"), tr("返回"), [this] { accept(); });
    refresh();
}

void MusicWindow::addSongs()
{
    // The dialog starts where the person last took songs (else the home's
    // Music folder), not in the program's own sample folder.
    m_session.album().cells.setText(cell::kYinyueDakai1ci, QStringLiteral("1"));
    const QStringList files
        = m_dialogs.openFiles(this, tr("添加音乐"), startFolder(FileKind::Song), tr("添加音乐文件(MP3) (*.mp3 *.MP3)"));
    if (files.isEmpty())
        return;
    rememberFolder(FileKind::Song, files.first());
    addSongsWithProgress(m_session, m_dialogs, files, this);
    refresh();
}

void MusicWindow::addDroppedFiles(const QStringList &paths)
{
    const QStringList files = filesOfKind(paths, QStringLiteral(".mp3"));
    if (files.isEmpty())
        return;
    addSongsWithProgress(m_session, m_dialogs, files, this);
    refresh();
}

void MusicWindow::deleteSelected()
{
    Album &album = m_session.album();
    if (album.ListView_daoru_yinyue.empty()) {
        m_dialogs.notice(this, tr(kNoMusic));
        return;
    }
    // Nothing selected is said before the question, not after it.
    const int row = selectedRow();
    if (row < 0) {
        m_dialogs.notice(this, tr("没有选中音乐文件！"));
        return;
    }
    if (!m_dialogs.confirm(this, tr(kTitle), tr("是否确定要删除当前选中的音乐文件?")))
        return;
    music::deleteSong(album, row);
    refresh();
    // The next song is selected: 删除音乐 again deletes it.
    selectRow(row);
    showDone(tr("选中的音乐文件已经删除！"));
}

void MusicWindow::deleteAll()
{
    Album &album = m_session.album();
    if (album.ListView_daoru_yinyue.empty()) {
        m_dialogs.notice(this, tr(kNoMusic));
        return;
    }
    if (!m_dialogs.confirm(this, tr(kTitle), tr("是否确定要删除全部音乐文件?")))
        return;
    music::deleteAllSongs(album);
    refresh();
    showDone(tr("音乐文件已经全部删除！"));
}

void MusicWindow::preview()
{
    if (m_session.album().ListView_daoru_yinyue.empty()) {
        m_dialogs.notice(this, tr(kNoMusic));
        return;
    }
    if (m_openPreview)
        m_openPreview(QStringLiteral("bofangyingyue"), selectedRow());
}

} // namespace lumora::ui
