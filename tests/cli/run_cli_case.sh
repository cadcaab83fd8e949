#!/usr/bin/env bash
# Runs grossby-cli with the given arguments, checks its exit status and, when a
# golden file is named (not "-"), compares standard output with it.
set -u
code=$1; golden=$2; shift 2
out=$("$@" 2>/tmp/cli_stderr.$$); rc=$?
err=$(cat /tmp/cli_stderr.$$); rm -f /tmp/cli_stderr.$$
if [ "$rc" != "$code" ]; then
  echo "exit status $rc, expected $code"; echo "stdout: $out"; echo "stderr: $err"; exit 1
fi
if [ "$code" = 2 ] && [ -z "$err" ]; then
  echo "a usage error must say what is wrong on standard error"; exit 1
fi
if [ "$golden" != "-" ]; then
  diff -u "$golden" <(printf '%s\n' "$out") || exit 1
fi
exit 0
