#!/usr/bin/env python3
"""`qvkdc check --format html` seen in a browser: the demo shop's page is
loaded in headless Chromium, whose DOM must hold the column table with one
row per column and the findings beside their rows, every finding of the
check (as its JSON report lists them) with its FILE:LINE, a link to it from
the summary and a link to its column where it has one, and each file that
`qvkdc export` writes with the same options, cell for cell: each row's
cells, joined by ",", are the line of the file, read in the report's code
page; and whose screenshot must show the table (its header colour) on a
page that is not blank.

Exits 77 (skipped) when no chromium is installed."""
import argparse
import csv
import html.parser
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_page_test import PreviewTables  # noqa: E402

SKIP = 77
HEADER_RGB = (0xE8, 0xEC, 0xF4)  # th background of the page's tables


class ColumnTable(html.parser.HTMLParser):
    """Rows of table#columns: their class and their cell texts."""

    def __init__(self):
        super().__init__()
        self.depth = 0  # > 0 inside table#columns
        self.rows = []
        self.in_body = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "table":
            if self.depth or attrs.get("id") == "columns":
                self.depth += 1
        elif self.depth and tag == "tbody":
            self.in_body = True
        elif self.depth and self.in_body and tag == "tr":
            self.rows.append({"class": attrs.get("class", ""), "cells": []})
        elif self.depth and self.in_body and tag == "td" and self.rows:
            self.rows[-1]["cells"].append("")

    def handle_endtag(self, tag):
        if tag == "table" and self.depth:
            self.depth -= 1
            self.in_body = self.in_body and self.depth > 0

    def handle_data(self, data):
        if self.depth and self.in_body and self.rows and self.rows[-1]["cells"]:
            self.rows[-1]["cells"][-1] += data


class Anchors(html.parser.HTMLParser):
    """Every element's id, every link, and the text and links inside each
    finding (an element whose id starts with "finding-")."""

    def __init__(self):
        super().__init__()
        self.ids, self.hrefs, self.findings = set(), [], {}
        self.open = []  # ids of the findings being read, innermost last
        self.depth = []  # element depth at which each of them opened
        self.level = 0

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.level += 1
        if "id" in attrs:
            self.ids.add(attrs["id"])
            if attrs["id"].startswith("finding-"):
                self.findings[attrs["id"]] = {"text": "", "targets": []}
                self.open.append(attrs["id"])
                self.depth.append(self.level)
        if tag == "a" and "href" in attrs:
            self.hrefs.append(attrs["href"])
            if self.open and attrs.get("class") == "target":
                self.findings[self.open[-1]]["targets"].append(attrs["href"])

    def handle_endtag(self, tag):
        if self.depth and self.depth[-1] == self.level:
            self.open.pop()
            self.depth.pop()
        self.level -= 1

    def handle_data(self, data):
        if self.open:
            self.findings[self.open[-1]]["text"] += data


