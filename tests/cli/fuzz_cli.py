#!/usr/bin/env python3
"""Random option sets and batch cells against grossby-cli, for a sanitizer build.

    python3 tests/cli/fuzz_cli.py BUILD/bin/grossby-cli [OPTION_SETS] [BATCH_FILES]

Every run must end with exit status 0, 1 or 2, print no sanitizer report,
and never print a result that is not a finite number (nan, inf, null).
"""
import csv
import io
import json
import math
import os
import random
import subprocess
import sys
import tempfile

CLI = sys.argv[1]
OPTION_SETS = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
BATCH_FILES = int(sys.argv[3]) if len(sys.argv) > 3 else 200
rng = random.Random(int(os.environ.get("FUZZ_SEED", "2018")))

NUMBERS = ["0", "1", "-1", "20000", "12345.67", " 500 ", "\t7\t", "", " ", "-", "+", "+-1", "--1", "1e3", "1E308",
           "1e306", "-1e306", "1e-320", "999999999999.99", "1000000000000", "0x10", "0x1p3", "inf", "-inf", "nan",
           "NaN", "infinity", "1,000", "1 000", "R100", "12abc", "٣", "1e", ".", ".5", "5.", "00012", "9" * 400,
           "0." + "1" * 400, "32767", "32768", "-32769", "150", "151", "150.5", "149.5", "-0.4", "40.5", "99", "100",
           "24", "25", "2.5", "1e10", "0.8", "0.2", "80", "20", "0.5", "1e9", "1e9.5", "\x00", "\xff", '"', "'"]
DATES = ["01/03/2017", "31/03/2017", "28/02/2018", "29/02/2018", "31/04/2017", "00/00/0000", "1/3/2017",
         "2017-03-01", "01/03/2016", "31/12/9999", "01/13/2017", "", "32/01/2018", "15/03/2017", "10/04/2017"]
COUNTS = ["1,1,1,1,1,1,1,1,1,1,1,1", "2 2 2 2 2 2 3 3 3 3 3 3", "1;2;3;4;5;6;7;8;9;10;11;12", "1,1", "",
          ",,,,,,,,,,,,", "25,1,1,1,1,1,1,1,1,1,1,1", "-1,1,1,1,1,1,1,1,1,1,1,1", "1.5,1,1,1,1,1,1,1,1,1,1,1",
          ",".join(["1"] * 13), ",".join(["1e308"] * 12), ",".join(["nan"] * 12)]
TEXT = ["", "Thandi", "Jan \"Boet\" Smit", "a,b", "x" * 5000, "line\nbreak", "é ü", "\r"]

COMMON = ["name", "age", "salary", "commission", "bonus", "travel-allowance", "employer-rf", "employee-rf",
          "employer-medical", "employee-medical", "beneficiaries"]
SETTINGS = ["employee-uif", "employer-uif", "skills-levy", "uif-limit", "travel-inclusion"]
SUBCOMMANDS = {
    "tax": ["income"],
    "quicktax": ["income", "age"],
    "monthly": COMMON + ["start", "end"] + SETTINGS,
    "annual": COMMON + ["beneficiaries-by-month", "start", "end"] + SETTINGS,
    "weekly": COMMON + ["normal-days", "days-worked"] + SETTINGS,
    "fortnightly": COMMON + ["normal-days", "days-worked"] + SETTINGS,
    "daily": COMMON + SETTINGS,
}
PACKAGE = ["car-value", "car-cost", "age", "travel-allowance", "employee-medical", "employer-medical", "beneficiaries",
           "other-fringe-benefits", "medical-deductions", "employee-rf", "employer-rf", "name", "other-expense",
           "annual", "employee-rf-percent", "employer-rf-percent", "car-benefit-rate", "maintenance-plan"] + SETTINGS
