#!/usr/bin/env python3
"""Validates a JSON report of qvkdc against its JSON Schema.

    validate_report.py SCHEMA REPORT [--fresh DIR]... [--touch FILE]...
                       [--expect-exit N] [-- COMMAND ...]

With a COMMAND, the report is made first: each --fresh folder is emptied
(made when missing), each --touch file is made, REPORT is removed, and
COMMAND runs with standard input from the null device; its exit code must
be N when --expect-exit is given. Then the schema itself is checked and
REPORT validated against it. Exits 0 when valid, 1 when not, 77 (skipped)
when Python's jsonschema module (Debian: python3-jsonschema) is missing.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys

SKIPPED = 77


def main():
    argv = sys.argv[1:]
    command = []
    if "--" in argv:
        command = argv[argv.index("--") + 1:]
        argv = argv[:argv.index("--")]
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("schema")
    parser.add_argument("report")
    parser.add_argument("--fresh", action="append", default=[])
    parser.add_argument("--touch", action="append", default=[])
    parser.add_argument("--expect-exit", type=int)
    args = parser.parse_args(argv)

    try:
        import jsonschema
    except ImportError:
        print("SKIP: Python's jsonschema module is not installed (Debian: python3-jsonschema)")
        return SKIPPED

    if command:
        for folder in args.fresh:
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
        for path in args.touch:
            os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
            open(path, "wb").close()
        if os.path.exists(args.report):
            os.remove(args.report)
        ran = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, text=True)
        if args.expect_exit is not None and ran.returncode != args.expect_exit:
            print(f"FAIL: exit code {ran.returncode}, expected {args.expect_exit}\n"
                  f"stdout:\n{ran.stdout}\nstderr:\n{ran.stderr}")
            return 1

    with open(args.schema, encoding="utf-8") as f:
        schema = json.load(f)
    validator_class = jsonschema.validators.validator_for(schema)
    try:
        validator_class.check_schema(schema)
    except jsonschema.exceptions.SchemaError as e:
        print(f"FAIL: {args.schema} is no valid schema: {e.message}")
        return 1
    try:
        with open(args.report, encoding="utf-8") as f:
            report = json.load(f)
    except (OSError, ValueError) as e:
        print(f"FAIL: {args.report}: {e}")
        return 1
    errors = sorted(validator_class(schema).iter_errors(report), key=lambda e: list(e.path))
    for e in errors:
        where = "/".join(str(p) for p in e.absolute_path) or "(top)"
        print(f"FAIL: {args.report}: {where}: {e.message}")
    if errors:
        return 1
    print(f"{args.report}: valid against {os.path.basename(args.schema)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
