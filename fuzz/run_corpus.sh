#!/bin/sh
# run_corpus.sh TARGET CORPUS CRASHES [libFuzzer options...]
# Runs TARGET over a copy of its seed corpus, so that the inputs it finds stay
# out of the source tree; an input that breaks an invariant is kept in CRASHES.
set -e
target=$1 corpus=$2 crashes=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$crashes"
cp "$corpus"/* "$work"/ 2>/dev/null || true
"$target" -artifact_prefix="$crashes/$(basename "$target")-" -timeout=20 "$@" "$work"
