#include "StateCells.h"

#include "Error.h"
#include "FlagWords.h"

namespace lumora {
namespace {
struct Initial {
    const QString &name;
    QString text;
};

std::vector<Initial> initialTexts()
{
    using namespace cell;
    // Several cells start with a placeholder (their own or another cell's
    // name); each is written before it is first read.
    return {
        {kTuichu, flag::kStopped},
        {kMobanZhenLeijia, kMobanZhenLeijia},
        {kZongLeijiaZhen, kMobanZhenLeijia},
        {kMobanHanghaoLeijia, kMobanHanghaoLeijia},
        {kYinyueLeijia, kYinyueLeijia},
        {kGeciLeijia, kGeciLeijia},
        {kYinyueShijian, kYinyueShijian},
        {kSuiYinyueShijian, kYinyueShijian},
        {kHuamiantexiaoShijian, kHuamiantexiaoShijian},
        {kWenzitexiaoShijian, kWenzitexiaoShijian},
        {kHuamiantexiaoXiezai, flag::kNeverCreated},
        {kWenzitexiaoXiezai, flag::kNeverCreated},
        {kShockwaveFlashBofang, QStringLiteral("1")},
        {kShockwaveFlashQidong, QStringLiteral("0")},
        {kKuozhanming1, QStringLiteral(".rar")},
        {kZidongkongzhi, kZidongkongzhi},
        {kYinyueDakai1ci, QStringLiteral("0")},
        {kGeciDakai1ci, QStringLiteral("0")},
        {kFangyeHao, kFangyeHao},
        {kHangshu, flag::kNone},
        {kImageKongjian, flag::kNone},
        {kWidth01, QStringLiteral("9")},
        {kHeight01, QStringLiteral("9")},
        {kTuodongKaiguan, kTuodongKaiguan},
        {kTuodongDownX, QString()},
        {kTuodongDownY, QString()},
        {kXiangceLeixing, QString()},
        {kXiangceBaocunWeizhi, kYinyueShijian},
        {kMclCaozuoLeixing, kYinyueShijian},
        {kZhizuoKaishi, QStringLiteral("Edit_zhizuo_zhuan_zhizuo")},
    };
}
} // namespace

StateCells::StateCells()
{
    for (const auto &i : initialTexts())
        m_cells.insert(i.name, i.text);
}

QStringList StateCells::cellNames()
{
    QStringList names;
    for (const auto &i : initialTexts())
        names << i.name;
    return names;
}

QString StateCells::text(const QString &name) const
{
    auto it = m_cells.constFind(name);
    if (it == m_cells.constEnd())
        throw Error(QStringLiteral("unknown state cell %1").arg(name));
    return *it;
}

void StateCells::setText(const QString &name, const QString &value)
{
    auto it = m_cells.find(name);
    if (it == m_cells.end())
        throw Error(QStringLiteral("unknown state cell %1").arg(name));
    *it = value;
    if (name == cell::kZongLeijiaZhen && m_totalChanged)
        m_totalChanged(value);
}

int StateCells::toInt(const QString &name) const
{
    bool ok = false;
    const QString t = text(name);
    const int v = t.trimmed().toInt(&ok);
    if (!ok)
        throw Error(QStringLiteral("state cell %1 holds \"%2\" where a number is expected").arg(name, t));
    return v;
}

int StateCells::raise(const QString &name)
{
    const int v = toInt(name) + 1;
    setInt(name, v);
    return v;
}

} // namespace lumora
