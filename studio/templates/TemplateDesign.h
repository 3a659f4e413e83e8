#pragma once
// The authored templates of one mode: for every entry of the lineup, its
// movie document and its parameter file, both ready to pack.
#include <QByteArray>
#include <QString>
#include <vector>

#include "TemplateLineup.h"
#include "app/AlbumMode.h"
#include "templates/TemplateParams.h"

namespace lumora::studio {

struct SlotDesign {
    QString name; // xpjpgmc token, e.g. picture_1
    SlotKind kind;
    QString width; // xpkd token ("0": the full frame)
    QString height; // xpgd token
};

struct TemplateDesign {
    LineupEntry entry;
    std::vector<SlotDesign> slots;
    QByteArray movie; // the movie document
    TemplateParams params; // the parameter file values
};

// Builds template `index` (0-based position in the lineup) for `mode`.
TemplateDesign designTemplate(ModeKind mode, int index);

// The other movies of the tree.
QByteArray designModeMovie(ModeKind mode); // the ending: 150 frames from the hand-over picture
QByteArray designStartupMovie(); // the looping title of the start-up
QByteArray designBackgroundMovie(); // wj_y_l_b_j.jpg with num_stop

// Text-mark letters the templates declare (wxcs02 required, wxcs04 optional).
inline const QString kRequiredMarks = QStringLiteral("ab");
inline const QString kOptionalMarks = QStringLiteral("cde");

} // namespace lumora::studio
