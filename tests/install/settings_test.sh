#!/usr/bin/env bash
# grossby-cli settings: shows the store in use, changes it with the Setup
# panel's checks, refuses bad input without touching the store, and the
# period subcommands use what it saved.
#   settings_test.sh PATH/TO/grossby-cli
set -u
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A copy of the tool in a writable folder of its own keeps its store there.
cp "$1" "$scratch/grossby-cli"
cli="$scratch/grossby-cli"
store="$scratch/Settings.db"
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect CODE PATTERN ARGS...: exit status CODE and PATTERN (grep -E) in the
# combined output ("-" for none).
expect() {
  local code=$1 pattern=$2; shift 2
  local out rc
  out=$("$cli" settings "$@" 2>&1); rc=$?
  [ "$rc" = "$code" ] || fail "settings $*: exit $rc, expected $code; output: $out"
  if [ "$pattern" != "-" ] && ! grep -Eq -- "$pattern" <<<"$out"; then
    fail "settings $*: output lacks /$pattern/: $out"
  fi
}

# A fresh store is made where the tool keeps its databases, with the 2017/18 values.
expect 0 "Settings store: $store \(new" 
[ -f "$store" ] || fail "no store made at $store"
expect 0 "^UIFLimit +14872 "
[ "$("$cli" settings 2>&1 | grep -cE '^[A-Za-z0-9]+ +[^ ]+ +[A-Z]')" = 11 ] || fail "not eleven values shown"

# Changes, as the Setup panel takes them; names in any case; 80 means 0.8.
expect 0 "^EmployeeUIF +2 " --set employeeuif=2 --set UIFLimit=15000.5 TAIncRate8020=20 CompCarMPYesNo=yes
expect 0 '"EmployeeUIF":2.0,.*"UIFLimit":15000.5,"TAIncRate8020":0.2,.*"CompCarMPYesNo":true' --json
expect 0 "^CompCarFBRate8020 +0.8 " --set CompCarFBRate8020=80
expect 0 "^EmployerProvCont +100 " --set EmployerProvCont=100 UIFLimit=1e9
expect 0 "^UIFLimit +15000.5 " --set UIFLimit=15000.5
# The R/Fund pair may come to 27.5 together, as the reverse windows take it.
expect 0 "^EmployerPenCont +7.5 " --set PensionCont=20 --set EmployerPenCont=7.5

# Refused: nothing is saved, not even the good ones given with a bad one.
cp "$store" "$scratch/before.db"
cases=(
  "2|is not a number|--set EmployeeUIF=abc"
  "2|is not a number|--set EmployeeUIF=12abc"
  "2|is not a number|--set EmployeeUIF="
  "2|no setting 'Nonesuch'|--set Nonesuch=1"
  "2|is not NAME=VALUE|--set EmployeeUIF"
  "2|not an inclusion rate|--set TAIncRate8020=0.5"
  "2|is not yes or no|--set CompCarMPYesNo=maybe"
  "1|please enter a number from 0 to 100\$|--set SkillLevy=-1"
  "1|please enter a number from 0 to 100\$|--set EmployerProvCont=100.5"
  "1|please enter a number from 0 to 1 000 000 000\$|--set UIFLimit=1e999"
  "1|please enter a number from 0 to 1 000 000 000\$|--set SkillLevy=3 UIFLimit=inf"
  '1|"error": *"SkillLevy: The number entered is not correct|--set SkillLevy=-1 --json'
  "2|-|--frobnicate"
  "1|PensionCont and EmployerPenCont: 20 and 10 together are more than 27.5|--set PensionCont=20 --set EmployerPenCont=10"
  "1|20 and 7.6 together are more than 27.5|--set EmployerPenCont=7.6"
  '1|"error": *"PensionCont and EmployerPenCont|--set PensionCont=27.5 --json'
)
for c in "${cases[@]}"; do
  IFS='|' read -r code pattern args <<<"$c"
  # shellcheck disable=SC2086
  expect "$code" "$pattern" $args
done
cmp -s "$store" "$scratch/before.db" || fail "a refused --set changed the store"

# The period subcommands read the store the command shows: a 2 % employee UIF.
out=$("$cli" monthly --salary 10000 --json 2>&1)
grep -q '"uif_employee":200.0' <<<"$out" || fail "monthly did not use the saved EmployeeUIF: $out"

# A store that is not a settings database is reported by name and left as it is.
printf 'not a database' >"$store"
expect 1 "\"$store\" is not a settings database.*left as it is"
expect 1 "not a settings database" --set SkillLevy=2
[ "$(cat "$store")" = "not a database" ] || fail "a damaged store was overwritten"

# A journal of random bytes beside the store is named, not taken for a
# read-only store; the store and the journal are left as they are.
rm -f "$store"
expect 0 "\(new" 
{ printf "J"; head -c 4095 /dev/urandom; } >"$store-journal"  # a zero first byte would mark it unused
cp "$store" "$scratch/before.db"
expect 1 "journal \"$store-journal\" is left from a change that did not finish, or is damaged"
cmp -s "$store" "$scratch/before.db" && [ -s "$store-journal" ] || fail "the store or its journal was changed"
rm -f "$store-journal"

# A named pipe in the store's place is refused at once by every reader.
rm -f "$store"
mkfifo "$store"
for args in "settings" "settings --set SkillLevy=2" "package --package 30000" "monthly --salary 10000"; do
  # shellcheck disable=SC2086
  out=$(timeout 10 "$cli" $args 2>&1); rc=$?
  [ "$rc" = 1 ] || fail "$args with a FIFO store: exit $rc, expected 1: $out"
  grep -q "not a regular file" <<<"$out" || fail "$args with a FIFO store: $out"
done
[ -p "$store" ] || fail "the FIFO store was replaced"
rm -f "$store"

# Installed (data in share/grossby, which never holds a store of its own):
# the settings come from the user's folder, and from the program folder's
# store until the first change copies it there.
inst="$scratch/inst"
mkdir -p "$inst/bin" "$inst/share/grossby"
cp "$cli" "$inst/bin/grossby-cli"
"$cli" settings --set SkillLevy=3 >/dev/null 2>&1
cp "$store" "$inst/share/grossby/Settings.db"
out=$("$inst/bin/grossby-cli" settings --set EmployerUIF=2 2>&1) || fail "installed settings --set: $out"
grep -q "(new, a copy of $inst/share/grossby/Settings.db)" <<<"$out" || fail "the copy of the seed is not said: $out"
grep -qE "^SkillLevy +3 " <<<"$out" || fail "the seed's values were not copied: $out"
rm "$inst/share/grossby/Settings.db"

# With no store anywhere and none that can be made (the data folder cannot
# be created), the calculators use the 2017/18 values and say so.
touch "$scratch/not-a-folder"
out=$(XDG_DATA_HOME="$scratch/not-a-folder/data" "$inst/bin/grossby-cli" package --package 30000 --json 2>"$scratch/err")
rc=$?
[ "$rc" = 0 ] || fail "package with no store possible: exit $rc: $out $(cat "$scratch/err")"
grep -q '"uif_employee":' <<<"$out" || fail "package with no store possible: $out"
grep -q "settings cannot be saved" "$scratch/err" || fail "no warning that settings cannot be saved: $(cat "$scratch/err")"

[ "$failures" = 0 ] && echo "settings: all cases passed"
exit $((failures > 0))
