#pragma once
// Automatic effect placement over the album's used templates.
//
// Text placement: every chosen complete template declares text marks (single
// characters) at frame positions inside its movie; for each mark a random
// text effect whose "wxcs03" letters include it is appended to the text
// effect table at that position, and the template's rows are tied together
// by an auto mark "hhmmss_r" written into the rows and the template's slot rows.
// Picture placement: combinations of a family are laid end to end over the
// complete templates' total length and appended to the picture effect table.
// Re-deriving start times recomputes the start times of all automatically
// placed text effects from their templates; deleting text effects and
// deleting photos call it too.
//
// Inputs are read by column number: catalogue ListView_mobancanshu,
// used templates ListView_moban_shiyong, slot rows ListView_moban_shiyong_canshu.
// All runs are synchronous; they run on the thread that owns the album.
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>
#include <vector>

#include "EffectPackage.h"
#include "EffectTables.h"
#include "app/Columns.h"

namespace lumora {

struct Album;

namespace placecol {
// Former names of cells this subsystem reads, kept for existing callers; the
// numbers themselves live in app/Columns.h.
constexpr int kCatTotalFrames = paramcol::kFrames; // 模板swf总帧数
constexpr int kCatPositions = paramcol::kText01; // 模板文字_必须标注01: frame positions
constexpr int kCatRequired = paramcol::kText02; // 模板文字_必须标注02: required marks
constexpr int kCatOptional = paramcol::kText04; // 模板文字_随机标注04: optional marks
constexpr int kUsedMatching = usedcol::kStatus; // 照片匹配
constexpr int kSlotTemplateRow = slotcol::kUsedRow; // 行号
constexpr int kSlotAutoMark = slotcol::kTextMark; // 文字特效是否自动添加_标注
} // namespace placecol

// Uniform random integer in 0 … n − 1. Empty: a generator seeded from the clock.
using RandomFn = std::function<int(int n)>;
using ProgressFn = std::function<void(int done, int total)>;

struct PlacementReport {
    int rowsAdded = 0;
    QStringList unserved; // marks that got no text effect, one line each
    QString notice; // the notice to show after the run ("" for none)
    bool failed = false; // a package INI was missing: the run ended early
    QString completionFlag; // import runs: the completion word once finished
};

// ---- caption theme (Settings::textEffectTheme) ----
// The text-effect categories a theme can name, in folder order: entry i is
// category folder i + 1 ("婚纱" … "运动会"). Every mode has the same twenty.
QStringList textEffectThemeNames();
// Theme of a name: "全部" (or "") gives -1; a category name ("婚纱", also
// "婚纱文字元素" or the list row "02 婚纱文字元素") its 0-based index;
// anything else kNoTextEffectTheme.
constexpr int kNoTextEffectTheme = -2;
int textEffectThemeFromName(const QString &name);
// Position in the 42-row category list that a theme lists (0 for "全部" and
// for a theme outside the list).
int textEffectThemeCategoryRow(int theme);

// ---- text placement ----
enum class TemplateChoice { Every, Interval, Random };

struct TextPlacementOptions {
    int categoryRow = 0; // position in the 42-row category list (0: all)
    ListingCause listing = ListingCause::WindowOpening;
    TemplateChoice choice = TemplateChoice::Every;
    int interval = 1; // N of "every (N+1)-th template", 1 … 9
    QString provisionalStart = QStringLiteral("00:00:00"); // the text window's time selection
    QTime now; // wall clock of the auto mark (invalid: current time)
    RandomFn random;
    ProgressFn progress;
};

// "自动加到模板" in the text effect window: "" when the placement window may open.
QString textPlacementOpenCheck(const Album &album);
// "自动加入": whether the run starts and the notice shown first (a warning
// about incomplete templates may come with start = true).
struct PlacementStart {
    bool start = false;
    QString notice;
};
PlacementStart textPlacementStartCheck(const Album &album, int categoryRow);

PlacementReport runTextPlacement(Album &album, const TextPlacementOptions &options = {});
// The run after photos have been matched: the album's caption theme
// (settings.textEffectTheme; "全部" lists every category), every template; no
// notice; the completion flag "zidongtianjia_wenzitexiao_wangcheng" is set
// even when the run ended early.
PlacementReport runTextPlacementOnImport(Album &album, const RandomFn &random = {});

// Start frame of every automatically placed text row = its frame position +
// the frames of the complete templates before its template.
void rederiveTextStartTimes(Album &album);

// Deleting photos: removes the automatically placed text rows of used
// template `usedRow` and clears that template's slot marks (then call
// rederiveTextStartTimes). Returns the number of rows removed.
int removeTemplateTextEffects(Album &album, int usedRow);

// Before used template `usedRow` is deleted: removes its automatic text
// effects and lowers the template row of the later templates' automatic rows,
// so every row keeps pointing at its own template. Call
// rederiveTextStartTimes after the deletion. Returns the rows removed.
int forgetUsedTemplateTextEffects(Album &album, int usedRow);

// ---- picture placement ----
struct PictureCombination {
    QString packages; // |1|5|5|5|
    QString offsets; // |0|0|1|2| seconds after the combination's base time
};
struct PictureFamily {
    QString name;
    std::vector<PictureCombination> combinations;
};
// The five built-in families (row 0: "婚纱特效组合").
const std::vector<PictureFamily> &pictureFamilies();

struct PicturePlacementOptions {
    int family = 0;
    RandomFn random;
    ProgressFn progress;
};

// "自动添加组合特效" in the picture effect window: checks, and when picture
// effects exist the question whether to delete them (yes clears the table).
// changed = false with a notice, or with no notice when the user declined.
EffectResult openPicturePlacement(Album &album, const ConfirmFn &confirm);
PlacementReport runPicturePlacement(Album &album, const PicturePlacementOptions &options = {});
// The run after photos have been matched, family 0. When the picture table
// has rows the user is asked first; the run takes place only when the table
// is empty afterwards. The completion flag is set in every case.
PlacementReport runPicturePlacementOnImport(Album &album, const ConfirmFn &confirm, const RandomFn &random = {});

// Ready for the photo add step's hooks (std::function<QString(Album &)>):
// the import runs, returning the notice to show ("" when the run went through).
// The picture run here does not ask: the add step asks before it and calls
// it only when no picture effect is left.
QString autoTextEffectsOnImport(Album &album);
QString autoPictureEffectsOnImport(Album &album);

} // namespace lumora
