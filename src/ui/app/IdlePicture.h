#pragma once
// The picture the preview area shows whenever nothing plays, one per album
// mode (Image_zhujiemian_load_shuping, Image_zhujiemian_load,
// Image_zhujiemian_load_kuanping4_3), drawn at the mode's preview size.
#include <QImage>

#include "app/AlbumMode.h"

namespace lumora::ui {

// At `devicePixelRatio` times the preview size, tagged with that ratio.
QImage idlePicture(ModeKind mode, qreal devicePixelRatio = 1.0);

} // namespace lumora::ui
