#!/usr/bin/env bash
# Installs what is missing (tools/install-deps.sh), builds the whole program
# and suite with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs the suite there.
# Any finding fails the run. The packaging tests are left out: they check
# what is shipped, which is the ordinary build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/install-deps.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
    -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan

export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-asan
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --label-exclude packaging "$@"
