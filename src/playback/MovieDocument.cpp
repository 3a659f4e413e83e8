#include "MovieDocument.h"

#include <QCoreApplication>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "app/Error.h"

namespace lumora {

using Json = nlohmann::ordered_json;

double applyEase(Ease ease, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    switch (ease) {
    case Ease::Linear: return t;
    case Ease::In: return t * t * t;
    case Ease::Out: {
        const double u = 1 - t;
        return 1 - u * u * u;
    }
    case Ease::InOut: return t < 0.5 ? 4 * t * t * t : 1 - std::pow(-2 * t + 2, 3) / 2;
    case Ease::Back: {
        // Overshoots a little and settles: lively entrances.
        const double c1 = 1.70158, c3 = c1 + 1;
        return 1 + c3 * std::pow(t - 1, 3) + c1 * std::pow(t - 1, 2);
    }
    case Ease::Hold: return t < 1 ? 0 : 1;
    case Ease::Smooth: return (1 - std::cos(t * M_PI)) / 2;
    }
    return t;
}

double Track::at(double frame, double fallback) const
{
    if (keys.empty())
        return fallback;
    if (frame <= keys.front().frame)
        return keys.front().value;
    if (frame >= keys.back().frame)
        return keys.back().value;
    // Few keys per track: a linear scan is the fastest search here.
    for (size_t i = 0; i + 1 < keys.size(); ++i) {
        const Key &a = keys[i], &b = keys[i + 1];
        if (frame < b.frame) {
            const double span = b.frame - a.frame;
            const double t = span > 0 ? (frame - a.frame) / span : 1;
            return a.value + (b.value - a.value) * applyEase(a.ease, t);
        }
    }
    return keys.back().value;
}

double Track::minValue(double fallback) const
{
    if (keys.empty())
        return fallback;
    double m = keys.front().value;
    for (const Key &k : keys)
        m = std::min(m, k.value);
    return m;
}

double Track::maxValue(double fallback) const
{
    if (keys.empty())
        return fallback;
    double m = keys.front().value;
    for (const Key &k : keys)
        m = std::max(m, k.value);
    return m;
}

std::vector<QString> MovieDocument::pictureNames() const
{
    std::vector<QString> names;
    QSet<QString> seen;
    for (const Layer &l : layers)
        if (l.type == LayerType::Picture && !seen.contains(l.picture)) {
            seen.insert(l.picture);
            names.push_back(l.picture);
        }
    return names;
}

namespace {

// Collects the file name and throws the messages of this parser.
struct Reader {
    QString what;

    [[noreturn]] void fail(const QString &path, const QString &problem) const
    {
        throw Error(QCoreApplication::translate("lumora::MovieDocument", "影片文件 %1 有误：字段 %2 %3")
                        .arg(what, path, problem));
    }

