#pragma once
// The background table ListView_moban_beijing: row i holds the background
// picture and the transparency of used template i. Rows are appended when a
// template is used, filled from the background candidates (photos of the
// album) or the mode's default background picture, and removed with their
// template. Staging renders the picture; the template driver passes the
// transparency to the movie as num_stop.
//
// Call from the thread that owns the Album.
#include <QString>
#include <QStringList>

#include "app/Album.h"
#include "app/Columns.h"

namespace lumora {

// Appends the background row of a newly used template: number = new row
// count, name, type, category, a random candidate of ListView_qubu_hengzhao
// (picture cells empty when there is none) and transparency "0".
void appendBackgroundRow(Album &album, const QString &name, const QString &type, const QString &category);

// Gives every row without a picture a candidate chosen uniformly at random,
// when both the candidate list and the table are non-empty.
void fillEmptyBackgrounds(Album &album);

// When some row has no picture: unpacks the mode's default background
// picture (wj_0_or_6_6.rar / wj_0_or_6_6_shu.rar, 3 layers) to
// wj_0_or_6_6/wj_0_or_6_6.jpg and writes it into the rows without a picture.
// Returns the number of rows filled. Throws lumora::Error when the packed
// picture is missing or unreadable.
int applyDefaultBackground(Album &album);

// Replaces the picture of row `row` with a JPG chosen by the user. The wide
// modes take landscape or square pictures, the portrait mode portrait or
// square ones. Throws lumora::Error with the notice text when refused (the
// row is unchanged). The transparency stays.
void changeBackgroundPicture(Album &album, int row, const QString &path);

// Writes the transparency (clamped to 0 … 100) into row `row`, or into every
// row when `allRows` is set.
void setBackgroundTransparency(Album &album, int row, int value, bool allRows);

// Rewrites the captions 1 … n (after a used template was deleted).
void renumberBackgrounds(Album &album);

} // namespace lumora
