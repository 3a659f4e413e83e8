#include "SteadyWindow.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "album/FacePlacement.h"
#include "app/Error.h"
#include "resources/PackedFile.h"

namespace lumora {

namespace {

// A layer counts where it shows at least this much.
constexpr double kShownOpacity = 0.05;

bool showsPicture(const Layer &l, const QString &pictureName)
{
    return l.type == LayerType::Picture && l.blur <= 0 && QFileInfo(l.picture).completeBaseName() == pictureName;
}

} // namespace

QRectF steadyPictureWindow(const MovieDocument &doc, const QString &pictureName, QSizeF picture)
{
    if (picture.isEmpty())
        return {};
    bool any = false;
    double left = 0, top = 0, right = 1, bottom = 1;
    for (const Layer &l : doc.layers) {
        if (!showsPicture(l, pictureName) || l.rect.isEmpty())
            continue;
        // The part of the picture the layer uses, then the centred part of
        // that which covers the layer's frame (the renderer's cover fit).
        const QRectF crop = l.crop;
        double fx = 0, fy = 0, fw = 1, fh = 1;
        if (l.fit == Fit::Cover) {
            const double pictureAspect = (picture.width() * crop.width()) / (picture.height() * crop.height());
            const double frameAspect = l.rect.width() / l.rect.height();
            if (pictureAspect > frameAspect) {
                fw = frameAspect / pictureAspect;
                fx = (1 - fw) / 2;
            } else {
                fh = pictureAspect / frameAspect;
                fy = (1 - fh) / 2;
            }
        }
        const double maxZoom = std::max(1.0, l.zoom.maxValue(1));
        const int last = l.to < 0 ? doc.frames - 1 : std::min(l.to, doc.frames - 1);
        for (int f = std::max(0, l.from); f <= last; ++f) {
            if (l.opacity.at(f, 1) < kShownOpacity)
                continue;
            // The zoomed window inside the covered part, as the renderer cuts it.
            const double z = std::clamp(l.zoom.at(f, 1), 1.0, maxZoom);
            const double px = std::clamp(l.panX.at(f, 0), -1.0, 1.0), py = std::clamp(l.panY.at(f, 0), -1.0, 1.0);
            const double w = 1 / z, h = 1 / z;
            const double wx = (1 - w) / 2 * (1 + px), wy = (1 - h) / 2 * (1 + py);
            const double x0 = crop.x() + crop.width() * (fx + fw * wx);
            const double y0 = crop.y() + crop.height() * (fy + fh * wy);
            const double x1 = x0 + crop.width() * fw * w, y1 = y0 + crop.height() * fh * h;
            left = std::max(left, x0);
            top = std::max(top, y0);
            right = std::min(right, x1);
            bottom = std::min(bottom, y1);
            any = true;
        }
    }
    if (!any || right <= left || bottom <= top)
        return {};
    const QRectF window(left, top, right - left, bottom - top);
    // All of it in view (within a pixel's worth): nothing to say.
    if (window.width() > 0.999 && window.height() > 0.999)
        return {};
    return window;
}

void installSteadyWindowSource()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct Cache {
            std::mutex lock;
            std::map<QString, std::shared_ptr<const MovieDocument>> movies; // null: unreadable
        };
        auto cache = std::make_shared<Cache>();
        setSteadyWindowSource([cache](const QString &packedMovie, const QString &pictureName, QSize picture) {
            if (packedMovie.isEmpty())
                return QRectF();
            std::shared_ptr<const MovieDocument> doc;
            {
                std::lock_guard lock(cache->lock);
                auto it = cache->movies.find(packedMovie);
                if (it != cache->movies.end())
                    doc = it->second;
                else {
                    try {
                        doc = std::make_shared<MovieDocument>(parseMovieDocument(
                            packed::unpackFile(packedMovie, packed::kTemplateMovieDepth), packedMovie));
                    } catch (const Error &) {
                        doc = nullptr;
                    }
                    cache->movies.emplace(packedMovie, doc);
                }
            }
            return doc ? steadyPictureWindow(*doc, pictureName, QSizeF(picture)) : QRectF();
        });
    });
}

} // namespace lumora
