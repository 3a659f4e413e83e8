#include "Columns.h"

namespace lumora {

QStringList photoTableColumns()
{
    return {QStringLiteral("序号"), QStringLiteral("照片"), QStringLiteral("格式"), QStringLiteral("宽度"),
            QStringLiteral("高度"), QStringLiteral("位置"), QStringLiteral("套版"), QStringLiteral("人脸")};
}

QStringList workListColumns()
{
    return {QStringLiteral("序号"), QStringLiteral("照片"), QStringLiteral("格式"), QStringLiteral("宽度"),
            QStringLiteral("高度"), QStringLiteral("位置"), QStringLiteral("完成")};
}

QStringList usedTemplateColumns()
{
    return {QStringLiteral("序号"),   QStringLiteral("模板"),     QStringLiteral("类型"),
            QStringLiteral("横照片"), QStringLiteral("竖照片"),   QStringLiteral("时长"),
            QStringLiteral("分类"),   QStringLiteral("照片匹配"), QStringLiteral("编号")};
}

QStringList slotTableColumns()
{
    return {QStringLiteral("序号"),
            QStringLiteral("模板名称"),
            QStringLiteral("模板类型"),
            QStringLiteral("横照片"),
            QStringLiteral("竖照片"),
            QStringLiteral("模板时长"),
            QStringLiteral("模板分类"),
            QStringLiteral("行号"),
            QStringLiteral("横照或竖照"),
            QStringLiteral("picture"),
            QStringLiteral("对应控件"),
            QStringLiteral("匹配状态"),
            QStringLiteral("照片位置行号"),
            QStringLiteral("照片位置"),
            QStringLiteral("mobanchicun_width"),
            QStringLiteral("mobanchicun_height"),
            QStringLiteral("jiancai_left_x"),
            QStringLiteral("jiancai_top_y"),
            QStringLiteral("jiancai_width"),
            QStringLiteral("jiancai_height"),
            QStringLiteral("剪裁标记"),
            QStringLiteral("shizhong_jiancai_left_x"),
            QStringLiteral("shizhong_jiancai_top_x"),
            QStringLiteral("shizhong_jiancai_width"),
            QStringLiteral("shizhong_jiancai_height"),
            QStringLiteral("jiancha_zhaopian_shiyong_shuliang_biaoshi"),
            QStringLiteral("文字特效是否自动添加_标注"),
            QStringLiteral("剪裁来源")};
}

QStringList backgroundColumns()
{
    return {QStringLiteral("编号"),     QStringLiteral("名称"),     QStringLiteral("类型"), QStringLiteral("分类"),
            QStringLiteral("图片名称"), QStringLiteral("图片类型"), QStringLiteral("宽度"), QStringLiteral("高度"),
            QStringLiteral("图片位置"), QStringLiteral("透明度")};
}

QStringList candidateColumns()
{
    return {QStringLiteral("序号"), QStringLiteral("照片名称"), QStringLiteral("类型"), QStringLiteral("宽度"),
            QStringLiteral("高度"), QStringLiteral("位置"),     QStringLiteral("序号")};
}

} // namespace lumora
