#include "EditShots.h"

#include <QCheckBox>
#include <QTreeWidget>
#include <cstdlib>

#include "Shooter.h"
#include "album/AlbumTables.h"
#include "album/Matching.h"
#include "session/AlbumSession.h"
#include "templates/Catalogue.h"
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
        // A 4:3 slot of a collage template: the whole frame fits the box.
        const RowTable &slots = session.album().ListView_moban_shiyong_canshu;
        if (auto *list = w.findChild<QTreeWidget *>(QStringLiteral("ListView_zhaopian_wenjian")))
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                const int s = list->topLevelItem(i)->text(4).toInt();
                int W = 0, H = 0;
                if (s < 0 || s >= slots.size() || slots[s].cell(slotcol::kCategory) != kCategoryCombined
                    || !slotSize(slots[s], W, H) || H <= 0 || std::abs(W * 3 - H * 4) > W / 20)
                    continue;
                w.selectRow(i);
                Shooter::waitFor([&] { return w.photoReady(); });
                Shooter::settle();
                shooter.shoot(&w); // TForm9-2
                break;
            }
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
