#pragma once
// What kind of video comes out of a production: output type, the sizes each
// type offers for the album mode, quality level, television system, sync
// mode, the output path, and the checks made before a production starts.
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

#include "album/SyncMode.h"
#include "app/AlbumMode.h"

namespace lumora {

struct Album;

enum class OutputType { VCD, SVCD, DVD, AVI, WMV, MP4, MOV };
enum class TvSystem { PAL, NTSC };
enum class QualityLevel { Biaoqing, Gaoqing, Chaoqing };
// "template", "music", "beat".
QString syncModeKey(SyncMode sync);
std::optional<SyncMode> syncModeFromKey(const QString &key);

QString outputTypeName(OutputType type); // "VCD" … "MOV"
std::optional<OutputType> outputTypeFromName(const QString &name); // letter case ignored
// ".mpg" for VCD/SVCD/DVD, ".avi", ".wmv", ".mp4", ".mov".
QString outputExtension(OutputType type);
// Entry of the size list selected when a production starts (and by "默认"):
// 4, and 7 for MOV.
int defaultSizeEntry(OutputType type);
// The sizes offered for a type in an album mode, in entry order. The MP4, WMV
// and MOV lists are landscape sizes; in the portrait mode they are offered
// turned (height × width), so that a portrait album fills a portrait file.
std::vector<QSize> outputSizes(OutputType type, ModeKind mode);
// "1280 × 720".
QString sizeText(QSize size);

QString qualityKey(QualityLevel level); // "biaoqing", "gaoqing", "chaoqing"
std::optional<QualityLevel> qualityFromKey(const QString &key);
QString tvSystemName(TvSystem tv); // "PAL", "NTSC"

// The choices that fix one production.
struct OutputChoice {
    OutputType type = OutputType::MP4;
    QSize size; // one of outputSizes(type, mode)
    QualityLevel quality = QualityLevel::Biaoqing;
    TvSystem tv = TvSystem::PAL;
    SyncMode sync = SyncMode::Template;
    QString albumName;
    QString folder; // ends in '/'

    // folder + album name + the type's extension.
    QString outputPath() const;
};

// The choices after an album reset: MP4 at its default size, biaoqing, PAL,
// template sync.
OutputChoice defaultOutputChoice(ModeKind mode, OutputType type = OutputType::MP4);

// The checks of a production start, in order: preview playing, no photos,
// music sync without songs, no used templates. Returns the refusal notice, or
// an empty text when the production may start.
QString productionStartRefusal(const Album &album, SyncMode sync);
// "相册名称不能为空,请输入相册名称！" for an empty name, else empty.
QString albumNameRefusal(const QString &name);

// Frame geometry of a production. Pictures of 4:2:0 video need even sides,
// so an odd side is coded one pixel shorter (640 × 513 → 640 × 512). The
// album keeps its own proportions: when the output's proportions differ from
// the mode's, the album is drawn centred at its own proportions with black
// bars (letterbox or pillarbox), never stretched.
struct FrameGeometry {
    QSize output; // the size chosen
    QSize encoded; // the size coded: output with odd sides made even
    QRect album; // where the album is drawn inside the encoded frame; its size is the render size
};
FrameGeometry frameGeometry(QSize output, ModeKind mode);

} // namespace lumora
