#!/usr/bin/env bash
# Cases that need a prepared folder, a FIFO, a signal or a full device:
#   hardening.sh CASE GROSSBY-CLI
set -u -m
case_name=$1; cli=$2
dir=$(mktemp -d); trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$dir"' EXIT
settings=(--employee-uif 1 --employer-uif 1 --skills-levy 1 --uif-limit 14872 --travel-inclusion 0.8)
fail() { echo "$case_name: $*"; exit 1; }

# A payroll file of $1 rows.
payroll() {
  awk -v n="$1" 'BEGIN { print "name,age,salary,bonus,employer-medical,beneficiaries";
    for (i = 0; i < n; i++) printf "Employee %d,%d,%d.%02d,%d,%d,%d\n", i, 20 + i % 60, 5000 + (i * 37) % 90000, i % 100, (i % 7) * 500, (i % 4) * 600, i % 9 }'
}

# Exit status `want` from the command after "--", with a message on standard error.
expect_status() {
  local want=$1; shift 2
  timeout 20 "$@" >"$dir/stdout" 2>"$dir/stderr"; local rc=$?
  [ "$rc" = "$want" ] || fail "exit status $rc, expected $want; stderr: $(cat "$dir/stderr")"
  [ -s "$dir/stderr" ] || [ "$want" = 0 ] || fail "no message on standard error"
}

case "$case_name" in
fifo_out|fifo_report)
  # A FIFO (as a device) named as the output is refused before any work and left as it is.
  mkfifo "$dir/target"
  if [ "$case_name" = fifo_out ]; then
    payroll 3 >"$dir/in.csv"
    expect_status 1 -- "$cli" monthly --batch "$dir/in.csv" --out "$dir/target" "${settings[@]}"
  else
    mv "$dir/target" "$dir/target.pdf"
    expect_status 1 -- "$cli" quicktax --income 1 --age 40 --report "$dir/target.pdf"
    mv "$dir/target.pdf" "$dir/target"
  fi
  [ -p "$dir/target" ] || fail "the FIFO was replaced"
  grep -q "target" "$dir/stderr" || fail "the message does not name the target: $(cat "$dir/stderr")"
  ;;
interrupted_INT|interrupted_TERM|interrupted_HUP)
  # A batch killed mid-run leaves no output and no partial file: the input is
  # a large file followed by a stream held open, so the run is surely in progress.
  sig=${case_name#interrupted_}
  payroll 200000 >"$dir/big.csv"
  mkfifo "$dir/in"
  ( cat "$dir/big.csv"; sleep 60 ) >"$dir/in" &
  "$cli" monthly --batch "$dir/in" --out "$dir/out.csv" "${settings[@]}" 2>"$dir/stderr" &
  pid=$!
  sleep 2
  kill -s "$sig" "$pid"
  wait "$pid"; rc=$?
  [ "$rc" -gt 128 ] || fail "exit status $rc: the run was not ended by SIG$sig"
  left=$(cd "$dir" && ls -A | grep -v -x -e big.csv -e in -e stderr)
  [ -z "$left" ] || fail "left behind: $left"
  ;;
full_stdout)
  # A failed write to standard output is exit 1 for every subcommand.
  payroll 3 >"$dir/in.csv"
  while read -r -a args; do
    timeout 20 "$cli" "${args[@]}" >/dev/full 2>"$dir/stderr"; rc=$?
    [ "$rc" = 1 ] || fail "'${args[*]}' > /dev/full: exit status $rc"
    grep -q "standard output" "$dir/stderr" || fail "'${args[*]}': no message: $(cat "$dir/stderr")"
  done <<LIST
tax --income 1
tax --income 1 --json
quicktax --income 500000 --age 40
monthly --salary 20000 ${settings[*]}
annual --salary 240000 --json ${settings[*]}
monthly --batch $dir/in.csv ${settings[*]}
weekly --help
LIST
  ;;
long_field)
  # A quoted field that never closes in a large file is refused at 1 MB, not
  # buffered to the end; nothing is written.
  { echo "name,salary"; echo "A,100"; echo "\"B,200"; payroll 40000; } >"$dir/in.csv"
  expect_status 1 -- "$cli" monthly --batch "$dir/in.csv" --out "$dir/out.csv" "${settings[@]}"
  grep -q "line 3" "$dir/stderr" || fail "the message does not name line 3: $(cat "$dir/stderr")"
  [ ! -e "$dir/out.csv" ] || fail "an output was written"
  ;;
*) fail "no such case" ;;
esac
exit 0
