#pragma once
// The main window's shared state cells: named text cells through which the
// album's steps coordinate (flags and counters as decimal text), plus the
// state variables that are not cells. One object per application; steps get
// it by reference. Not thread-safe: used from the thread that drives the album.
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

#include "FlagWords.h"

namespace lumora {

namespace cell {
inline const QString kTuichu = QStringLiteral("Edit_tuichu");
inline const QString kMobanZhenLeijia = QStringLiteral("Edit_moban_zhen_leijia");
inline const QString kZongLeijiaZhen = QStringLiteral("Edit_zong_leijia_zhen");
inline const QString kMobanHanghaoLeijia = QStringLiteral("Edit_moban_hanghao_leijia");
inline const QString kYinyueLeijia = QStringLiteral("Edit_yinyue_leijia");
inline const QString kGeciLeijia = QStringLiteral("Edit_geci_leijia");
inline const QString kYinyueShijian = QStringLiteral("Edit_yinyue_shijian");
inline const QString kSuiYinyueShijian = QStringLiteral("Edit_sui_yinyue_shijian");
inline const QString kHuamiantexiaoShijian = QStringLiteral("Edit_huamiantexiao_shijian");
inline const QString kWenzitexiaoShijian = QStringLiteral("Edit_wenzitexiao_shijian");
inline const QString kHuamiantexiaoXiezai = QStringLiteral("Edit_huamiantexiao_xiezai");
inline const QString kWenzitexiaoXiezai = QStringLiteral("Edit_wenzitexiao_xiezai");
inline const QString kShockwaveFlashBofang = QStringLiteral("Edit_ShockwaveFlash_bofang");
inline const QString kShockwaveFlashQidong = QStringLiteral("Edit_ShockwaveFlash_qi_dong_dong_hua");
inline const QString kKuozhanming1 = QStringLiteral("Edit_kuozhanming_1");
inline const QString kZidongkongzhi = QStringLiteral("Edit_zidongkongzhi");
inline const QString kYinyueDakai1ci = QStringLiteral("Edit_yinyue_dakai_1ci");
inline const QString kGeciDakai1ci = QStringLiteral("Edit_geci_dakai_1ci");
inline const QString kFangyeHao = QStringLiteral("Edit_fangye_hao");
inline const QString kHangshu = QStringLiteral("Edit_hangshu");
inline const QString kImageKongjian = QStringLiteral("Edit_Image_kongjian");
inline const QString kWidth01 = QStringLiteral("Edit_Width_01");
inline const QString kHeight01 = QStringLiteral("Edit_Height_01");
inline const QString kTuodongKaiguan = QStringLiteral("Edit_tuodong_kaiguan");
inline const QString kTuodongDownX = QStringLiteral("Edit_tuodong_down_x");
inline const QString kTuodongDownY = QStringLiteral("Edit_tuodong_down_y");
inline const QString kXiangceLeixing = QStringLiteral("Edit_xiangce_leixing");
inline const QString kXiangceBaocunWeizhi = QStringLiteral("Edit_xiangce_baocun_weizhi");
inline const QString kMclCaozuoLeixing = QStringLiteral("Edit_mcl_caozuo_leixing");
inline const QString kZhizuoKaishi = QStringLiteral("Edit_zhizuo_kaishi");
} // namespace cell

// The notice of the playing guard.
inline const QString kPlayingGuardNotice = QStringLiteral("正在播放相册,点停止按钮后,再操作！");

class StateCells {
public:
    StateCells(); // every cell at its initial text

    QString text(const QString &name) const; // unknown cell: programming error (throws)
    void setText(const QString &name, const QString &value);
    int toInt(const QString &name) const; // plain integer conversion; throws on non-numeric text
    void setInt(const QString &name, long long value) { setText(name, QString::number(value)); }
    int raise(const QString &name); // read, add 1, write back; returns the new value
    bool is(const QString &name, const QString &word) const { return text(name) == word; }

    // Called after every write to Edit_zong_leijia_zhen (the current-time label follows it).
    void setTotalFrameChanged(std::function<void(const QString &)> handler) { m_totalChanged = std::move(handler); }

    // Playing guard: the notice text while preview runs, empty otherwise.
    QString playingGuard() const { return is(cell::kTuichu, flag::kPlaying) ? kPlayingGuardNotice : QString(); }

    // ListBox_yijing_wancheng_shiyongmoban_hanghao: rows of completed used templates.
    QStringList completedRows;

    // State variables that are not cells.
    QString windowMode = QStringLiteral("moren_chuangkou");
    QString firstPageTurn = QStringLiteral("kaishi");

    static QStringList cellNames();

private:
    QHash<QString, QString> m_cells;
    std::function<void(const QString &)> m_totalChanged;
};

} // namespace lumora
