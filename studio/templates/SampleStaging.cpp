#include "SampleStaging.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

#include "image/ImageIO.h"
#include "resources/PackedFile.h"

namespace lumora::studio {

namespace {

QImage makeSample(bool landscape, int n)
{
    const QSize size = landscape ? QSize(1600, 1200) : QSize(1200, 1600);
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor a = QColor::fromHsv((n * 53 + (landscape ? 20 : 200)) % 360, 120, 220);
    const QColor b = QColor::fromHsv((n * 53 + (landscape ? 80 : 260)) % 360, 160, 90);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    p.fillRect(img.rect(), g);
    for (int i = 0; i < 6; ++i) {
        QRadialGradient r(QPointF(size.width() * (0.15 + 0.14 * i), size.height() * (0.3 + 0.08 * (i % 3))),
                          size.width() * 0.12);
        r.setColorAt(0, QColor(255, 255, 255, 120));
        r.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(img.rect(), r);
    }
    p.setPen(QColor(255, 255, 255, 200));
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(size.height() / 6);
    p.setFont(f);
    p.drawText(img.rect(), Qt::AlignCenter, (landscape ? QStringLiteral("横 %1") : QStringLiteral("竖 %1")).arg(n + 1));
    return img;
}

// Draws `photo` scaled to (w, h) at (x, y) on a white canvas.
QImage canvas(int cw, int ch, const QImage &photo, int x, int y, int w, int h)
{
    QImage c(std::max(1, cw), std::max(1, ch), QImage::Format_RGB32);
    c.fill(Qt::white);
    QPainter p(&c);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(x, y, w, h), photo);
    return c;
}

QImage scaledTo(const QImage &img, int w, int h)
{
    return img.scaled(std::max(1, w), std::max(1, h), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The staged picture of one slot (the rules of the album's staging).
QImage slotPicture(const SlotDesign &slot, bool advanced, bool photoLandscape, ModeKind mode, QSize render,
                   const QImage &photo)
{
    const QSize out = AlbumMode::get(mode).output;
    const int Sw = out.width(), Sh = out.height(), Aw = render.width(), Ah = render.height();
    const bool fullFrame = slot.width.toInt() == 0;
    const int W = fullFrame ? 1920 : slot.width.toInt();
    const int H = fullFrame ? 1080 : slot.height.toInt();
    const int pw = photo.width(), ph = photo.height();
    int fw = pw * H / ph, fh = H;
    if (fw < W) {
        fw = W;
        fh = ph * W / pw;
    }
    if (advanced) {
        const QImage c = canvas(W, H, photo, W / 2 - fw / 2, 0, fw, fh);
        return scaledTo(c, Aw * W / Sw, Ah * H / Sh);
    }
    const bool asLandscape = slot.kind == SlotKind::Heng || (slot.kind == SlotKind::ShuHeng && photoLandscape);
    if (asLandscape) {
        if (fullFrame) {
            fw = W;
            fh = ph * W / pw;
        }
        if (mode == ModeKind::Wide16x9) {
            const QImage c = canvas(Sw, Sh, photo, W / 2 - fw / 2, 0, fw, fh);
            return scaledTo(c, Aw, Ah);
        }
        const QImage c = canvas(W, H, photo, W / 2 - fw / 2, 0, fw, fh);
        return scaledTo(c, Aw * W / Sw, Ah * H / Sh);
    }
    const int th = H, tw = pw * H / ph;
    const int left = fullFrame ? 0 : W / 2 - tw / 2;
    const int top = H / 2 - th / 2;
    const QImage c = mode == ModeKind::Wide16x9 ? canvas(tw + 2 * left, Sh, photo, left, top, tw, th)
                                                : canvas(W, H, photo, left, top, tw, th);
    const int h2 = c.height() * Ah / Sh;
    return scaledTo(c, c.width() * h2 / c.height(), h2);
}

} // namespace

SamplePhotoSet loadSamplePhotos(const QString &folder)
{
    SamplePhotoSet set;
    const QStringList names
        = QDir(folder).entryList({QStringLiteral("*.jpg"), QStringLiteral("*.JPG")}, QDir::Files, QDir::Name);
    for (const QString &n : names) {
        try {
            const QString path = folder + n;
            const JpegInfo info = readJpegInfo(path);
            QImage img = applyOrientation(decodeJpeg(path, QSize(1200, 1200)), info.orientation);
            (img.width() >= img.height() ? set.landscape : set.portrait).push_back(img);
        } catch (const std::exception &) {
            // An unreadable sample is left out.
        }
    }
    for (int i = 0; set.landscape.size() < 3; ++i)
        set.landscape.push_back(makeSample(true, i));
    for (int i = 0; set.portrait.size() < 3; ++i)
        set.portrait.push_back(makeSample(false, i));
    return set;
}

void stageSample(const TemplateDesign &design, ModeKind mode, QSize render, const SamplePhotoSet &photos, int offset,
                 const QString &folder, const QImage &handOver)
{
    const QString dir = folder.endsWith(u'/') ? folder : folder + u'/';
    QDir().mkpath(dir);
    const bool advanced = design.slots.size() > 1;
    int li = offset, pi = offset;
    for (const SlotDesign &slot : design.slots) {
        // Either-way slots show a portrait photo in every other template.
        const bool landscape = slot.kind == SlotKind::Heng || (slot.kind == SlotKind::ShuHeng && offset % 2 == 0);
        const QImage &photo = landscape ? photos.landscape[size_t(li++) % photos.landscape.size()]
                                        : photos.portrait[size_t(pi++) % photos.portrait.size()];
        writeJpeg(slotPicture(slot, advanced, landscape, mode, render, photo),
                  dir + slot.name + QStringLiteral(".jpg"));
    }
    const QImage &bgPhoto = photos.landscape[size_t(offset + 1) % photos.landscape.size()];
    const double s = std::max(double(render.width()) / bgPhoto.width(), double(render.height()) / bgPhoto.height());
    const int bw = int(bgPhoto.width() * s), bh = int(bgPhoto.height() * s);
    writeJpeg(canvas(render.width(), render.height(), bgPhoto, render.width() / 2 - bw / 2, 0, bw, bh),
              dir + QStringLiteral("wj_y_l_b_j.jpg"));
    if (!handOver.isNull())
        writeJpeg(scaledTo(handOver, render.width(), render.height()),
                  QDir::cleanPath(dir + QStringLiteral("../../pic/picture_0.jpg")));
}

} // namespace lumora::studio
