#include "EffectShots.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTableView>

#include "Shooter.h"
#include "ui/effects/EffectAnimation.h"
#include "ui/effects/EffectGallery.h"
#include "ui/effects/EffectRowPreview.h"
#include "ui/effects/PictureEffectWindow.h"
#include "ui/effects/TextEffectWindow.h"

namespace lumora::screenshots {

namespace {

void click(QWidget *w, const char *name)
{
    if (auto *b = w->findChild<QPushButton *>(QString::fromLatin1(name)))
        b->click();
}

void setIndex(QWidget *w, const char *name, int index)
{
    if (auto *c = w->findChild<QComboBox *>(QString::fromLatin1(name)))
        c->setCurrentIndex(std::min(index, c->count() - 1));
}

// A package on show about a second into its animation, its gallery filled.
void waitMidAnimation(ui::EffectTimelineWindow &w)
{
    Shooter::waitFor([&] { return w.gallery()->pendingThumbnails() == 0 && w.animation()->frameNumber() >= 20; });
}

// Shoots the dialog the window opened under `objectName`, then closes it.
void shootDialog(QWidget *owner, const char *objectName, Shooter &shooter)
{
    if (auto *d = owner->findChild<QDialog *>(QString::fromLatin1(objectName))) {
        Shooter::settle(200);
        shooter.shoot(d);
        d->reject();
        Shooter::settle(100);
    }
}

} // namespace

void shootEffectWindows(AlbumSession &session, ui::DialogService &dialogs, Shooter &shooter, QWidget *parent)
{
    {
        ui::PictureEffectWindow w(session, dialogs, parent);
        w.prepare();
        w.show();
        setIndex(&w, "ComboBox_texiao_name", 1);
        for (int second : {0, 3}) {
            setIndex(&w, "ComboBox_miao", second);
            click(&w, "Button_tianjia");
        }
        setIndex(&w, "ComboBox_texiao_name", 2);
        waitMidAnimation(w);
        shooter.shoot(&w); // TForm32: a package moving over the sample picture

        click(&w, "Button_quanbu_yulan");
        Shooter::waitFor([&] { return w.rowPreview()->steps() >= 30; });
        shooter.shoot(&w); // TForm32-2: the rows previewed over time
        click(&w, "Button_tingzhi_yulan");

        click(&w, "Button_xuanze_shanchu");
        shootDialog(&w, "TForm37", shooter);
        click(&w, "Button_zidong_tianjia"); // the scripted service answers "yes" to deleting the rows first
        shootDialog(&w, "TForm35", shooter);
        w.hide();
    }
    {
        ui::TextEffectWindow w(session, dialogs, parent);
        w.prepare();
        w.show();
        setIndex(&w, "ComboBox_texiao_name", 1);
        waitMidAnimation(w);
        shooter.shoot(&w); // TForm33: a text effect moving at its default place

        click(&w, "Button_tianjia");
        // The table takes its new length on its next layout pass: only then
        // can the new last row be scrolled into view.
        Shooter::settle(100);
        if (auto *rows = w.findChild<QTableView *>(QStringLiteral("ListView_Image_2"))) {
            const int last = rows->model()->rowCount() - 1;
            rows->selectRow(last);
            rows->scrollTo(rows->model()->index(last, 0));
        }
        Shooter::settle(200);
        shooter.shoot(&w); // TForm33-2: the selected row's still frame, ready to be moved

        click(&w, "Button_xuanze_shanchu");
        shootDialog(&w, "TForm36", shooter);
        // Placement opens only for templates without text effects: clear the
        // rows the photo add placed (the scripted service answers "yes").
        click(&w, "Button_quanbu_shanchu");
        click(&w, "Button_zidong_tianjia");
        shootDialog(&w, "TForm34", shooter);
        w.hide();
    }
}

} // namespace lumora::screenshots
