#!/usr/bin/env bash
# Runs grossby-cli with the given arguments, checks its exit status and, when a
# golden file is named (not "-"), compares standard output with it. With
# GROSSBY_REGENERATE_GOLDEN=1 the golden file is rewritten from the output
# instead (review the change with git diff). A golden argument "~TEXT" asks
# only that standard output contain TEXT.
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
case "$golden" in
  -) ;;
  "~"*)
    grep -qF -- "${golden#\~}" <<<"$out" || { echo "standard output lacks \"${golden#\~}\": $out"; exit 1; } ;;
  *)
    if [ "${GROSSBY_REGENERATE_GOLDEN:-}" = 1 ]; then
      printf '%s\n' "$out" >"$golden"; echo "regenerated $golden"
    else
      diff -u "$golden" <(printf '%s\n' "$out") || exit 1
    fi ;;
esac
exit 0
