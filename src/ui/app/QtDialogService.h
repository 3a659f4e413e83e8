#pragma once
// The program's dialog service: real modal windows and the desktop's file
// dialogs and folder browser.
#include "DialogService.h"

namespace lumora::ui {

class QtDialogService : public DialogService {
public:
    void notice(QWidget *parent, const QString &message) override;
    bool confirm(QWidget *parent, const QString &title, const QString &message) override;
    QStringList openFiles(QWidget *parent, const QString &caption, const QString &folder,
                          const QString &filter) override;
    QString openFile(QWidget *parent, const QString &caption, const QString &folder, const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &caption, const QString &path, const QString &filter) override;
    QString chooseFolder(QWidget *parent, const QString &caption, const QString &start) override;
    int choose(QWidget *parent, const QString &title, const QString &message, const QStringList &buttons) override;
};

} // namespace lumora::ui
