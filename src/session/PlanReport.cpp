#include "PlanReport.h"

#include <nlohmann/json.hpp>

#include "album/AlbumTables.h"
#include "album/FacePlacement.h"
#include "album/Staging.h"
#include "app/Columns.h"
#include "app/Error.h"
#include "effects/CaptionTrack.h"
#include "media/LrcParser.h"
#include "media/LyricSettings.h"
#include "media/MusicList.h"
#include "production/OutputOptions.h"

namespace lumora {

namespace {

using Json = nlohmann::ordered_json;

// The lines song k shows, as the album shows them: time after the song's
// start (offset applied), text after the simplified/traditional choice; the
// encoding detected; or why the lyric file cannot be read.
void addLyricTimeline(Json &song, const Album &album, int k)
{
    const int li = music::lyricIndexForSong(album, k);
    if (li < 0 || li >= album.ListView_geci_shezhi_canshu.size())
        return;
    try {
        const LyricTimeline t = readLrcFile(album.ListView_daoru_LRC[li].cell(lyriccol::kPath));
        const Row &settings = album.ListView_geci_shezhi_canshu[li];
        Json lines = Json::array();
        for (const LyricEntry &e : t.entries) {
            Json line = {{"ms", e.ms}, {"text", lyricTextForRow(settings, e.text).toStdString()}};
            if (!e.words.empty())
                line["words"] = e.words.size();
            lines.push_back(line);
        }
        song["lyric_encoding"] = t.encoding.toStdString();
        song["lyric_offset_ms"] = t.offsetMs;
        song["lyric_timeline"] = lines;
    } catch (const Error &e) {
        song["lyric_problem"] = e.message().toStdString();
    }
}

} // namespace

std::string planJsonText(const Album &album, const ProductionPlan &plan, const std::vector<RefusedPhoto> &refused)
{
    auto s = [](const QString &t) { return t.toStdString(); };
    Json j;
    j["total_frames"] = plan.totalFrames;
    j["duration_seconds"] = double(plan.totalFrames) / 25.0;
    j["mode"] = s(album.modeInfo().shortName);
    j["output"] = {
        {"type", s(outputTypeName(plan.choice.type))},
        {"width", plan.choice.size.width()},
        {"height", plan.choice.size.height()},
        {"encoded_width", plan.geometry.encoded.width()},
        {"encoded_height", plan.geometry.encoded.height()},
        {"album_rect",
         {plan.geometry.album.x(), plan.geometry.album.y(), plan.geometry.album.width(), plan.geometry.album.height()}},
        {"quality", s(qualityKey(plan.choice.quality))},
        {"tv", s(tvSystemName(plan.choice.tv))},
        {"sync", s(syncModeKey(plan.choice.sync))},
        {"path", s(plan.choice.outputPath())}};
    Json templates = Json::array();
    // Every template's start frame (and in beat sync its fitted rate).
    long long start = 0;
    for (int i = 0; i < plan.templateList.size(); ++i) {
        const Row &t = plan.templateList[i];
        const int row = t.cell(prodtemplatecol::kUsedRow).toInt();
        Json slots = Json::array();
        for (int k = 0; k < album.ListView_moban_shiyong_canshu.size(); ++k) {
            const Row &slot = album.ListView_moban_shiyong_canshu[k];
            if (slot.cell(slotcol::kUsedRow).toInt() != row)
                continue;
            // Face boxes and the shown part of the photo, both in the
            // photo's displayed pixels; faces null when not searched.
            Json faces = nullptr;
            bool ok = false;
            const int photoRow = slot.cell(slotcol::kPhotoRow).toInt(&ok);
            if (ok && photoRow >= 0 && photoRow < album.ListView_daoru_zhaopian.size())
                if (const auto boxes = facesFromCell(album.ListView_daoru_zhaopian.cell(photoRow, photocol::kFaces))) {
                    faces = Json::array();
                    for (const QRect &f : *boxes)
                        faces.push_back({f.x(), f.y(), f.width(), f.height()});
                }
            const QRect crop = stagedPhotoCrop(album, k);
            slots.push_back(
                {{"picture", s(slot.cell(slotcol::kPicture))},
                 {"orientation", slot.cell(slotcol::kOrientation) == kSlotPortrait ? "portrait" : "landscape"},
                 {"photo", s(slot.cell(slotcol::kPhotoPath))},
                 {"faces", faces},
                 {"crop", crop.isEmpty() ? Json(nullptr) : Json{crop.x(), crop.y(), crop.width(), crop.height()}},
                 {"crop_by", slot.cell(slotcol::kPlacedBy) == kPlacedByUser ? "user" : "automatic"}});
        }
        const long long own = catalogueFrames(album, t.caption().toInt());
        Json entry = {{"row", row},
                      {"name", s(t.cell(prodtemplatecol::kName))},
                      {"category", s(t.cell(prodtemplatecol::kCategory))},
                      {"frames", own},
                      {"start_frame", start},
                      {"slots", slots}};
        if (size_t(i) < plan.fits.size()) {
            const FittedTemplate &f = plan.fits[size_t(i)];
            entry["start_frame"] = f.start;
            entry["played_frames"] = f.frames;
            entry["rate"] = f.rate;
            entry["fitted"] = f.fitted;
            entry["ends_on_beat"] = f.endsOnBeat;
            entry["ends_on_strong_beat"] = f.endsOnStrongBeat;
            start = f.start + f.frames;
        } else {
            start += own;
        }
        templates.push_back(entry);
    }
    j["templates"] = templates;
    Json photos = Json::array();
    for (const Row &p : album.ListView_daoru_zhaopian) {
        const int w = p.cell(photocol::kWidth).toInt();
        const int h = p.cell(photocol::kHeight).toInt();
        photos.push_back({{"path", s(p.cell(photocol::kPath))},
                          {"width", w},
                          {"height", h},
                          {"orientation", w >= h ? "landscape" : "portrait"},
                          {"used", !p.cell(photocol::kMatched).isEmpty()}});
    }
    j["photos"] = photos;
    Json bad = Json::array();
    for (const RefusedPhoto &r : refused)
        bad.push_back({{"path", s(r.path)}, {"reason", s(r.reason)}});
    j["refused"] = bad;
    Json songs = Json::array();
    for (int k = 0; k < album.ListView_daoru_yinyue.size(); ++k) {
        const long long ms = music::songLengthMs(album, k);
        Json song = {{"path", s(album.ListView_daoru_yinyue[k].cell(musiccol::kPath))},
                     {"length_ms", ms},
                     {"frames", songFrames(ms)},
                     {"lyrics",
                      k < album.ListView_daoru_LRC.size() ? s(album.ListView_daoru_LRC[k].cell(lyriccol::kPath)) : ""}};
        // The beats measured when the song was added (song time, ms).
        const SongBeats b = music::songBeats(album, k);
        if (b.analysed()) {
            Json beats = Json::array(), strong = Json::array();
            for (size_t i = 0; i < b.beatsMs.size(); ++i) {
                beats.push_back(b.beatsMs[i]);
                if (i < b.strong.size() && b.strong[i])
                    strong.push_back(b.beatsMs[i]);
            }
            song["tempo_bpm"] = b.tempoBpm;
            song["beat_confidence"] = b.confidence;
            song["clear_beat"] = b.clear;
            song["beats_ms"] = beats;
            song["strong_beats_ms"] = strong;
        }
        addLyricTimeline(song, album, k);
        songs.push_back(song);
    }
    j["songs"] = songs;
    Json played = Json::array();
    for (const Row &m : plan.musicList)
        played.push_back(
            {{"row", m.cell(prodmusiccol::kSongRow).toInt()}, {"frames", m.cell(prodmusiccol::kFrames).toLongLong()}});
    j["music_list"] = played;
    if (plan.choice.sync == SyncMode::Beat) {
        Json changes = Json::array();
        for (size_t i = 1; i < plan.fits.size(); ++i)
            changes.push_back({{"frame", plan.fits[i].start},
                               {"ms", plan.fits[i].start * 40},
                               {"on_beat", plan.fits[i - 1].endsOnBeat},
                               {"strong", plan.fits[i - 1].endsOnStrongBeat}});
        j["template_changes"] = changes;
        Json beats = Json::array();
        for (const AlbumBeat &b : plan.beats.beats)
            beats.push_back(b.ms);
        j["album_beats_ms"] = beats;
    }
    Json notices = Json::array();
    for (const QString &n : plan.notices)
        notices.push_back(s(n));
    j["notices"] = notices;
    // Typed captions, the opening title and the closing line, where they lie
    // in the album's picture at the render size.
    Json captions = Json::array();
    const CaptionTrack track
        = albumCaptionTrack(album, plan.geometry.album.size(), picturesEndFrame(plan.choice.sync, plan.totalFrames));
    for (int i = 0; i < track.size(); ++i) {
        const CaptionCue &c = track.cue(i);
        const QRect b = track.box(i);
        const char *kind = c.kind == CaptionKind::Title ? "title" : c.kind == CaptionKind::Ending ? "ending" : "custom";
        captions.push_back({{"kind", kind},
                            {"text", s(c.text)},
                            {"style", s(captionStyleInfo(c.style).key)},
                            {"start_frame", c.start},
                            {"frames", track.end(i) - c.start},
                            {"row", c.row},
                            {"box", {b.x(), b.y(), b.width(), b.height()}}});
    }
    j["captions"] = captions;
    j["text_effects"] = album.wenzi_ListView_Image.size();
    j["picture_effects"] = album.huamian_ListView_Image.size();
    return j.dump(2);
}

} // namespace lumora
