#pragma once
// Simplified ↔ traditional Chinese for lyric lines, through OpenCC's
// character and phrase tables (s2t.json, t2s.json). Thread-safe.
#include <QString>

namespace lumora {

enum class ChineseForm { Simplified, Traditional };

// Converts `text` to the given form. When the OpenCC tables cannot be loaded
// the text is returned unchanged (the lyric still shows).
QString convertChinese(const QString &text, ChineseForm form);

} // namespace lumora
