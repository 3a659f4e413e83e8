#include "PlanReport.h"

#include <nlohmann/json.hpp>

#include "album/AlbumTables.h"
#include "app/Columns.h"
#include "media/MusicList.h"
#include "production/OutputOptions.h"

namespace lumora {

std::string planJsonText(const Album &album, const ProductionPlan &plan, const std::vector<RefusedPhoto> &refused)
{
    using Json = nlohmann::ordered_json;
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
        {"sync", plan.choice.sync == SyncMode::Template ? "template" : "music"},
        {"path", s(plan.choice.outputPath())}};
    Json templates = Json::array();
    for (const Row &t : plan.templateList) {
        const int row = t.cell(prodtemplatecol::kUsedRow).toInt();
        Json slots = Json::array();
        for (const Row &slot : album.ListView_moban_shiyong_canshu) {
            if (slot.cell(slotcol::kUsedRow).toInt() != row)
                continue;
            slots.push_back(
                {{"picture", s(slot.cell(slotcol::kPicture))},
                 {"orientation", slot.cell(slotcol::kOrientation) == kSlotPortrait ? "portrait" : "landscape"},
                 {"photo", s(slot.cell(slotcol::kPhotoPath))}});
        }
        templates.push_back({{"row", row},
                             {"name", s(t.cell(prodtemplatecol::kName))},
                             {"category", s(t.cell(prodtemplatecol::kCategory))},
                             {"frames", catalogueFrames(album, t.caption().toInt())},
                             {"slots", slots}});
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
        songs.push_back(
            {{"path", s(album.ListView_daoru_yinyue[k].cell(musiccol::kPath))},
             {"length_ms", ms},
             {"frames", songFrames(ms)},
             {"lyrics",
              k < album.ListView_daoru_LRC.size() ? s(album.ListView_daoru_LRC[k].cell(lyriccol::kPath)) : ""}});
    }
    j["songs"] = songs;
    Json played = Json::array();
    for (const Row &m : plan.musicList)
        played.push_back(
            {{"row", m.cell(prodmusiccol::kSongRow).toInt()}, {"frames", m.cell(prodmusiccol::kFrames).toLongLong()}});
    j["music_list"] = played;
    j["text_effects"] = album.wenzi_ListView_Image.size();
    j["picture_effects"] = album.huamian_ListView_Image.size();
    return j.dump(2);
}

} // namespace lumora
