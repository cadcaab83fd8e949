#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and checks what a desktop and a
# user rely on: every file in its place, the desktop entry, the AppStream
# data and the manual page valid, and grossby-cli working from the installed
# tree alone (a missing template fails the report), with its databases in
# the user's folder rather than the shared install folder.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -u
build=$1 source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1; then
  cat "$scratch/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi
root="$scratch/root/usr"

expected=(
  bin/grossby bin/grossby-cli
  share/grossby/Grossby2018Help.pdf share/grossby/Grossby.jpg
  share/icons/hicolor/scalable/apps/grossby.svg
  share/applications/grossby.desktop
  share/man/man1/grossby-cli.1.gz share/man/man1/grossby.1.gz
  share/doc/grossby/copyright share/doc/grossby/changelog.gz
)
for t in "$source"/resources/templates/*.rpt; do
  expected+=("share/grossby/$(basename "$t")")
done
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/grossby.png")
done
for f in "${expected[@]}"; do
  [ -s "$root/$f" ] || fail "not installed: $f"
done
for f in bin/grossby bin/grossby-cli; do
  [ -x "$root/$f" ] || fail "not executable: $f"
done

# The desktop entry starts an installed program, and validates.
exec_line=$(sed -n 's/^Exec=//p' "$root/share/applications/grossby.desktop")
[ -x "$root/bin/${exec_line%% *}" ] || fail "the desktop entry's Exec=$exec_line is not an installed program"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/share/applications/grossby.desktop" || fail "desktop-file-validate"
fi
metainfo=("$root"/share/metainfo/*.metainfo.xml)
[ -s "${metainfo[0]}" ] || fail "no AppStream metainfo installed"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "${metainfo[@]}" >"$scratch/appstream.log" 2>&1 ||
    { cat "$scratch/appstream.log"; fail "appstreamcli validate"; }
fi

# The manual page: no roff warnings, and a section for every subcommand the
# installed tool lists.
page="$scratch/grossby-cli.1"
gzip -dc "$root/share/man/man1/grossby-cli.1.gz" >"$page" || fail "manual page not gzip"
warnings=$(groff -man -ww -z "$page" 2>&1)
[ -z "$warnings" ] || fail "manual page warnings: $warnings"
subcommands=$("$root/bin/grossby-cli" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z-]*\) .*/\1/p')
[ -n "$subcommands" ] || fail "grossby-cli --help lists no subcommands"
for s in $subcommands; do
  grep -q "^\.SS $s\$" "$page" || fail "manual page lacks subcommand $s"
done
for section in "EXIT STATUS" "REPORTS"; do
  grep -q "^\.SH $section" "$page" || fail "manual page lacks $section"
done
grep -q "Batch:" "$page" || fail "manual page lacks the batch format"

# grossby-cli from the installed tree: the report needs the installed template.
work="$scratch/work"
mkdir -p "$work"
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data"
(cd "$work" && "$root/bin/grossby-cli" quicktax --income 500000 --age 40 --report x.pdf >"$scratch/quicktax.log" 2>&1) ||
  { cat "$scratch/quicktax.log"; fail "installed grossby-cli quicktax --report x.pdf"; }
[ "$(head -c 4 "$work/x.pdf" 2>/dev/null)" = "%PDF" ] || fail "x.pdf is not a PDF"
if command -v pdftotext >/dev/null; then
  pdftotext "$work/x.pdf" - 2>/dev/null | grep -q "115 824.40" || fail "x.pdf lacks the tax figure"
fi

# Its settings live in the user's folder, never in the shared install folder,
# even when the user may write there.
store=$("$root/bin/grossby-cli" settings --json | sed -n 's/^{"store":"\([^"]*\)".*/\1/p')
[ "$store" = "$XDG_DATA_HOME/Grossby/Grossby 2018/Settings.db" ] || fail "installed settings store at '$store'"
[ -f "$store" ] || fail "no settings store made at $store"
leftovers=$(find "$root/share/grossby" -name '*.db*')
[ -z "$leftovers" ] || fail "databases written into the install folder: $leftovers"

[ "$failures" = 0 ] && echo "install: all checks passed"
exit $((failures > 0))
