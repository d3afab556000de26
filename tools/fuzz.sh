#!/usr/bin/env bash
# Fuzzes Find's text search against its reference for SECONDS (default 60),
# starting from tests/fuzz/corpus, then merges what it found back into that
# corpus, keeping only inputs that add coverage.
#
#   tools/fuzz.sh [SECONDS]
#
# Builds with clang++ in build-fuzz/; a failing input is left in
# build-fuzz/artifacts/ and the run exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
build=$root/build-fuzz
corpus=$root/tests/fuzz/corpus

# The project's own build needs, then clang and its libFuzzer runtime, of one
# version: the default clang differs between Debian and Ubuntu releases, and
# the runtime must match the compiler.
tools/install-deps.sh clang-14 libclang-rt-14-dev

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 -DMORVANE2_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_search

# New inputs go to a scratch directory; the saved corpus is only read.
work=$build/work
mkdir -p "$work" "$build/artifacts"
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Short inputs keep the saved corpus small and are enough: a match needs a
# few units, not thousands.
"$build/tests/fuzz/fuzz_search" -max_total_time="$seconds" -max_len=160 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/" "$work" "$corpus"

# Keep the smallest set of inputs that covers everything seen so far. The
# hand-made seed-* files stay whatever they add: they name the cases we know.
merged=$build/merged
rm -rf "$merged"
mkdir -p "$merged"
cp "$corpus"/seed-* "$merged"/
"$build/tests/fuzz/fuzz_search" -merge=1 -max_len=160 "$merged" "$corpus" "$work"
find "$corpus" -maxdepth 1 -type f -delete
cp "$merged"/* "$corpus"/
rm -rf "$work"
echo "corpus: $(find "$corpus" -type f | wc -l) files, $(du -sk "$corpus" | cut -f1) KiB"
