#include "TemplateParams.h"

namespace lumora {

TemplateParams TemplateParams::read(const IniFile &ini)
{
    TemplateParams p;
    const QString one = QStringLiteral("1");
    p.marker = ini.value(kPackageMarkerSection, kPackageMarkerSection);
    p.mblx = ini.value(one, QStringLiteral("mblx"));
    p.mbfl = ini.value(one, QStringLiteral("mbfl"));
    p.xpsl = ini.value(one, QStringLiteral("xpsl"));
    p.xpkd = ini.value(one, QStringLiteral("xpkd"));
    p.xpgd = ini.value(one, QStringLiteral("xpgd"));
    p.szhz = ini.value(one, QStringLiteral("szhz"));
    p.xpjpgmc = ini.value(one, QStringLiteral("xpjpgmc"));
    p.mbdx = ini.value(one, QStringLiteral("mbdx"));
    p.name = ini.value(kPackageMarkerSection, QStringLiteral("l_x_q_k_t_p_w_j_s_y_m_c"));
    p.sl = ini.value(QStringLiteral("0"), QStringLiteral("sl"));
    p.wxcs01 = ini.value(one, QStringLiteral("wxcs01"));
    p.wxcs02 = ini.value(one, QStringLiteral("wxcs02"));
    p.wxcs03 = ini.value(one, QStringLiteral("wxcs03"));
    p.wxcs04 = ini.value(one, QStringLiteral("wxcs04"));
    return p;
}

QStringList TemplateParams::catalogueValues() const
{
    return {mblx, mbfl, xpsl, xpkd, xpgd, szhz, xpjpgmc, mbdx, name, sl, wxcs01, wxcs02, wxcs03, wxcs04};
}

QString TemplateParams::toIniText() const
{
    QString t;
    t += QStringLiteral("[l_x_q_k_t_p_w_j_s_y]\r\n");
    t += QStringLiteral("l_x_q_k_t_p_w_j_s_y=%1\r\n").arg(marker);
    t += QStringLiteral("l_x_q_k_t_p_w_j_s_y_m_c=%1\r\n").arg(name);
    t += QStringLiteral("[0]\r\nsl=%1\r\n").arg(sl);
    t += QStringLiteral("[1]\r\n");
    const std::pair<const char *, const QString *> keys[]
        = {{"mblx", &mblx},     {"mbfl", &mbfl},     {"xpsl", &xpsl},       {"xpkd", &xpkd},
           {"xpgd", &xpgd},     {"szhz", &szhz},     {"xpjpgmc", &xpjpgmc}, {"mbdx", &mbdx},
           {"wxcs01", &wxcs01}, {"wxcs02", &wxcs02}, {"wxcs03", &wxcs03},   {"wxcs04", &wxcs04}};
    for (const auto &[k, v] : keys)
        t += QString::fromLatin1(k) + u'=' + *v + QStringLiteral("\r\n");
    return t;
}

QStringList splitBarList(const QString &text)
{
    QStringList tokens;
    const int first = int(text.indexOf(u'|'));
    if (first < 0)
        return tokens;
    int from = first + 1;
    while (true) {
        const int next = int(text.indexOf(u'|', from));
        if (next < 0)
            break;
        tokens << text.mid(from, next - from);
        from = next + 1;
    }
    return tokens;
}

QString joinBarList(const QStringList &tokens)
{
    return QStringLiteral("|") + tokens.join(u'|') + QStringLiteral("|");
}

bool isPhotoSlotName(const QString &token)
{
    return token.count(u'_') == 1;
}

std::vector<int> photoSlotIndices(const QStringList &pictureNames)
{
    std::vector<int> out;
    for (int i = 0; i < pictureNames.size(); ++i)
        if (isPhotoSlotName(pictureNames[i]))
            out.push_back(i);
    return out;
}

} // namespace lumora
