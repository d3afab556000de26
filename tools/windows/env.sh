# Sourced by the scripts in tools/windows: where the Windows toolchain, Qt and
# Wine's prefix are cached. Outside the work tree, so every clone on a machine
# shares one Qt build. This is the one place the cache folder is chosen; the
# Windows build's CMake asks this file for it (cmake/wine-tests.cmake).
MORVANE2_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$MORVANE2_ROOT/tools/lib.sh"
export MORVANE2_CACHE=${MORVANE2_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvane2}
MORVANE2_TOOLCHAIN=$MORVANE2_ROOT/cmake/mingw-w64-x86_64.cmake
export WINEPREFIX=$MORVANE2_CACHE/wine64
export WINEARCH=win64
# No Mono or Gecko installer prompts; the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's errors (a DLL not found, a crash) stay in the output that a failed
# check shows; its notes on unimplemented corners do not.
export WINEDEBUG=${WINEDEBUG:-fixme-all}

# find_qt_win: sets MORVANE2_QT_SOURCE (the Debian version of the qt6-base
# source that Qt for Windows is built from: the host's Qt, whose moc output
# only its own release understands) and MORVANE2_QT_WIN, the cache folder Qt
# for Windows goes into, named after that source's upstream release
# (6.4.2+dfsg-10 -> qt-6.4.2-mingw64). Needs qt6-base-dev installed.
find_qt_win() {
    MORVANE2_QT_SOURCE=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null) || true
    local upstream
    upstream=$(sed -E 's/^[0-9]+://; s/-[^-]*$//; s/[+~].*$//' <<<"$MORVANE2_QT_SOURCE")
    if [ -z "$upstream" ]; then
        echo "FAIL: qt6-base-dev is not installed: no Qt version to build Qt for Windows from" >&2
        return 1
    fi
    MORVANE2_QT_WIN=$MORVANE2_CACHE/qt-$upstream-mingw64
}

# check_package_size FILE: says the package's size, and fails when it is
# over the limit both packages (zip and installer) are held to.
MORVANE2_PACKAGE_LIMIT=$((12 * 1000 * 1000))
check_package_size() {
    local size
    size=$(stat -c %s "$1")
    echo "$(basename "$1"): $size bytes"
    [ "$size" -le "$MORVANE2_PACKAGE_LIMIT" ] || { echo "FAIL: larger than $MORVANE2_PACKAGE_LIMIT bytes" >&2; return 1; }
}

# step NAME COMMAND...: runs one step of a job. When it fails, says which
# and, if MORVANE2_FAILED_STEP names a file, writes NAME there for the job's
# summary line (tools/windows/ci.sh).
step() {
    local name=$1 status=0
    shift
    "$@" || status=$?
    if [ $status -ne 0 ]; then
        echo "FAIL: step '$name' exited with status $status" >&2
        [ -z "${MORVANE2_FAILED_STEP:-}" ] || printf '%s\n' "$name" > "$MORVANE2_FAILED_STEP"
        exit $status
    fi
}
