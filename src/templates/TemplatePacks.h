#pragma once
// Template packs: shipped lists that name a fixed sequence of catalogue
// templates. Pack k is smxcwjj/wj_0_or_9_9/wj_0_or_9_9_<k>.rar (3 layers),
// k = 1 … m without gaps, where m is the number of packed files in that
// folder. Its INI has one section [zuhemoban_canshu] with shuliang = n and
// canshu_1 … canshu_n, each "name~landscape~portrait~".
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "app/Paths.h"

namespace lumora {

// A pack names at most this many entries; a larger count is damage (a pack
// of the shipped kind names a few dozen templates).
constexpr int kMaxPackEntries = 1000;
// Photo counts of one entry beyond this are damage and add nothing to the
// pack's needs (a template shows a handful of photos).
constexpr int kMaxPackEntryPhotos = 100;

struct PackEntry {
    QString name; // text before the first "~"
    QString landscape; // field 1, as written (compared as text with the template list)
    QString portrait; // field 2
};

struct TemplatePack {
    int k = 0; // 1-based pack number
    std::vector<PackEntry> entries;
    int landscapeNeed = 0; // sum of field 1
    int portraitNeed = 0; // sum of field 2

    // The chooser row: "模板组合 - <k>", landscape need, portrait need, total.
    QStringList chooserRow() const;
};

// Fields of one entry: name before the first "~", then the texts between
// consecutive "~" (text after the last "~" is not a field).
PackEntry parsePackEntry(const QString &entry);
// A pack from its INI bytes (GBK). Throws lumora::Error when its entry count
// is not a number from 0 to kMaxPackEntries (a missing count means none).
TemplatePack parseTemplatePack(const QByteArray &ini, int k);
// The INI text of a pack (used by the resource authoring tool and tests).
QString templatePackIniText(const std::vector<PackEntry> &entries);

QString templatePackPath(const Paths &paths, int k);
// Number of packs: packed files (".rar"/".RAR") in the pack folder and below.
int templatePackCount(const Paths &paths);
// Reads pack k; throws lumora::Error naming the file when it is missing or unreadable.
TemplatePack readTemplatePack(const Paths &paths, int k);
// Every pack, k = 1 … templatePackCount().
std::vector<TemplatePack> listTemplatePacks(const Paths &paths);

// The requirement text of the chosen pack; "" when it needs no photo (the
// label then keeps its previous text).
QString packRequirementText(int landscapeNeed, int portraitNeed);

// The photo check of a pack add: the notices to show when the chosen photos
// lack an orientation the pack needs (empty: the add may go on).
QStringList packPhotoCheckNotices(int landscapeNeed, int portraitNeed, int landscapeChosen, int portraitChosen);

} // namespace lumora
