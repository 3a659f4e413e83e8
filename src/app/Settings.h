#pragma once
// The seven option groups of the settings window as plain state. They live
// while the program runs and return to their defaults on every album reset.
#include <QString>

namespace lumora {

struct Settings {
    // 导入照片时，对横照片的剪裁效果: RadioButton_hengzhaopian_quanping (true) / _moren (false)
    bool hengzhaopianQuanping = true;
    // 导入照片时，对竖照片的剪裁效果: RadioButton_shuzhaopian_moren, the only button
    bool shuzhaopianMoren = true;
    // 主界面横照片显示效果: RadioButton_zhujiemian_heng_quanpin (true) / _shizhong (false)
    bool zhujiemianHengQuanpin = true;
    // 主界面竖照片显示效果: RadioButton_zhujiemian_shu_shizhong, the only button
    bool zhujiemianShuShizhong = true;
    // 添加照片时是否…自动添加文字特效: RadioButton_wenzitexiao_tianjia (true) / _butianjia
    bool wenzitexiaoTianjia = true;
    // 添加照片时是否…自动添加画面特效: RadioButton_huamiantexiao_tianjia (true) / _butianjia (default)
    bool huamiantexiaoTianjia = false;
    // 导入照片时，使用模板组合效果: RadioButton_moban_zuhe_shiyong (true) / _bushiyong (default)
    bool mobanZuheShiyong = false;
    // 文字特效主题: the text-effect category that automatic captions on photo
    // import draw from. -1 = "全部" (every category, the default); otherwise the
    // 0-based index into textEffectThemeNames() ("婚纱" = 0 … "运动会" = 19),
    // i.e. text-effect category folder textEffectTheme + 1.
    int textEffectTheme = -1;
    // 按人脸位置剪裁照片 (CheckBox_renlian_jiancai): a photo cut to its slot's
    // shape keeps the faces in it whole; off: the cut is centred.
    bool faceCrop = true;
    // 音量统一: every song played and produced at one loudness (RadioButton_yinliang_tongyi
    // (true, the default) / RadioButton_yinliang_yuanyang).
    bool yinliangTongyi = true;

    // 片头标题 / 片尾字幕: the album's opening title (with an optional second
    // line) over the first template and its closing line before the ending
    // movie. Empty texts show nothing (the default).
    QString piantouBiaoti;
    QString piantouFubiaoti;
    QString pianweiZimu;
    // The window has offered a title at the album's first production.
    bool piantouTishi = false;

    // "恢复默认设置": the first five groups, the caption theme and the loudness (display, import and playing
    // choices like them); picture effects and template combinations keep
    // their choice.
    void restoreDefaults()
    {
        hengzhaopianQuanping = true;
        shuzhaopianMoren = true;
        zhujiemianHengQuanpin = true;
        zhujiemianShuShizhong = true;
        wenzitexiaoTianjia = true;
        textEffectTheme = -1;
        faceCrop = true;
        yinliangTongyi = true;
    }
    // The album reset: all groups and the caption theme.
    void resetForAlbum() { *this = Settings(); }

    bool operator==(const Settings &) const = default;
};

} // namespace lumora
