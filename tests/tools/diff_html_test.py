#!/usr/bin/env python3
"""`qvkdc diff --format html` seen in a browser: the demo shop's tables are
copied and edited (a choice text, a parameter key, a title), the diff's
page of the copy against the shop is loaded in headless Chromium, and its
DOM must show every changed cell of the JSON report with both texts, old
and new, and link each of its causes to an item of the page that shows the
named table line as the file holds it.

Exits 77 (skipped) when no chromium is installed."""
import argparse
import html.parser
import json
import os
import shutil
import subprocess
import sys
import tempfile

from check_html_test import SKIP, chromium

TABLES = os.path.join("MIRVANE", "CAM", "KR", "Tables")


class DiffPage(html.parser.HTMLParser):
    """The changed cells (their old and new texts and the causes they link
    to) and the causes' items (their ids and the source line they show)."""

    def __init__(self):
        super().__init__()
        self.cells = []    # [old, new, [hrefs]]
        self.causes = {}   # id -> source line text
        self.told = {}     # id -> the item's whole text
        self.stack = []    # what the text goes to: "del", "ins", "src", "ln"
        self.cell = None
        self.cause = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        cls = a.get("class", "")
        if tag == "td" and cls in ("changed", "emptied"):
            self.cell = ["", "", []]
            self.cells.append(self.cell)
        elif tag == "li" and a.get("id", "").startswith("cause-"):
            self.cause = a["id"]
            self.causes[self.cause] = ""
            self.told[self.cause] = ""
        elif tag in ("del", "ins") and self.cell is not None:
            self.stack.append(tag)
        elif tag == "a" and cls == "why" and self.cell is not None:
            self.cell[2].append(a.get("href", ""))
        elif tag == "pre" and self.cause is not None:
            self.stack.append("src")
        elif tag == "span" and cls == "ln" and self.stack and self.stack[-1] == "src":
            self.stack.append("ln")

    def handle_endtag(self, tag):
        if tag in ("del", "ins", "pre", "span") and self.stack:
            if (tag == "span") == (self.stack[-1] == "ln"):
                self.stack.pop()
        elif tag == "td":
            self.cell = None
        elif tag == "li":
            self.cause = None

    def handle_data(self, data):
        if self.cause is not None:
            self.told[self.cause] += data
        if not self.stack:
            return
        where = self.stack[-1]
        if where == "del":
            self.cell[0] += data
        elif where == "ins":
            self.cell[1] += data
        elif where == "src":
            self.causes[self.cause] += data


def edit(path, old, new):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    assert old in text, (path, old)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text.replace(old, new, 1))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--qvkdc", required=True)
    ap.add_argument("--shop", required=True)
    ap.add_argument("--work", required=True)
    args = ap.parse_args()
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if browser is None:
        print("chromium not found: skipped")
        return SKIP
    shutil.rmtree(args.work, ignore_errors=True)
    new = os.path.join(args.work, "new")
    shutil.copytree(args.shop, new)
    tables = os.path.join(new, TABLES)
    edit(os.path.join(tables, "ExteriorTable.tsv"), "Process type:Face milling\t", "Process type:Facing\t")
    edit(os.path.join(tables, "ExteriorTable.tsv"), "Depth (mm)\t", "Depth\t")
    edit(os.path.join(tables, "ProcessParametersTable.tsv"), "ttlKDEPTH\t1204\t", "ttlKDEPTH\t9999\t")
    page = os.path.join(args.work, "diff.html")
    diff = [args.qvkdc, "diff", "--model", os.path.join(args.shop, "model.json"), "--root", new,
            "--base", args.shop]
    run = subprocess.run(diff + ["--format", "html", "--report", page], capture_output=True, text=True)
    assert run.returncode == 1, (run.returncode, run.stderr)
    report = json.loads(subprocess.run(diff + ["--format", "json"], capture_output=True, text=True).stdout)
    with tempfile.TemporaryDirectory() as profile:
        dom = chromium(browser, profile, "--dump-dom", "file://" + os.path.abspath(page))
    shown = DiffPage()
    shown.feed(dom)

    cells = [(c["old"], c["new"]) for f in report["files"] for c in f["cells"]]
    assert len(cells) >= 3, cells
    assert sorted((c[0], c[1]) for c in shown.cells) == sorted(cells), (shown.cells, cells)
    linked = 0
    for old, new_text, hrefs in shown.cells:
        assert hrefs, f"{old!r} -> {new_text!r} names no cause"
        for href in hrefs:
            assert href.startswith("#") and href[1:] in shown.causes, f"a cell links to {href}"
            linked += 1
    # Each cause with the number of cells it changed.
    counts = {}
    for c in (c for f in report["files"] for c in f["cells"]):
        for cause in c["causes"]:
            key = (cause["side"], os.path.basename(cause["file"]), cause["line"])
            counts[key] = counts.get(key, 0) + 1
    for (side, name, line), n in counts.items():
        place = f"{side} {name}:{line} "
        items = [text for text in shown.told.values() if text.startswith(place)]
        assert len(items) == 1, (place, items)
        assert f"{n} cell" in items[0], (place, n, items[0])
    for c in (c for f in report["files"] for c in f["cells"]):
        for cause in c["causes"]:
            root = args.shop if cause["side"] == "old" else new
            with open(os.path.join(root, TABLES, os.path.basename(cause["file"])), encoding="utf-8") as f:
                line = f.read().split("\n")[cause["line"] - 1]
            texts = [text for text in shown.causes.values() if text == line.replace("\t", "\u2192")]
            assert texts, f"no cause shows {cause['file']}:{cause['line']}: {line!r}"
    print(f"1 passed, 0 failed: {len(shown.cells)} changed cells with both texts, {linked} links to "
          f"{len(shown.causes)} table lines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
