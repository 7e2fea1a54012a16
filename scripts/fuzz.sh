#!/bin/sh
# Installs what is missing (scripts/install-tools.sh --fuzz: clang and
# libFuzzer's runtime besides what the build needs), builds the wave parser
# natively with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, writes the seed corpus and fuzzes for the given
# number of seconds (default 300). Not part of ./test.sh.
# usage: scripts/fuzz.sh [SECONDS]
set -e
cd "$(dirname "$0")/.."
seconds=${1:-300}
scripts/install-tools.sh --fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2
corpus=build/fuzz/corpus
mkdir -p "$corpus" build/fuzz/findings
build/fuzz/fuzz/wave_parse_corpus "$corpus"
echo "== fuzzing the wave parser for $seconds s (corpus $corpus, findings build/fuzz/findings)"
exec build/fuzz/fuzz/wave_parse_fuzz -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build/fuzz/findings/ "$corpus"
