#pragma once
// Captions and the words of the album's photo, used-template, slot and
// background-candidate tables; their column numbers live in app/Columns.h.
#include <QString>
#include <QStringList>

#include "app/Columns.h"
#include "app/FlagWords.h"

namespace lumora {

// The words these tables hold (app/FlagWords.h), by their former names.
inline const QString kPhotoDone = flag::kPhotoDone;
inline const QString kStatusComplete = flag::kCompleted;
inline const QString kStatusIncomplete = flag::kIncomplete;
inline const QString kSlotLandscape = flag::kSlotLandscape;
inline const QString kSlotPortrait = flag::kSlotPortrait;
inline const QString kMatched = flag::kSlotMatched;
inline const QString kCropFill = flag::kCropFill;
inline const QString kCropFit = flag::kCropFit;
inline const QString kMethodRandom = flag::kMethodRandom;
inline const QString kMethodCombined = flag::kMethodCombined;
// 剪裁来源 of a slot whose placement the user saved in the cropping editor.
inline const QString kPlacedByUser = QStringLiteral("yonghu");

} // namespace lumora
