#pragma once
// A small program folder made in a temporary directory: template parameter
// files and movies for one mode, the mode movie, the default background
// pictures and template packs, plus tiny JPEG photos with an optional EXIF
// orientation. Tests build exactly the catalogue that shows their case.
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include "app/Album.h"
#include "image/ImageIO.h"
#include "resources/PackedFile.h"
#include "templates/Catalogue.h"
#include "templates/TemplatePacks.h"
#include "templates/TemplateParams.h"
#include "templates/TextCodec.h"

namespace lumora::test {

struct FixtureTemplate {
    QString name;
    QString szhz; // e.g. "|heng|"
    QString xpjpgmc; // e.g. "|picture_1|"
    QString xpkd; // e.g. "|0|"
    QString xpgd; // e.g. "|1080|"
    int frames = 150;
    QString marker = kPackageMarker;
};

// A single landscape / portrait full-frame template and a mixed one.
inline FixtureTemplate landscapeTemplate(const QString &name)
{
    return {name, "|heng|", "|picture_1|", "|0|", "|1080|"};
}
inline FixtureTemplate portraitTemplate(const QString &name)
{
    return {name, "|shu|", "|picture_1|", "|0|", "|1080|"};
}

// An APP1 EXIF segment holding only the Orientation tag.
inline QByteArray exifSegment(int orientation)
{
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    auto u16 = [&](int v) { tiff.append(char(v & 0xff)).append(char((v >> 8) & 0xff)); };
    auto u32 = [&](int v) {
        u16(v & 0xffff);
        u16((v >> 16) & 0xffff);
    };
    u16(1); // one entry
    u16(0x0112); // Orientation
    u16(3); // SHORT
    u32(1); // count
    u16(orientation);
    u16(0);
    u32(0); // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray seg("\xFF\xE1", 2);
    const int len = int(payload.size()) + 2;
    seg.append(char(len >> 8)).append(char(len & 0xff));
    return seg + payload;
}

class AlbumFixture {
public:
    explicit AlbumFixture(ModeKind mode = ModeKind::Wide16x9) : m_mode(mode), m_paths(m_dir.path())
    {
        // Mode movie and default backgrounds.
        packed::packTo(QByteArray("mode movie"), packed::kModeMovieDepth, m_paths.modeMoviePacked(mode));
        QImage bg(64, 36, QImage::Format_RGB32);
        bg.fill(QColor(10, 120, 200));
        packed::packTo(encodeJpeg(bg), packed::kDefaultBackgroundDepth, m_paths.defaultBackgroundPacked(mode));
    }

    const Paths &paths() const { return m_paths; }
    QString dir() const { return m_dir.path() + '/'; }

    // Appends template n (listing order = file name order) to the mode's folders.
    void addTemplate(const FixtureTemplate &t, bool withMovie = true)
    {
        const int n = m_count++;
        TemplateParams p;
        p.marker = t.marker;
        p.mblx = QStringLiteral("类型");
        p.mbfl = QStringLiteral("分类");
        p.xpsl = QString::number(splitBarList(t.xpjpgmc).size());
        p.xpkd = t.xpkd;
        p.xpgd = t.xpgd;
        p.szhz = t.szhz;
        p.xpjpgmc = t.xpjpgmc;
        p.mbdx = QString::number(t.frames);
        p.name = t.name;
        p.wxcs01 = QStringLiteral("|10|");
        p.wxcs02 = QStringLiteral("|a|");
        const QString file = QStringLiteral("t_%1.rar").arg(n, 3, 10, QChar('0'));
        packed::packTo(encodeGbk(p.toIniText()), packed::kTemplateParamDepth,
                       m_paths.templateParamFolder(m_mode) + file);
        if (withMovie)
            packed::packTo(("movie of " + t.name).toUtf8(), packed::kTemplateMovieDepth,
                           m_paths.templateMovieFolder(m_mode) + file);
    }

    void addPack(int k, const std::vector<PackEntry> &entries)
    {
        packed::packTo(encodeGbk(templatePackIniText(entries)), packed::kPackParamDepth, templatePackPath(m_paths, k));
    }

    // An album of the fixture's mode with its catalogue built.
    Album album()
    {
        Album a(m_paths);
        a.mode = m_mode;
        buildCatalogue(a);
        a.reset(m_mode);
        return a;
    }

    // A w × h JPEG (stored size) with an EXIF orientation when not 1.
    QString photo(const QString &name, int w, int h, int orientation = 1, QColor colour = QColor(200, 80, 40))
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(colour);
        QByteArray jpeg = encodeJpeg(img);
        if (orientation != 1)
            jpeg.insert(2, exifSegment(orientation));
        const QString path = dir() + "photos/" + name + ".jpg";
        writeFileBytes(path, jpeg);
        return path;
    }

private:
    QTemporaryDir m_dir;
    ModeKind m_mode;
    Paths m_paths;
    int m_count = 0;
};

} // namespace lumora::test