    double number(const Json &j, const QString &path) const
    {
        if (!j.is_number())
            fail(path, QCoreApplication::translate("lumora::MovieDocument", "应为数字"));
        const double v = j.get<double>();
        if (!std::isfinite(v))
            fail(path, QCoreApplication::translate("lumora::MovieDocument", "不是有限的数字"));
        return v;
    }
    double number(const Json &j, const QString &path, double lo, double hi) const
    {
        const double v = number(j, path);
        if (v < lo || v > hi)
            fail(path, QCoreApplication::translate("lumora::MovieDocument", "超出范围 %1 到 %2").arg(lo).arg(hi));
        return v;
    }
    int integer(const Json &j, const QString &path, int lo, int hi) const
    {
        if (!j.is_number_integer())
            fail(path, QCoreApplication::translate("lumora::MovieDocument", "应为整数"));
        const auto v = j.get<long long>();
        if (v < lo || v > hi)
            fail(path, QCoreApplication::translate("lumora::MovieDocument", "超出范围 %1 到 %2").arg(lo).arg(hi));
        return int(v);
    }
    QString text(const Json &j, const QString &path) const
    {
        if (!j.is_string())
            fail(path, QCoreApplication::translate("lumora::MovieDocument", "应为文字"));
        return QString::fromStdString(j.get<std::string>());
    }
    bool boolean(const Json &j, const QString &path) const
    {
        if (!j.is_boolean())
            fail(path, QCoreApplication::translate("lumora::MovieDocument", "应为 true 或 false"));
        return j.get<bool>();
    }
    QColor color(const Json &j, const QString &path) const
    {
        const QString t = text(j, path);
        QColor c(t);
        if (!t.startsWith(u'#') || !c.isValid())
            fail(path,
                 QCoreApplication::translate("lumora::MovieDocument", "不是有效的颜色（#rrggbb 或 #aarrggbb）：%1")
                     .arg(t));
        return c;
    }
    std::vector<double> numbers(const Json &j, const QString &path, size_t count) const
    {
        if (!j.is_array() || j.size() != count)
            fail(path, QCoreApplication::translate("lumora::MovieDocument", "应为 %1 个数字的数组").arg(count));
        std::vector<double> v;
        for (size_t i = 0; i < count; ++i)
            v.push_back(number(j[i], path + QStringLiteral("[%1]").arg(i)));
        return v;
    }
    QPointF point(const Json &j, const QString &path) const
    {
        const auto v = numbers(j, path, 2);
        return {v[0], v[1]};
    }
    Ease ease(const Json &j, const QString &path) const
    {
        const QString t = text(j, path);
        static const std::pair<const char *, Ease> names[]
            = {{"linear", Ease::Linear}, {"in", Ease::In},     {"out", Ease::Out},      {"inout", Ease::InOut},
               {"back", Ease::Back},     {"hold", Ease::Hold}, {"smooth", Ease::Smooth}};
        for (const auto &[n, e] : names)
            if (t == QLatin1String(n))
                return e;
        fail(path, QCoreApplication::translate("lumora::MovieDocument", "不是已知的缓动方式：%1").arg(t));
    }
    // A track is a number (constant) or an array of keys [frame, value] or
    // [frame, value, ease] with frames in increasing order.
    Track track(const Json &j, const QString &path) const
    {
        Track t;
        if (j.is_number()) {
            t.keys.push_back({0, number(j, path), Ease::Linear});
            return t;
        }
        if (!j.is_array() || j.empty())
            fail(path, QCoreApplication::translate("lumora::MovieDocument", "应为数字或关键帧数组"));
        for (size_t i = 0; i < j.size(); ++i) {
            const QString p = path + QStringLiteral("[%1]").arg(i);
            const Json &k = j[i];
            if (!k.is_array() || k.size() < 2 || k.size() > 3)
                fail(p, QCoreApplication::translate("lumora::MovieDocument", "应为 [帧, 值] 或 [帧, 值, 缓动]"));
            Track::Key key;
            key.frame = number(k[0], p + QStringLiteral("[0]"), -kMaxMovieFrames, kMaxMovieFrames);
            key.value = number(k[1], p + QStringLiteral("[1]"));
            if (k.size() == 3)
                key.ease = ease(k[2], p + QStringLiteral("[2]"));
            if (!t.keys.empty() && key.frame < t.keys.back().frame)
                fail(p, QCoreApplication::translate("lumora::MovieDocument", "的帧号小于前一个关键帧"));
            t.keys.push_back(key);
        }
        return t;
    }

    void checkKeys(const Json &obj, const QString &path, std::initializer_list<const char *> known) const
    {
        for (auto it = obj.begin(); it != obj.end(); ++it) {
            bool ok = false;
            for (const char *k : known)
                ok = ok || it.key() == k;
            if (!ok)
                fail(path + u'.' + QString::fromStdString(it.key()),
                     QCoreApplication::translate("lumora::MovieDocument", "不是已知的字段"));
        }
    }

    const Json &object(const Json &j, const QString &path) const
    {
        if (!j.is_object())
            fail(path, QCoreApplication::translate("lumora::MovieDocument", "应为对象"));
        return j;
    }

