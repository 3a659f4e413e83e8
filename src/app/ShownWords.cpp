// The words the album tables keep in Chinese whatever the language (flag
// words of cells, column captions), listed here so that they get a
// translation: the windows show them through shownCell() and shownText().
// The values themselves live in app/FlagWords.h, effects/EffectColumns.h and
// templates/Catalogue.h.
#include <QCoreApplication>

namespace lumora {

[[maybe_unused]] const char *const kShownFlagWords[] = {
    QT_TRANSLATE_NOOP("lumora::flag", "已完成"),
    QT_TRANSLATE_NOOP("lumora::flag", "完成"),
    QT_TRANSLATE_NOOP("lumora::flag", "未完成"),
    QT_TRANSLATE_NOOP("lumora::flag", "暂无"),
    QT_TRANSLATE_NOOP("lumora::flag", "手动添加"),
    QT_TRANSLATE_NOOP("lumora::flag", "自动添加"),
    // Template types and categories of the catalogue (templates/Catalogue.h).
    QT_TRANSLATE_NOOP("lumora::flag", "综合模板"),
    QT_TRANSLATE_NOOP("lumora::flag", "横照模板"),
    QT_TRANSLATE_NOOP("lumora::flag", "竖照模板"),
    QT_TRANSLATE_NOOP("lumora::flag", "高级模板"),
    QT_TRANSLATE_NOOP("lumora::flag", "单张模板"),
};

[[maybe_unused]] const char *const kShownColumns[] = {
    QT_TRANSLATE_NOOP("lumora::columns", "序号"),
    QT_TRANSLATE_NOOP("lumora::columns", "帧数"),
    QT_TRANSLATE_NOOP("lumora::columns", "开始时间"),
    QT_TRANSLATE_NOOP("lumora::columns", "结束时间"),
    QT_TRANSLATE_NOOP("lumora::columns", "特效名称"),
    QT_TRANSLATE_NOOP("lumora::columns", "添加方式"),
    QT_TRANSLATE_NOOP("lumora::columns", "启动"),
    QT_TRANSLATE_NOOP("lumora::columns", "图片装饰特效"),
    QT_TRANSLATE_NOOP("lumora::columns", "顺序号"),
    QT_TRANSLATE_NOOP("lumora::columns", "是否创建控件"),
    QT_TRANSLATE_NOOP("lumora::columns", "X_位置"),
    QT_TRANSLATE_NOOP("lumora::columns", "Y_位置"),
    QT_TRANSLATE_NOOP("lumora::columns", "分类号"),
    QT_TRANSLATE_NOOP("lumora::columns", "文字特效是否自动添加_标注"),
    QT_TRANSLATE_NOOP("lumora::columns", "文字特效自动添加_标注"),
    QT_TRANSLATE_NOOP("lumora::columns", "文字特效自动添加_标注_对应模板行号"),
    QT_TRANSLATE_NOOP("lumora::columns", "文字特效自动添加_标注_帧位置数"),
    QT_TRANSLATE_NOOP("lumora::columns", "自定义文字"),
    QT_TRANSLATE_NOOP("lumora::columns", "文字样式"),
    // Background pictures and the production window's lists.
    QT_TRANSLATE_NOOP("lumora::columns", "编号"),
    QT_TRANSLATE_NOOP("lumora::columns", "名称"),
    QT_TRANSLATE_NOOP("lumora::columns", "类型"),
    QT_TRANSLATE_NOOP("lumora::columns", "分类"),
    QT_TRANSLATE_NOOP("lumora::columns", "图片名称"),
    QT_TRANSLATE_NOOP("lumora::columns", "图片类型"),
    QT_TRANSLATE_NOOP("lumora::columns", "宽度"),
    QT_TRANSLATE_NOOP("lumora::columns", "高度"),
    QT_TRANSLATE_NOOP("lumora::columns", "图片位置"),
    QT_TRANSLATE_NOOP("lumora::columns", "透明度"),
    QT_TRANSLATE_NOOP("lumora::columns", "模板名称"),
    QT_TRANSLATE_NOOP("lumora::columns", "模板类型"),
    QT_TRANSLATE_NOOP("lumora::columns", "横照片"),
    QT_TRANSLATE_NOOP("lumora::columns", "竖照片"),
    QT_TRANSLATE_NOOP("lumora::columns", "模板时长"),
    QT_TRANSLATE_NOOP("lumora::columns", "模板分类"),
    QT_TRANSLATE_NOOP("lumora::columns", "照片匹配"),
    QT_TRANSLATE_NOOP("lumora::columns", "行号"),
    QT_TRANSLATE_NOOP("lumora::columns", "音乐名称"),
    QT_TRANSLATE_NOOP("lumora::columns", "格式"),
    QT_TRANSLATE_NOOP("lumora::columns", "音乐时长"),
    QT_TRANSLATE_NOOP("lumora::columns", "位置"),
    QT_TRANSLATE_NOOP("lumora::columns", "需要帧数"),
};

// Notices kept as constants in headers (their values are compared by the
// tests and callers), shown through shownText("lumora::notice", …).
[[maybe_unused]] const char *const kShownNotices[] = {
    QT_TRANSLATE_NOOP("lumora::notice", "正在播放相册,点停止按钮后,再操作！"),
    QT_TRANSLATE_NOOP("lumora::notice", "没有找到选中的文字特效文件！"),
    QT_TRANSLATE_NOOP("lumora::notice", "请输入自定义文字！"),
    QT_TRANSLATE_NOOP("lumora::notice", "没有选中文字样式！"),
    QT_TRANSLATE_NOOP("lumora::notice", "选中的不是自定义文字！"),
    QT_TRANSLATE_NOOP("lumora::notice",
                      "开始时间格式不正确！请按“时:分:秒”输入,每项两位数字,例如 00:00:02(时、分、秒均为 00～59)。"),
    QT_TRANSLATE_NOOP("lumora::notice", "不能再放大了,点[确定]按钮，照片大小恢复到默认大小！"),
    QT_TRANSLATE_NOOP("lumora::notice", "不能再缩小了,点[确定]按钮，照片大小恢复到默认大小！"),
    QT_TRANSLATE_NOOP("lumora::notice", "选择相册保存路径,然后点[确定]按钮"),
};

} // namespace lumora
