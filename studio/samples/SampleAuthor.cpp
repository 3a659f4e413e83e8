// Sample content of the demo album: photos, the sample song with its lyric
// file, and the default background pictures. One job per output file, so the
// tool runs them in parallel and regenerates only what changed.
#include <QCryptographicHash>

#include "SamplePictures.h"
#include "SampleSong.h"
#include "StudioJob.h"
#include "image/ImageIO.h"
#include "resources/PackedFile.h"

namespace lumora::studio {

namespace {
// Bump when the song's score or synthesiser changes.
constexpr char kSongVersion[] = "song-4";
constexpr char kLyricsVersion[] = "lyrics-3";
constexpr char kPictureVersion[] = "pictures-4";

QByteArray fingerprint(const QString &what, const char *version)
{
    return QCryptographicHash::hash((what + QLatin1Char('|') + QLatin1String(version)).toUtf8(),
                                    QCryptographicHash::Sha1)
        .toHex();
}
} // namespace

std::vector<StudioJob> sampleJobs(const StudioContext &ctx)
{
    const Paths &paths = ctx.paths;
    std::vector<StudioJob> jobs;

    const QString song = paths.sampleSong();
    jobs.push_back({QStringLiteral("sample song"), {song}, fingerprint(song, kSongVersion), [song] {
                        writeMp3(song, renderSampleSong(), kSongSampleRate, 160000, QStringLiteral("甜蜜蜜"),
                                 QStringLiteral("Lumora 原创"));
                    }});
    const QString lyrics = paths.sampleLyrics();
    jobs.push_back({QStringLiteral("sample lyrics"), {lyrics}, fingerprint(lyrics, kLyricsVersion), [lyrics] {
                        writeFileBytes(lyrics, sampleLyricsLrc());
                    }});

    for (const SamplePhoto &photo : samplePhotos()) {
        const QString path = paths.samplePhotoFolder() + photo.fileName;
        jobs.push_back({QStringLiteral("sample photo ") + photo.fileName,
                        {path},
                        fingerprint(path + photo.fingerprint, kPictureVersion),
                        [path, photo] { writeFileBytes(path, samplePhotoJpeg(photo)); }});
    }

    const struct {
        ModeKind mode;
        QSize size;
    } backgrounds[] = {{ModeKind::Wide16x9, {1920, 1080}}, {ModeKind::Portrait, {1080, 1920}}};
    for (const auto &b : backgrounds) {
        const QString path = paths.defaultBackgroundPacked(b.mode);
        const QSize size = b.size;
        jobs.push_back({QStringLiteral("default background ") + path.section(QLatin1Char('/'), -1),
                        {path},
                        fingerprint(path, kPictureVersion),
                        [path, size] {
                            packed::packTo(encodeJpeg(paintDefaultBackground(size), 90),
                                           packed::kDefaultBackgroundDepth, path);
                        }});
    }
    return jobs;
}

} // namespace lumora::studio
