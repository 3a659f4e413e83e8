#!/bin/sh
# Runs lupdate over the sources into a copy of each kept .ts file and fails
# when a text has no finished translation (new or changed in the sources) or
# when the kept file holds texts the sources no longer have.
#   check-translations.sh LUPDATE SOURCE_DIR WORK_DIR
set -eu
lupdate=$1
src=$2
work=$3
mkdir -p "$work"
status=0
for ts in "$src"/translations/*.ts; do
  copy=$work/$(basename "$ts")
  cp "$ts" "$copy"
  "$lupdate" -silent -locations none -source-language zh_CN -target-language en "$src/src" "$src/apps" -ts "$copy" >"$work/lupdate.log" 2>&1 || {
    cat "$work/lupdate.log"
    exit 1
  }
  # lupdate's warnings (a tr() it cannot place, a class without Q_OBJECT)
  # mean texts that would stay untranslated at run time.
  if grep -v '^Updating\|^    Found\|^    Kept\|^    Removed\|^    Same-text\|^    Found [0-9]' "$work/lupdate.log" | grep -q .; then
    echo "$(basename "$ts"): lupdate warns:"
    cat "$work/lupdate.log"
    status=1
  fi
  missing=$(grep -c 'type="unfinished"' "$copy" || true)
  gone=$(grep -c 'type="vanished"\|type="obsolete"' "$copy" || true)
  if [ "$missing" != 0 ] || [ "$gone" != 0 ]; then
    echo "$(basename "$ts"): $missing texts without a finished translation, $gone texts the sources no longer have"
    echo "(run scripts/update-translations.sh and translate the unfinished entries)"
    grep -B1 'type="unfinished"\|type="vanished"\|type="obsolete"' "$copy" | grep '<source>' | sed 's/^ */  /' | head -50
    status=1
  fi
done
exit $status
