#!/usr/bin/env bash
# Writes the batch files the batch benchmarks run, the same bytes every time:
#   DIR/monthly.csv   a monthly payroll, MONTHLY_ROWS employees (default 1 000 000)
#   DIR/package.csv   salary packages, PACKAGE_ROWS rows (default 100 000), one in ten annual
#   DIR/grossup.csv   take-home pay requirements, PACKAGE_ROWS rows, one in ten annual
# Usage: bench/make_batch_files.sh DIR [MONTHLY_ROWS [PACKAGE_ROWS]]
set -euo pipefail
dir="${1:?usage: make_batch_files.sh DIR [MONTHLY_ROWS [PACKAGE_ROWS]]}"
monthly_rows="${2:-1000000}"
package_rows="${3:-100000}"
mkdir -p "$dir"

# Varied pay, part months, medical figures and quoted names.
LC_ALL=C awk -v rows="$monthly_rows" 'BEGIN {
    print "name,age,salary,commission,bonus,travel-allowance,employer-rf,employee-rf,employer-medical,employee-medical,beneficiaries,start,end"
    for (i = 0; i < rows; i++) {
        cal = (i % 12 + 2) % 12 + 1
        year = cal <= 2 ? 2018 : 2017
        name = i % 50 == 0 ? sprintf("\"Employee, %d\"", i) : sprintf("Employee %d", i)
        printf "%s,%d,%d.%02d,%d,%d,%d,%d,%d,%d,%d,%d,%02d/%02d/%d,28/%02d/%d\n", name, 20 + i % 60,
            5000 + (i * 37) % 90000, i % 100, (i % 7) * 500, i % 13 == 0 ? 10000 : 0, (i % 5) * 1000,
            (i % 3) * 800, (i % 4) * 600, (i % 6) * 700, (i % 9) * 300, i % 6, 1 + i % 28, cal, year, cal, year
    }
}' >"$dir/monthly.csv"

LC_ALL=C awk -v rows="$package_rows" 'BEGIN {
    print "employee_id,package,annual,age,employee-medical,beneficiaries,car-value,other-expense"
    for (i = 0; i < rows; i++) {
        annual = i % 10 == 9
        amount = 8000 + (i * 53) % 100000
        printf "P%d,%d,%s,%d,%d,%d,%s,%s\n", i, annual ? amount * 12 : amount, annual ? "yes" : "",
            20 + i % 60, (i % 4) * 500 * (annual ? 12 : 1), (i % 5) * (annual ? 12 : 1),
            i % 7 == 0 ? 150000 + (i % 20) * 10000 : "", i % 11 == 0 ? "\"Gym=500;Cell phone=200:250\"" : ""
    }
}' >"$dir/package.csv"

LC_ALL=C awk -v rows="$package_rows" 'BEGIN {
    print "employee_id,net-required,annual,age,travel-allowance,employee-medical,beneficiaries,other-expense"
    for (i = 0; i < rows; i++) {
        annual = i % 10 == 9
        net = 5000 + (i * 41) % 60000
        printf "G%d,%d,%s,%d,%s,%d,%d,%s\n", i, annual ? net * 12 : net, annual ? "yes" : "", 20 + i % 60,
            i % 9 == 0 ? 2000 : "", (i % 4) * 500 * (annual ? 12 : 1), (i % 5) * (annual ? 12 : 1),
            i % 11 == 0 ? "Gym=500" : ""
    }
}' >"$dir/grossup.csv"
