#!/usr/bin/env bash
# CI's Windows job: toolchain (from the cache when built before), program,
# packages, then the whole suite under Wine with the package checks. Its last
# line is one summary: CTest's with the job's time, or the step that failed
# (install, Qt, Wine prefix, configure, build, package, tests).
set -euo pipefail
cd "$(dirname "$0")/../.."
start=$(date +%s)
failed=$(mktemp)
trap 'rm -f "$failed"' EXIT
elapsed() { echo "$(( $(date +%s) - start )) s"; }

status=0
MORVANE2_FAILED_STEP=$failed tools/windows/build.sh || status=$?
if [ $status -ne 0 ]; then
    what=$(cat "$failed")
    [ -n "$what" ] && what="step '$what'" || what="tools/windows/build.sh, outside its steps"
    echo "Windows job: FAILED at $what ($(elapsed))"
    exit $status
fi

cd build-win
ctest --output-on-failure 2>&1 | tee ctest.log || status=$?
summary=$(grep -E 'tests passed' ctest.log | tail -n 1)
if [ $status -ne 0 ]; then
    echo "Windows job: FAILED at step 'tests': ${summary:-CTest gave no summary} ($(elapsed))"
else
    echo "Windows job: ${summary:-CTest gave no summary} ($(elapsed))"
fi
exit $status
