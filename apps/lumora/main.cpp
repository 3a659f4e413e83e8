// Lumora desktop application: one running copy, a working root of its own,
// the loader, the main window with the start-up movie, the mode chooser.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <memory>

#include "SingleInstance.h"
#include "app/EditCommands.h"
#include "app/Error.h"
#include "app/Heap.h"
#include "app/Loader.h"
#include "app/MainWindow.h"
#include "app/QtDialogService.h"
#include "app/Style.h"
#include "resources/WorkRoot.h"
#include "session/AlbumSession.h"
#include "session/RecoveryFile.h"

int main(int argc, char **argv)
{
    lumora::keepLargeBlocksInHeap();
    using namespace lumora;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora"));

    // A second copy ends before any window shows.
    SingleInstance instance;
    if (!instance.isFirst()) {
        if (!instance.error().isEmpty())
            std::fprintf(stderr, "lumora: %s: %s\n", qPrintable(instance.lockPath()), qPrintable(instance.error()));
        return instance.error().isEmpty() ? 0 : 1;
    }

    // Qt's own dialogs (file and folder choosers, standard buttons) speak
    // the interface's language: the Chinese translations Qt ships.
    QTranslator qtChinese;
    if (qtChinese.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtChinese);

    ui::applyProgramStyle(app);
    ui::QtDialogService dialogs;

    std::unique_ptr<WorkRoot> root;
    try {
        root = WorkRoot::create();
    } catch (const Error &e) {
        dialogs.notice(nullptr, QStringLiteral("无法创建工作文件夹，程序不能运行。\n%1").arg(e.message()));
        return 1;
    }

    AlbumSession session(QString(), root->path());
    ui::MainWindow main(session, dialogs);
    // The album is kept in a recovery file while the program runs.
    ui::enableAlbumRecovery(main, RecoveryFile::defaultFolder());
    ui::Loader loader;
    int exitCode = 0;
    QObject::connect(&main, &ui::MainWindow::exitAccepted, &app, [&] {
        loader.close();
        app.quit();
    });
    QObject::connect(&main, &ui::MainWindow::fatalError, &app, [&](const QString &message) {
        std::fprintf(stderr, "lumora: %s\n", qPrintable(message));
        exitCode = 1;
        app.quit();
    });
    QObject::connect(&loader, &ui::Loader::finished, &main, [&] {
        const QString refused = main.startUp();
        if (!refused.isEmpty()) {
            // A damaged or missing start-up movie: the installation is broken.
            dialogs.notice(nullptr, QStringLiteral("程序资源已损坏，请重新安装。\n%1").arg(refused));
            std::fprintf(stderr, "lumora: %s\n", qPrintable(refused));
            exitCode = 1;
            app.quit();
        }
    });
    // The program ends through the exit dialog only.
    app.setQuitOnLastWindowClosed(false);
    loader.start();
    const int rc = app.exec();
    return exitCode != 0 ? exitCode : rc;
}
