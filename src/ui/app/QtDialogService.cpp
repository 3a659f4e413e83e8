#include "QtDialogService.h"

#include "Dialogs.h"

#include <QFileDialog>

namespace lumora::ui {

void QtDialogService::notice(QWidget *parent, const QString &message)
{
    NoticeDialog box(message, parent);
    box.exec();
}

bool QtDialogService::confirm(QWidget *parent, const QString &title, const QString &message)
{
    ConfirmDialog box(title, message, parent);
    box.exec();
    return box.answeredYes();
}

QStringList QtDialogService::openFiles(QWidget *parent, const QString &caption, const QString &folder,
                                       const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, caption, folder, filter);
}

QString QtDialogService::openFile(QWidget *parent, const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString QtDialogService::saveFile(QWidget *parent, const QString &caption, const QString &path, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, path, filter);
}

QString QtDialogService::chooseFolder(QWidget *parent, const QString &caption, const QString &start)
{
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

} // namespace lumora::ui
