#include "ProductionStart.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include "AlbumTypeWindow.h"
#include "ProductionWindow.h"
#include "app/DialogService.h"
#include "app/FlagWords.h"
#include "app/Language.h"
#include "app/Paths.h"
#include "app/StateCells.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {

// True when a file can be made in `folder` (permissions alone do not say it:
// a read-only mount, a full quota, an ACL).
bool folderTakesFiles(const QString &folder)
{
    QTemporaryFile probe(withSlash(folder) + QStringLiteral(".lumora-XXXXXX"));
    return probe.open();
}

} // namespace

ProductionStart::ProductionStart(AlbumSession &session, DialogService &dialogs, QWidget *window)
    : QObject(window), m_session(session), m_dialogs(dialogs), m_window(window),
      m_typeWindow(new AlbumTypeWindow(session, dialogs, window))
{
    m_typeWindow->setWindowModality(Qt::WindowModal);
    connect(m_typeWindow, &QDialog::finished, this, &ProductionStart::typeWindowClosed);
}

ProductionWindow *ProductionStart::productionWindow() const
{
    return m_production.data();
}

bool ProductionStart::start(OutputType type)
{
    if (m_busy)
        return false;
    OutputChoice &output = m_session.output();
    if (const QString refusal = productionStartRefusal(m_session.album(), output.sync); !refusal.isEmpty()) {
        m_dialogs.notice(m_window, refusal);
        return false;
    }
    StateCells &cells = m_session.album().cells;
    cells.setText(cell::kXiangceLeixing, outputTypeName(type));
    cells.setText(cell::kZhizuoKaishi, flag::kProducing);
    cells.setText(cell::kXiangceBaocunWeizhi, QString());
    m_busy = true;
    m_typeWindow->prepare(type);
    m_typeWindow->open();
    return true;
}

void ProductionStart::typeWindowClosed()
{
    if (!m_busy)
        return;
    if (m_typeWindow->outcome() != AlbumTypeWindow::kStart) {
        end();
        return;
    }
    const QString previous = m_session.output().folder;
    const QString startFolder = !previous.isEmpty() && QFileInfo(previous).isDir() ? previous : QDir::homePath();
    const QString chosen = m_dialogs.chooseFolder(m_window, shownText("lumora::notice", kFolderTitle), startFolder);
    if (chosen.isEmpty()) {
        end(); // a cancelled browser ends the start silently
        return;
    }
    const QString folder = withSlash(QFileInfo(chosen).absoluteFilePath());
    m_session.album().cells.setText(cell::kXiangceBaocunWeizhi, folder);
    if (!QFileInfo(folder).isDir()) {
        m_dialogs.notice(m_window, tr("保存文件夹不存在：%1").arg(QDir::toNativeSeparators(folder)));
        end();
        return;
    }
    if (!folderTakesFiles(folder)) {
        m_dialogs.notice(m_window,
                         tr("无法在此文件夹中保存相册，请选择其他文件夹：%1").arg(QDir::toNativeSeparators(folder)));
        end();
        return;
    }

    OutputChoice choice = m_session.output();
    choice.type = m_typeWindow->type();
    choice.size = m_typeWindow->chosenSize();
    choice.albumName = m_typeWindow->albumName();
    choice.folder = folder;
    // An album of the same name would be replaced: ask first, so that no
    // finished video is lost to a slip.
    const QString path = choice.outputPath();
    if (QFileInfo::exists(path)
        && !m_dialogs.confirm(m_window, tr("文件已存在"),
                              tr("“%1”已经存在，要替换它吗？").arg(QDir::toNativeSeparators(path)))) {
        end();
        return;
    }
    m_session.output() = choice;
    m_session.album().cells.setText(cell::kMclCaozuoLeixing, flag::kMakeAlbum);
    openProduction(choice);
}

void ProductionStart::openProduction(const OutputChoice &choice)
{
    auto *window = new ProductionWindow(m_session, m_dialogs, choice, m_window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    m_production = window;
    connect(window, &QDialog::finished, this, &ProductionStart::end);
    window->open();
    Q_EMIT productionWindowOpened(window);
}

void ProductionStart::end()
{
    m_busy = false;
    m_production = nullptr;
    Q_EMIT finished();
}

} // namespace lumora::ui
