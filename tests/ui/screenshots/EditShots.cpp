#include "EditShots.h"

#include <QCheckBox>
#include <QTreeWidget>

#include "Shooter.h"
#include "session/AlbumSession.h"
#include "ui/album/CropWindow.h"
#include "ui/album/TemplateManagerWindow.h"
#include "ui/effects/BackgroundWindow.h"
#include "ui/templates/TemplateOptionsWindow.h"

namespace lumora::screenshots {

void shootEditWindows(AlbumSession &session, ui::DialogService &dialogs, ui::ThumbnailCache &thumbs, Shooter &shooter,
                      QWidget *parent)
{
    {
        ui::TemplateManagerWindow w(session, dialogs, thumbs, parent);
        w.setWindowFlag(Qt::Window);
        w.start();
        w.show();
        Shooter::waitFor([&] { return w.photosLoaded(); });
        if (!session.album().ListView_moban_shiyong.empty())
            w.selectUsedTemplate(0);
        Shooter::settle(600);
        shooter.shoot(&w); // TForm8
        // "提示演示效果" on: the second used template's row mid-glide.
        if (session.album().ListView_moban_shiyong.size() > 1) {
            if (auto *option = w.findChild<QCheckBox *>(QStringLiteral("CheckBox_tishiyanshi")))
                option->setChecked(true);
            w.selectUsedTemplate(1);
            Shooter::settle(120);
            shooter.shoot(&w); // TForm8-2
        }
        w.hide();
    }
    {
        ui::CropWindow w(session, dialogs, parent);
        w.setWindowFlag(Qt::Window);
        w.start();
        w.show();
        w.selectRow(0);
        Shooter::waitFor([&] { return w.photoReady(); });
        w.enlarge();
        Shooter::settle();
        shooter.shoot(&w); // TForm9
        w.hide();
    }
    {
        ui::BackgroundWindow w(session, dialogs, parent);
        w.setWindowFlag(Qt::Window);
        w.start();
        w.show();
        w.selectRow(0);
        Shooter::waitFor([&] { return w.previewReady(); });
        Shooter::settle(800);
        shooter.shoot(&w); // TForm21
        w.hide();
    }
    {
        ui::TemplateOptionsWindow w(session, dialogs, parent);
        w.setWindowFlag(Qt::Window);
        w.start();
        shooter.shoot(&w); // TForm41
        w.useRandom();
    }
}

} // namespace lumora::screenshots
