#pragma once
// A tiny effect tree in a temporary program folder: picture and text packages
// with small PNG frames, and an album in the 16:9 mode pointing at it.
#include <QImage>
#include <QTemporaryDir>

#include "app/Album.h"
#include "effects/EffectPackage.h"
#include "image/ImageIO.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "templates/TextCodec.h"

namespace lumora::test {

class EffectTree {
public:
    EffectTree() : paths(dir.path()), mode(AlbumMode::get(ModeKind::Wide16x9).effectFolder) { }

    // A frame whose colour encodes k, so tests can tell frames apart.
    static QImage frameImage(int k, QSize size = {8, 4})
    {
        QImage img(size, QImage::Format_ARGB32_Premultiplied);
        img.fill(qRgba(k, 255 - k, 7, 255));
        return img;
    }
    static int frameNumberOf(const QImage &img) { return qRed(img.pixel(0, 0)); }

    // A package with `frames` in its INI; `written` frames exist on disk
    // (default: all), preview and production sets.
    void addPackage(const EffectLocation &loc, const EffectPackageIni &ini, int written = -1, QSize size = {8, 4},
                    QSize productionSize = {16, 8})
    {
        const QString folder = effectFolder(paths, mode, loc);
        ensureFolder(folder);
        writeFileBytes(effectIniPath(paths, mode, loc), encodeGbk(ini.toIniText()));
        const int n = written < 0 ? ini.frames() : written;
        for (int k = 1; k <= n; ++k) {
            writePng(frameImage(k, size), effectFramePath(paths, mode, loc, k, FrameSet::Preview), 1);
            writePng(frameImage(k, productionSize), effectFramePath(paths, mode, loc, k, FrameSet::Production), 1);
        }
    }

    void addPicture(int n, int frames, const QString &name = {}, int written = -1)
    {
        EffectPackageIni ini;
        ini.name = name.isEmpty() ? QStringLiteral("画面%1").arg(n) : name;
        ini.frameCount = QString::number(frames);
        addPackage({EffectKind::Picture, 0, n}, ini, written);
    }

    void addText(int cat, int n, int frames, const QString &marks = {},
                 const QString &positionMode = QStringLiteral("n"), QSize still = {8, 4})
    {
        EffectPackageIni ini;
        ini.name = QStringLiteral("文字%1_%2").arg(cat).arg(n);
        ini.frameCount = QString::number(frames);
        ini.still = QStringLiteral("1");
        ini.positionMode = positionMode;
        ini.x = QStringLiteral("10");
        ini.y = QStringLiteral("20");
        ini.marks = marks;
        addPackage({EffectKind::Text, cat, n}, ini, -1, still);
    }

    Album album()
    {
        Album a{paths};
        a.reset(ModeKind::Wide16x9);
        return a;
    }

    // Appends a catalogue row with its total frames and text mark columns
    // (columns 10, 13, 14, 16); returns its catalogue index.
    static int addCatalogue(Album &a, int frames, const QString &positions = {}, const QString &required = {},
                            const QString &optional = {})
    {
        Row row(QStringLiteral("1"));
        row.setCell(10, QString::number(frames));
        row.setCell(13, positions);
        row.setCell(14, required);
        row.setCell(16, optional);
        a.ListView_mobancanshu.append(row);
        return a.ListView_mobancanshu.size() - 1;
    }
    // Appends a used template of catalogue row `cat` with `slots` slot rows.
    static int addUsed(Album &a, int cat, bool complete = true, int slots = 2)
    {
        Row used(QString::number(cat));
        used.setCell(7, complete ? QStringLiteral("已完成") : QStringLiteral("未完成"));
        a.ListView_moban_shiyong.append(used);
        const int r = a.ListView_moban_shiyong.size() - 1;
        for (int s = 0; s < slots; ++s) {
            Row slot(QString::number(cat));
            slot.setCell(7, QString::number(r));
            slot.setCell(26, QString());
            a.ListView_moban_shiyong_canshu.append(slot);
        }
        return r;
    }
    static QStringList slotMarks(const Album &a)
    {
        QStringList out;
        for (const Row &s : a.ListView_moban_shiyong_canshu)
            out << s.cell(26);
        return out;
    }

    QTemporaryDir dir;
    Paths paths;
    QString mode;
};

} // namespace lumora::test
