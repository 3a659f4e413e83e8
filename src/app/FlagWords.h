#pragma once
// Every flag word the program compares, in one place. Cells hold these words
// as text; code compares against these constants, never against literals.
#include <QString>

namespace lumora::flag {
inline const QString kPlaying = QStringLiteral("bofang_kaishi");
inline const QString kStopped = QStringLiteral("bofang_tingzhi");
inline const QString kProducing = QStringLiteral("zhizuo_kaishi");
inline const QString kProductionStopped = QStringLiteral("zhizuo_tingzhi");
inline const QString kEffectRunning = QStringLiteral("qidong");
inline const QString kEffectIdle = QStringLiteral("tingzhi");
inline const QString kEffectFinished = QStringLiteral("wancheng");
inline const QString kAutoPictureEffectsDone = QStringLiteral("zidongtianjia_huamiantexiao_wangcheng");
inline const QString kAutoTextEffectsDone = QStringLiteral("zidongtianjia_wenzitexiao_wangcheng");
inline const QString kCreated = QStringLiteral("chuangjian");
inline const QString kNeverCreated = QStringLiteral("xiezai");
inline const QString kFreed = QStringLiteral("xiezaiwancheng");
inline const QString kPlayerExists = QStringLiteral("0");
inline const QString kPlayerFreed = QStringLiteral("1");
inline const QString kYes = QStringLiteral("yes");
inline const QString kNone = QStringLiteral("wu");
// The category cell of a text effect row holding a caption the person typed.
inline const QString kCustomCaption = QStringLiteral("zidingyi_wenzi");
inline const QString kPressed = QStringLiteral("anxia");
inline const QString kReleased = QStringLiteral("songkai");
inline const QString kOpenTemplateManagement = QStringLiteral("dakai_mobanguanli_anniu");
inline const QString kFirstPageNotTurned = QStringLiteral("kaishi");
inline const QString kFirstPageTurned = QStringLiteral("jieshu");
inline const QString kWindowDefault = QStringLiteral("moren_chuangkou");
inline const QString kWindowFullScreen = QStringLiteral("quanping_chuangkou");
inline const QString kWindowEnlarged = QStringLiteral("fangda_chuangkou");
inline const QString kCompleted = QStringLiteral("已完成");
inline const QString kLandscape = QStringLiteral("heng");
inline const QString kPortrait = QStringLiteral("shu");
inline const QString kEither = QStringLiteral("shuheng");
inline const QString kAdvanced = QStringLiteral("gaojimoban");
inline const QString kMakeAlbum = QStringLiteral("MCL_zhizuo_xiangce");
// Photos and the album sequence.
inline const QString kPhotoDone = QStringLiteral("完成"); // 套版 of a photo in a slot
inline const QString kIncomplete = QStringLiteral("未完成"); // 照片匹配 of a template with an empty slot
inline const QString kSlotLandscape = QStringLiteral("heng_zhaopian");
inline const QString kSlotPortrait = QStringLiteral("shu_zhaopian");
inline const QString kSlotMatched = QStringLiteral("yi_pipei");
inline const QString kCropFill = QStringLiteral("quanping_or_jubuquanping");
inline const QString kCropFit = QStringLiteral("shizhong");
inline const QString kMethodRandom = QStringLiteral("shiyong_suijimoban");
inline const QString kMethodCombined = QStringLiteral("shiyong_zuhemoban");
// Lyric display settings.
inline const QString kLyricDefaultDisplay = QStringLiteral("moren_xianshi");
inline const QString kLyricCustomDisplay = QStringLiteral("zidingyi_xianshi");
inline const QString kLyricCentred = QStringLiteral("zidingyi_juzhong");
inline const QString kLyricRegular = QStringLiteral("changgui");
inline const QString kLyricBold = QStringLiteral("cuti");
inline const QString kLyricItalic = QStringLiteral("xieti");
inline const QString kLyricBoldItalic = QStringLiteral("cutixieti");
inline const QString kLyricSimplified = QStringLiteral("jianti");
inline const QString kLyricTraditional = QStringLiteral("fanti");
} // namespace lumora::flag
