#pragma once
// Captions and the words of the album's photo, used-template, slot and
// background-candidate tables; their column numbers live in app/Columns.h.
#include <QString>
#include <QStringList>

#include "app/Columns.h"

namespace lumora {

inline const QString kPhotoDone = QStringLiteral("完成");
inline const QString kStatusComplete = QStringLiteral("已完成");
inline const QString kStatusIncomplete = QStringLiteral("未完成");
inline const QString kSlotLandscape = QStringLiteral("heng_zhaopian");
inline const QString kSlotPortrait = QStringLiteral("shu_zhaopian");
inline const QString kMatched = QStringLiteral("yi_pipei");
inline const QString kCropFill = QStringLiteral("quanping_or_jubuquanping");
inline const QString kCropFit = QStringLiteral("shizhong");
inline const QString kMethodRandom = QStringLiteral("shiyong_suijimoban");
inline const QString kMethodCombined = QStringLiteral("shiyong_zuhemoban");


} // namespace lumora
