#pragma once
// The used-template sequence and the matching of photos to template slots:
// the used-template table ListView_moban_shiyong, the slot table
// ListView_moban_shiyong_canshu, the matching pass over unmatched photos
// (five kinds of template in a fixed order, each taken in catalogue order in
// cycles), the use of one template, the naming and sizing of slots from the
// template's parameters, and the slot geometry staging applies.
//
// Template choice is deterministic; only background pictures are random.
// Call from the thread that owns the Album.
#include <QString>
#include <atomic>
#include <functional>

#include "album/PhotoTable.h"
#include "app/Album.h"

namespace lumora {

// Placement of a photo of pw × ph in a slot of W × H (output pixels).
struct SlotGeometry {
    int fillX = 0, fillY = 0, fillW = 0, fillH = 0; // covering the slot, centred horizontally, top-aligned
    int fitX = 0, fitY = 0, fitW = 0, fitH = 0; // inside the slot, centred both ways
    bool fitMark = false; // crop mark "shizhong" instead of "quanping_or_jubuquanping"
};

// Integer arithmetic, divisions truncating toward zero. fullFrame: the slot's
// width token is "0" (W × H is then 1920 × 1080). defaultPortraitDisplay:
// the setting RadioButton_shuzhaopian_moren.
SlotGeometry slotGeometry(int W, int H, int pw, int ph, bool landscapeSlot, bool fullFrame,
                          bool defaultPortraitDisplay);

// Largest slot side a template may declare (output pixels).
constexpr int kMaxSlotSide = 8192;

// Size used for the geometry of a slot row: its mobanchicun size, or
// 1920 × 1080 when the width is 0. False when the row has no size, or a side
// beyond kMaxSlotSide.
bool slotSize(const Row &slot, int &W, int &H, bool *fullFrame = nullptr);

// Writes the fill and fit placements of the photo that slot row `slotRow`
// holds: covering (fill) and inside (fit) the slot, centred as slotGeometry
// says, then moved so that the photo's known faces stay whole where the
// photo overhangs the slot (setting faceCrop). Marks the placement automatic.
// False (nothing changed) when the row holds no photo or has no size.
bool placePhotoInSlot(Album &album, int slotRow);
// Places again every filled slot whose placement is automatic (not saved by
// the user in the cropping editor): those of photo row `photoRow`, or of
// every photo when it is -1. Returns the number of slots placed.
int placeAutomaticSlots(Album &album, int photoRow = -1);

// Puts photo `photoRow` into slot row `slotRow`: match state, photo row and
// path, geometry; marks the photo 完成. False (nothing changed) when the slot
// has no size.
bool putPhotoInSlot(Album &album, int slotRow, int photoRow);

// 照片匹配 of used template `usedRow`: 已完成 when every slot row has a match
// state, 未完成 otherwise (after a photo was placed by hand).
void updateTemplateCompletion(Album &album, int usedRow);

// Names and sizes the slots of used template `usedRow` that have no picture
// yet, from its parameter row's picture names, orientations and sizes.
void nameAndSizeSlots(Album &album, int usedRow);
void nameAndSizeAllSlots(Album &album);

// Uses template-list row `listRow`: appends the used template (已完成), its
// background row and its slot rows, names and sizes the slots, and fills them
// from `lists` by album.Edit_mobanfashi (random: j-th slot of an orientation
// takes row j; combined: through the combined cursors, wrapping around).
// A slot that cannot take a photo (no size, or no photo of its orientation)
// stays empty and leaves the template 未完成. Returns the used-template row.
int useTemplate(Album &album, int listRow, WorkLists &lists);

// Appends a used template by hand (template management): 未完成, with its
// background and slot rows, no photos. Returns the used-template row.
int useTemplateByHand(Album &album, int listRow);

// Deletes used template `usedRow` (template management): its slot rows, its
// background row, the row itself; lowers the 行号 of later slot rows and
// renumbers 编号 and the background captions. A photo it held becomes
// unmatched unless another slot still holds it. Returns the notice. Throws
// lumora::Error "没有添加模板文件！" / "没有选中模板文件！"; nothing changes then.
QString deleteUsedTemplate(Album &album, int usedRow);
// Deletes every used template with its slot and background rows; every photo
// becomes unmatched. Throws lumora::Error "没有添加模板文件！" when there is none.
QString deleteAllUsedTemplates(Album &album);

// Removes the used templates from row `first` on, with their slot and
// background rows (the last rows of those tables). For templates that were
// appended after every photo they show had been matched already: no photo
// changes its mark.
void dropUsedTemplatesFrom(Album &album, int first);

struct MatchResult {
    int templatesAdded = 0; // used templates appended
    int unmatched = 0; // photos whose 套版 is still empty
    bool stopped = false; // ended by the stop flag
};

using MatchProgress = std::function<void(int done, int maximum)>;

// The matching pass over the photos whose 套版 is empty. Ends when every
// photo is matched, or when no admitted kind can take a photo left: cycles
// that take no photo (templates without photo slots or with unsized slots)
// go on until every kind has been through each of its templates; the
// templates of such trailing cycles are dropped again. The photos left over
// stay unmatched and are counted in the result.
MatchResult runMatchingPass(Album &album, const MatchProgress &progress = {}, const std::atomic<bool> *stop = nullptr);

// "自动套版": rebuilds the background candidates from the landscape and square
// photos, fills rows without a background, and runs the pass. Throws
// lumora::Error "没有添加照片文件！" when there are no photos; when every photo
// is matched already it adds nothing.
MatchResult automaticMatching(Album &album, const MatchProgress &progress = {},
                              const std::atomic<bool> *stop = nullptr);

// Number of photos whose 套版 is empty.
int unmatchedPhotoCount(const Album &album);

// Sum of the total frames of the used templates whose status is 已完成.
long long completedTemplateFrames(const Album &album);

} // namespace lumora
