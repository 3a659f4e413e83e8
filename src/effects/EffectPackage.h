#pragma once
// Effect packages: folders of numbered PNG frames with alpha plus one INI
// file. Picture effects are full-frame overlays numbered 1, 2, 3 … per mode;
// text effects are smaller overlays grouped in 20 category folders. This file
// builds their paths, reads their INI and lists them into the choice lists of
// the effect windows and the automatic placement.
//
// Numbering is dense: a listing stops at the first number whose folder does
// not exist. Frames: {k}.png for the preview, 2_{k}.png for production,
// k = 1 … F, each drawn at its own pixel size.
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "app/Paths.h"

namespace lumora {

enum class EffectKind { Picture, Text };
enum class FrameSet { Preview, Production };

// Where one package lives. Picture effects use number only (category 0).
struct EffectLocation {
    EffectKind kind = EffectKind::Picture;
    int category = 0; // text effects: category folder 1 … 20
    int number = 0; // package number from 1

    bool operator==(const EffectLocation &) const = default;
};

// Folder of a package (ends in '/').
QString effectFolder(const Paths &paths, const QString &modeFolder, const EffectLocation &loc);
// The package INI wj_x_g_c_l_{n}.ini inside its folder.
QString effectIniPath(const Paths &paths, const QString &modeFolder, const EffectLocation &loc);
// Frame k (from 1): {k}.png or 2_{k}.png.
QString effectFramePath(const Paths &paths, const QString &modeFolder, const EffectLocation &loc, int k, FrameSet set);

// The package INI, section "wj_x_g_c_l_0". Missing keys read as "".
struct EffectPackageIni {
    QString name; // wj_x_g_c_l_0
    QString frameCount; // wj_x_g_c_l_sum, as written
    QString still; // wj_x_g_c_l_1: base name of the still frame (text effects)
    QString positionMode; // wj_x_g_c_l_wz: "n" fixed, "z" centred
    QString x, y; // wj_x_g_c_l_wz1 / wz2: default position in preview pixels
    QString marks; // wxcs03: mark letters this effect serves

    // The frame count as a number, or 0 when it is missing or not a positive integer.
    int frames() const;
    // Reads the INI of a package; std::nullopt when the file does not exist.
    // Throws lumora::Error when it exists but cannot be read.
    static std::optional<EffectPackageIni> read(const QString &iniPath);
    // The INI text (section and keys in the order above, CRLF lines); the
    // authoring tool writes it GBK-encoded.
    QString toIniText() const;
};

inline const QString kEffectIniSection = QStringLiteral("wj_x_g_c_l_0");
inline const QString kPositionFixed = QStringLiteral("n");
inline const QString kPositionCentred = QStringLiteral("z");

// Default top-left position of a text effect in preview pixels: "n" gives
// the INI's X/Y (non-numbers read as 0); "z" centres the still frame on the
// preview area with truncating halves. Any other mode centres as well (the
// package then has no position of its own; centred is always visible).
QPoint defaultTextPosition(const EffectPackageIni &ini, QSize still, QSize preview);
// Size of the still frame {still}.png of a text package (empty size when it
// cannot be read).
QSize stillFrameSize(const Paths &paths, const QString &modeFolder, const EffectLocation &loc,
                     const EffectPackageIni &ini);

// Picture effects of a mode, names in package-number order: entry i is
// package i + 1. A package folder without a readable settings file is listed
// under brokenPictureEffectName (adding it is refused), so that the packages
// after it keep their numbers.
QStringList listPictureEffects(const Paths &paths, const QString &modeFolder);
QString brokenPictureEffectName(int number);

// The 42-row category list: category rows at even positions ("01 全部文字元素",
// "02 婚纱文字元素" … "21 运动会文字元素"), the separator at odd positions.
const QStringList &textCategoryRows();
// The same rows as a list shows them, in the interface's language.
QStringList shownTextCategoryRows();
inline const QString kCategorySeparator = QStringLiteral("---------------");
constexpr int kTextCategoryCount = 20;
constexpr int kTextCategoryRowCount = 42;
// Category folder of a list position: position div 2 (0 = all); -1 for a
// separator or a position outside the list.
int categoryOfRow(int listPosition);

// How a text listing was started: while a window opens folders without INI
// are skipped silently; after a category change they end the listing with a notice.
enum class ListingCause { WindowOpening, CategoryChange };

// Text effect choice list: three parallel lists (name, category folder,
// effect number) as the windows keep them.
struct TextEffectListing {
    QStringList names;
    QStringList categories; // ListBox_fenlei_hang
    QStringList numbers; // ListBox_fenlei_hang_xifen
    QString notice; // "没有找到选中的文字特效文件！" when the listing stopped early
    QString stoppedAt; // the effect folder without INI that stopped it

    int size() const { return int(names.size()); }
    EffectLocation at(int i) const { return {EffectKind::Text, categories.value(i).toInt(), numbers.value(i).toInt()}; }
};
inline const QString kTextEffectFileMissing = QStringLiteral("没有找到选中的文字特效文件！");

// Lists the text effects of a category list position (0: every category
// folder in turn). A separator position lists nothing.
TextEffectListing listTextEffects(const Paths &paths, const QString &modeFolder, int listPosition, ListingCause cause);

} // namespace lumora
