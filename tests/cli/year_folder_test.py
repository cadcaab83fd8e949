#!/usr/bin/env python3
"""A year file in the user's data folder becomes a year of grossby-cli; a
damaged one, and one named for another year, are left out and reported by
name while every other year stays available.

    year_folder_test.py CLI YEARS_DIR
"""
import json
import os
import subprocess
import sys
import tempfile


def main():
    cli, years_dir = sys.argv[1], sys.argv[2]
    with open(os.path.join(years_dir, "2018.json"), encoding="utf-8") as f:
        text = f.read()
    # 2017/18's figures moved to a year nobody ships.
    for old, new in (('"year": 2018', '"year": 2030'), ('"label": "2017/18"', '"label": "2029/30"'),
                     ('"start": "2017-03-01"', '"start": "2029-03-01"'), ('"end": "2018-02-28"', '"end": "2030-02-28"'),
                     ('"from": "2017-03-01"', '"from": "2029-03-01"')):
        assert old in text, old
        text = text.replace(old, new)
    shipped = sorted(int(name[:4]) for name in os.listdir(years_dir) if name.endswith(".json"))
    failures = []
    with tempfile.TemporaryDirectory() as home:
        folder = os.path.join(home, "Grossby", "Grossby 2018", "years")
        os.makedirs(folder)
        added = os.path.join(folder, "2030.json")
        damaged = os.path.join(folder, "2031.json")
        misnamed = os.path.join(folder, "2032.json")
        with open(added, "w", encoding="utf-8") as f:
            f.write(text)
        with open(damaged, "w", encoding="utf-8") as f:
            f.write(text.replace('"primary": 13635', '"primary": "13635"').replace("2030", "2031")
                    .replace("2029/30", "2030/31").replace("2029-03-01", "2030-03-01"))
        with open(misnamed, "w", encoding="utf-8") as f:
            f.write(text)
        env = dict(os.environ, XDG_DATA_HOME=home, QT_QPA_PLATFORM="offscreen")
        run = subprocess.run([cli, "years", "--json"], capture_output=True, text=True, env=env)
        if run.returncode != 0:
            print(f"years --json: exit {run.returncode}: {run.stdout} {run.stderr}")
            return 1
        listed = json.loads(run.stdout)
        years = {y["year"]: y for y in listed["years"]}
        if sorted(years) != sorted(shipped + [2030]):
            failures.append(f"years listed {sorted(years)}, expected {shipped} and 2030")
        if 2030 in years and (years[2030]["origin"] != added or years[2030]["label"] != "2029/30"):
            failures.append(f"2030 listed as {years[2030]}")
        if any(years[y]["origin"] != "built in" for y in shipped if y in years):
            failures.append("a shipped year is not listed as built in")
        left_out = {p["file"]: p["reason"] for p in listed["left_out"]}
        expected = {damaged: "rebates.primary is not a number",
                    misnamed: "the file holds the year 2030 (2029/30); name it 2030.json"}
        if left_out != expected:
            failures.append(f"left out {left_out}, expected {expected}")
        text_run = subprocess.run([cli, "years"], capture_output=True, text=True, env=env)
        for needle in ("2029/30  2030", added, "Year files left out:", damaged + ": rebates.primary is not a number"):
            if needle not in text_run.stdout:
                failures.append(f"years (text) lacks '{needle}': {text_run.stdout}")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
