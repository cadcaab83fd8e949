#!/usr/bin/env bash
# grossby-cli's batch runs, whole process, against awk appending one column to
# the same file, in the same run (hyperfine, Debian's package). Also checks
# that the monthly output is what it was (pass the md5 to compare) and that
# the peak memory does not grow with the rows.
# Usage: bench/batch_vs_awk.sh [GROSSBY_CLI [DIR [EXPECTED_MONTHLY_MD5]]]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../build/bin/grossby-cli}"
dir="${2:-/tmp/grossby_batch_files}"
expected="${3:-}"
[ -f "$dir/monthly.csv" ] || bash "$here/make_batch_files.sh" "$dir"

payroll=(--employee-uif 1 --employer-uif 1 --skills-levy 1 --uif-limit 14872 --travel-inclusion 0.8)
package=(--employee-uif 1 --employer-uif 1 --skills-levy 1 --uif-limit 15000 --travel-inclusion 0.8
         --employee-rf-percent 0 --employer-rf-percent 0 --maintenance-plan no)

# monthly writes through --out (synced to the disk before it is put in place);
# monthly-stdout to standard output redirected to a file, as awk writes.
hyperfine --warmup 1 --runs "${RUNS:-5}" --export-markdown "$dir/batch_vs_awk.md" \
    --export-json "$dir/batch_vs_awk.json" \
    -n awk "awk -F, -v OFS=, '{ \$(NF + 1) = NF } 1' $dir/monthly.csv > $dir/awk.csv" \
    -n monthly "$cli monthly --batch $dir/monthly.csv --out $dir/monthly.out.csv ${payroll[*]}" \
    -n monthly-stdout "$cli monthly --batch $dir/monthly.csv ${payroll[*]} > $dir/monthly.stdout.csv" \
    -n package "$cli package --batch $dir/package.csv --out $dir/package.out.csv ${package[*]}" \
    -n grossup "$cli grossup --batch $dir/grossup.csv --out $dir/grossup.out.csv ${package[*]}"

# Each run's mean against awk's, and the rows a second.
python3 - "$dir/batch_vs_awk.json" <<'PY'
import json, sys
runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
awk = runs["awk"]["mean"]
rows = {"monthly": 1_000_000, "monthly-stdout": 1_000_000, "package": 100_000, "grossup": 100_000}
for name in ("monthly", "monthly-stdout"):
    print(f"{name}: {runs[name]['mean'] * 1000:.0f} ms, {runs[name]['mean'] / awk:.2f} x awk ({awk * 1000:.0f} ms)")
for name in ("package", "grossup"):
    print(f"{name}: {runs[name]['mean'] * 1000:.0f} ms, {rows[name] / runs[name]['mean']:,.0f} rows a second")
PY

md5=$(md5sum <"$dir/monthly.out.csv" | cut -d' ' -f1)
echo "monthly output md5: $md5"
if [ -n "$expected" ] && [ "$md5" != "$expected" ]; then
    echo "the monthly output changed (expected $expected)" >&2
    exit 1
fi

# Peak memory for a tenth of the rows and for all of them.
head -n 100001 "$dir/monthly.csv" >"$dir/monthly_100k.csv"
for f in monthly_100k monthly; do
    /usr/bin/time -f "$f: peak RSS %M KB" "$cli" monthly --batch "$dir/$f.csv" --out "$dir/$f.rss.csv" "${payroll[@]}"
done
rm -f "$dir"/*.rss.csv "$dir/monthly_100k.csv" "$dir/awk.csv" "$dir/monthly.stdout.csv"
