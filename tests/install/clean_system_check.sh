#!/usr/bin/env bash
# Installs a built Lumbrix .deb on clean minimal Debian systems (debootstrap
# minbase chroots): the release it was built on and each later one of 12 and
# 13. Checks that it starts and shows its window on each. It catches a
# package whose Depends miss a library that the build machine happens to
# have, or name one a later release no longer has. Needs root and the Debian
# mirror this machine's apt uses.
# Usage: clean_system_check.sh PATH_TO_DEB
set -Eeuo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../support/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
if [ $# -ne 1 ] || [ ! -f "$1" ] || [[ $1 != *.deb ]]; then fail "usage: $0 PATH_TO_DEB"; fi
[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap, chroot)"
deb=$(realpath "$1")
source "$here/../../scripts/lib.sh"
source "$here/../support/xvfb.sh"
source "$here/../support/chroot.sh"

started=$(date +%s%N)
mark=$started
phase() {
  local now ms
  now=$(date +%s%N)
  ms=$(((now - mark) / 1000000))
  printf '%-32s %4d.%d s\n' "$1" $((ms / 1000)) $((ms % 1000 / 100))
  mark=$now
}

work=$(mktemp -d "${TMPDIR:-/tmp}/lumbrix-clean.XXXXXX")
root=$work/root
pids=()
cleanup() {
  stop_started
  release_root "$root" && rm -rf "$work"
}
trap cleanup EXIT

need_packages xvfb xdotool x11-utils
start_xvfb "$work"
phase "host tools"

# The package built here installs on its own release and on later ones,
# which keep the old library names (Debian 13 through the t64 libraries'
# Provides); an older release lacks the newer library versions it names.
built_on=$(. /etc/os-release && echo "$VERSION_CODENAME")
checked=()
for release in bookworm trixie; do
  [ "$release" = "$built_on" ] || [ ${#checked[@]} -gt 0 ] || continue
  checked+=("$release")
  minbase "$release" "$root"
  phase "$release minbase"

  # apt and dpkg run without /proc in the chroot, so nothing is mounted.
  cp "$deb" "$root/tmp/"
  # An array, not a function: started in the background it is then the
  # program itself, so killing $! ends it.
  in_root=(chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive)
  # shellcheck disable=SC2016 # $1 is expanded by the chroot's shell
  "${in_root[@]}" sh -c 'apt-get update -qq && cd /tmp && apt-get install -y --no-install-recommends "./$1"' \
    sh "$(basename "$deb")" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; fail "apt-get install on clean $release failed"; }
  [ -x "$root/usr/bin/lumbrix" ] || fail "the package installed no /usr/bin/lumbrix on $release"
  phase "$release package installed"

  # The chroot has no /tmp/.X11-unix; it shares this network namespace, so
  # the server's abstract socket is what the program connects to.
  mkdir -m 700 "$root/tmp/home" "$root/tmp/runtime"
  "${in_root[@]}" DISPLAY="$DISPLAY" HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/runtime \
    /usr/bin/lumbrix 2>"$work/stderr" &
  app=$!
  find_window 60
  phase "$release window shown"

  kill "$app"
  wait "$app" 2>/dev/null || true
  release_root "$root" || fail "could not release the $release chroot"
done

[ ${#checked[@]} -gt 0 ] || fail "built on $built_on, a release this check does not know"

cleanup
trap - EXIT
phase "cleaned up"
echo "clean system check passed on ${checked[*]} ($((($(date +%s%N) - started) / 1000000000)) s)"
