#include "QtDialogService.h"

#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

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

int QtDialogService::choose(QWidget *parent, const QString &title, const QString &message, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Question, title, message, QMessageBox::NoButton, parent);
    std::vector<QAbstractButton *> made;
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton *b
            = box.addButton(buttons[i], i + 1 == buttons.size() ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        b->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        made.push_back(b);
        if (i == 0)
            box.setDefaultButton(b);
    }
    if (!made.empty())
        box.setEscapeButton(made.back());
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return int(i);
    return int(buttons.size()) - 1;
}

} // namespace lumora::ui
