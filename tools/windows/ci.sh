#!/usr/bin/env bash
# CI's Windows job: toolchain (from the cache when built before), program,
# packages, then the whole suite under Wine with the package checks. Its last
# line is CTest's summary with the job's time.
set -euo pipefail
cd "$(dirname "$0")/../.."
start=$(date +%s)
tools/windows/build.sh
cd build-win
status=0
ctest --output-on-failure 2>&1 | tee ctest.log || status=$?
summary=$(grep -E 'tests passed' ctest.log | tail -n 1)
echo "Windows job: ${summary:-CTest gave no summary} ($(( $(date +%s) - start )) s)"
exit $status
