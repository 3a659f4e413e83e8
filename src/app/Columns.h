#pragma once
// The column numbers of every album table, in one place: the catalogue, the
// photo, used-template, slot, background-candidate and background tables,
// the effect timelines, the music, lyric and lyric-settings tables and the
// production lists. Every table is counted the same way: by column number,
// the row caption being column 0 (Row::cell / RowTable::cell). Code that
// works with sub-items (Row::subItem, where the first cell after the caption
// is sub-item 0) converts with subItemOf(), here and nowhere else.
//
// The comment beside each number is the column's caption in the table.
#include <QStringList>

namespace lumora {

// Sub-item number of a column number: the caption column has none.
constexpr int subItemOf(int column)
{
    return column - 1;
}

// ---- template catalogue ----

// ListView_mobancanshu: one row per template parameter file, in scan order;
// the row position is the catalogue index.
namespace paramcol {
constexpr int kType = 0; // 模板类型 (mblx)
constexpr int kClass = 1; // 模板分类 (mbfl)
constexpr int kPhotoCount = 2; // 相片数量 (xpsl)
constexpr int kWidths = 3; // 相片宽度 (xpkd, bar list)
constexpr int kHeights = 4; // 相片高度 (xpgd, bar list)
constexpr int kOrientations = 5; // 竖照横照 (szhz, bar list)
constexpr int kPictureNames = 6; // 相片JPG名称 (xpjpgmc, bar list)
constexpr int kMovie = 7; // 位置: packed template movie
constexpr int kMark = 8; // 分类标注: heng / shu / shuheng / gaojimoban / ""
constexpr int kIndex = 9; // 序号: catalogue index
constexpr int kFrames = 10; // 模板swf总帧数 (mbdx)
constexpr int kName = 11; // 模板名称
constexpr int kAllPhotos = 12; // 模板中所有照片 (sl)
constexpr int kText01 = 13; // 模板文字_必须标注01: frame positions of the text marks
constexpr int kText02 = 14; // 模板文字_必须标注02: required marks
constexpr int kText03 = 15; // 模板文字_随机标注03
constexpr int kText04 = 16; // 模板文字_随机标注04: optional marks
constexpr int kCount = 17;
} // namespace paramcol

// ListView_hengzhaopian, ListView_shuzhaopian, ListView_gaojimoban.
namespace classcol {
constexpr int kType = 0; // 模板类型
// 1..8: parameter-table columns 1..8 (class, photo count, widths, heights,
// orientations, picture names, movie, mark)
constexpr int kOrientations = 5; // 竖照横照
constexpr int kPictureNames = 6; // 相片JPG名称
constexpr int kMovie = 7; // 位置
constexpr int kMark = 8; // 分类标注
constexpr int kIndex = 9; // 序号
constexpr int kLandscape = 10; // 横照几张
constexpr int kPortrait = 11; // 竖照几张
constexpr int kFrames = 12; // 模板swf总帧数
constexpr int kName = 13; // 模板名称
} // namespace classcol

// ListView_moban (template management): one row per classified template.
namespace listcol {
constexpr int kIndex = 0; // 序号: catalogue index
constexpr int kName = 1; // 模板
constexpr int kType = 2; // 类型: 高级模板 / 单张模板
constexpr int kLandscape = 3; // 横照片
constexpr int kPortrait = 4; // 竖照片
constexpr int kDuration = 5; // 时长 HH:MM:SS
constexpr int kCategory = 6; // 分类: 综合模板 / 横照模板 / 竖照模板
} // namespace listcol

// ---- photos and the album sequence ----

// ListView_daoru_zhaopian: one row per photo, in the order added.
namespace photocol {
constexpr int kNumber = 0; // 序号: 1-based position
constexpr int kName = 1; // 照片: file name without folder and extension
constexpr int kFormat = 2; // 格式: extension with its dot, as written
constexpr int kWidth = 3; // 宽度: stored (displayed) width
constexpr int kHeight = 4; // 高度: stored (displayed) height
constexpr int kPath = 5; // 位置: full path
constexpr int kMatched = 6; // 套版: "" or 完成
constexpr int kFaces = 7; // 人脸: face boxes in photo pixels ("" not searched, "none"; album/FacePlacement.h)
} // namespace photocol

// Working lists of unmatched photos (ListView_heng_zhao / ListView_shu_zhao):
// a copy of a photo row; the last column is the copy of 套版.
namespace worklistcol {
constexpr int kDone = 6; // 完成
} // namespace worklistcol

// ListView_moban_shiyong: one row per used template, in album order.
namespace usedcol {
constexpr int kIndex = 0; // 序号: catalogue index
constexpr int kName = 1; // 模板
constexpr int kType = 2; // 类型
constexpr int kLandscape = 3; // 横照片
constexpr int kPortrait = 4; // 竖照片
constexpr int kDuration = 5; // 时长
constexpr int kCategory = 6; // 分类
constexpr int kStatus = 7; // 照片匹配: 已完成 / 未完成
constexpr int kNumber = 8; // 编号: 1-based position
} // namespace usedcol

// ListView_moban_shiyong_canshu: one row per photo slot of every used template.
namespace slotcol {
constexpr int kIndex = 0; // 序号: catalogue index
// 1..6: 模板名称, 模板类型, 横照片, 竖照片, 模板时长, 模板分类 (copied)
constexpr int kName = 1;
constexpr int kCategory = 6;
constexpr int kUsedRow = 7; // 行号: 0-based used-template row
constexpr int kOrientation = 8; // 横照或竖照: heng_zhaopian / shu_zhaopian
constexpr int kPicture = 9; // picture: slot picture name
constexpr int kOrdinal = 10; // 对应控件: 0, 1, 2 … within the template
constexpr int kMatchState = 11; // 匹配状态: yi_pipei / "" (wei_pipei by the editor)
constexpr int kPhotoRow = 12; // 照片位置行号: 0-based photo row
constexpr int kPhotoPath = 13; // 照片位置
constexpr int kSlotWidth = 14; // mobanchicun_width (0: full frame)
constexpr int kSlotHeight = 15; // mobanchicun_height
constexpr int kFillX = 16; // jiancai_left_x
constexpr int kFillY = 17; // jiancai_top_y
constexpr int kFillW = 18; // jiancai_width
constexpr int kFillH = 19; // jiancai_height
constexpr int kCropMark = 20; // 剪裁标记: quanping_or_jubuquanping / shizhong
constexpr int kFitX = 21; // shizhong_jiancai_left_x
constexpr int kFitY = 22; // shizhong_jiancai_top_x
constexpr int kFitW = 23; // shizhong_jiancai_width
constexpr int kFitH = 24; // shizhong_jiancai_height
constexpr int kCheckFlag = 25; // jiancha_zhaopian_shiyong_shuliang_biaoshi
constexpr int kTextMark = 26; // 文字特效是否自动添加_标注
// 剪裁来源: "yonghu" when the user saved the placement in the cropping
// editor (kept as it is), "" when it is the automatic one (placed again when
// the photo's faces become known).
constexpr int kPlacedBy = 27;
constexpr int kCount = 28;
} // namespace slotcol

// ListView_qubu_hengzhao: photos that may serve as background pictures.
namespace candcol {
constexpr int kNumber = 0; // 序号 of the photo
constexpr int kName = 1; // 照片名称
constexpr int kFormat = 2; // 类型
constexpr int kWidth = 3; // 宽度
constexpr int kHeight = 4; // 高度
constexpr int kPath = 5; // 位置
constexpr int kRow = 6; // 序号: 0-based photo row
} // namespace candcol

// ListView_moban_beijing: row i is the background of used template i.
namespace bgcol {
constexpr int kNumber = 0; // 编号: 1 … n
constexpr int kName = 1; // 名称: template name
constexpr int kType = 2; // 类型: template type
constexpr int kCategory = 3; // 分类: template category
constexpr int kPicture = 4; // 图片名称: file name without extension; "" = no picture
constexpr int kFormat = 5; // 图片类型: extension with its dot
constexpr int kWidth = 6; // 宽度
constexpr int kHeight = 7; // 高度
constexpr int kPath = 8; // 图片位置: full path
constexpr int kTransparency = 9; // 透明度: 0 … 100
} // namespace bgcol

// Column captions (caption column first) of the tables above.
QStringList photoTableColumns();
QStringList workListColumns();
QStringList usedTemplateColumns();
QStringList slotTableColumns();
QStringList candidateColumns();
QStringList backgroundColumns();

// ---- effect timelines ----

// ListView_Image of the picture (TForm32) and text (TForm33) effect windows,
// and their visible lists ListView_Image_2.
namespace effectcol {
constexpr int kFrames = 0; // 帧数: frame count F
constexpr int kStart = 1; // 开始时间 hh:mm:ss
constexpr int kEnd = 2; // 结束时间, always "暂无"
constexpr int kState = 3; // 启动: tingzhi / qidong / wancheng
constexpr int kName = 4; // 图片装饰特效: display name
constexpr int kSequence = 5; // 顺序号: package number − 1 (text: effect number − 1)
// Picture effects.
constexpr int kPicOrigin = 6; // 添加方式
constexpr int kPicOverlay = 7; // 是否创建控件: wu / chuangjian
// Text effects.
constexpr int kTextX = 6; // X_位置
constexpr int kTextY = 7; // Y_位置
constexpr int kTextCategory = 8; // 分类号 1 … 20
constexpr int kTextAutoMark = 9; // 文字特效是否自动添加_标注
constexpr int kTextMarkLetter = 10; // 文字特效自动添加_标注
constexpr int kTextTemplateRow = 11; // 文字特效自动添加_标注_对应模板行号
constexpr int kTextFramePos = 12; // 文字特效自动添加_标注_帧位置数
constexpr int kTextOrigin = 13; // 添加方式
constexpr int kTextOverlay = 14; // 是否创建控件
// A caption the person typed (分类号 holds flag::kCustomCaption): its words
// (two lines at most, joined by a line feed) and its style key.
constexpr int kTextCustomWords = 15; // 自定义文字
constexpr int kTextCustomStyle = 16; // 文字样式
// ListView_Image_2: caption = row number 1 … n.
constexpr int kVisNumber = 0; // 序号
constexpr int kVisFrames = 1; // 帧数
constexpr int kVisStart = 2; // 开始时间
constexpr int kVisName = 3; // 特效名称
constexpr int kVisOrigin = 4; // 添加方式
} // namespace effectcol

// The same cells as sub-item numbers, for the effect code that reads rows
// by sub-item: converted from effectcol above, never written twice.
namespace effcol {
constexpr int kStart = subItemOf(effectcol::kStart);
constexpr int kEnd = subItemOf(effectcol::kEnd);
constexpr int kState = subItemOf(effectcol::kState);
constexpr int kName = subItemOf(effectcol::kName);
constexpr int kSequence = subItemOf(effectcol::kSequence);
constexpr int kPicOrigin = subItemOf(effectcol::kPicOrigin);
constexpr int kPicOverlay = subItemOf(effectcol::kPicOverlay);
constexpr int kTextX = subItemOf(effectcol::kTextX);
constexpr int kTextY = subItemOf(effectcol::kTextY);
constexpr int kTextCategory = subItemOf(effectcol::kTextCategory);
constexpr int kTextAutoMark = subItemOf(effectcol::kTextAutoMark);
constexpr int kTextMarkLetter = subItemOf(effectcol::kTextMarkLetter);
constexpr int kTextTemplateRow = subItemOf(effectcol::kTextTemplateRow);
constexpr int kTextFramePos = subItemOf(effectcol::kTextFramePos);
constexpr int kTextOrigin = subItemOf(effectcol::kTextOrigin);
constexpr int kTextOverlay = subItemOf(effectcol::kTextOverlay);
constexpr int kTextCustomWords = subItemOf(effectcol::kTextCustomWords);
constexpr int kTextCustomStyle = subItemOf(effectcol::kTextCustomStyle);
constexpr int kVisFrames = subItemOf(effectcol::kVisFrames);
constexpr int kVisStart = subItemOf(effectcol::kVisStart);
constexpr int kVisName = subItemOf(effectcol::kVisName);
constexpr int kVisOrigin = subItemOf(effectcol::kVisOrigin);
} // namespace effcol

// ---- music and lyrics ----

// ListView_daoru_yinyue (TForm4): one row per song, in the order added.
namespace musiccol {
constexpr int kNumber = 0; // 序号: 1-based position
constexpr int kName = 1; // 音乐名称: file name without extension
constexpr int kFormat = 2; // 格式: extension with its dot
constexpr int kDuration = 3; // 音乐时长: "00:" + minutes + ":" + seconds
constexpr int kPath = 4; // 位置: full path
constexpr int kBeats = 5; // 节拍: the song's beats as text (SongBeats)
// 响度: "integrated LUFS|true peak dBTP" measured when the song was added
// ("" when silent or unmeasured); not shown in the window.
constexpr int kLoudness = 6;
} // namespace musiccol

// ListView_daoru_LRC (TForm5): one row per lyric file, in the order added.
namespace lyriccol {
constexpr int kNumber = 0; // 序号
constexpr int kName = 1; // 歌词名称
constexpr int kFormat = 2; // 类型
constexpr int kPath = 3; // 位置
} // namespace lyriccol

// ListView_geci_shezhi_canshu (TForm5): the display settings of lyric file k
// at row k.
namespace lyricsetcol {
constexpr int kNumber = 0; // 序号
constexpr int kName = 1; // 歌词内容
constexpr int kFormat = 2; // 类型
constexpr int kPath = 3; // 位置
constexpr int kDisplay = 4; // 默认_or_自定义
constexpr int kDefaultTop = 5; // 默认显示_Top位置
constexpr int kLeft = 6; // 自定义_Left
constexpr int kTop = 7; // 自定义_Top
constexpr int kFont = 8; // 字体
constexpr int kStyle = 9; // 字形
constexpr int kSize = 10; // 大小
constexpr int kCentred = 11; // 自定义_居中
constexpr int kSeparator = 12; // ===
constexpr int kColour = 13; // 颜色
constexpr int kColourNumber = 14; // 颜色数字
constexpr int kScript = 15; // 简体繁体: jianti / fanti
constexpr int kHighlightNumber = 16; // 高亮颜色数字: karaoke highlight, red in the low byte
} // namespace lyricsetcol

// ---- production ----

// The production window's template list: a copy of a complete used template.
namespace prodtemplatecol {
constexpr int kIndex = 0; // 序号: catalogue index
constexpr int kName = 1; // 模板名称
constexpr int kType = 2; // 模板类型
constexpr int kLandscape = 3; // 横照片
constexpr int kPortrait = 4; // 竖照片
constexpr int kDuration = 5; // 模板时长
constexpr int kCategory = 6; // 模板分类
constexpr int kStatus = 7; // 照片匹配
constexpr int kNumber = 8; // 编号
constexpr int kUsedRow = 9; // 行号: row in ListView_moban_shiyong
} // namespace prodtemplatecol

// The production window's music list: the songs that cover the album.
namespace prodmusiccol {
constexpr int kNumber = 0; // 序号
constexpr int kName = 1; // 音乐名称
constexpr int kFormat = 2; // 格式
constexpr int kDuration = 3; // 音乐时长
constexpr int kPath = 4; // 位置
constexpr int kSongRow = 5; // 行号: row in ListView_daoru_yinyue
constexpr int kFrames = 6; // 需要帧数
} // namespace prodmusiccol

} // namespace lumora
