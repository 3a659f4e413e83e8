#pragma once
// The picture effect timeline (TForm32) and the text effect timeline (TForm33):
// every table operation as an engine function. Each function either does its
// whole change or changes nothing and returns the notice the window shows.
// Questions go through `confirm` (title, question) → true for "yes"; the
// windows answer it with their confirmation dialog, tests with a lambda.
//
// Tables live in Album: huamian_ListView_Image / huamian_ListView_Image_2 and
// wenzi_ListView_Image / wenzi_ListView_Image_2, with the same rows in the
// same order (cells: EffectColumns.h).
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>

#include "EffectPackage.h"
#include "app/RowTable.h"

namespace lumora {

struct Album;

using ConfirmFn = std::function<bool(const QString &title, const QString &question)>;

struct EffectResult {
    bool changed = false; // the tables were changed
    QString notice; // notice to show ("" for none)
    bool closeDialog = false; // delete-by-origin: the dialog closes
};

// Sets the column captions of the four effect tables (idempotent). Every
// operation below calls it; the windows may call it before showing the tables.
void initEffectTables(Album &album);

// The three start-time choice lists: "00  时" … "59  时" and likewise
// "  分", "  秒". field: 0 hours, 1 minutes, 2 seconds.
QStringList startTimeEntries(int field);

// The selected entries of the three time lists; -1 for none.
struct StartTimeChoice {
    int hour = 0;
    int minute = 0;
    int second = 0;
    QString text() const; // hh:mm:ss
};

// ---- picture effects ----
// `listed`: the names in ComboBox_texiao_name (package order); `selected`: its selection.
EffectResult addPictureEffect(Album &album, const QStringList &listed, int selected, StartTimeChoice time);
EffectResult deletePictureEffect(Album &album, int selectedRow, const ConfirmFn &confirm);
EffectResult deleteAllPictureEffects(Album &album, const ConfirmFn &confirm);
// Before the delete-by-origin dialog opens: the notice when there is nothing to delete.
QString pictureDeleteByOriginCheck(const Album &album);
EffectResult deletePictureEffectsByOrigin(Album &album, bool automatic);

// ---- text effects ----
// `listing`: the window's current listing; `categoryRow`: ComboBox_texiao_fenlei position.
EffectResult addTextEffect(Album &album, const TextEffectListing &listing, int categoryRow, int selected,
                           StartTimeChoice time);
// The checks of select, move, save and reset: "" when a row is selected.
QString textSelectionCheck(const Album &album, int selectedRow);
// Stores a position (the still image's left/top) into the selected row.
EffectResult saveTextPosition(Album &album, int selectedRow, QPoint position);
// Puts the selected row back to its package's default position; `position`
// receives it for the still image and the sliders.
EffectResult resetTextPosition(Album &album, int selectedRow, QPoint *position = nullptr);
EffectResult deleteTextEffect(Album &album, int selectedRow, const ConfirmFn &confirm);
EffectResult deleteAllTextEffects(Album &album, const ConfirmFn &confirm);
QString textDeleteByOriginCheck(const Album &album);
EffectResult deleteTextEffectsByOrigin(Album &album, bool automatic);

// The selected category row after a category change: a separator (or a row
// outside the list) falls back to row 0 with its notice.
struct CategoryChoice {
    int row = 0;
    QString notice; // "没有选中文字特效分类！" for a separator
};
CategoryChoice chooseTextCategory(int listPosition);

// Renumbers the captions of a visible table 1 … n.
void renumberVisibleRows(RowTable &visible);

} // namespace lumora
