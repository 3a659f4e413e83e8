#include "QtDialogService.h"

#include <QFileDialog>
#include <QMessageBox>

namespace lumora::ui {

void QtDialogService::notice(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("提示"), message, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("TForm14"));
    box.exec();
}

bool QtDialogService::confirm(QWidget *parent, const QString &title, const QString &message)
{
    QMessageBox box(QMessageBox::NoIcon, title, message, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("TForm17"));
    return box.exec() == QMessageBox::Ok;
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
