#!/usr/bin/env python3
"""Runs the cases of one group and tax year from a year-cases file through
grossby-cli --json and compares the named results, to the cent.

    run_year_cases.py CLI CASES GROUP YEAR

A case line is "GROUP YEAR | SUBCOMMAND ARGS... | FIELD=VALUE ...". The
2017/18 cases run without --year (the default year); the others with
--year YEAR. "error=TEXT" (the rest of the line) expects the calculator to
refuse (exit 1) with a message holding TEXT and the year's label.
"""
import json
import os
import shlex
import subprocess
import sys


def label(year):
    return f"{year - 1}/{year % 100:02d}"


def main():
    cli, cases_file, group, year = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    failures = []
    count = 0
    with open(cases_file, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            head, args, expected = (part.strip() for part in line.split("|", 2))
            case_group, case_year = head.split()
            if case_group != group or int(case_year) != year:
                continue
            count += 1
            argv = [cli] + shlex.split(args) + ([] if year == 2018 else ["--year", str(year)]) + ["--json"]
            run = subprocess.run(argv, capture_output=True, text=True, env=env)
            where = f"line {number}: {args}"
            if expected.startswith("error="):
                text = expected[len("error="):]
                message = ""
                try:
                    message = json.loads(run.stdout).get("error", "")
                except ValueError:
                    pass
                if run.returncode != 1 or text not in message or label(year) not in message:
                    failures.append(f"{where}: expected a refusal naming {label(year)} and '{text}', "
                                    f"got exit {run.returncode}: {run.stdout.strip()} {run.stderr.strip()}")
                continue
            if run.returncode != 0:
                failures.append(f"{where}: exit {run.returncode}: {run.stdout.strip()} {run.stderr.strip()}")
                continue
            result = json.loads(run.stdout)
            for pair in expected.split():
                field, value = pair.split("=", 1)
                if field not in result:
                    failures.append(f"{where}: no {field} in {run.stdout.strip()}")
                elif abs(float(result[field]) - float(value)) >= 0.005:
                    failures.append(f"{where}: {field} is {result[field]}, expected {value}")
    if count == 0:
        print(f"no cases for {group} {year} in {cases_file}")
        return 1
    for failure in failures:
        print(failure)
    print(f"{group} {label(year)}: {count} cases, {len(failures)} results that disagree")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
