#!/bin/sh
# Merges what fuzz runs found (build-fuzz/fuzz/corpus/NAME/) into the
# committed seed corpora (fuzz/corpus/NAME/), for every target or for the
# ones named: libFuzzer's -merge=1 adds only the inputs that reach code
# (edges; loop counts are not counted) the corpus does not reach yet, each
# cut to MAX_LEN bytes (8192 unless set). Run it after the fuzz-long
# workflow, look at what it added (git status fuzz/corpus) and commit it.
#
# Usage: fuzz/merge-corpus.sh [NAME...]      e.g. fuzz/merge-corpus.sh export_disk
set -eu
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-fuzz}
[ "$#" -gt 0 ] || set -- $(ls fuzz/corpus)
for name in "$@"; do
  found="$build/fuzz/corpus/$name"
  [ -d "$found" ] || { echo "$found: no such folder; run the fuzz workflow first" >&2; exit 1; }
  log=$(mktemp)
  if ! "$build/bin/fuzz_$name" -merge=1 -use_counters=0 -max_len="${MAX_LEN:-8192}" \
      "fuzz/corpus/$name" "$found" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    exit 1
  fi
  echo "$name: $(grep -o '[0-9]* new files.*' "$log")"
  rm -f "$log"
done
git status --short fuzz/corpus
