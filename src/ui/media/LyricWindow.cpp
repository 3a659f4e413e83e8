#include "media/LyricWindow.h"

#include <QFile>
#include <QTreeWidget>

#include "app/DialogService.h"
#include "app/FileFolders.h"
#include "media/MusicList.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {
const char *const kNoLyrics = QT_TRANSLATE_NOOP("lumora::ui::LyricWindow", "没有添加歌词文件！");
const char *const kTitle = QT_TRANSLATE_NOOP("lumora::ui::LyricWindow", "删除歌词");
} // namespace

LyricWindow::LyricWindow(AlbumSession &session, DialogService &dialogs,
                         std::function<void(const QString &, int)> openPreview, std::function<void(int)> openSettings,
                         QWidget *parent)
    : MediaListWindow(session, dialogs, parent), m_openPreview(std::move(openPreview)),
      m_openSettings(std::move(openSettings))
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(tr("添加歌词"));
    build({tr("序号"), tr("歌词名称"), tr("类型"), tr("位置")},
          [this]() -> const RowTable & { return m_session.album().ListView_daoru_LRC; },
          {{QStringLiteral("Edit_xuhao"), tr("序号")},
           {QStringLiteral("Edit_mingcheng"), tr("歌词名称")},
           {QStringLiteral("Edit_geshi"), tr("类型")},
           {QStringLiteral("Edit_weizhi"), tr("位置")}},
          {-1, 0, 1, 2});
    list()->setObjectName(QStringLiteral("ListView_daoru_LRC"));
    addButton(QStringLiteral("Button_tianjia_geci"), tr("添加歌词"), [this] { addLyrics(); });
    addButton(QStringLiteral("Button_shanchu_geci"), tr("删除歌词"), [this] { deleteSelected(); });
    addButton(QStringLiteral("Button_quanbu_shanchu"), tr("全部删除"), [this] { deleteAll(); });
    addButton(QStringLiteral("Button_geci_yulan"), tr("歌词预览"), [this] { preview(); });
    addButton(QStringLiteral("Button_shezhi_geci"), tr("设置歌词"), [this] { settings(); });
    addButton(QStringLiteral("Button_fanhui"), tr("返回"), [this] { accept(); });
    refresh();
}

void LyricWindow::addLyrics()
{
    // The dialog starts where the person last took lyric files (else the
    // home's Music folder), not in the program's own sample folder.
    m_session.album().cells.setText(cell::kGeciDakai1ci, QStringLiteral("1"));
    const QStringList files = m_dialogs.openFiles(this, tr("添加歌词"), startFolder(FileKind::Lyric),
                                                  tr("添加歌词文件(LRC) (*.lrc *.LRC)"));
    if (files.isEmpty())
        return;
    rememberFolder(FileKind::Lyric, files.first());
    addLyricFiles(files);
}

void LyricWindow::addDroppedFiles(const QStringList &paths)
{
    const QStringList files = filesOfKind(paths, QStringLiteral(".lrc"));
    if (!files.isEmpty())
        addLyricFiles(files);
}

void LyricWindow::addLyricFiles(const QStringList &files)
{
    // Lyric files are a few kilobytes each: parsing them is quick.
    const MediaAddReport report = m_session.addLyricFiles(files);
    refresh();
    QStringList lines = report.notices;
    for (const RefusedFile &f : report.refused)
        lines << f.reason;
    if (!lines.isEmpty())
        m_dialogs.notice(this, lines.join(QLatin1Char('\n')));
}

void LyricWindow::deleteSelected()
{
    Album &album = m_session.album();
    if (album.ListView_daoru_LRC.empty()) {
        m_dialogs.notice(this, tr(kNoLyrics));
        return;
    }
    // Nothing selected is said before the question, not after it.
    const int row = selectedRow();
    if (row < 0) {
        m_dialogs.notice(this, tr("没有选中歌词文件！"));
        return;
    }
    if (!m_dialogs.confirm(this, tr(kTitle), tr("是否确定要删除当前选中的歌词文件?")))
        return;
    music::deleteLyricFile(album, row);
    refresh();
    // The next lyric file is selected: 删除歌词 again deletes it.
    selectRow(row);
    showDone(tr("选中的歌词文件已经删除！"));
}

void LyricWindow::deleteAll()
{
    Album &album = m_session.album();
    if (album.ListView_daoru_LRC.empty()) {
        m_dialogs.notice(this, tr(kNoLyrics));
        return;
    }
    if (!m_dialogs.confirm(this, tr(kTitle), tr("是否确定要删除全部歌词文件?")))
        return;
    music::deleteAllLyricFiles(album);
    refresh();
    showDone(tr("歌词文件已经全部删除！"));
}

void LyricWindow::preview()
{
    if (m_session.album().ListView_daoru_yinyue.empty()) {
        m_dialogs.notice(this, tr("没有添加音乐文件！"));
        return;
    }
    if (m_openPreview)
        m_openPreview(QStringLiteral("bofanggeci"), selectedRow());
}

void LyricWindow::settings()
{
    if (m_session.album().ListView_daoru_LRC.empty()) {
        m_dialogs.notice(this, tr(kNoLyrics));
        return;
    }
    const int row = selectedRow();
    if (row < 0) {
        m_dialogs.notice(this, tr("没有选中歌词文件！"));
        return;
    }
    if (m_openSettings)
        m_openSettings(row);
}

} // namespace lumora::ui
