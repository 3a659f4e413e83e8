#pragma once
// The templates the studio authors, the same lineup in every album mode: the
// file name (listing order), the display name, the slot orientations and the
// look (which scene builder makes its movie). Names are stable: template packs
// refer to them.
#include <QString>
#include <vector>

namespace lumora::studio {

enum class SlotKind { Heng, Shu, ShuHeng };

struct LineupEntry {
    QString file; // packed file name, e.g. mb_001.rar (parameter file and movie alike)
    QString name; // display name
    std::vector<SlotKind> slots; // one per photo slot, landscape slots first
    int frames = 0; // total frames (25 per second)
};

const std::vector<LineupEntry> &templateLineup();

} // namespace lumora::studio
