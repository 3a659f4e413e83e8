#!/bin/sh
# Brings the kept translation files (translations/lumora_LANG.ts) up to date
# with the sources: new texts arrive unfinished (translate them, e.g. with Qt
# Linguist), texts the sources no longer have are dropped.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
for lang in en; do
  "$lupdate" -locations none -no-obsolete -source-language zh_CN -target-language "$lang" \
    "$here/src" "$here/apps" -ts "$here/translations/lumora_$lang.ts"
done
