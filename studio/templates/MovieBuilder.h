#pragma once
// Small helpers that write movie documents (docs/movie-format.md) for the
// template author: layers as JSON objects, keyframe tracks, frames, shadows
// and reveal clips.
#include <QByteArray>
#include <QColor>
#include <QRectF>
#include <QSize>
#include <QString>
#include <initializer_list>
#include <nlohmann/json.hpp>

namespace lumora::studio::mv {

using Json = nlohmann::ordered_json;

inline std::string s(const QString &t)
{
    return t.toStdString();
}
inline std::string col(const QColor &c)
{
    return c.alpha() == 255 ? s(c.name(QColor::HexRgb)) : s(c.name(QColor::HexArgb));
}
inline Json rect(const QRectF &r)
{
    return Json::array({r.x(), r.y(), r.width(), r.height()});
}

// A keyframe: [frame, value, ease]; the ease shapes the way to the next key.
struct K {
    double frame, value;
    const char *ease = "inout";
};
inline Json track(std::initializer_list<K> keys)
{
    Json a = Json::array();
    for (const K &k : keys)
        a.push_back(Json::array({k.frame, k.value, k.ease}));
    return a;
}

class Movie {
public:
    Movie(QSize stage, int frames, const QColor &backdrop)
    {
        m_doc["lumoraMovie"] = 1;
        m_doc["stage"] = Json::array({stage.width(), stage.height()});
        m_doc["frames"] = frames;
        m_doc["backdrop"] = col(backdrop);
        m_doc["variables"] = Json::object();
        m_doc["layers"] = Json::array();
    }
    void variable(const QString &name, const QString &value) { m_doc["variables"][s(name)] = s(value); }
    void set(const char *key, Json value) { m_doc[key] = std::move(value); }
    Json &add(Json layer)
    {
        m_doc["layers"].push_back(std::move(layer));
        return m_doc["layers"].back();
    }
    QByteArray bytes() const { return QByteArray::fromStdString(m_doc.dump(1)); }

private:
    Json m_doc;
};

inline Json picture(const QString &name, const QRectF &r, const char *fit = "cover")
{
    return Json{{"type", "picture"}, {"rect", rect(r)}, {"picture", s(name)}, {"fit", fit}};
}
inline Json box(const QRectF &r, const QColor &fill, double radius = 0)
{
    Json j{{"type", "rect"}, {"rect", rect(r)}, {"fill", col(fill)}};
    if (radius > 0)
        j["radius"] = radius;
    return j;
}
inline Json ellipse(const QRectF &r, const QColor &fill)
{
    return Json{{"type", "ellipse"}, {"rect", rect(r)}, {"fill", col(fill)}};
}
// Gradient fill: points relative to the rect.
inline Json gradientBox(const QRectF &r, const QColor &a, const QColor &b, QPointF from = {0, 0}, QPointF to = {0, 1},
                        bool radial = false)
{
    return Json{{"type", "rect"},
                {"rect", rect(r)},
                {"gradient",
                 {{"type", radial ? "radial" : "linear"},
                  {"from", {from.x(), from.y()}},
                  {"to", {to.x(), to.y()}},
                  {"stops", Json::array({Json::array({0.0, col(a)}), Json::array({1.0, col(b)})})}}}};
}
inline Json text(const QString &t, const QRectF &r, double size, const QColor &c, bool bold = false,
                 const char *align = "center")
{
    return Json{{"type", "text"},  {"rect", rect(r)}, {"text", s(t)}, {"font", {{"size", size}, {"bold", bold}}},
                {"color", col(c)}, {"align", align}};
}
inline void frameAround(Json &l, double border, const QColor &borderColor, double shadowBlur, double dx, double dy,
                        const QColor &shadow = QColor(0, 0, 0, 120))
{
    if (border > 0)
        l["border"] = {{"width", border}, {"color", col(borderColor)}};
    if (shadowBlur > 0)
        l["shadow"] = {{"dx", dx}, {"dy", dy}, {"blur", shadowBlur}, {"color", col(shadow)}};
}
inline void anim(Json &l, const char *prop, Json t)
{
    l["anim"][prop] = std::move(t);
}
inline void clip(Json &l, const char *shape, Json progress, bool invert = false, const char *direction = nullptr,
                 int count = 0, QPointF centre = {0.5, 0.5})
{
    Json c{{"shape", shape}, {"invert", invert}, {"progress", std::move(progress)}};
    if (direction)
        c["direction"] = direction;
    if (count > 0)
        c["count"] = count;
    if (centre != QPointF(0.5, 0.5))
        c["centre"] = {centre.x(), centre.y()};
    l["clip"] = std::move(c);
}
inline void span(Json &l, int from, int to = -1)
{
    l["from"] = from;
    if (to >= 0)
        l["to"] = to;
}

} // namespace lumora::studio::mv
