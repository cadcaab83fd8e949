#!/usr/bin/env python3
"""Fails on an include that crosses a layer of docs/architecture.md.

Each folder of src/ may include headers of the folders its row names, and
nothing else of ours; the calculation layers include no Qt header, and the
layers below the widgets (services, the command line) no Qt Widgets or
PrintSupport header. Run from anywhere; prints each offending line.
"""
import pathlib
import re
import sys

SRC = pathlib.Path(__file__).resolve().parent.parent / "src"
SUBSYSTEMS = ["payroll", "package", "vehicle", "finance"]
FOLDERS = ["core", *SUBSYSTEMS, "services", "widgets", "shell", "app", "cli"]

# What each layer may include of ours, by top folder ("payroll/ui" is a
# subsystem's windows, kept apart from its calculations).
ALLOWED = {
    "core": {"core"},
    **{s: {"core", s} for s in SUBSYSTEMS},
    "services": {"core", "services"},
    "widgets": {"core", "services", "widgets"},
    **{f"{s}/ui": {"core", s, f"{s}/ui", "services", "widgets"} for s in SUBSYSTEMS},
    "shell": {"core", "services", "widgets", "shell"},
    "app": {*FOLDERS, *(f"{s}/ui" for s in SUBSYSTEMS), *(f"{s}/cli" for s in SUBSYSTEMS)},
    "cli": {"core", "services", "cli"},
    **{f"{s}/cli": {"core", s, f"{s}/cli", "services", "cli"} for s in SUBSYSTEMS},
}
NO_QT = {"core", *SUBSYSTEMS}
NO_WIDGETS = {"services", "cli", *(f"{s}/cli" for s in SUBSYSTEMS)}
WIDGET_HEADERS = re.compile(
    r"<(QtWidgets|QtPrintSupport|QApplication|QWidget|QDialog|QMainWindow|QMessageBox|QPrint\w*|QAbstractButton|QLineEdit|QLabel)\b"
)
OURS = re.compile(r'#\s*include\s*"([a-z_]+)/((?:ui|cli)/)?[^"]*"')
ANY = re.compile(r"#\s*include\s*([<\"][^>\"]*[>\"])")


def layer_of(path: pathlib.Path) -> str:
    parts = path.relative_to(SRC).parts
    if len(parts) > 2 and parts[0] in SUBSYSTEMS and parts[1] in ("ui", "cli"):
        return f"{parts[0]}/{parts[1]}"
    return parts[0]


def main() -> int:
    faults = []
    for path in sorted(SRC.rglob("*")):
        if path.suffix not in {".h", ".cpp"}:
            continue
        layer = layer_of(path)
        allowed = ALLOWED.get(layer)
        if allowed is None:
            faults.append(f"{path}: folder {layer!r} has no row in the layer table")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            found = ANY.match(line.strip())
            if not found:
                continue
            header = found.group(1)
            ours = OURS.match(line.strip())
            where = f"{path.relative_to(SRC.parent)}:{number}"
            if ours:
                target = ours.group(1) + ("/" + ours.group(2).rstrip("/") if ours.group(2) else "")
                if target not in allowed and ours.group(1) in FOLDERS:
                    faults.append(f"{where}: layer {layer} may not include {header}")
            elif layer in NO_QT and header.startswith("<Q"):
                faults.append(f"{where}: layer {layer} is standard C++ only, not {header}")
            elif layer in NO_WIDGETS and WIDGET_HEADERS.match(header):
                faults.append(f"{where}: layer {layer} links no Qt Widgets or PrintSupport, not {header}")
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print(f"{len(faults)} include(s) cross a layer (docs/architecture.md, \"Layers\")", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
