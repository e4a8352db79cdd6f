#!/usr/bin/env python3
"""`qvkdc check` on the demo shop, as the engineer works from it.

places: every finding about the model names the line of model.json where
the plan or process it names begins, so its line lies inside that object
(found by walking the file's text).

flow: the page shows the export's cells; a cell left empty by a parameter
the process lacks says why and links to the finding that explains it; once
the parameter is added to the model, the next page shows the cell filled.

    check_page_test.py --qvkdc PATH --shop DIR --work DIR
"""
import argparse
import html.parser
import json
import os
import re
import shutil
import subprocess
import sys


class PreviewTables(html.parser.HTMLParser):
    """The page's tables of the files the export writes: per data-file, the
    header cells, then per row its cells (the text of each, leaving out why
    it is empty and the mark of a column with findings) and the link of the
    why, if any; and per data-file the rows marked as split by a reader."""

    def __init__(self):
        super().__init__()
        self.files = {}
        self.splits = {}
        self.rows = None  # of the table being read
        self.file = None
        self.cell = None  # [text, href] of the cell being read
        self.why = 0  # > 0 inside a why link
        self.ids = set()

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "table" and attrs.get("class") == "preview":
            self.file = attrs["data-file"]
            self.rows = self.files.setdefault(self.file, [])
            self.splits.setdefault(self.file, set())
        elif self.rows is None:
            return
        elif tag == "tr":
            if attrs.get("class") == "split":
                self.splits[self.file].add(len(self.rows))
            self.rows.append([])
        elif tag in ("td", "th") and attrs.get("class") != "ln":
            self.cell = ["", None]
            self.rows[-1].append(self.cell)
        elif tag == "a" and attrs.get("class") == "why":
            self.why += 1
            self.cell[1] = attrs["href"]
        elif tag == "a" and attrs.get("class") == "flag":
            self.why += 1

    def handle_endtag(self, tag):
        if tag == "table":
            self.rows = None
        elif tag in ("td", "th"):
            self.cell = None
        elif tag == "a" and self.why:
            self.why -= 1

    def handle_data(self, data):
        if self.cell is not None and not self.why:
            self.cell[0] += data


def check(qvkdc, root, *more):
    model = os.path.join(root, "model.json")
    run = subprocess.run([qvkdc, "check", "--root", root, "--model", model, *more], capture_output=True, text=True)
    assert run.returncode in (0, 1), run.stderr  # 1: the shop's deliberate error
    return run.stdout


def object_lines(text):
    """Per plan of a model file: its first and last line, and those of each
    process, in file order."""
    plans, stack, in_string, escaped, line = [], [], False, False, 1
    for c in text:
        if c == "\n":
            line += 1
        if in_string:
            if escaped:
                escaped = False
            elif c == "\\":
                escaped = True
            elif c == '"':
                in_string = False
            continue
        if c == '"':
            in_string = True
        elif c in "{[":
            stack.append([c, line])
            if c == "{" and len(stack) == 3:
                plans.append({"lines": [line, line], "processes": []})
            elif c == "{" and len(stack) == 5 and stack[-2][0] == "[":
                plans[-1]["processes"].append([line, line])
        elif c in "}]":
            depth = len(stack)
            stack.pop()
            if c == "}" and depth == 3:
                plans[-1]["lines"][1] = line
            elif c == "}" and depth == 5 and stack[-1][0] == "[":
                plans[-1]["processes"][-1][1] = line
    return plans


def places(args):
    with open(os.path.join(args.shop, "model.json"), encoding="utf-8") as f:
        text = f.read()
    model, lines = json.loads(text), object_lines(text)
    assert len(lines) == len(model["plans"]), "plans of the model not found"
    report = json.loads(check(args.qvkdc, args.shop, "--format", "json"))
    told = 0
    for f in (f for f in report["findings"] if f["file"].endswith("model.json")):
        plan = re.search(r'plan (\d+) "', f["message"])
        process = re.search(r'process "([^"]*)"', f["message"])
        if plan is None:
            assert f["line"] == 1, f
            continue
        p = int(plan.group(1))
        first, last = lines[p]["lines"]
        if process is not None:
            names = [q.get("name", "") for q in model["plans"][p]["processes"]]
            spans = [s for s, name in zip(lines[p]["processes"], names) if name == process.group(1)]
            assert any(a <= f["line"] <= b for a, b in spans), (f, spans)
        assert first <= f["line"] <= last and f["line"] > 1, (f, first, last)
        told += 1
    assert told >= 10, f"{told} findings about plans and processes"
    return told


def flow(args):
    root = os.path.join(args.work, "shop")
    shutil.rmtree(root, ignore_errors=True)
    shutil.copytree(args.shop, root)
    path = os.path.join(root, "model.json")

    def cell(page_file):
        check(args.qvkdc, root, "--format", "html", "--report", page_file)
        page = PreviewTables()
        with open(page_file, encoding="utf-8") as f:
            page.feed(f.read())
        rows = page.files[""]  # without --out no file name is known
        column = [c[0] for c in rows[0]].index("Plunge feed (mm/min)")
        spot = next(r for r in rows[1:] if r[1][0] == '"Spot holes"')
        return spot[column], page.ids

    (text, why), ids = cell(os.path.join(args.work, "before.html"))
    assert text == "" and why and why[1:] in ids and why.startswith("#finding-"), (text, why)
    with open(path, encoding="utf-8") as f:
        model = json.load(f)
    spot = next(p for p in model["plans"][0]["processes"] if p["name"] == "Spot holes")
    spot["params"]["1203"] = 250.0
    with open(path, "w", encoding="utf-8") as f:
        json.dump(model, f, ensure_ascii=False, indent=1)
    (text, why), _ = cell(os.path.join(args.work, "after.html"))
    assert text == "250.000000" and why is None, (text, why)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--qvkdc", required=True)
    ap.add_argument("--shop", required=True)
    ap.add_argument("--work", required=True)
    args = ap.parse_args()
    os.makedirs(args.work, exist_ok=True)
    told = places(args)
    flow(args)
    print(f"2 passed, 0 failed: {told} findings at their plan or process; the empty cell filled after the fix")
    return 0


if __name__ == "__main__":
    sys.exit(main())
