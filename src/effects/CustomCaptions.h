#pragma once
// Captions the person types, kept as rows of the text effect table
// (wenzi_ListView_Image / _2) beside the packaged effects: their own kind
// (分类号 = flag::kCustomCaption), "手动添加", the words and the style key in
// their own cells (EffectColumns.h), the place the caption wants in X/Y
// (preview pixels, top-left, as packaged rows) and its length in frames in
// the caption. They are deleted like every text effect row; the effect runs
// leave them to the caption track (CaptionTrack.h), which draws them.
//
// Each edit either does its whole change or changes nothing and returns the
// notice the window shows (EffectResult, as EffectTables.h).
#include <QPoint>
#include <QSize>
#include <QString>

#include "CaptionStyle.h"
#include "EffectTables.h"

namespace lumora {

struct Album;

bool isCustomCaption(const Row &textEffectRow);

// The place a new caption wants on a preview of `preview` size: centred,
// a little below the middle (clear of a title); a vertical caption at the
// right of the safe area, near its top.
QPoint defaultCaptionPlace(const QString &text, CaptionStyle style, QSize preview);

inline const QString kCaptionTextEmpty = QStringLiteral("请输入自定义文字！");
inline const QString kCaptionStyleMissing = QStringLiteral("没有选中文字样式！");
inline const QString kCaptionNotCustom = QStringLiteral("选中的不是自定义文字！");

// Adds a typed caption at the end of both tables.
EffectResult addCustomCaption(Album &album, const QString &text, const QString &styleKey, StartTimeChoice time);
// Changes the words, style and start time of the typed caption in `row`;
// the place it wants is kept.
EffectResult editCustomCaption(Album &album, int row, const QString &text, const QString &styleKey,
                               StartTimeChoice time);

} // namespace lumora