def png_pixels(path):
    """Width, height and the RGB(A) rows of an 8-bit PNG."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, width, height, channels = 8, b"", 0, 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), "unexpected PNG format"
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prev = line
    return width, height, channels, rows


def chromium(browser, profile, *args):
    cmd = [browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           "--user-data-dir=" + profile, *args]
    return subprocess.run(cmd, capture_output=True, text=True, timeout=120, check=True).stdout


def previewed(args, dom, encoding):
    """Compares the files on the page with those the export writes."""
    out = os.path.join(args.work, "export")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    subprocess.run([args.qvkdc, "export", "--root", args.shop, "--model", os.path.join(args.shop, "model.json"),
                    "--out", out, "--name", "SHOP", "--quiet"], capture_output=True, check=True)
    page = PreviewTables()
    page.feed(dom)
    written = sorted(name for name in os.listdir(out) if name.endswith(".csv"))
    assert sorted(page.files) == written and len(written) == 2, (sorted(page.files), written)
    for name in written:
        with open(os.path.join(out, name), "rb") as f:
            lines = f.read().decode(encoding).split("\n")
        assert lines[-1] == "", f"{name} does not end in a line end"
        rows = page.files[name]
        assert len(rows) == len(lines) - 1, f"{name}: {len(rows)} rows on the page, {len(lines) - 1} in the file"
        # Each row as a CSV reader reads it; a row it splits into more
        # fields than the header is marked so.
        for n, (row, line) in enumerate(zip(rows, lines), 1):
            shown = [cell[0] for cell in row]
            fields = next(csv.reader([line]))
            if n - 1 in page.splits[name]:
                assert len(fields) != len(rows[0]), f"{name}:{n}: marked as split, but reads {len(fields)} fields"
                continue
            assert shown == fields, f"{name}:{n}: the page shows\n{shown}\na reader reads\n{fields}"
            for text, why in row:
                assert why is None or why[1:] in page.ids, f"{name}:{n}: a cell links to {why}"
    return len(written)


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

    os.makedirs(args.work, exist_ok=True)
    page = os.path.abspath(os.path.join(args.work, "check.html"))
    shot = os.path.join(args.work, "check.png")
    # With the output folder of an export, whose names are then checked too.
    check = [args.qvkdc, "check", "--root", args.shop, "--model", os.path.join(args.shop, "model.json"),
             "--out", os.path.abspath(args.work), "--name", "SHOP"]
    run = subprocess.run(check + ["--format", "html", "--report", page], capture_output=True, text=True)
    # 1: the shop's one deliberate error, a comma in a choice text.
    assert run.returncode == 1, run.stderr
    report = json.loads(subprocess.run(check + ["--format", "json"], capture_output=True, text=True).stdout)
    # What was checked, as the report's run tells it.
    with open(page, encoding="utf-8") as f:
        facts = re.search(r'<p class="facts">(.*?)</p>', f.read(), re.S).group(1)
    for fact in ("root", "model", "version", "encoding"):
        assert html.escape(report["run"][fact], quote=False) in facts, (fact, report["run"][fact], facts)
    with tempfile.TemporaryDirectory() as profile:
        dom = chromium(browser, profile, "--dump-dom", "file://" + page)
        table = ColumnTable()
        table.feed(dom)
        assert len(table.rows) == 37, f"{len(table.rows)} column rows"
        group = [r for r in table.rows if "ttlKPRCGRP" in r["cells"][2]]
        assert group and group[0]["class"] == "warning", group
        assert "has no text form" in group[0]["cells"][-1], group[0]["cells"]
        anchors = Anchors()
        anchors.feed(dom)
        findings = report["findings"]
        assert len(anchors.findings) == len(findings), f"{len(anchors.findings)} findings on the page"
        for n, f in enumerate(findings, 1):
            shown = anchors.findings.get(f"finding-{n}")
            place = f"{f['file']}:{f['line']}"
            assert shown and place in shown["text"], (n, place, shown)
            assert f"#finding-{n}" in anchors.hrefs, f"the summary does not link to finding {n}"
            for target in shown["targets"]:
                assert target[1:] in anchors.ids, f"finding {n} links to {target}, which is not on the page"
            if f["column"] is not None:
                assert shown["targets"], f"finding {n} of column {f['column']} links nowhere"
        files = previewed(args, dom, report["run"]["encoding"])
        chromium(browser, profile, "--window-size=900,900", "--screenshot=" + shot, "file://" + page)

    width, height, channels, rows = png_pixels(shot)
    header = sum(1 for row in rows for x in range(0, width * channels, channels)
                 if tuple(row[x:x + 3]) == HEADER_RGB)
    inked = sum(1 for row in rows for x in range(0, width * channels, channels) if sum(row[x:x + 3]) < 384)
    assert header > 2000, f"{header} pixels of the table header"
    assert inked > width * height // 100, f"{inked} dark pixels: the page looks blank"
    print(f"1 passed, 0 failed: {len(table.rows)} column rows, {len(findings)} findings with their links, "
          f"{header} header pixels, {inked} dark pixels, {files} files cell for cell")
    return 0


if __name__ == "__main__":
    sys.exit(main())
