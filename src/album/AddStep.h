#pragma once
// Adding photos to the album: the add step of the photo window and the
// template-pack add. Both append photo rows (header and EXIF only, no pixel
// decoding), refresh the background candidates, match the photos to
// templates (matching pass, or a walk through a template pack), give the new
// used templates their backgrounds, and run the automatic text and picture
// effect runs through hooks the effects subsystem provides.
//
// Call from the thread that owns the Album. Long: takes a progress callback
// and a stop flag; a stop keeps the rows already added.
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <vector>

#include "app/Album.h"

namespace lumora {

// The effect runs that follow matching, plugged in by the caller. Each
// returns a notice for the user, or "" when there is nothing to say.
struct AddStepHooks {
    // The automatic text placement (all categories, every template), run when
    // the setting "自动添加文字特效" is on.
    std::function<QString(Album &)> autoTextEffects;
    // The automatic picture placement (family row 0), run when the setting
    // "自动添加画面特效" is on and no picture effect is left.
    std::function<QString(Album &)> autoPictureEffects;
    // Asks "检测到已经添加了画面特效,重新添加画面特效,需要先删除已经添加的画面特效!是否确定要删除?"
    // (title "画面特效") when picture effects exist; true = delete them.
    // Without this hook existing picture effects are kept and none are added.
    std::function<bool(Album &)> confirmReplacePictureEffects;
};

enum class AssignMethod {
    Random, // matching pass ("shiyong_suijimoban")
    Pack, // template pack `pack` ("shiyong_zuhemoban")
};

struct AddPhotosRequest {
    QStringList files; // in the order the user chose them
    AssignMethod method = AssignMethod::Random;
    int pack = 1; // 1-based pack number for AssignMethod::Pack
    // Where faces found before are kept (FaceScan.h); photos found there are
    // placed around their faces at once. Empty: none.
    QString faceCacheFolder = {};
};

struct RefusedPhoto {
    QString path;
    QString reason; // Chinese, with the decoder's message
};

struct AddPhotosReport {
    int added = 0; // photo rows appended
    // Files that are not readable JPEGs, that even at 1/8 scale would not
    // decode within the memory budget, or whose data cannot hold the size
    // their header declares.
    std::vector<RefusedPhoto> refused;
    // Photos added although their file was cut short: they show what the
    // decoder can read, the rest grey (one notice in `notices` names them).
    QStringList incomplete;
    int templatesAdded = 0; // used templates appended
    int unmatched = 0; // photos of the album whose 套版 is empty afterwards
    int defaultBackgrounds = 0; // background rows given the default picture
    bool stopped = false;
    QStringList notices; // from the pack walk and the effect hooks, in order
};

// Progress of the add: `phase` is "添加照片" while rows are appended and
// "自动匹配模板" while matching; done/maximum within the phase.
using AddProgress = std::function<void(const QString &phase, int done, int maximum)>;

// Runs the add. Random: rows in the given order, background candidates by
// the mode rule, empty background rows filled, matching pass, default
// background for rows still without a picture, then the effect hooks as the
// settings say. Pack: landscape photos first, then portrait ones; candidates
// from landscape photos; the pack walked (and repeated entry by entry until
// every unmatched photo was used, or a whole round used none); no default
// background; then the effect hooks.
// Throws lumora::Error when the pack cannot be read (nothing is added then).
AddPhotosReport addPhotos(Album &album, const AddPhotosRequest &request, const AddStepHooks &hooks = {},
                          const AddProgress &progress = {}, const std::atomic<bool> *stop = nullptr);

} // namespace lumora
