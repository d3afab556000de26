# Sourced by the scripts in tools/windows: where the Windows toolchain, Qt and
# Wine's prefix are cached. Outside the work tree, so every clone on a machine
# shares one Qt build.
MORVANE2_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
MORVANE2_CACHE=${MORVANE2_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvane2}
MORVANE2_TOOLCHAIN=$MORVANE2_ROOT/cmake/mingw-w64-x86_64.cmake
MORVANE2_QT_WIN=$MORVANE2_CACHE/qt-6.4.2-mingw64
export WINEPREFIX=$MORVANE2_CACHE/wine64
export WINEARCH=win64
# No Mono or Gecko installer prompts; the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}

# apt-get waits for the package lock instead of failing when another
# installation is running.
morvane2_apt_install() {
    local missing=() p sudo=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1200 update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1200 \
        install -y -qq --no-install-recommends "${missing[@]}"
}
