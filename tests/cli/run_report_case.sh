#!/usr/bin/env bash
# Runs grossby-cli with "--report FILE.EXT" in a fresh folder and checks the
# file it writes:
#   run_report_case.sh EXT EXPECTED COMMAND ARGS...
# EXPECTED is either a golden file the report must equal, or texts separated
# by "|" that its text must contain (PDF read with pdftotext, ODT and XLSX
# unzipped, other formats as they stand). GROSSBY_REGENERATE_GOLDEN=1 rewrites
# a golden file from the report instead.
set -u
ext=$1; expected=$2; shift 2
dir=$(mktemp -d); trap 'rm -rf "$dir"' EXIT
file=$dir/report.$ext
"$@" --report "$file" >"$dir/stdout" 2>"$dir/stderr"; rc=$?
if [ "$rc" != 0 ]; then
  echo "exit status $rc"; cat "$dir/stderr"; exit 1
fi
[ -s "$file" ] || { echo "no report written to $file"; exit 1; }
[ -s "$dir/stdout" ] || { echo "the results are no longer printed"; exit 1; }
case "$ext" in
  pdf)  text=$(pdftotext -layout "$file" -) ;;
  odt)  text=$(unzip -p "$file" content.xml | sed 's/\xc2\xa0/ /g') ;;
  xlsx) text=$(unzip -p "$file" xl/worksheets/sheet1.xml) ;;
  *)    text=$(cat "$file") ;;
esac
if [ -f "$expected" ]; then
  if [ "${GROSSBY_REGENERATE_GOLDEN:-}" = 1 ]; then
    cp "$file" "$expected"; echo "regenerated $expected"; exit 0
  fi
  diff -u "$expected" "$file" || exit 1
  exit 0
fi
IFS='|' read -ra parts <<<"$expected"
for part in "${parts[@]}"; do
  if ! grep -qF -- "$part" <<<"$text"; then
    echo "the $ext report lacks \"$part\""; printf '%s\n' "$text" | head -40; exit 1
  fi
done
exit 0