SUBCOMMANDS.update({
    "package": ["package"] + PACKAGE,
    "grossup": ["net-required"] + PACKAGE,
    "car-allowance": ["name", "vehicle-value", "allowance", "open-km", "close-km", "business-km", "start", "end",
                      "fuel-oil", "repairs", "insurance-licence", "other", "wear-and-tear", "lease", "records-kept",
                      "no-fuel", "no-maintenance"],
    "loan": ["solve", "principal", "months", "rate", "repayment"],
    "schedule": ["principal", "months", "rate", "annual"],
    "loan-buster": ["principal", "months", "rate", "extra"],
    "loan-compare": ["principal", "rate"],
    "daily-balance": ["capital", "rate", "start", "end"],
    "inflation": ["present-cost", "years", "rate"],
})
FLAGS = {"annual", "records-kept", "no-fuel", "no-maintenance"}
WORDS = {
    "solve": ["repayment", "principal", "period", "rate", "months", ""],
    "maintenance-plan": ["yes", "no", "maybe", "", "1"],
    "other-expense": ["Gym=500", "Cell phone=200:250", "=", "x=abc", "a=1e308", "", "a=1;b=2", "a=-5:7"],
}


hostility = 0.4  # the share of hostile values, drawn afresh for each option set and file
PLAIN = ["0", "1", "40", "66", "75", "3", "7", "5", "14", "2", "20000", "12345.67", "999999999999.99", "1e6"]


def value_for(option):
    # Most values are plain, so that calculations run; the rest are hostile.
    if option not in ("start", "end", "beneficiaries-by-month", "name") and rng.random() > hostility:
        return rng.choice(PLAIN)
    if option in ("start", "end"):
        return rng.choice(DATES if rng.random() < hostility else ["01/03/2017", "15/03/2017", "31/03/2017"])
    if option == "beneficiaries-by-month":
        return rng.choice(COUNTS)
    if option == "name":
        return rng.choice(TEXT)
    if option in WORDS:
        return rng.choice(WORDS[option])
    return rng.choice(NUMBERS)


RESULT_KEYS = {"rf_deduction", "taxable_travel_allowance", "paye", "medical_credit", "additional_medical_credit",
               "tax_liability", "uif_employee", "uif_employer", "sdl", "annual_taxable_income", "beneficiaries_by_month",
               "marginal_rate", "bracket_base_tax", "tax_on_excess", "annual_tax", "tax_on_threshold", "portion",
               "total_tax", "rebate", "tax_payable", "average_rate", "average_rate_after", "monthly_tax"}
failures = []
runs = {"options": 0, "cells": 0, "exit": {}}


def check(args, result, what):
    text = result.stdout.decode("utf-8", "replace")
    err = result.stderr.decode("utf-8", "replace")
    runs["exit"][result.returncode] = runs["exit"].get(result.returncode, 0) + 1
    problem = None
    if result.returncode not in (0, 1, 2):
        problem = "exit status %d" % result.returncode
    elif "AddressSanitizer" in err or "runtime error" in err or "LeakSanitizer" in err:
        problem = "sanitizer report"
    elif what == "json" and result.returncode == 0:
        def numbers(value):
            # Every number in the object, however deep (lists of terms, vehicles, schedule rows).
            if isinstance(value, dict):
                for v in value.values():
                    yield from numbers(v)
            elif isinstance(value, list):
                for v in value:
                    yield from numbers(v)
            elif isinstance(value, (int, float)) and not isinstance(value, bool):
                yield value
            elif value is None:
                yield float("nan")
        try:
            for v in numbers(json.loads(text)):
                if v != v or v in (float("inf"), float("-inf")):
                    problem = "not a finite number: %r" % (v,)
        except ValueError as e:
            problem = "bad JSON: %s" % e
    elif what == "batch" and text:
        # The result columns sit just before "error"; every cell in them is
        # empty (a rejected row) or a finite number.
        rows = list(csv.reader(io.StringIO(text, newline="")))
        header = rows[0]
        if "error" in header:
            end = header.index("error")
            start = end
            while start > 0 and header[start - 1] in RESULT_KEYS:
                start -= 1
            for row in rows[1:]:
                for cell in row[start:end]:
                    if cell and not all(math.isfinite(float(x)) for x in cell.split()):
                        problem = "a result cell reads %r" % cell
    if problem:
        failures.append((problem, args, err[-2000:]))