    Layer layer(const Json &j, const QString &path, int frames) const
    {
        object(j, path);
        checkKeys(j, path, {"type",     "from",          "to",     "rect",   "anchor",
                            "picture",  "fit",           "crop",   "blur",   "fill",
                            "gradient", "radius",        "text",   "font",   "color",
                            "align",    "letterSpacing", "border", "shadow", "transparencyVariable",
                            "anim",     "clip",          "comment"});
        Layer l;
        if (!j.contains("type"))
            fail(path + QStringLiteral(".type"), QCoreApplication::translate("lumora::MovieDocument", "缺少"));
        const QString type = text(j["type"], path + QStringLiteral(".type"));
        if (type == QLatin1String("picture"))
            l.type = LayerType::Picture;
        else if (type == QLatin1String("rect"))
            l.type = LayerType::Rect;
        else if (type == QLatin1String("ellipse"))
            l.type = LayerType::Ellipse;
        else if (type == QLatin1String("text"))
            l.type = LayerType::Text;
        else
            fail(path + QStringLiteral(".type"),
                 QCoreApplication::translate("lumora::MovieDocument", "不是已知的图层类型：%1").arg(type));

        if (!j.contains("rect"))
            fail(path + QStringLiteral(".rect"), QCoreApplication::translate("lumora::MovieDocument", "缺少"));
        const auto r = numbers(j["rect"], path + QStringLiteral(".rect"), 4);
        if (r[2] <= 0 || r[3] <= 0 || r[2] > 4 * kMaxStageSide || r[3] > 4 * kMaxStageSide)
            fail(path + QStringLiteral(".rect"),
                 QCoreApplication::translate("lumora::MovieDocument", "的宽度和高度应为正数且不过大"));
        l.rect = QRectF(r[0], r[1], r[2], r[3]);
        if (j.contains("from"))
            l.from = integer(j["from"], path + QStringLiteral(".from"), 0, frames - 1);
        if (j.contains("to"))
            l.to = integer(j["to"], path + QStringLiteral(".to"), -1, frames - 1);
        if (l.to >= 0 && l.to < l.from)
            fail(path + QStringLiteral(".to"), QCoreApplication::translate("lumora::MovieDocument", "小于 from"));
        if (j.contains("anchor"))
            l.anchor = point(j["anchor"], path + QStringLiteral(".anchor"));

        if (l.type == LayerType::Picture) {
            if (!j.contains("picture"))
                fail(path + QStringLiteral(".picture"), QCoreApplication::translate("lumora::MovieDocument", "缺少"));
            l.picture = text(j["picture"], path + QStringLiteral(".picture"));
            if (l.picture.isEmpty() || l.picture.contains(u'\\') || l.picture.startsWith(u'/'))
                fail(path + QStringLiteral(".picture"),
                     QCoreApplication::translate("lumora::MovieDocument", "应为影片所在文件夹内的相对文件名"));
        }
        if (j.contains("fit")) {
            const QString f = text(j["fit"], path + QStringLiteral(".fit"));
            if (f == QLatin1String("cover"))
                l.fit = Fit::Cover;
            else if (f == QLatin1String("contain"))
                l.fit = Fit::Contain;
            else if (f == QLatin1String("stretch"))
                l.fit = Fit::Stretch;
            else
                fail(path + QStringLiteral(".fit"),
                     QCoreApplication::translate("lumora::MovieDocument", "应为 cover、contain 或 stretch"));
        }
        if (j.contains("crop")) {
            const auto c = numbers(j["crop"], path + QStringLiteral(".crop"), 4);
            if (c[0] < 0 || c[1] < 0 || c[2] <= 0 || c[3] <= 0 || c[0] + c[2] > 1.0001 || c[1] + c[3] > 1.0001)
                fail(path + QStringLiteral(".crop"),
                     QCoreApplication::translate("lumora::MovieDocument", "应在 0 到 1 之间且宽高为正"));
            l.crop = QRectF(c[0], c[1], c[2], c[3]);
        }
        if (j.contains("blur"))
            l.blur = number(j["blur"], path + QStringLiteral(".blur"), 0, 200);
        if (j.contains("fill"))
            l.fill = color(j["fill"], path + QStringLiteral(".fill"));
        if (j.contains("gradient")) {
            const QString gp = path + QStringLiteral(".gradient");
            const Json &g = object(j["gradient"], gp);
            checkKeys(g, gp, {"type", "from", "to", "stops"});
            l.gradient.present = true;
            if (g.contains("type")) {
                const QString gt = text(g["type"], gp + QStringLiteral(".type"));
                if (gt != QLatin1String("linear") && gt != QLatin1String("radial"))
                    fail(gp + QStringLiteral(".type"),
                         QCoreApplication::translate("lumora::MovieDocument", "应为 linear 或 radial"));
                l.gradient.radial = gt == QLatin1String("radial");
            }
            if (g.contains("from"))
                l.gradient.from = point(g["from"], gp + QStringLiteral(".from"));
            if (g.contains("to"))
                l.gradient.to = point(g["to"], gp + QStringLiteral(".to"));
            if (!g.contains("stops") || !g["stops"].is_array() || g["stops"].size() < 2)
                fail(gp + QStringLiteral(".stops"),
                     QCoreApplication::translate("lumora::MovieDocument", "应为至少两个 [位置, 颜色]"));
            for (size_t i = 0; i < g["stops"].size(); ++i) {
                const QString sp = gp + QStringLiteral(".stops[%1]").arg(i);
                const Json &s = g["stops"][i];
                if (!s.is_array() || s.size() != 2)
                    fail(sp, QCoreApplication::translate("lumora::MovieDocument", "应为 [位置, 颜色]"));
                l.gradient.stops.emplace_back(number(s[0], sp + QStringLiteral("[0]"), 0, 1),
                                              color(s[1], sp + QStringLiteral("[1]")));
            }
        }
        if (j.contains("radius"))
            l.radius = number(j["radius"], path + QStringLiteral(".radius"), 0, kMaxStageSide);
        if (l.type == LayerType::Text) {
            if (!j.contains("text"))
                fail(path + QStringLiteral(".text"), QCoreApplication::translate("lumora::MovieDocument", "缺少"));
            l.text = text(j["text"], path + QStringLiteral(".text"));
        }
        if (j.contains("font")) {
            const QString fp = path + QStringLiteral(".font");
            const Json &f = object(j["font"], fp);
            checkKeys(f, fp, {"family", "size", "bold", "italic"});
            if (f.contains("family"))
                l.fontFamily = text(f["family"], fp + QStringLiteral(".family"));
            if (f.contains("size"))
                l.fontSize = number(f["size"], fp + QStringLiteral(".size"), 1, 2000);
            if (f.contains("bold"))
                l.bold = boolean(f["bold"], fp + QStringLiteral(".bold"));
            if (f.contains("italic"))
                l.italic = boolean(f["italic"], fp + QStringLiteral(".italic"));
        }
        if (j.contains("color"))
            l.color = color(j["color"], path + QStringLiteral(".color"));
        if (j.contains("align")) {
            const QString a = text(j["align"], path + QStringLiteral(".align"));
            if (a == QLatin1String("left"))
                l.align = 0x81; // AlignLeft | AlignVCenter
            else if (a == QLatin1String("center"))
                l.align = 0x84; // AlignCenter
            else if (a == QLatin1String("right"))
                l.align = 0x82; // AlignRight | AlignVCenter
            else
                fail(path + QStringLiteral(".align"),
                     QCoreApplication::translate("lumora::MovieDocument", "应为 left、center 或 right"));
        }
        if (j.contains("letterSpacing"))
            l.letterSpacing = number(j["letterSpacing"], path + QStringLiteral(".letterSpacing"), -50, 500);
        if (j.contains("border")) {
            const QString bp = path + QStringLiteral(".border");
            const Json &b = object(j["border"], bp);
            checkKeys(b, bp, {"width", "color"});
            if (b.contains("width"))
                l.borderWidth = number(b["width"], bp + QStringLiteral(".width"), 0, 500);
            if (b.contains("color"))
                l.borderColor = color(b["color"], bp + QStringLiteral(".color"));
        }
        if (j.contains("shadow")) {
            const QString sp = path + QStringLiteral(".shadow");
            const Json &s = object(j["shadow"], sp);
            checkKeys(s, sp, {"dx", "dy", "blur", "color"});
            if (s.contains("dx"))
                l.shadowDx = number(s["dx"], sp + QStringLiteral(".dx"), -500, 500);
            if (s.contains("dy"))
                l.shadowDy = number(s["dy"], sp + QStringLiteral(".dy"), -500, 500);
            if (s.contains("blur"))
                l.shadowBlur = number(s["blur"], sp + QStringLiteral(".blur"), 0, 200);
            l.shadowColor
                = s.contains("color") ? color(s["color"], sp + QStringLiteral(".color")) : QColor(0, 0, 0, 110);
        }
        if (j.contains("transparencyVariable"))
            l.transparencyVariable = text(j["transparencyVariable"], path + QStringLiteral(".transparencyVariable"));
        if (j.contains("anim")) {
            const QString ap = path + QStringLiteral(".anim");
            const Json &a = object(j["anim"], ap);
            checkKeys(a, ap, {"x", "y", "scale", "scaleX", "scaleY", "rotation", "opacity", "zoom", "panX", "panY"});
            const std::pair<const char *, Track Layer::*> tracks[] = {{"x", &Layer::x},
                                                                      {"y", &Layer::y},
                                                                      {"scale", &Layer::scale},
                                                                      {"scaleX", &Layer::scaleX},
                                                                      {"scaleY", &Layer::scaleY},
                                                                      {"rotation", &Layer::rotation},
                                                                      {"opacity", &Layer::opacity},
                                                                      {"zoom", &Layer::zoom},
                                                                      {"panX", &Layer::panX},
                                                                      {"panY", &Layer::panY}};
            for (const auto &[name, member] : tracks)
                if (a.contains(name))
                    l.*member = track(a[name], ap + u'.' + QLatin1String(name));
            if (l.zoom.animated() && l.zoom.minValue(1) < 1)
                fail(ap + QStringLiteral(".zoom"), QCoreApplication::translate("lumora::MovieDocument", "不能小于 1"));
            if (l.zoom.maxValue(1) > 8)
                fail(ap + QStringLiteral(".zoom"), QCoreApplication::translate("lumora::MovieDocument", "不能大于 8"));
            if (l.scale.maxValue(1) > 20 || l.scaleX.maxValue(1) > 20 || l.scaleY.maxValue(1) > 20)
                fail(ap + QStringLiteral(".scale"),
                     QCoreApplication::translate("lumora::MovieDocument", "不能大于 20"));
        }
        if (j.contains("clip")) {
            const QString cp = path + QStringLiteral(".clip");
            const Json &c = object(j["clip"], cp);
            checkKeys(c, cp, {"shape", "direction", "count", "invert", "centre", "progress"});
            if (!c.contains("shape"))
                fail(cp + QStringLiteral(".shape"), QCoreApplication::translate("lumora::MovieDocument", "缺少"));
            const QString shape = text(c["shape"], cp + QStringLiteral(".shape"));
            static const std::pair<const char *, ClipShape> shapes[]
                = {{"wipe", ClipShape::Wipe},       {"iris", ClipShape::Iris},       {"box", ClipShape::Box},
                   {"diamond", ClipShape::Diamond}, {"blinds", ClipShape::Blinds},   {"split", ClipShape::Split},
                   {"clock", ClipShape::Clock},     {"checker", ClipShape::Checker}, {"diagonal", ClipShape::Diagonal},
                   {"stripes", ClipShape::Stripes}};
            for (const auto &[n, s] : shapes)
                if (shape == QLatin1String(n))
                    l.clip.shape = s;
            if (l.clip.shape == ClipShape::None)
                fail(cp + QStringLiteral(".shape"),
                     QCoreApplication::translate("lumora::MovieDocument", "不是已知的形状：%1").arg(shape));
            if (c.contains("direction")) {
                l.clip.direction = text(c["direction"], cp + QStringLiteral(".direction"));
                static const QStringList dirs
                    = {QStringLiteral("left"), QStringLiteral("right"),      QStringLiteral("up"),
                       QStringLiteral("down"), QStringLiteral("horizontal"), QStringLiteral("vertical")};
                if (!dirs.contains(l.clip.direction))
                    fail(cp + QStringLiteral(".direction"),
                         QCoreApplication::translate("lumora::MovieDocument", "不是已知的方向：%1")
                             .arg(l.clip.direction));
            }
            if (c.contains("count"))
                l.clip.count = integer(c["count"], cp + QStringLiteral(".count"), 1, 200);
            if (c.contains("invert"))
                l.clip.invert = boolean(c["invert"], cp + QStringLiteral(".invert"));
            if (c.contains("centre"))
                l.clip.centre = point(c["centre"], cp + QStringLiteral(".centre"));
            if (!c.contains("progress"))
                fail(cp + QStringLiteral(".progress"), QCoreApplication::translate("lumora::MovieDocument", "缺少"));
            l.clip.progress = track(c["progress"], cp + QStringLiteral(".progress"));
        }
        return l;
    }
};

int lineOfByte(const QByteArray &bytes, size_t byte)
{
    const qsizetype end = std::min<qsizetype>(bytes.size(), qsizetype(byte));
    return int(std::count(bytes.begin(), bytes.begin() + end, '\n')) + 1;
}

} // namespace

MovieDocument parseMovieDocument(const QByteArray &bytes, const QString &what)
{
    Json root;
    try {
        root = Json::parse(bytes.begin(), bytes.end());
    } catch (const Json::parse_error &e) {
        throw Error(QCoreApplication::translate("lumora::MovieDocument", "影片文件 %1 无法读取：第 %2 行格式错误（%3）")
                        .arg(what)
                        .arg(lineOfByte(bytes, e.byte))
                        .arg(QString::fromUtf8(e.what())));
    } catch (const Json::exception &e) {
        // Not a syntax error but still unreadable, such as a number beyond
        // the range of a double (1e3081): the parser throws out_of_range.
        throw Error(QCoreApplication::translate("lumora::MovieDocument", "影片文件 %1 无法读取：%2")
                        .arg(what, QString::fromUtf8(e.what())));
    }
    Reader r{what};
    r.object(root, QCoreApplication::translate("lumora::MovieDocument", "(文档)"));
    r.checkKeys(root, QString(),
                {"lumoraMovie", "stage", "frames", "loop", "keepAspect", "backdrop", "variables", "layers", "comment"});
    MovieDocument d;
    if (!root.contains("lumoraMovie"))
        r.fail(QStringLiteral("lumoraMovie"),
               QCoreApplication::translate("lumora::MovieDocument", "缺少：这不是影片文档"));
    d.version = r.integer(root["lumoraMovie"], QStringLiteral("lumoraMovie"), 1, 1);
    if (!root.contains("stage"))
        r.fail(QStringLiteral("stage"), QCoreApplication::translate("lumora::MovieDocument", "缺少"));
    const auto st = r.numbers(root["stage"], QStringLiteral("stage"), 2);
    if (st[0] < 1 || st[1] < 1 || st[0] > kMaxStageSide || st[1] > kMaxStageSide || st[0] != std::floor(st[0])
        || st[1] != std::floor(st[1]))
        r.fail(QStringLiteral("stage"),
               QCoreApplication::translate("lumora::MovieDocument", "应为 1 到 %1 的整数宽高").arg(kMaxStageSide));
    d.stage = QSize(int(st[0]), int(st[1]));
    if (!root.contains("frames"))
        r.fail(QStringLiteral("frames"), QCoreApplication::translate("lumora::MovieDocument", "缺少"));
    d.frames = r.integer(root["frames"], QStringLiteral("frames"), 1, kMaxMovieFrames);
    if (root.contains("loop"))
        d.loop = r.boolean(root["loop"], QStringLiteral("loop"));
    if (root.contains("keepAspect"))
        d.keepAspect = r.boolean(root["keepAspect"], QStringLiteral("keepAspect"));
    if (root.contains("backdrop"))
        d.backdrop = r.color(root["backdrop"], QStringLiteral("backdrop"));
    if (root.contains("variables")) {
        const Json &v = r.object(root["variables"], QStringLiteral("variables"));
        for (auto it = v.begin(); it != v.end(); ++it) {
            const QString key = QString::fromStdString(it.key());
            d.variables.emplace_back(key, r.text(it.value(), QStringLiteral("variables.") + key));
        }
    }
    if (root.contains("layers")) {
        const Json &ls = root["layers"];
        if (!ls.is_array())
            r.fail(QStringLiteral("layers"), QCoreApplication::translate("lumora::MovieDocument", "应为数组"));
        if (ls.size() > size_t(kMaxMovieLayers))
            r.fail(QStringLiteral("layers"),
                   QCoreApplication::translate("lumora::MovieDocument", "超过 %1 个图层").arg(kMaxMovieLayers));
        for (size_t i = 0; i < ls.size(); ++i)
            d.layers.push_back(r.layer(ls[i], QStringLiteral("layers[%1]").arg(i), d.frames));
    }
    return d;
}

} // namespace lumora
