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

hyperfine --warmup 1 --runs "${RUNS:-5}" --export-markdown "$dir/batch_vs_awk.md" \
    -n awk "awk -F, -v OFS=, '{ \$(NF + 1) = NF } 1' $dir/monthly.csv > $dir/awk.csv" \
    -n monthly "$cli monthly --batch $dir/monthly.csv --out $dir/monthly.out.csv ${payroll[*]}" \
    -n package "$cli package --batch $dir/package.csv --out $dir/package.out.csv ${package[*]}" \
    -n grossup "$cli grossup --batch $dir/grossup.csv --out $dir/grossup.out.csv ${package[*]}"

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
rm -f "$dir"/*.rss.csv "$dir/monthly_100k.csv" "$dir/awk.csv"
