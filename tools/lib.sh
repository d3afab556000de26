# Sourced by the project's scripts: installing with apt-get, and waiting on a
# condition with a time limit instead of sleeping and hoping.

# The main window's title (Form1's caption), which the scripts look for.
MORVANE2_WINDOW_TITLE='Morvane2所有物品一览表 by Tessavar'

# as_root COMMAND...: runs COMMAND as root, through sudo when not root.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# How long apt-get waits for another installation to let go of apt's locks.
MORVANE2_APT_LOCK_WAIT=${MORVANE2_APT_LOCK_WAIT:-1200}

# apt_get ARGS...: apt-get as root, without questions, waiting for the
# package lock instead of failing at once.
apt_get() {
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get -o DPkg::Lock::Timeout="$MORVANE2_APT_LOCK_WAIT" "$@"
}

# apt_update: reads the package lists. The lock timeout above covers dpkg's
# lock only, not the lists' own, so a concurrent update is waited for here.
apt_update() {
    local deadline=$((SECONDS + MORVANE2_APT_LOCK_WAIT)) out
    until out=$(apt_get update -qq 2>&1); do
        if ! grep -q 'Could not get lock' <<<"$out" || [ $SECONDS -ge $deadline ]; then
            printf '%s\n' "$out" >&2
            return 1
        fi
        sleep 2
    done
    [ -z "$out" ] || printf '%s\n' "$out"
}

# apt_install PACKAGES...: installs those of PACKAGES that are missing, and
# says which; does nothing (and needs no root) when all are there.
apt_install() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    apt_update
    apt_get install -y -qq --no-install-recommends "${missing[@]}"
}

# wait_until SECONDS WHAT COMMAND...: runs COMMAND every tenth of a second
# until it succeeds; after SECONDS says it waited in vain for WHAT and fails.
wait_until() {
    local limit=$1 what=$2 deadline
    shift 2
    deadline=$(($(date +%s%N) + limit * 1000000000))
    until "$@" >/dev/null 2>&1; do
        if [ "$(date +%s%N)" -ge "$deadline" ]; then
            echo "FAIL: waited $limit s for $what" >&2
            return 1
        fi
        sleep 0.1
    done
}

# gone PID: true once the process has ended (for wait_until).
gone() { ! kill -0 "$1" 2>/dev/null; }

# missing_locales NAME.UTF-8...: prints those of the locales that the system
# lacks, one a line.
missing_locales() {
    local name
    for name in "$@"; do
        locale -a 2>/dev/null | grep -qix "${name%%.*}\.utf-\?8" || echo "$name"
    done
}

# ensure_locales NAME.UTF-8...: adds those of the locales that the system
# lacks, and says so; the suite starts the program in each of them.
# localedef, not locale-gen, which differs between Debian and Ubuntu.
ensure_locales() {
    local missing name
    mapfile -t missing < <(missing_locales "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    apt_install locales
    echo "Adding the locales ${missing[*]}"
    for name in "${missing[@]}"; do
        as_root localedef -i "${name%%.*}" -f UTF-8 "$name"
    done
}
