#pragma once
// The album being made: the mode, the shared cells, the settings and every
// table that more than one subsystem reads or writes. Each table's columns
// are defined by the subsystem that fills it (catalogue, photos, matching,
// backgrounds, effects, music); the others read it by its column numbers.
// An album exists only while the program runs; choosing a mode resets it.
#include "AlbumMode.h"
#include "FlagWords.h"
#include "RandomSource.h"
#include "RowTable.h"
#include "Settings.h"
#include "StateCells.h"
#include "app/Paths.h"

namespace lumora {

struct Album {
    explicit Album(Paths p = Paths()) : paths(std::move(p)) { }

    Paths paths;
    ModeKind mode = ModeKind::Wide16x9;
    bool modeChosen = false; // the mode key is "" until the first choice
    StateCells cells;
    Settings settings;
    // Every random choice of the album draws from here (template order,
    // backgrounds, effects); the album session seeds it.
    RandomSource random;

    const AlbumMode &modeInfo() const { return AlbumMode::get(mode); }

    // Template catalogue (built for the mode): the parameter table, indexed
    // everywhere by its 0-based row (the catalogue index).
    RowTable ListView_mobancanshu;
    // Classified tables (landscape, portrait, advanced templates) and the
    // template list of template management (TForm8.ListView_moban), rebuilt
    // with the parameter table; matching, template packs and template
    // management read them.
    RowTable ListView_hengzhaopian;
    RowTable ListView_shuzhaopian;
    RowTable ListView_gaojimoban;
    RowTable ListView_moban;
    // Template assignment method (TForm41.Edit_mobanfashi): "shiyong_suijimoban"
    // or "shiyong_zuhemoban"; kept across adds. The two combined cursors are
    // set to -1 at the start of every template-pack add.
    QString Edit_mobanfashi = flag::kMethodRandom;
    int combinedLandscapeCursor = -1;
    int combinedPortraitCursor = -1;

    // Photo table (TForm3).
    RowTable ListView_daoru_zhaopian;
    // Used templates and their slot rows (TForm8), photos not yet placed.
    RowTable ListView_moban_shiyong;
    RowTable ListView_moban_shiyong_canshu;
    RowTable ListView_qubu_hengzhao;
    // Background picture of each used template (TForm21).
    RowTable ListView_moban_beijing;

    // Picture effects (TForm32) and text effects (TForm33): the timeline and
    // its second table each.
    RowTable huamian_ListView_Image;
    RowTable huamian_ListView_Image_2;
    RowTable wenzi_ListView_Image;
    RowTable wenzi_ListView_Image_2;

    // Music and lyrics (TForm4, TForm5, main window).
    RowTable ListView_daoru_yinyue;
    RowTable ListView_daoru_LRC;
    RowTable ListView_geci_shezhi_canshu;
    RowTable ListView_daoru_geci;

    // Album reset for the mode just chosen: every table above emptied (column
    // captions kept), settings to their defaults, page and selection cells back.
    void reset(ModeKind newMode)
    {
        mode = newMode;
        modeChosen = true;
        for (RowTable *t :
             {&ListView_daoru_zhaopian, &ListView_moban_shiyong, &ListView_moban_shiyong_canshu,
              &ListView_qubu_hengzhao, &ListView_moban_beijing, &huamian_ListView_Image, &huamian_ListView_Image_2,
              &wenzi_ListView_Image, &wenzi_ListView_Image_2, &ListView_daoru_yinyue, &ListView_daoru_LRC,
              &ListView_geci_shezhi_canshu, &ListView_daoru_geci})
            t->clear();
        settings.resetForAlbum();
        cells.setText(cell::kFangyeHao, QStringLiteral("0"));
        cells.setText(cell::kHangshu, flag::kNone);
        cells.completedRows.clear();
    }
};

} // namespace lumora
