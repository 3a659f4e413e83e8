#pragma once
// A tiny program folder for production tests: two short single-photo
// templates of the 16:9 mode (real movie documents: a full-frame colour per
// template with the photo in a corner), a 150-frame blue mode movie, the
// default background, and small photos. The colours let a test tell the
// template, the mode movie and the black first frame apart in any frame.
#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <nlohmann/json.hpp>

#include "album/AddStep.h"
#include "app/Album.h"
#include "effects/EffectTables.h"
#include "image/ImageIO.h"
#include "resources/PackedFile.h"
#include "templates/Catalogue.h"
#include "templates/TemplateParams.h"
#include "templates/TextCodec.h"

namespace lumora::test {

inline const QColor kFirstTemplateColour(220, 30, 30);
inline const QColor kSecondTemplateColour(30, 200, 30);
inline const QColor kModeMovieColour(30, 30, 220);

inline QByteArray movieDocument(int frames, const QColor &colour, bool withPhoto)
{
    using Json = nlohmann::ordered_json;
    Json layers = Json::array();
    layers.push_back({{"type", "rect"}, {"rect", {0, 0, 1920, 1080}}, {"fill", colour.name().toStdString()}});
    if (withPhoto)
        layers.push_back(
            {{"type", "picture"}, {"rect", {1440, 60, 420, 236}}, {"picture", "picture_1.jpg"}, {"fit", "cover"}});
    Json doc{
        {"lumoraMovie", 1},
        {"stage", {1920, 1080}},
        {"frames", frames},
        {"variables", {{kMovieIdentityVariable.toStdString(), kMovieIdentityValue.toStdString()}, {"num_stop", "0"}}},
        {"layers", layers}};
    return QByteArray::fromStdString(doc.dump());
}

class ProductionFixture {
public:
    // Two templates of `firstFrames` and `secondFrames` frames.
    explicit ProductionFixture(int firstFrames = 10, int secondFrames = 8) : m_paths(m_dir.path())
    {
        const ModeKind mode = ModeKind::Wide16x9;
        addTemplate(0, QStringLiteral("红"), firstFrames, kFirstTemplateColour);
        addTemplate(1, QStringLiteral("绿"), secondFrames, kSecondTemplateColour);
        packed::packTo(movieDocument(150, kModeMovieColour, false), packed::kModeMovieDepth,
                       m_paths.modeMoviePacked(mode));
        QImage bg(64, 36, QImage::Format_RGB32);
        bg.fill(QColor(90, 90, 90));
        packed::packTo(encodeJpeg(bg), packed::kDefaultBackgroundDepth, m_paths.defaultBackgroundPacked(mode));
    }

    const Paths &paths() const { return m_paths; }
    QString dir() const { return m_dir.path() + '/'; }

    QString photo(const QString &name, int w = 160, int h = 90)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(QColor(240, 200, 40));
        const QString path = dir() + QStringLiteral("photos/") + name + QStringLiteral(".jpg");
        writeFileBytes(path, encodeJpeg(img));
        return path;
    }

    // A 16:9 album with its catalogue and `photos` landscape photos added
    // (automatic effects off: the fixture has no effect packages).
    Album album(int photos = 2)
    {
        Album a(m_paths);
        a.mode = ModeKind::Wide16x9;
        buildCatalogue(a);
        a.reset(ModeKind::Wide16x9);
        initEffectTables(a);
        a.settings.wenzitexiaoTianjia = false;
        a.settings.huamiantexiaoTianjia = false;
        AddPhotosRequest request;
        for (int i = 0; i < photos; ++i)
            request.files << photo(QStringLiteral("照片%1").arg(i + 1));
        addPhotos(a, request);
        return a;
    }

private:
    void addTemplate(int n, const QString &name, int frames, const QColor &colour)
    {
        TemplateParams p;
        p.marker = kPackageMarker;
        p.mblx = QStringLiteral("单张");
        p.mbfl = QStringLiteral("横照");
        p.xpsl = QStringLiteral("1");
        p.xpkd = QStringLiteral("|0|");
        p.xpgd = QStringLiteral("|1080|");
        p.szhz = QStringLiteral("|heng|");
        p.xpjpgmc = QStringLiteral("|picture_1|");
        p.mbdx = QString::number(frames);
        p.name = name;
        p.wxcs01 = QStringLiteral("|1|");
        p.wxcs02 = QStringLiteral("|a|");
        const QString file = QStringLiteral("t_%1.rar").arg(n, 3, 10, QChar('0'));
        const ModeKind mode = ModeKind::Wide16x9;
        packed::packTo(encodeGbk(p.toIniText()), packed::kTemplateParamDepth, m_paths.templateParamFolder(mode) + file);
        packed::packTo(movieDocument(frames, colour, true), packed::kTemplateMovieDepth,
                       m_paths.templateMovieFolder(mode) + file);
    }

    QTemporaryDir m_dir;
    Paths m_paths;
};

// True when `c` is within `tolerance` of `expected` on every channel.
inline bool near(QRgb c, const QColor &expected, int tolerance = 40)
{
    return std::abs(qRed(c) - expected.red()) <= tolerance && std::abs(qGreen(c) - expected.green()) <= tolerance
        && std::abs(qBlue(c) - expected.blue()) <= tolerance;
}

} // namespace lumora::test
