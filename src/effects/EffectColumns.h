#pragma once
// Cells of the picture effect tables (TForm32) and text effect tables
// (TForm33), by sub-item number (the first cell after the caption is
// sub-item 0), and the words they hold.
#include <QString>
#include <QStringList>

namespace lumora::effcol {

// ListView_Image of both windows: caption = frame count F.
constexpr int kStart = 0;     // 开始时间 hh:mm:ss
constexpr int kEnd = 1;       // 结束时间, always "暂无"
constexpr int kState = 2;     // 启动: tingzhi / qidong / wancheng
constexpr int kName = 3;      // 图片装饰特效: display name
constexpr int kSequence = 4;  // 顺序号: package number − 1 (text: effect number − 1)

// Picture effects.
constexpr int kPicOrigin = 5;  // 添加方式
constexpr int kPicOverlay = 6; // 是否创建控件: wu / chuangjian

// Text effects.
constexpr int kTextX = 5;
constexpr int kTextY = 6;
constexpr int kTextCategory = 7;      // 分类号 1 … 20
constexpr int kTextAutoMark = 8;      // 文字特效是否自动添加_标注
constexpr int kTextMarkLetter = 9;    // 文字特效自动添加_标注
constexpr int kTextTemplateRow = 10;  // 文字特效自动添加_标注_对应模板行号
constexpr int kTextFramePos = 11;     // 文字特效自动添加_标注_帧位置数
constexpr int kTextOrigin = 12;       // 添加方式
constexpr int kTextOverlay = 13;      // 是否创建控件

// ListView_Image_2 of both windows: caption = row number 1 … n.
constexpr int kVisFrames = 0;
constexpr int kVisStart = 1;
constexpr int kVisName = 2;
constexpr int kVisOrigin = 3;

inline const QString kNotComputed = QStringLiteral("暂无");
inline const QString kByHand = QStringLiteral("手动添加");
inline const QString kAutomatic = QStringLiteral("自动添加");

// Column captions (caption column first).
inline QStringList pictureWorkingColumns()
{
    return {QStringLiteral("帧数"), QStringLiteral("开始时间"), QStringLiteral("结束时间"), QStringLiteral("启动"),
            QStringLiteral("图片装饰特效"), QStringLiteral("顺序号"), QStringLiteral("添加方式"),
            QStringLiteral("是否创建控件")};
}
inline QStringList textWorkingColumns()
{
    return {QStringLiteral("帧数"), QStringLiteral("开始时间"), QStringLiteral("结束时间"), QStringLiteral("启动"),
            QStringLiteral("图片装饰特效"), QStringLiteral("顺序号"), QStringLiteral("X_位置"), QStringLiteral("Y_位置"),
            QStringLiteral("分类号"), QStringLiteral("文字特效是否自动添加_标注"), QStringLiteral("文字特效自动添加_标注"),
            QStringLiteral("文字特效自动添加_标注_对应模板行号"), QStringLiteral("文字特效自动添加_标注_帧位置数"),
            QStringLiteral("添加方式"), QStringLiteral("是否创建控件")};
}
inline QStringList visibleColumns()
{
    return {QStringLiteral("序号"), QStringLiteral("帧数"), QStringLiteral("开始时间"), QStringLiteral("特效名称"),
            QStringLiteral("添加方式")};
}

} // namespace lumora::effcol
