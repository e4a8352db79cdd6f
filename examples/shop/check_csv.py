#!/usr/bin/env python3
"""Exports the sample shop with qvkdc and reads the CSV files back.

1. Runs `qvkdc export` on examples/shop into a fresh folder.
2. Compares every file written (the CSV files and the message list) byte for
   byte with examples/shop/expected/, and checks that no other file appeared.
3. Reads every CSV file with Python's csv module (strict quoting) and checks
   that every row has as many fields as the title line. The library writes
   selection texts and plan names without quotes, so a row may hold more
   fields where such a value holds a comma; those values are taken from the
   shop's own tables and model file, and the row must split into exactly
   one value per title once they are put back together.

    check_csv.py --qvkdc PATH --shop DIR --work DIR [--update]
                 [--runner WORD]... [--root DIR] [--path-prefix TEXT] [--crlf]

--update copies the files written into expected/ instead of comparing (after
a deliberate change to the shop or the library; review the diff).

For a Windows build run under Wine: --runner words go in front of qvkdc (the
emulator), --root is the root that qvkdc gets instead of the shop folder (a
drive mapped to it, such as S:\), --path-prefix goes in front of the other
paths that qvkdc gets (Z:, the drive of the build machine's files), and
--crlf checks that every line of the CSV files written ends in CR LF, then
compares them as if they ended in LF.
"""
import argparse
import csv
import difflib
import io
import json
import os
import shutil
import subprocess
import sys


def fail(text):
    print("check_csv: " + text, file=sys.stderr)
    sys.exit(1)


def run_export(qvkdc, shop, out, runner, root, prefix):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    cmd = runner + [qvkdc, "export", "--model", prefix + os.path.join(shop, "model.json"),
                    "--root", root, "--out", prefix + out, "--name", "SHOP",
                    "--messages", prefix + os.path.join(out, "messages.txt"), "--overwrite"]
    proc = subprocess.run(cmd, capture_output=True, text=True)
    if proc.returncode != 0:
        fail("qvkdc exited with %d\nstdout:\n%s\nstderr:\n%s"
             % (proc.returncode, proc.stdout, proc.stderr))
    last = proc.stdout.strip().splitlines()[-1:]
    if last != ["status: 0"]:
        fail("qvkdc did not end with 'status: 0': %r" % proc.stdout)


def compare_with_expected(out, expected, crlf):
    written = sorted(os.listdir(out))
    wanted = sorted(os.listdir(expected))
    if written != wanted:
        fail("files written %s, expected %s" % (written, wanted))
    for name in written:
        with open(os.path.join(out, name), "rb") as f:
            got = f.read()
        if crlf and name.endswith(".csv"):
            # The library writes in text mode: on Windows every line ends in
            # CR LF. expected/ holds LF.
            if got.count(b"\n") != got.count(b"\r\n") or b"\r\r\n" in got:
                fail("%s: not every line ends in exactly one CR LF" % name)
            if got and not got.endswith(b"\r\n"):
                fail("%s: the last line does not end in CR LF" % name)
            got = got.replace(b"\r\n", b"\n")
        with open(os.path.join(expected, name), "rb") as f:
            want = f.read()
        if got != want:
            diff = difflib.unified_diff(
                want.decode("latin-1").splitlines(True), got.decode("latin-1").splitlines(True),
                "expected/" + name, "written/" + name)
            fail("%s differs from the expected file:\n%s" % (name, "".join(diff)))


def tsv_rows(path):
    with open(path, newline="", encoding="latin-1") as f:
        return list(csv.reader(f, delimiter="\t"))


def comma_values(shop):
    """Column title -> the texts that column may hold unquoted with a comma.

    Selection texts come from the choice rows of ExteriorTable ("TITLE:TEXT"),
    plan names from the model file under the title of the item "planName".
    """
    tables = os.path.join(shop, "MIRVANE", "CAM", "KR", "Tables")
    values = {}
    plan_title = None
    for row in tsv_rows(os.path.join(tables, "ExteriorTable.tsv")):
        if not row:
            continue
        if ":" in row[0]:
            title, text = row[0].split(":", 1)
            if "," in text:
                values.setdefault(title, set()).add(text)
        elif len(row) > 1 and row[1] == "planName" and plan_title is None:
            plan_title = row[0]
    with open(os.path.join(shop, "model.json"), encoding="utf-8") as f:
        model = json.load(f)
    for plan in model["plans"]:
        name = plan.get("name", "")
        if plan_title is not None and "," in name:
            values.setdefault(plan_title, set()).add(name)
    return values


def split_row(titles, fields, known):
    """Groups fields into one value per title, joining the fields of a known
    comma value; None when the row does not split that way."""
    values = []
    i = 0
    for title in titles:
        taken = None
        for text in sorted(known.get(title, ()), key=len, reverse=True):
            n = text.count(",") + 1
            if ",".join(fields[i:i + n]) == text:
                taken = n
                break
        n = taken or 1
        if i + n > len(fields):
            return None
        values.append(",".join(fields[i:i + n]))
        i += n
    return values if i == len(fields) else None


def check_fields(out, known):
    rows_checked = 0
    rows_with_commas = 0
    for name in sorted(n for n in os.listdir(out) if n.endswith(".csv")):
        with open(os.path.join(out, name), newline="", encoding="latin-1") as f:
            text = f.read()
        try:
            rows = list(csv.reader(io.StringIO(text, newline=""), strict=True))
        except csv.Error as e:
            fail("%s: the csv module cannot read it: %s" % (name, e))
        if not rows:
            fail("%s: no title line" % name)
        titles = rows[0]
        for number, fields in enumerate(rows[1:], start=2):
            rows_checked += 1
            if len(fields) == len(titles):
                continue
            if split_row(titles, fields, known) is None:
                fail("%s line %d: %d fields, the title line has %d, and no known value "
                     "with a comma explains it:\n%r" % (name, number, len(fields), len(titles),
                                                         fields))
            rows_with_commas += 1
    print("check_csv: %d rows read back, %d of them with an unquoted comma in a known value"
          % (rows_checked, rows_with_commas))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--qvkdc", required=True)
    parser.add_argument("--shop", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--update", action="store_true")
    parser.add_argument("--runner", action="append", default=[])
    parser.add_argument("--root")
    parser.add_argument("--path-prefix", default="")
    parser.add_argument("--crlf", action="store_true", default=os.name == "nt")
    args = parser.parse_args()

    shop = os.path.abspath(args.shop)
    out = os.path.abspath(os.path.join(args.work, "shop-out"))
    expected = os.path.join(shop, "expected")
    run_export(os.path.abspath(args.qvkdc), shop, out, args.runner, args.root or shop,
               args.path_prefix)
    if args.update:
        shutil.rmtree(expected, ignore_errors=True)
        shutil.copytree(out, expected)
        print("check_csv: expected files updated in " + expected)
    else:
        compare_with_expected(out, expected, args.crlf)
    check_fields(out, comma_values(shop))
    print("check_csv: OK")


if __name__ == "__main__":
    main()