def run(args, what):
    try:
        result = subprocess.run([CLI] + args, capture_output=True, timeout=60, env=ENV)
    except subprocess.TimeoutExpired:
        failures.append(("timeout", args, ""))
        return
    check(args, result, what)


home = tempfile.mkdtemp()
ENV = dict(os.environ, HOME=home, QT_QPA_PLATFORM="offscreen",
           ASAN_OPTIONS="detect_leaks=0:abort_on_error=0", UBSAN_OPTIONS="print_stacktrace=1")

for _ in range(OPTION_SETS):
    hostility = rng.choice([0.0, 0.05, 0.4])
    sub = rng.choice(list(SUBCOMMANDS))
    args = [sub]
    for option in rng.sample(SUBCOMMANDS[sub], rng.randint(0, len(SUBCOMMANDS[sub]))):
        args += ["--" + option] if option in FLAGS else ["--" + option, value_for(option)]
    json_out = rng.random() < 0.7
    if json_out:
        args.append("--json")
    args = [a.replace("\x00", "") for a in args]  # an argument cannot hold NUL
    runs["options"] += 1
    run(args, "json" if json_out else "text")

folder = tempfile.mkdtemp()
for n in range(BATCH_FILES):
    hostility = rng.choice([0.0, 0.05, 0.4])
    sub = rng.choice(["monthly", "annual", "weekly", "quicktax", "tax", "daily"])
    columns = rng.sample(SUBCOMMANDS[sub], rng.randint(1, len(SUBCOMMANDS[sub])))
    if rng.random() < 0.3:
        columns.insert(rng.randrange(len(columns) + 1), rng.choice(["employee_id", "Salary", " age ", "x;y"]))
    eol = rng.choice(["\n", "\r\n"])
    lines = [",".join(columns)]
    for _ in range(rng.randint(0, 60)):
        cells = []
        for c in columns[: len(columns) + rng.choice([-1, 0, 0, 0, 0, 1])] + ([] if rng.random() < 0.9 else ["x"]):
            v = value_for(c.strip().lower().replace("_", "-"))
            if rng.random() < 0.3 or any(ch in v for ch in ',"\r\n'):
                v = '"' + v.replace('"', '""') + '"'
            cells.append(v)
        runs["cells"] += len(cells)
        lines.append(",".join(cells))
    body = eol.join(lines) + (eol if rng.random() < 0.8 else "")
    if rng.random() < 0.05:
        body = body[: rng.randrange(len(body) + 1)] + '"' + body[rng.randrange(len(body) + 1):]
    raw = body.encode("utf-8", "surrogateescape")
    if rng.random() < 0.1:
        raw = b"\xef\xbb\xbf" + raw
    path = os.path.join(folder, "batch%d.csv" % n)
    with open(path, "wb") as f:
        f.write(raw)
    args = [sub, "--batch", path]
    if sub in ("monthly", "annual", "weekly", "daily"):
        args += ["--employee-uif", "1", "--employer-uif", "1", "--skills-levy", "1", "--uif-limit", "14872",
                 "--travel-inclusion", "0.8"]
    if sub == "quicktax" and rng.random() < 0.5:
        args += ["--age", "40"]
    if rng.random() < 0.5:
        args += ["--out", os.path.join(folder, "out%d.csv" % n)]
        run(args, "file")
        out = os.path.join(folder, "out%d.csv" % n)
        if os.path.exists(out):
            with open(out, "rb") as f:
                check(args, subprocess.CompletedProcess(args, 0, f.read(), b""), "batch")
    else:
        run(args, "batch")

print("option sets: %d, batch files: %d, batch cells: %d, exit statuses: %s" %
      (runs["options"], BATCH_FILES, runs["cells"], dict(sorted(runs["exit"].items()))))
for problem, args, err in failures[:20]:
    print("FAIL:", problem, args, err, sep="\n  ")
print("failures: %d" % len(failures))
sys.exit(1 if failures else 0)
