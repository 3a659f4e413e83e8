// lumora-make: produces an album video from the command line, through the
// same engine path as the windows: album reset for the mode, the add step
// (matching, backgrounds, automatic effects as the settings say), songs and
// lyric files, then the production run with a progress bar on the terminal.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>
#include <QTextStream>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <optional>
#include <thread>
#include <unistd.h>

#include "album/AddStep.h"
#include "album/AlbumTables.h"
#include "app/Album.h"
#include "app/Error.h"
#include "app/Heap.h"
#include "app/Language.h"
#include "app/Paths.h"
#include "effects/CustomCaptions.h"
#include "effects/EffectPlacement.h"
#include "effects/EffectTables.h"
#include "media/LrcParser.h"
#include "media/MusicList.h"
#include "production/ProductionRun.h"
#include "resources/FolderOps.h"
#include "resources/WorkRoot.h"
#include "session/AlbumSession.h"
#include "session/PlanReport.h"
#include "session/ProjectFile.h"
#include "templates/Catalogue.h"

using namespace lumora;

namespace {

std::atomic<bool> g_stop{false};

void onInterrupt(int)
{
    g_stop = true;
}

enum Exit { kOk = 0, kRefused = 1, kUsage = 2, kFailed = 3, kStopped = 130 };

void err(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}
void out(const QString &text)
{
    std::fprintf(stdout, "%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

const char kUsageText[] = QT_TRANSLATE_NOOP("lumora-make", R"(用法: lumora-make [选项] [照片.jpg | 文件夹 ...]
      lumora-make [--type … --size … --quality … --tv … --out … --loudness …] 相册.lumora ...
  --mode 16:9|4:3|portrait          相册模式 (默认 16:9)
  --type VCD|SVCD|DVD|AVI|WMV|MP4|MOV   输出类型 (默认 MP4)
  --size WxH                        该类型在此模式下的一个尺寸 (默认: 该类型的默认尺寸)
  --quality biaoqing|gaoqing|chaoqing   画质 (默认 biaoqing)
  --tv PAL|NTSC                     电视制式 (默认 PAL)
  --sync template|music|beat        同步方式 (默认 template; beat: 随音乐节拍同步)
  --music FILE                      歌曲 (MP3), 可重复, 按顺序
  --lyrics FILE                     歌词 (LRC), 可重复, 按顺序与歌曲配对
  --pack K                          使用第 K 个模板组合分配模板
  --text-effects on|off             导入时自动添加文字特效 (默认 on)
  --picture-effects on|off          导入时自动添加画面特效 (默认 off)
  --faces on|off                    按人脸位置剪裁照片 (默认 on)
  --loudness on|off                 各首歌曲统一到相同音量 (默认 on)
  --theme 全部|婚纱|...              自动文字特效的主题分类 (默认 全部)
  --seed N                          随机种子: 同样的输入和种子得到同样的相册
  --name NAME  --out DIR            相册名称和保存文件夹
  --title TEXT  --subtitle TEXT     片头标题 (及第二行), 显示在第一个模板上 (默认不加)
  --ending TEXT                     片尾字幕, 在结束动画之前显示 (默认不加)
  --caption 秒,样式,文字             自定义文字: 开始的秒数、样式 (如 jinse_biaoti 或 金色标题)
                                    和文字 (\n 换行); 可重复
  --plan [--json]                   只显示相册计划, 不制作
  --lang zh|en                      界面语言 (默认跟随系统的语言设置)
不给照片时, 用自带的示例照片、示例歌曲和歌词制作演示相册。
给出相册文件 (.lumora) 时, 按文件中保存的相册制作视频, 每个文件一个视频。)");

struct Options {
    ModeKind mode = ModeKind::Wide16x9;
    OutputType type = OutputType::MP4;
    std::optional<QSize> size;
    QualityLevel quality = QualityLevel::Biaoqing;
    TvSystem tv = TvSystem::PAL;
    SyncMode sync = SyncMode::Template;
    QStringList music, lyrics, inputs;
    int pack = 0;
    bool textEffects = true;
    bool pictureEffects = false;
    bool faces = true;
    bool loudness = true;
    int theme = -1;
    std::optional<std::uint64_t> seed;
    std::optional<QString> name;
    QString outDir, programFolder;
    bool plan = false, json = false, help = false;
    QString title, subtitle, ending;
    struct Caption {
        int seconds = 0;
        QString style, text;
    };
    std::vector<Caption> captions;
    QSet<QString> given; // the options on the command line
};

// "SECONDS,STYLE,TEXT": the style by key or by its shown name.
std::optional<Options::Caption> parseCaption(const QString &v)
{
    const int a = v.indexOf(QLatin1Char(','));
    const int b = a < 0 ? -1 : v.indexOf(QLatin1Char(','), a + 1);
    if (b < 0)
        return std::nullopt;
    bool ok = false;
    const int seconds = v.left(a).trimmed().toInt(&ok);
    if (!ok || seconds < 0 || seconds >= 60 * 3600)
        return std::nullopt;
    const QString style = v.mid(a + 1, b - a - 1).trimmed();
    for (const CaptionStyleInfo &i : captionStyles())
        if (i.key == style || i.name == style) {
            QString text = v.mid(b + 1);
            text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            if (captionLines(text).isEmpty())
                return std::nullopt;
            return Options::Caption{seconds, i.key, text};
        }
    return std::nullopt;
}

// Parses the arguments; returns a message for a usage error.
QString parseArguments(const QStringList &args, Options &o)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString a = args[i];
        auto value = [&](QString &v) -> bool {
            if (i + 1 >= args.size())
                return false;
            v = args[++i];
            return true;
        };
        auto onOff = [](const QString &v, bool &flag) {
            if (v == QLatin1String("on"))
                flag = true;
            else if (v == QLatin1String("off"))
                flag = false;
            else
                return false;
            return true;
        };
        QString v;
        const bool needsValue = a.startsWith(QLatin1String("--")) && a != QLatin1String("--plan")
            && a != QLatin1String("--json") && a != QLatin1String("--help");
        if (needsValue && !value(v))
            return QCoreApplication::translate("lumora-make", "选项 %1 缺少取值").arg(a);
        if (a.startsWith(QLatin1String("--")))
            o.given.insert(a);
        if (a == QLatin1String("--mode")) {
            const auto m = AlbumMode::fromName(v);
            if (!m)
                return QCoreApplication::translate("lumora-make", "未知的相册模式：%1（可用 16:9、4:3、portrait）")
                    .arg(v);
            o.mode = *m;
        } else if (a == QLatin1String("--type")) {
            const auto t = outputTypeFromName(v);
            if (!t)
                return QCoreApplication::translate("lumora-make",
                                                   "未知的输出类型：%1（可用 VCD、SVCD、DVD、AVI、WMV、MP4、MOV）")
                    .arg(v);
            o.type = *t;
        } else if (a == QLatin1String("--size")) {
            const QStringList wh
                = v.toLower().replace(QStringLiteral("×"), QStringLiteral("x")).split(QLatin1Char('x'));
            bool okW = false, okH = false;
            if (wh.size() == 2)
                o.size = QSize(wh[0].trimmed().toInt(&okW), wh[1].trimmed().toInt(&okH));
            if (!okW || !okH)
                return QCoreApplication::translate("lumora-make", "尺寸应写成 宽x高，例如 1280x720：%1").arg(v);
        } else if (a == QLatin1String("--quality")) {
            const auto q = qualityFromKey(v);
            if (!q)
                return QCoreApplication::translate("lumora-make", "未知的画质：%1（可用 biaoqing、gaoqing、chaoqing）")
                    .arg(v);
            o.quality = *q;
        } else if (a == QLatin1String("--tv")) {
            if (v.compare(QLatin1String("PAL"), Qt::CaseInsensitive) == 0)
                o.tv = TvSystem::PAL;
            else if (v.compare(QLatin1String("NTSC"), Qt::CaseInsensitive) == 0)
                o.tv = TvSystem::NTSC;
            else
                return QCoreApplication::translate("lumora-make", "未知的电视制式：%1（可用 PAL、NTSC）").arg(v);
        } else if (a == QLatin1String("--sync")) {
            if (const auto sync = syncModeFromKey(v))
                o.sync = *sync;
            else
                return QCoreApplication::translate("lumora-make", "未知的同步方式：%1（可用 template、music、beat）")
                    .arg(v);
        } else if (a == QLatin1String("--music")) {
            o.music << v;
        } else if (a == QLatin1String("--lyrics")) {
            o.lyrics << v;
        } else if (a == QLatin1String("--pack")) {
            bool ok = false;
            o.pack = v.toInt(&ok);
            if (!ok || o.pack < 1)
                return QCoreApplication::translate("lumora-make", "模板组合编号应为正整数：%1").arg(v);
        } else if (a == QLatin1String("--text-effects")) {
            if (!onOff(v, o.textEffects))
                return QCoreApplication::translate("lumora-make", "--text-effects 只能是 on 或 off：%1").arg(v);
        } else if (a == QLatin1String("--picture-effects")) {
            if (!onOff(v, o.pictureEffects))
                return QCoreApplication::translate("lumora-make", "--picture-effects 只能是 on 或 off：%1").arg(v);
        } else if (a == QLatin1String("--faces")) {
            if (!onOff(v, o.faces))
                return QCoreApplication::translate("lumora-make", "--faces 只能是 on 或 off：%1").arg(v);
        } else if (a == QLatin1String("--loudness")) {
            if (!onOff(v, o.loudness))
                return QCoreApplication::translate("lumora-make", "--loudness 只能是 on 或 off：%1").arg(v);
        } else if (a == QLatin1String("--theme")) {
            // "all" stands for 全部 (every category) in any language.
            o.theme = v == QLatin1String("all") ? -1 : textEffectThemeFromName(v);
            if (o.theme == kNoTextEffectTheme)
                return QCoreApplication::translate("lumora-make", "未知的文字特效主题：%1（可用 全部、%2）")
                    .arg(v, textEffectThemeNames().join(QStringLiteral("、")));
        } else if (a == QLatin1String("--seed")) {
            bool ok = false;
            const qulonglong seed = v.toULongLong(&ok);
            if (!ok)
                return QCoreApplication::translate("lumora-make", "随机种子应为非负整数：%1").arg(v);
            o.seed = seed;
        } else if (a == QLatin1String("--name")) {
            o.name = v; // given, even when empty (then refused)
        } else if (a == QLatin1String("--out")) {
            o.outDir = v;
        } else if (a == QLatin1String("--program-folder")) {
            o.programFolder = v; // a test tree in place of the executable's folder
        } else if (a == QLatin1String("--title")) {
            o.title = v;
        } else if (a == QLatin1String("--subtitle")) {
            o.subtitle = v;
        } else if (a == QLatin1String("--ending")) {
            o.ending = v;
        } else if (a == QLatin1String("--caption")) {
            const auto c = parseCaption(v);
            if (!c)
                return QCoreApplication::translate("lumora-make", "自定义文字应为“秒,样式,文字”（样式：%1）：%2")
                    .arg(captionStyleKeys().join(QLatin1Char('|')), v);
            o.captions.push_back(*c);
        } else if (a == QLatin1String("--plan")) {
            o.plan = true;
        } else if (a == QLatin1String("--json")) {
            o.json = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a.startsWith(QLatin1String("-"))) {
            return QCoreApplication::translate("lumora-make", "未知的选项：%1").arg(a);
        } else {
            o.inputs << a;
        }
    }
    if (o.json && !o.plan)
        return QCoreApplication::translate("lumora-make", "--json 只能与 --plan 一起使用");
    if (!o.subtitle.trimmed().isEmpty() && o.title.trimmed().isEmpty())
        return QCoreApplication::translate("lumora-make", "--subtitle 只能与 --title 一起使用");
    return {};
}

class ProgressBar {
public:
    ProgressBar() : m_tty(isatty(fileno(stderr))) { }
    void show(const QString &phase, long long done, long long total)
    {
        if (total <= 0)
            return;
        const int percent = int(done * 100 / total);
        if (!m_tty) {
            // Lines, not carriage returns, when stderr is a log: every 10 %.
            if (phase != m_phase || percent / 10 != m_lastDecile || done == total) {
                m_lastDecile = percent / 10;
                m_phase = phase;
                std::fprintf(stderr, "%s %lld/%lld (%d%%)\n", phase.toUtf8().constData(), done, total, percent);
            }
            return;
        }
        if (phase != m_phase && !m_phase.isEmpty())
            std::fputc('\n', stderr);
        m_phase = phase;
        constexpr int kWidth = 40;
        const int filled = int(done * kWidth / total);
        std::fprintf(stderr, "\r%s [%s%s] %3d%% %lld/%lld", phase.toUtf8().constData(),
                     std::string(size_t(filled), '#').c_str(), std::string(size_t(kWidth - filled), '-').c_str(),
                     percent, done, total);
        std::fflush(stderr);
    }
    void end()
    {
        if (m_tty && !m_phase.isEmpty())
            std::fputc('\n', stderr);
        m_phase.clear();
    }

private:
    bool m_tty;
    QString m_phase;
    int m_lastDecile = -1;
};

// Produces the planned album with the progress bar on the terminal, and
// names every photo that had to be replaced by a placeholder.
ProductionResult produceWithProgress(AlbumSession &session, const ProductionPlan &plan, ProgressBar &bar)
{
    ProductionCallbacks callbacks;
    callbacks.staging
        = [&](int done, int max) { bar.show(QCoreApplication::translate("lumora-make", "准备照片"), done, max); };
    callbacks.frames = [&](long long done, long long total) {
        if (done % 5 == 0 || done == total)
            bar.show(QCoreApplication::translate("lumora-make", "制作相册"), done, total);
    };
    const ProductionResult result = session.produce(plan, callbacks, &g_stop);
    bar.end();
    for (const QString &f : result.stagingFailures)
        err(QCoreApplication::translate("lumora-make", "照片无法读取，已用占位图代替：%1").arg(f));
    return result;
}

void printPlan(const Album &album, const ProductionPlan &plan, const std::vector<RefusedPhoto> &refused)
{
    out(QCoreApplication::translate("lumora-make", "相册：%1  模式 %2  %3 %4 %5 %6")
            .arg(plan.choice.albumName, album.modeInfo().shortName, outputTypeName(plan.choice.type),
                 sizeText(plan.choice.size), qualityKey(plan.choice.quality), tvSystemName(plan.choice.tv)));
    out(QCoreApplication::translate("lumora-make", "总帧数：%1（%2 秒）")
            .arg(plan.totalFrames)
            .arg(double(plan.totalFrames) / 25.0, 0, 'f', 2));
    out(QCoreApplication::translate("lumora-make", "模板：%1 个").arg(plan.templateList.size()));
    if (plan.choice.sync == SyncMode::Beat)
        for (const FittedTemplate &f : plan.fits)
            out(QCoreApplication::translate("lumora-make", "  第 %1 帧起 %2 帧，速度 %3%4")
                    .arg(f.start)
                    .arg(f.frames)
                    .arg(f.rate, 0, 'f', 3)
                    .arg(f.endsOnStrongBeat ? QCoreApplication::translate("lumora-make", "，换在强拍")
                             : f.endsOnBeat ? QCoreApplication::translate("lumora-make", "，换在节拍")
                                            : QString()));
    for (const Row &t : plan.templateList)
        out(QCoreApplication::translate("lumora-make", "  %1  %2  %3 帧")
                .arg(t.subItem(0), t.subItem(5))
                .arg(catalogueFrames(album, t.caption().toInt())));
    out(QCoreApplication::translate("lumora-make", "照片：%1 张，拒绝 %2 张")
            .arg(album.ListView_daoru_zhaopian.size())
            .arg(refused.size()));
    out(QCoreApplication::translate("lumora-make", "歌曲：%1 首，播放列表 %2 首")
            .arg(album.ListView_daoru_yinyue.size())
            .arg(plan.musicList.size()));
    out(QCoreApplication::translate("lumora-make", "文字特效：%1  画面特效：%2")
            .arg(album.wenzi_ListView_Image.size())
            .arg(album.huamian_ListView_Image.size()));
    out(QCoreApplication::translate("lumora-make", "输出：%1").arg(plan.choice.outputPath()));
}

int run(const Options &o)
{
    // This run's own working root: two runs work side by side and the
    // resource tree is only read.
    std::unique_ptr<WorkRoot> work;
    try {
        work = WorkRoot::create();
    } catch (const Error &e) {
        err(e.message());
        return kFailed;
    }
    AlbumSession session(o.programFolder, work->path(), o.seed);
    Album &album = session.album();
    const Paths &paths = session.paths();

    // The album mode: catalogue for the mode, then the album reset.
    session.chooseMode(o.mode);
    album.settings.wenzitexiaoTianjia = o.textEffects;
    album.settings.huamiantexiaoTianjia = o.pictureEffects;
    album.settings.faceCrop = o.faces;
    album.settings.mobanZuheShiyong = o.pack > 0;
    album.settings.textEffectTheme = o.theme;
    album.settings.yinliangTongyi = o.loudness;

    // Without photos: the demo album from the bundled sample content.
    QStringList inputs = o.inputs;
    QStringList songs = o.music;
    QStringList lyrics = o.lyrics;
    QString name = o.name.value_or(QString());
    const bool named = o.name.has_value();
    if (inputs.isEmpty()) {
        inputs << paths.samplePhotoFolder();
        if (songs.isEmpty()) {
            songs << paths.sampleSong();
            if (lyrics.isEmpty())
                lyrics << paths.sampleLyrics();
        }
        if (!named)
            name = QStringLiteral("演示相册");
        if (!QFileInfo(paths.samplePhotoFolder()).isDir()) {
            err(QCoreApplication::translate("lumora-make", "没有找到示例照片：%1").arg(paths.samplePhotoFolder()));
            return kRefused;
        }
    }
    if (!named && name.isEmpty())
        name = QStringLiteral("我的相册");

    // Output choice first: a wrong size or name is refused before any work.
    OutputChoice choice = defaultOutputChoice(o.mode, o.type);
    const std::vector<QSize> sizes = outputSizes(o.type, o.mode);
    if (o.size) {
        if (std::find(sizes.begin(), sizes.end(), *o.size) == sizes.end()) {
            QStringList offered;
            for (QSize s : sizes)
                offered << QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
            err(QCoreApplication::translate("lumora-make", "%1 在此模式下没有尺寸 %2x%3。可用尺寸：%4")
                    .arg(outputTypeName(o.type))
                    .arg(o.size->width())
                    .arg(o.size->height())
                    .arg(offered.join(QStringLiteral(", "))));
            return kUsage;
        }
        choice.size = *o.size;
    }
    choice.quality = o.quality;
    choice.tv = o.tv;
    choice.sync = o.sync;
    choice.albumName = name;
    choice.folder = withSlash(QFileInfo(o.outDir.isEmpty() ? QDir::currentPath() : o.outDir).absoluteFilePath());
    if (const QString refusal = AlbumSession::albumNameRefusal(name); !refusal.isEmpty()) {
        err(refusal);
        return kUsage;
    }
    session.output() = choice;

    // Songs and lyric files: a bad one refuses the album by name.
    const MediaAddReport addedSongs = session.addSongs(songs, {}, &g_stop);
    const MediaAddReport addedLyrics = session.addLyricFiles(lyrics);
    bool badMedia = false;
    for (const MediaAddReport *r : {&addedSongs, &addedLyrics}) {
        for (const RefusedFile &f : r->refused) {
            err(f.reason.contains(f.path) ? f.reason : QStringLiteral("%1：%2").arg(f.path, f.reason));
            badMedia = true;
        }
        for (const QString &n : r->notices)
            err(n);
    }
    if (badMedia)
        return kRefused;

    // Photos: the add step with matching, backgrounds and automatic effects.
    ProgressBar bar;
    PhotoAddOptions add;
    add.pack = o.pack;
    add.stop = &g_stop;
    add.progress = [&](const QString &phase, int done, int max) {
        if (!o.plan)
            bar.show(phase, done, max);
    };
    AddPhotosReport added;
    try {
        added = session.addPhotos(inputs, add);
    } catch (const Error &e) {
        bar.end();
        err(e.message());
        return kRefused;
    }
    bar.end();
    for (const RefusedPhoto &r : added.refused)
        err(QCoreApplication::translate("lumora-make", "照片被拒绝：%1（%2）").arg(r.path, r.reason));
    for (const QString &notice : added.notices)
        if (!notice.isEmpty())
            err(notice);
    // Faces of the photos not found in the face cache, on every core; the
    // slots are placed around them.
    if (album.settings.faceCrop && !g_stop) {
        session.findFaces(int(std::max(1u, std::thread::hardware_concurrency())), &g_stop, [&](int done, int max) {
            if (!o.plan)
                bar.show(QCoreApplication::translate("lumora-make", "查找人脸"), done, max);
        });
        bar.end();
    }
    if (g_stop) {
        err(QCoreApplication::translate("lumora-make", "已停止。"));
        return kStopped;
    }

    album.settings.piantouBiaoti = o.title;
    album.settings.piantouFubiaoti = o.subtitle;
    album.settings.pianweiZimu = o.ending;
    for (const Options::Caption &c : o.captions) {
        const EffectResult r
            = addCustomCaption(album, c.text, c.style, {c.seconds / 3600, (c.seconds / 60) % 60, c.seconds % 60});
        if (!r.changed) {
            err(r.notice);
            return kUsage;
        }
    }

    ProductionPlan plan;
    try {
        plan = session.plan(choice, &g_stop);
    } catch (const Error &e) {
        err(e.message());
        return kRefused;
    }
    if (g_stop)
        return kStopped;
    for (const QString &notice : plan.notices)
        err(notice);

    if (o.plan) {
        if (o.json)
            out(QString::fromStdString(planJsonText(album, plan, added.refused)));
        else
            printPlan(album, plan, added.refused);
        return kOk;
    }

    if (!QDir().mkpath(choice.folder) || !QFileInfo(choice.folder).isWritable()) {
        err(QCoreApplication::translate("lumora-make", "无法写入保存文件夹：%1").arg(choice.folder));
        return kRefused;
    }
    const ProductionResult result = produceWithProgress(session, plan, bar);
    switch (result.outcome) {
    case ProductionOutcome::Completed: out(result.outputPath); return kOk;
    case ProductionOutcome::Stopped:
        err(QCoreApplication::translate("lumora-make", "已停止制作。已经制作的 %1 帧保存在（可以播放）：%2")
                .arg(result.framesComposed)
                .arg(result.outputPath));
        return kStopped;
    case ProductionOutcome::StoppedEarly:
        err(QCoreApplication::translate("lumora-make", "已停止制作，没有生成文件。"));
        return kStopped;
    case ProductionOutcome::Failed:
        err(QCoreApplication::translate("lumora-make", "制作失败：%1")
                .arg(result.error.isEmpty() ? QCoreApplication::translate("lumora-make", "编码器出错") : result.error));
        return kFailed;
    }
    return kFailed;
}

bool isAlbumFile(const QString &input)
{
    return input.endsWith(kProjectExtension, Qt::CaseInsensitive);
}

// One saved album: opened as the windows open it, the output choices stored
// in it with the command line's on top, then planned and produced. Returns
// the exit status; `summary` gets the one line that says how it went.
int makeAlbumFile(const Options &o, const QString &file, const QString &workRoot, QString &summary)
{
    const QString shown = QDir::toNativeSeparators(file);
    auto refuse = [&](int code, const QString &why) {
        summary = QCoreApplication::translate("lumora-make", "失败：%1：%2").arg(shown, why);
        return code;
    };
    AlbumSession session(o.programFolder, workRoot);
    try {
        const ProjectOpenReport opened = openProject(session, file, MissingFiles::Refuse);
        if (!opened.loaded)
            return refuse(kRefused, missingFilesNotice(opened.missing).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    } catch (const IntegrityError &e) {
        return refuse(kFailed, QCoreApplication::translate("lumora-make", "资源文件损坏：%1").arg(e.message()));
    } catch (const Error &e) {
        return refuse(kRefused, e.message());
    }
    if (o.seed)
        session.random().reseed(o.seed);
    Album &album = session.album();
    if (o.given.contains(QStringLiteral("--loudness")))
        album.settings.yinliangTongyi = o.loudness;

    // The stored choices, with the command line's on top. A type given
    // without a size takes that type's default size for the mode.
    OutputChoice choice = session.output();
    if (o.given.contains(QStringLiteral("--type")) && o.type != choice.type) {
        const OutputChoice defaults = defaultOutputChoice(album.mode, o.type);
        choice.type = o.type;
        choice.size = defaults.size;
    }
    if (o.size) {
        const std::vector<QSize> sizes = outputSizes(choice.type, album.mode);
        if (std::find(sizes.begin(), sizes.end(), *o.size) == sizes.end()) {
            QStringList offered;
            for (QSize size : sizes)
                offered << QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
            return refuse(kUsage,
                          QCoreApplication::translate("lumora-make", "%1 在此模式下没有尺寸 %2x%3。可用尺寸：%4")
                              .arg(outputTypeName(choice.type))
                              .arg(o.size->width())
                              .arg(o.size->height())
                              .arg(offered.join(QStringLiteral(", "))));
        }
        choice.size = *o.size;
    }
    if (o.given.contains(QStringLiteral("--quality")))
        choice.quality = o.quality;
    if (o.given.contains(QStringLiteral("--tv")))
        choice.tv = o.tv;
    if (o.name)
        choice.albumName = *o.name;
    if (choice.albumName.isEmpty())
        choice.albumName = QFileInfo(file).completeBaseName();
    // The folder given, else the stored one when it exists here (an album
    // made on another machine names a folder of that machine), else the
    // current folder.
    QString folder = o.outDir;
    if (folder.isEmpty() && !choice.folder.isEmpty() && QFileInfo(choice.folder).isDir())
        folder = choice.folder;
    if (folder.isEmpty())
        folder = QDir::currentPath();
    choice.folder = withSlash(QFileInfo(folder).absoluteFilePath());
    if (const QString refusal = AlbumSession::albumNameRefusal(choice.albumName); !refusal.isEmpty())
        return refuse(kUsage, refusal);
    session.output() = choice;

    ProductionPlan plan;
    try {
        plan = session.plan(choice, &g_stop);
    } catch (const Error &e) {
        return refuse(kRefused, e.message());
    }
    if (g_stop)
        return refuse(kStopped, QCoreApplication::translate("lumora-make", "已停止。"));
    if (o.plan) {
        if (o.json)
            out(QString::fromStdString(planJsonText(album, plan, {})));
        else
            printPlan(album, plan, {});
        summary = QCoreApplication::translate("lumora-make", "完成：%1").arg(shown);
        return kOk;
    }
    if (!QDir().mkpath(choice.folder) || !QFileInfo(choice.folder).isWritable())
        return refuse(kRefused,
                      QCoreApplication::translate("lumora-make", "无法写入保存文件夹：%1").arg(choice.folder));
    ProgressBar bar;
    const ProductionResult result = produceWithProgress(session, plan, bar);
    switch (result.outcome) {
    case ProductionOutcome::Completed:
        summary = QCoreApplication::translate("lumora-make", "完成：%1 → %2").arg(shown, result.outputPath);
        return kOk;
    case ProductionOutcome::Stopped:
        return refuse(kStopped,
                      QCoreApplication::translate("lumora-make", "已停止制作。已经制作的 %1 帧保存在（可以播放）：%2")
                          .arg(result.framesComposed)
                          .arg(result.outputPath));
    case ProductionOutcome::StoppedEarly:
        return refuse(kStopped, QCoreApplication::translate("lumora-make", "已停止制作，没有生成文件。"));
    case ProductionOutcome::Failed: break;
    }
    return refuse(
        kFailed,
        QCoreApplication::translate("lumora-make", "制作失败：%1")
            .arg(result.error.isEmpty() ? QCoreApplication::translate("lumora-make", "编码器出错") : result.error));
}

// Several album files: one video each, in order; a failed one does not stop
// the others (a stop does). The exit status is that of the first album that
// failed, 0 when every album was made.
int runAlbumFiles(const Options &o)
{
    for (const QString &given : o.given)
        if (!QStringList{QStringLiteral("--type"), QStringLiteral("--size"), QStringLiteral("--quality"),
                         QStringLiteral("--tv"), QStringLiteral("--out"), QStringLiteral("--name"),
                         QStringLiteral("--loudness"), QStringLiteral("--seed"), QStringLiteral("--program-folder"),
                         QStringLiteral("--plan"), QStringLiteral("--json")}
                 .contains(given)) {
            err(QCoreApplication::translate("lumora-make",
                                            "选项 %1 不能与相册文件一起使用：相册文件里已经保存了这些内容")
                    .arg(given));
            return kUsage;
        }
    for (const QString &input : o.inputs)
        if (!isAlbumFile(input)) {
            err(QCoreApplication::translate("lumora-make", "相册文件不能和照片一起给出：%1").arg(input));
            return kUsage;
        }
    if (o.name && o.inputs.size() > 1) {
        err(QCoreApplication::translate("lumora-make", "--name 只能用于一个相册文件"));
        return kUsage;
    }
    std::unique_ptr<WorkRoot> work;
    try {
        work = WorkRoot::create();
    } catch (const Error &e) {
        err(e.message());
        return kFailed;
    }
    int status = kOk;
    for (const QString &file : o.inputs) {
        QString summary;
        const int code = makeAlbumFile(o, QFileInfo(file).absoluteFilePath(), work->path(), summary);
        if (code == kOk)
            out(summary);
        else
            err(summary);
        if (status == kOk)
            status = code;
        if (code == kStopped || g_stop)
            return kStopped;
    }
    return status;
}

} // namespace

// Qt's note about a missing XDG_RUNTIME_DIR means nothing to a user of a
// command-line tool; everything else passes through.
void messageFilter(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (text.startsWith(QLatin1String("QStandardPaths:")))
        return;
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

int main(int argc, char **argv)
{
    lumora::keepLargeBlocksInHeap();
    qInstallMessageHandler(messageFilter);
    // Fonts and text metrics need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    // Messages in the interface's language: --lang, else the system locale.
    QStringList args = app.arguments();
    QString language = resolveInterfaceLanguage(InterfaceLanguage::System);
    std::optional<QString> languageError;
    if (const qsizetype at = args.indexOf(QStringLiteral("--lang")); at >= 0) {
        const QString code = at + 1 < args.size() ? args[at + 1] : QString();
        if (code == QLatin1String("zh") || code == QLatin1String("en"))
            language = code;
        else
            languageError = code;
        args.remove(at, std::min<qsizetype>(2, args.size() - at));
    }
    Translations translations;
    translations.install(language, Paths::resourceFolder());

    Options o;
    QString usage = parseArguments(args, o);
    if (languageError && usage.isEmpty())
        usage = QCoreApplication::translate("lumora-make", "未知的界面语言：%1（可用 zh、en）").arg(*languageError);
    if (o.help) {
        out(QCoreApplication::translate("lumora-make", kUsageText));
        return kOk;
    }
    if (!usage.isEmpty()) {
        err(usage);
        err(QCoreApplication::translate("lumora-make", kUsageText));
        return kUsage;
    }
    try {
        if (std::any_of(o.inputs.begin(), o.inputs.end(), isAlbumFile))
            return runAlbumFiles(o);
        return run(o);
    } catch (const IntegrityError &e) {
        err(QCoreApplication::translate("lumora-make", "资源文件损坏：%1").arg(e.message()));
        return kFailed;
    } catch (const Error &e) {
        err(e.message());
        return kFailed;
    }
}
