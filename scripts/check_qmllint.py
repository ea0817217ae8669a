#!/usr/bin/env python3
"""Runs qmllint over the scene and fails on every finding except those Qt
6.4's qmllint cannot judge here.

    scripts/check_qmllint.py build

The build folder holds qml/KX20, the description of the program's own QML
types (bridge/scenetypes.h). Every warning fails, and so does every "Info" finding (modules/qml/.qmllint.ini lowers two
categories to info, and they also carry real faults such as a binding to a
property that does not exist) unless it is one of these:
  - an unqualified use of the context objects ui_View, hid and ui_Ctl, of an
    id or a root property of the same file, or of a delegate's index and
    modelData: the program provides the first at run time, and 6.4 does not
    follow the others into delegates and components;
  - a JavaScript array typed as void* or QVariantList, a QUrl's toString(),
    or a member of a Loader's item (typed QObject): 6.4's type guesses;
  - an unused import.
"""
import glob
import json
import os
import re
import subprocess
import sys

QMLLINT = "/usr/lib/qt6/bin/qmllint"
SCENE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "modules", "qml")

CONTEXT_OBJECTS = {"ui_View", "hid", "ui_Ctl"}
DELEGATE_ROLES = {"index", "modelData", "model"}
TYPE_GUESSES = re.compile(r'^(Property "\w+" not found on type "(void\*|QVariantList|QUrl|QObject)"'
                          r'|Type is a method\. You cannot access "\w+" from here\.)$')


def names_of_file(source):
    ids = set(re.findall(r"\bid:\s*(\w+)", source))
    # Properties of the file's root object: declared at the first level of
    # indentation.
    props = set(re.findall(r"^    (?:readonly )?property \S+ (\w+)", source, re.M))
    return ids | props


def excused(finding, lines, known):
    message = finding["message"]
    if message.startswith("Unused import"):
        return True
    if TYPE_GUESSES.match(message):
        return True
    if message == "Unqualified access":
        line = lines[finding["line"] - 1]
        start = finding["column"] - 1
        name = line[start:start + finding["length"]]
        return name in CONTEXT_OBJECTS or name in DELEGATE_ROLES or name in known
    return False


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    if not os.path.exists(os.path.join(build, "qml", "KX20", "qmldir")):
        sys.exit(f"{build}/qml/KX20/qmldir is missing: build the program first")
    scene = sorted(glob.glob("*.qml", root_dir=SCENE) + glob.glob("*/*.qml", root_dir=SCENE))
    run = subprocess.run([QMLLINT, "--json", "-", "-I", os.path.join(build, "qml")] + scene,
                         cwd=SCENE, capture_output=True, text=True)
    files = json.loads(run.stdout)["files"]
    failures = []
    for entry in files:
        if not entry.get("success", True) and not entry["warnings"]:
            failures.append(f"{entry['filename']}: qmllint could not read it")
        with open(os.path.join(SCENE, entry["filename"]), encoding="utf-8") as qml:
            source = qml.read()
        lines = source.split("\n")
        known = names_of_file(source)
        for finding in entry["warnings"]:
            if finding["type"] == "warning" or not excused(finding, lines, known):
                failures.append(f"{entry['filename']}:{finding.get('line', 0)}:{finding.get('column', 0)}: "
                                f"{finding['message']}")
    for failure in failures:
        print(failure)
    checked = len(files)
    if failures:
        print(f"qmllint: {len(failures)} finding(s) in {checked} files")
        return 1
    print(f"qmllint: {checked} files clean")
    return 0


if __name__ == "__main__":
    sys.exit(main())
