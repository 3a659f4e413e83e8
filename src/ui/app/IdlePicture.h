#pragma once
// The picture the preview area shows whenever nothing plays, one per album
// mode (Image_zhujiemian_load_shuping, Image_zhujiemian_load,
// Image_zhujiemian_load_kuanping4_3), drawn at the mode's preview size.
#include <QImage>

#include "app/AlbumMode.h"

namespace lumora::ui {

// At `devicePixelRatio` times the preview size, tagged with that ratio.
// Drawn once per mode and ratio, then shared (QImage is implicitly shared).
QImage idlePicture(ModeKind mode, qreal devicePixelRatio = 1.0);
// The same picture drawn directly at `size` (logical pixels, the mode's
// proportions), e.g. the small ones of the mode chooser.
QImage idlePicture(ModeKind mode, qreal devicePixelRatio, QSize size);

} // namespace lumora::ui
