#include "production/OutputOptions.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

#include "app/Album.h"
#include "app/FlagWords.h"
#include "app/Language.h"

namespace lumora {

QString outputTypeName(OutputType type)
{
    switch (type) {
    case OutputType::VCD: return QStringLiteral("VCD");
    case OutputType::SVCD: return QStringLiteral("SVCD");
    case OutputType::DVD: return QStringLiteral("DVD");
    case OutputType::AVI: return QStringLiteral("AVI");
    case OutputType::WMV: return QStringLiteral("WMV");
    case OutputType::MP4: return QStringLiteral("MP4");
    case OutputType::MOV: return QStringLiteral("MOV");
    }
    return {};
}

std::optional<OutputType> outputTypeFromName(const QString &name)
{
    for (OutputType t : {OutputType::VCD, OutputType::SVCD, OutputType::DVD, OutputType::AVI, OutputType::WMV,
                         OutputType::MP4, OutputType::MOV})
        if (outputTypeName(t).compare(name, Qt::CaseInsensitive) == 0)
            return t;
    return std::nullopt;
}

QString outputExtension(OutputType type)
{
    switch (type) {
    case OutputType::VCD:
    case OutputType::SVCD:
    case OutputType::DVD: return QStringLiteral(".mpg");
    case OutputType::AVI: return QStringLiteral(".avi");
    case OutputType::WMV: return QStringLiteral(".wmv");
    case OutputType::MP4: return QStringLiteral(".mp4");
    case OutputType::MOV: return QStringLiteral(".mov");
    }
    return {};
}

int defaultSizeEntry(OutputType type)
{
    return type == OutputType::MOV ? 7 : 4;
}

namespace {
std::vector<QSize> turned(std::vector<QSize> sizes)
{
    for (QSize &s : sizes)
        s.transpose();
    return sizes;
}
} // namespace

std::vector<QSize> outputSizes(OutputType type, ModeKind mode)
{
    using V = std::vector<QSize>;
    const V mp4{{320, 176},  {464, 256},  {640, 368},   {800, 480},  {1280, 720},
                {1440, 816}, {1600, 896}, {1920, 1080}, {2048, 1152}};
    V wmvMov = mp4;
    wmvMov[7] = QSize(1920, 1088);
    switch (type) {
    case OutputType::MP4: return mode == ModeKind::Portrait ? turned(mp4) : mp4;
    case OutputType::WMV:
    case OutputType::MOV: return mode == ModeKind::Portrait ? turned(wmvMov) : wmvMov;
    default: break;
    }
    const bool vcd = type == OutputType::VCD;
    switch (mode) {
    case ModeKind::Portrait:
        if (vcd)
            return {{176, 320}, {256, 464}, {368, 640}, {460, 690}, {480, 720}};
        return {{176, 320},  {256, 464},  {368, 640},   {480, 800},  {720, 1280},
                {816, 1440}, {896, 1600}, {1080, 1920}, {1152, 2048}};
    case ModeKind::Wide16x9: {
        if (vcd)
            return {{320, 176}, {464, 256}, {640, 368}, {800, 480}, {1280, 720}};
        V s = mp4;
        if (type == OutputType::DVD) {
            s.push_back({3656, 2056});
            s.push_back({3840, 2160});
        }
        return s;
    }
    case ModeKind::Wide4x3:
        if (vcd)
            return {{352, 288}, {640, 513}, {720, 576}, {800, 641}, {898, 720}};
        return {{352, 288},   {720, 576},   {800, 641},   {1024, 821},
                {1280, 1026}, {1400, 1122}, {1600, 1282}, {2048, 1642}};
    }
    return {};
}

QString sizeText(QSize size)
{
    return QStringLiteral("%1 × %2").arg(size.width()).arg(size.height());
}

QString qualityKey(QualityLevel level)
{
    switch (level) {
    case QualityLevel::Biaoqing: return QStringLiteral("biaoqing");
    case QualityLevel::Gaoqing: return QStringLiteral("gaoqing");
    case QualityLevel::Chaoqing: return QStringLiteral("chaoqing");
    }
    return {};
}

std::optional<QualityLevel> qualityFromKey(const QString &key)
{
    for (QualityLevel l : {QualityLevel::Biaoqing, QualityLevel::Gaoqing, QualityLevel::Chaoqing})
        if (qualityKey(l) == key)
            return l;
    return std::nullopt;
}

QString tvSystemName(TvSystem tv)
{
    return tv == TvSystem::PAL ? QStringLiteral("PAL") : QStringLiteral("NTSC");
}

QString OutputChoice::outputPath() const
{
    QString f = folder;
    if (!f.isEmpty() && !f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f + albumName + outputExtension(type);
}

OutputChoice defaultOutputChoice(ModeKind mode, OutputType type)
{
    OutputChoice c;
    c.type = type;
    c.size = outputSizes(type, mode).at(size_t(defaultSizeEntry(type)));
    return c;
}

QString syncModeKey(SyncMode sync)
{
    switch (sync) {
    case SyncMode::Template: return QStringLiteral("template");
    case SyncMode::Music: return QStringLiteral("music");
    case SyncMode::Beat: return QStringLiteral("beat");
    }
    return QStringLiteral("template");
}

std::optional<SyncMode> syncModeFromKey(const QString &key)
{
    for (SyncMode m : {SyncMode::Template, SyncMode::Music, SyncMode::Beat})
        if (key == syncModeKey(m))
            return m;
    return std::nullopt;
}

QString productionStartRefusal(const Album &album, SyncMode sync)
{
    if (album.cells.is(cell::kTuichu, flag::kPlaying))
        return shownText("lumora::notice", kPlayingGuardNotice);
    if (album.ListView_daoru_zhaopian.empty())
        return QCoreApplication::translate("lumora::OutputOptions", "没有添加照片文件！");
    if (sync != SyncMode::Template && album.ListView_daoru_yinyue.empty())
        return QCoreApplication::translate("lumora::OutputOptions",
                                           "没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！");
    if (album.ListView_moban_shiyong.empty())
        return QCoreApplication::translate("lumora::OutputOptions", "没有添加模板文件！");
    return {};
}

QString albumNameRefusal(const QString &name)
{
    return name.trimmed().isEmpty()
        ? QCoreApplication::translate("lumora::OutputOptions", "相册名称不能为空,请输入相册名称！")
        : QString();
}

FrameGeometry frameGeometry(QSize output, ModeKind mode)
{
    FrameGeometry g;
    g.output = output;
    g.encoded = QSize(output.width() & ~1, output.height() & ~1);
    const QSize modeSize = AlbumMode::get(mode).output;
    const int cw = g.encoded.width();
    const int ch = g.encoded.height();
    // Largest rectangle of the mode's proportions inside the frame. A
    // difference of at most half a percent (one or two pixels) is rounding of
    // the size tables, not other proportions: bars that thin would only show
    // as dark lines at the edge.
    int w = int(std::lround(double(ch) * modeSize.width() / modeSize.height()));
    int h = ch;
    if (w > cw) {
        w = cw;
        h = int(std::lround(double(cw) * modeSize.height() / modeSize.width()));
    }
    if (cw - w <= std::max(1, cw / 200))
        w = cw;
    if (ch - h <= std::max(1, ch / 200))
        h = ch;
    g.album = QRect((cw - w) / 2, (ch - h) / 2, w, h);
    return g;
}

} // namespace lumora
