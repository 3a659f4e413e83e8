#include "ProductionShots.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "Shooter.h"
#include "app/DialogService.h"
#include "app/MainWindow.h"
#include "ui/production/AlbumTypeWindow.h"
#include "ui/production/ProductionStart.h"
#include "ui/production/ProductionWindow.h"
#include "ui/production/QualityWindow.h"

namespace lumora::screenshots {

namespace {
// Frames composed before the production window is shot: past the first
// seconds, so that speed and time left are measured and a photo is on show.
constexpr int kFramesBeforeShot = 150;
constexpr int kProductionWaitMs = 180000;
} // namespace

void shootProductionWindows(ui::MainWindow &main, ui::ScriptedDialogService &dialogs, Shooter &shooter)
{
    if (auto *quality = main.findChild<ui::QualityWindow *>()) {
        quality->open();
        shooter.shoot(quality); // TForm6
        quality->close();
    }

    auto *start = main.findChild<ui::ProductionStart *>();
    if (!start || !start->start(OutputType::DVD)) {
        std::fprintf(stderr, "production shots: the DVD start was refused: %s\n", qPrintable(dialogs.lastMessage()));
        return;
    }
    ui::AlbumTypeWindow *type = start->typeWindow();
    if (auto *name = type->findChild<QLineEdit *>(QStringLiteral("Edit_xiangce_mingcheng")))
        name->setText(QStringLiteral("我们的夏天"));
    shooter.shoot(type); // TForm24

    QTemporaryDir out;
    dialogs.folderAnswers.push_back(out.path());
    if (auto *go = type->findChild<QPushButton *>(QStringLiteral("Button_kaishi_zhizuo")))
        go->click();
    ui::ProductionWindow *window = start->productionWindow();
    if (!window) {
        std::fprintf(stderr, "production shots: no production window: %s\n", qPrintable(dialogs.lastMessage()));
        return;
    }
    window->setFolderOpener([](const QString &) {});
    auto *bar = window->findChild<QProgressBar *>(QStringLiteral("ProgressBar_kaishi_zhizuo_xiangce"));
    auto *picture = window->findChild<QLabel *>(QStringLiteral("Image_zhizuo_huamian"));
    const bool midway = Shooter::waitFor(
        [&] {
            return window->phase() == ui::ProductionWindow::Phase::Encoding && bar && bar->value() >= kFramesBeforeShot
                && picture && !picture->pixmap().isNull();
        },
        kProductionWaitMs);
    if (!midway)
        std::fprintf(stderr, "production shots: the production did not get under way\n");
    shooter.shoot(window); // TForm25
    QPointer<ui::ProductionWindow> alive(window);
    window->stop();
    Shooter::waitFor([&] { return alive.isNull() || !alive->isVisible(); }, kProductionWaitMs);
    Shooter::waitFor([&] { return !start->busy(); }, 5000);
}

} // namespace lumora::screenshots
