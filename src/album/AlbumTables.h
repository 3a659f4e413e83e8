#pragma once
// Column numbers (caption = column 0) and captions of the album's photo,
// used-template, slot and background-candidate tables. Every subsystem that
// reads these tables uses these numbers.
#include <QString>
#include <QStringList>

namespace lumora {

// ListView_daoru_zhaopian: one row per photo, in the order added.
namespace photocol {
constexpr int kNumber = 0;  // 序号: 1-based position
constexpr int kName = 1;    // 照片: file name without folder and extension
constexpr int kFormat = 2;  // 格式: extension with its dot, as written
constexpr int kWidth = 3;   // 宽度: stored (displayed) width
constexpr int kHeight = 4;  // 高度: stored (displayed) height
constexpr int kPath = 5;    // 位置: full path
constexpr int kMatched = 6; // 套版: "" or 完成
} // namespace photocol

// Working lists of unmatched photos (ListView_heng_zhao / ListView_shu_zhao):
// a copy of a photo row; the last column is the copy of 套版.
namespace worklistcol {
constexpr int kDone = 6; // 完成
} // namespace worklistcol

// ListView_moban_shiyong: one row per used template, in album order.
namespace usedcol {
constexpr int kIndex = 0;     // 序号: catalogue index
constexpr int kName = 1;      // 模板
constexpr int kType = 2;      // 类型
constexpr int kLandscape = 3; // 横照片
constexpr int kPortrait = 4;  // 竖照片
constexpr int kDuration = 5;  // 时长
constexpr int kCategory = 6;  // 分类
constexpr int kStatus = 7;    // 照片匹配: 已完成 / 未完成
constexpr int kNumber = 8;    // 编号: 1-based position
} // namespace usedcol

// ListView_moban_shiyong_canshu: one row per photo slot of every used template.
namespace slotcol {
constexpr int kIndex = 0;       // 序号: catalogue index
// 1..6: 模板名称, 模板类型, 横照片, 竖照片, 模板时长, 模板分类 (copied)
constexpr int kName = 1;
constexpr int kCategory = 6;
constexpr int kUsedRow = 7;     // 行号: 0-based used-template row
constexpr int kOrientation = 8; // 横照或竖照: heng_zhaopian / shu_zhaopian
constexpr int kPicture = 9;     // picture: slot picture name
constexpr int kOrdinal = 10;    // 对应控件: 0, 1, 2 … within the template
constexpr int kMatchState = 11; // 匹配状态: yi_pipei / "" (wei_pipei by the editor)
constexpr int kPhotoRow = 12;   // 照片位置行号: 0-based photo row
constexpr int kPhotoPath = 13;  // 照片位置
constexpr int kSlotWidth = 14;  // mobanchicun_width (0: full frame)
constexpr int kSlotHeight = 15; // mobanchicun_height
constexpr int kFillX = 16;      // jiancai_left_x
constexpr int kFillY = 17;      // jiancai_top_y
constexpr int kFillW = 18;      // jiancai_width
constexpr int kFillH = 19;      // jiancai_height
constexpr int kCropMark = 20;   // 剪裁标记: quanping_or_jubuquanping / shizhong
constexpr int kFitX = 21;       // shizhong_jiancai_left_x
constexpr int kFitY = 22;       // shizhong_jiancai_top_x
constexpr int kFitW = 23;       // shizhong_jiancai_width
constexpr int kFitH = 24;       // shizhong_jiancai_height
constexpr int kCheckFlag = 25;  // jiancha_zhaopian_shiyong_shuliang_biaoshi
constexpr int kTextMark = 26;   // 文字特效是否自动添加_标注
constexpr int kCount = 27;
} // namespace slotcol

// ListView_qubu_hengzhao: photos that may serve as background pictures.
namespace candcol {
constexpr int kNumber = 0; // 序号 of the photo
constexpr int kName = 1;   // 照片名称
constexpr int kFormat = 2; // 类型
constexpr int kWidth = 3;  // 宽度
constexpr int kHeight = 4; // 高度
constexpr int kPath = 5;   // 位置
constexpr int kRow = 6;    // 序号: 0-based photo row
} // namespace candcol

inline const QString kPhotoDone = QStringLiteral("完成");
inline const QString kStatusComplete = QStringLiteral("已完成");
inline const QString kStatusIncomplete = QStringLiteral("未完成");
inline const QString kSlotLandscape = QStringLiteral("heng_zhaopian");
inline const QString kSlotPortrait = QStringLiteral("shu_zhaopian");
inline const QString kMatched = QStringLiteral("yi_pipei");
inline const QString kCropFill = QStringLiteral("quanping_or_jubuquanping");
inline const QString kCropFit = QStringLiteral("shizhong");
inline const QString kMethodRandom = QStringLiteral("shiyong_suijimoban");
inline const QString kMethodCombined = QStringLiteral("shiyong_zuhemoban");

QStringList photoTableColumns();
QStringList workListColumns();
QStringList usedTemplateColumns();
QStringList slotTableColumns();
QStringList candidateColumns();

} // namespace lumora
