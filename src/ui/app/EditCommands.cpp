#include "ui/app/EditCommands.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QShortcut>

#include "session/AlbumSession.h"
#include "ui/album/CropWindow.h"
#include "ui/album/PhotoWindow.h"
#include "ui/album/TemplateManagerWindow.h"
#include "ui/app/DialogService.h"
#include "ui/app/MainWindow.h"
#include "ui/app/ProjectCommands.h"
#include "ui/effects/BackgroundWindow.h"
#include "ui/playback/MediaWiring.h"
#include "ui/templates/TemplateOptionsWindow.h"
#include "ui/templates/TemplatePreviewWindow.h"

namespace lumora::ui {

namespace {

template <class W, class Make> W *windowOf(MainWindow &main, Make make)
{
    if (auto *w = main.findChild<W *>(QString(), Qt::FindDirectChildrenOnly))
        return w;
    W *w = make();
    w->setWindowModality(Qt::WindowModal);
    w->setWindowFlag(Qt::Window);
    return w;
}

void afterEditing(MainWindow &main)
{
    main.refreshTemplateList();
    main.refreshTotalTime();
}

// Everything the main window shows, after an album was opened.
void showOpenedAlbum(MainWindow &m)
{
    m.applyAlbumReset();
    m.refreshPhotoCount();
    m.refreshPhotoViews();
    m.refreshTemplateList();
    m.refreshMusicList();
    m.refreshLyricList();
    m.refreshTotalTime();
}

TemplateManagerWindow *templateManager(MainWindow &main)
{
    MainWindow *m = &main;
    return windowOf<TemplateManagerWindow>(main, [m] {
        auto *w = new TemplateManagerWindow(m->session(), m->dialogs(), m->thumbnails(), m);
        QObject::connect(w, &TemplateManagerWindow::closedWithChanges, m, [m] { afterEditing(*m); });
        // The two preview buttons play the template in the template preview window.
        if (m->findChild<TemplatePreviewWindow *>(QStringLiteral("TForm19")))
            w->setPreviewHandler(templatePreviewHandler(*m));
        return w;
    });
}

} // namespace

void installEditCommands(MainWindow &main)
{
    // Template management is the largest of these windows: it is made, styled
    // and laid out with the main window, before any window shows, so that
    // opening it only fills and paints.
    TemplateManagerWindow *manager = templateManager(main);
    manager->ensurePolished();
    manager->winId();

    MainWindow *m = &main;
    main.enableCommand(QStringLiteral("Button_gongneng_07"), [m] {
        if (m->refuseWhilePlaying())
            return;
        if (const QString refusal = TemplateManagerWindow::openRefusal(m->session()); !refusal.isEmpty()) {
            m->dialogs().notice(m, refusal);
            return;
        }
        auto *w = templateManager(*m);
        w->start();
        w->open();
    });
    main.enableCommand(QStringLiteral("Button_gongneng_08"), [m] {
        if (m->refuseWhilePlaying())
            return;
        auto *w = windowOf<CropWindow>(*m, [m] { return new CropWindow(m->session(), m->dialogs(), m); });
        w->start();
        w->open();
    });
    main.enableCommand(QStringLiteral("Button48"), [m] {
        if (m->refuseWhilePlaying())
            return;
        auto *w = windowOf<BackgroundWindow>(*m, [m] { return new BackgroundWindow(m->session(), m->dialogs(), m); });
        w->start();
        w->open();
    });

    // With template combinations on, the template options come before the
    // photo file dialog: a pack number, 0 for random templates.
    if (PhotoWindow *photos = main.photoWindow())
        photos->choosePack = [m] {
            TemplateOptionsWindow w(m->session(), m->dialogs(), m);
            if (const QString problem = w.start(); !problem.isEmpty())
                m->dialogs().notice(m, problem);
            w.exec();
            return w.chosenPack();
        };

    // Saving and opening an album, beside the production settings.
    auto *commands = new ProjectCommands(
        main.session(), main.dialogs(), m, [m] { showOpenedAlbum(*m); }, QString());
    commands->setObjectName(QStringLiteral("ProjectCommands"));
    QPushButton *anchor = main.button(QStringLiteral("Button_huamian_zhiliang"));
    QWidget *bar = anchor ? anchor->parentWidget() : m;
    int x = anchor ? anchor->geometry().right() + 12 : 0;
    const struct {
        const char *name, *text, *hint;
    } buttons[] = {{"Button_baocun_xiangce", QT_TRANSLATE_NOOP("lumora::ui::EditCommands", "保存相册"),
                    QT_TRANSLATE_NOOP("lumora::ui::EditCommands", "保存相册文件 (Ctrl+S)")},
                   {"Button_dakai_xiangce", QT_TRANSLATE_NOOP("lumora::ui::EditCommands", "打开相册"),
                    QT_TRANSLATE_NOOP("lumora::ui::EditCommands", "打开相册文件 (Ctrl+Shift+O)")}};
    for (const auto &b : buttons) {
        auto *button = new QPushButton(QCoreApplication::translate("lumora::ui::EditCommands", b.text), bar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setToolTip(QCoreApplication::translate("lumora::ui::EditCommands", b.hint));
        if (anchor)
            button->setGeometry(x, anchor->y(), 80, anchor->height());
        x += 84;
        button->show();
    }
    // Looked up when used: enableAlbumRecovery replaces the commands object.
    auto save = [m] { projectCommands(*m)->save(); };
    auto open = [m] {
        if (!m->refuseWhilePlaying())
            projectCommands(*m)->open();
    };
    QObject::connect(bar->findChild<QPushButton *>(QStringLiteral("Button_baocun_xiangce")), &QPushButton::clicked, m,
                     save);
    QObject::connect(bar->findChild<QPushButton *>(QStringLiteral("Button_dakai_xiangce")), &QPushButton::clicked, m,
                     open);
    auto *saveKey = new QShortcut(QKeySequence::Save, m);
    QObject::connect(saveKey, &QShortcut::activated, m, save);
    auto *openKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), m);
    QObject::connect(openKey, &QShortcut::activated, m, open);
}

ProjectCommands *projectCommands(MainWindow &main)
{
    return main.findChild<ProjectCommands *>(QStringLiteral("ProjectCommands"));
}

void enableAlbumRecovery(MainWindow &main, const QString &folder)
{
    ProjectCommands *old = projectCommands(main);
    MainWindow *m = &main;
    auto *commands = new ProjectCommands(
        main.session(), main.dialogs(), m, [m] { showOpenedAlbum(*m); }, folder);
    if (old) {
        old->setObjectName(QString());
        old->deleteLater();
    }
    commands->setObjectName(QStringLiteral("ProjectCommands"));
    // A crashed run's album is offered at start-up, before the mode chooser:
    // restored, it brings its own mode and the chooser is not needed.
    main.restoreAtStart = [m] {
        ProjectCommands *c = projectCommands(*m);
        return c && c->offerRecovery();
    };
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, commands, [commands] { commands->cleanExit(); });
}

} // namespace lumora::ui
