#pragma once
// The words and captions of the picture effect tables (TForm32) and text
// effect tables (TForm33). Their cells (effectcol, and effcol by sub-item
// number) live in app/Columns.h.
#include <QString>
#include <QStringList>

#include "app/Columns.h"

namespace lumora::effcol {

inline const QString kNotComputed = QStringLiteral("暂无");
inline const QString kByHand = QStringLiteral("手动添加");
inline const QString kAutomatic = QStringLiteral("自动添加");

// Column captions (caption column first).
inline QStringList pictureWorkingColumns()
{
    return {QStringLiteral("帧数"),     QStringLiteral("开始时间"),     QStringLiteral("结束时间"),
            QStringLiteral("启动"),     QStringLiteral("图片装饰特效"), QStringLiteral("顺序号"),
            QStringLiteral("添加方式"), QStringLiteral("是否创建控件")};
}
inline QStringList textWorkingColumns()
{
    return {QStringLiteral("帧数"),
            QStringLiteral("开始时间"),
            QStringLiteral("结束时间"),
            QStringLiteral("启动"),
            QStringLiteral("图片装饰特效"),
            QStringLiteral("顺序号"),
            QStringLiteral("X_位置"),
            QStringLiteral("Y_位置"),
            QStringLiteral("分类号"),
            QStringLiteral("文字特效是否自动添加_标注"),
            QStringLiteral("文字特效自动添加_标注"),
            QStringLiteral("文字特效自动添加_标注_对应模板行号"),
            QStringLiteral("文字特效自动添加_标注_帧位置数"),
            QStringLiteral("添加方式"),
            QStringLiteral("是否创建控件"),
            QStringLiteral("自定义文字"),
            QStringLiteral("文字样式")};
}
inline QStringList visibleColumns()
{
    return {QStringLiteral("序号"), QStringLiteral("帧数"), QStringLiteral("开始时间"), QStringLiteral("特效名称"),
            QStringLiteral("添加方式")};
}

} // namespace lumora::effcol
