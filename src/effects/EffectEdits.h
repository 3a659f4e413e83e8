#pragma once
// Edits and checks the effect windows make beyond the timeline operations of
// EffectTables.h: changing a row's start time, and telling whether a package
// can be played at all before a row is made of it. Each edit either does its
// whole change or changes nothing and returns the notice the window shows.
#include <QString>

#include "EffectPackage.h"
#include "EffectTables.h"

namespace lumora {

struct Album;

// The notice for a start time that is not of the form hh:mm:ss.
inline const QString kStartTimeFormatNotice
    = QStringLiteral("开始时间格式不正确！请按“时:分:秒”输入,每项两位数字,例如 00:00:02(时、分、秒均为 00～59)。");

// Seconds of a typed start time "hh:mm:ss" (two digits each, every field
// 00 … 59 as the time lists offer them; spaces around it are ignored), or -1.
int parseEffectStartTime(const QString &text);

// Sets the start time of picture effect row `row` in both tables.
EffectResult setPictureEffectStart(Album &album, int row, const QString &text);
// Sets the start time of text effect row `row` in both tables. A row placed
// automatically for a template takes its start from the template's position
// in the album (re-derived after every edit), so it is refused with a notice.
EffectResult setTextEffectStart(Album &album, int row, const QString &text);

// Why a package cannot be played, as a notice naming it, or "" when it can:
// its INI is missing or unreadable, has no frame count, or its first preview
// frame is missing or not a readable PNG. `name` is the name the user saw
// (may be empty: the notice then names the package by its number).
QString effectPackageProblem(const Paths &paths, const QString &modeFolder, const EffectLocation &loc,
                             const QString &name = {});

} // namespace lumora
