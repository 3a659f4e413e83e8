// Lumora desktop application: one running copy, a working root of its own,
// the loader, the main window with the start-up movie, the mode chooser.
#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

#include "SingleInstance.h"
#include "app/EditCommands.h"
#include "app/Error.h"
#include "app/GuardedApplication.h"
#include "app/Heap.h"
#include "app/Language.h"
#include "app/Loader.h"
#include "app/MainWindow.h"
#include "app/Paths.h"
#include "app/ProjectCommands.h"
#include "app/QtDialogService.h"
#include "app/Style.h"
#include "resources/WorkRoot.h"
#include "session/AlbumSession.h"
#include "session/RecoveryFile.h"

namespace {

// SIGTERM, SIGINT and SIGHUP end the program from its event loop: the handler
// only writes the signal's number into this pipe.
int g_signalPipe[2] = {-1, -1};

void onSignal(int sig)
{
    const char c = char(sig);
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

bool catchEndingSignals()
{
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    lumora::keepLargeBlocksInHeap();
    using namespace lumora;
    ui::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora"));

    // A second copy ends before any window shows.
    SingleInstance instance;
    if (!instance.isFirst()) {
        if (!instance.error().isEmpty())
            std::fprintf(stderr, "lumora: %s: %s\n", qPrintable(instance.lockPath()), qPrintable(instance.error()));
        return instance.error().isEmpty() ? 0 : 1;
    }

    // The interface's language: the one chosen in the settings window, else
    // the system locale's; Qt's own dialogs speak the same language.
    Translations translations;
    translations.install(resolveInterfaceLanguage(storedInterfaceLanguage()), Paths::resourceFolder());

    ui::applyProgramStyle(app);
    ui::QtDialogService dialogs;

    std::unique_ptr<WorkRoot> root;
    try {
        root = WorkRoot::create();
    } catch (const Error &e) {
        dialogs.notice(
            nullptr, QCoreApplication::translate("lumora", "无法创建工作文件夹，程序不能运行。\n%1").arg(e.message()));
        return 1;
    }

    AlbumSession session(QString(), root->path());
    ui::MainWindow main(session, dialogs);
    // The album is kept in a recovery file while the program runs.
    ui::enableAlbumRecovery(main, RecoveryFile::defaultFolder());
    ui::Loader loader;
    int exitCode = 0;
    // The program ends by leaving the event loop: exit(), unlike quit(), does
    // not first ask the windows to close (the main window answers a close
    // with the exit dialog), so it ends however the windows are stacked and
    // whatever window manager there is.
    QObject::connect(&main, &ui::MainWindow::exitAccepted, &app, [&] {
        loader.close();
        QCoreApplication::exit(0);
    });
    QObject::connect(&main, &ui::MainWindow::fatalError, &app, [&](const QString &message) {
        std::fprintf(stderr, "lumora: %s\n", qPrintable(message));
        exitCode = 1;
        QCoreApplication::exit(1);
    });
    // A signal ends the program as cleanly: unsaved work stays in the
    // recovery file (offered at the next start), the working root goes with
    // the WorkRoot at the end of main.
    std::unique_ptr<QSocketNotifier> signalNotifier;
    if (catchEndingSignals()) {
        signalNotifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, &app, [&] {
            char sig = 0;
            while (::read(g_signalPipe[0], &sig, 1) == 1) { }
            if (ui::ProjectCommands *c = ui::projectCommands(main))
                c->endKeepingUnsavedWork();
            loader.close();
            QCoreApplication::exit(0);
        });
    }
    // An exception that escapes a handler: the album goes to the recovery
    // file at once, then the notice says what failed; the program goes on.
    app.onFault = [&](const QString &notice) {
        if (ui::ProjectCommands *c = ui::projectCommands(main))
            c->writeRecoveryNow();
        dialogs.notice(QApplication::activeWindow() ? QApplication::activeWindow() : &main, notice);
    };
    QObject::connect(&loader, &ui::Loader::finished, &main, [&] {
        const QString refused = main.startUp();
        if (!refused.isEmpty()) {
            // A damaged or missing start-up movie: the installation is broken.
            dialogs.notice(nullptr,
                           QCoreApplication::translate("lumora", "程序资源已损坏，请重新安装。\n%1").arg(refused));
            std::fprintf(stderr, "lumora: %s\n", qPrintable(refused));
            exitCode = 1;
            QCoreApplication::exit(1);
        }
    });
    // The program ends through the exit dialog only.
    app.setQuitOnLastWindowClosed(false);
    loader.start();
    const int rc = app.exec();
    return exitCode != 0 ? exitCode : rc;
}
