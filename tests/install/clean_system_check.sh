#!/usr/bin/env bash
# Installs a built Lumbrix .deb on a clean minimal Debian 12 (a debootstrap
# minbase chroot) and checks that it starts and shows its window. It catches
# a package whose Depends miss a library that the build machine happens to
# have. Needs root and the Debian mirror this machine's apt uses.
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

started=$(date +%s%N)
mark=$started
phase() {
  local now ms
  now=$(date +%s%N)
  ms=$(((now - mark) / 1000000))
  printf '%-24s %4d.%d s\n' "$1" $((ms / 1000)) $((ms % 1000 / 100))
  mark=$now
}

work=$(mktemp -d "${TMPDIR:-/tmp}/lumbrix-clean.XXXXXX")
root=$work/root
pids=()
mounts_inside() { awk -v p="$work/" 'index($5 "/", p) == 1 { print $5 }' /proc/self/mountinfo | sort -r; }
cleanup() {
  stop_started
  # Nothing here mounts, but an interrupted debootstrap can leave its /proc
  # and /sys behind, and rm -rf would then reach into the host's.
  local m
  for m in $(mounts_inside); do umount "$m" 2>/dev/null || umount -l "$m" || true; done
  if [ -n "$(mounts_inside)" ]; then
    echo "still mounted, left in place: $(mounts_inside | tr '\n' ' ')" >&2
  else
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT

need_packages debootstrap xvfb xdotool x11-utils zstd
phase "host tools"

# The mirror this machine already uses for bookworm, in either sources format.
mirrors=$(
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && sed -E 's/\[[^]]*\]//' "$f" | awk '$1 == "deb" && $3 == "bookworm" { print $2 }'
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && awk -v RS= '{
      t = u = s = ""; on = 1
      n = split($0, line, "\n")
      for (i = 1; i <= n; i++) {
        if (line[i] ~ /^Types:/) t = " " substr(line[i], 7) " "
        else if (line[i] ~ /^URIs:/) { split(substr(line[i], 6), w, " "); u = w[1] }
        else if (line[i] ~ /^Suites:/) s = " " substr(line[i], 8) " "
        else if (line[i] ~ /^Enabled: *no/) on = 0
      }
      if (on && t ~ / deb / && s ~ / bookworm /) print u
    }' "$f"
  done
  true
)
mirror=$(grep -m1 -E '^https?://' <<<"$mirrors" || true)
[ -n "$mirror" ] || fail "no http(s) mirror for bookworm in this machine's apt sources"

# A finished minbase tree, kept as a tarball: unpacking takes seconds where
# debootstrap takes a minute or more. Rebuilt once a month so it stays near the
# current point release.
cache=${XDG_CACHE_HOME:-$HOME/.cache}/lumbrix-tests
tarball=$cache/bookworm-minbase-$(dpkg --print-architecture).tar.zst
mkdir -p "$root" "$cache"
if [ -n "$(find "$tarball" -mtime -30 2>/dev/null)" ]; then
  tar -C "$root" --numeric-owner -I zstd -xf "$tarball"
  phase "minbase from cache"
else
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 30 "$work/debootstrap.log" >&2; fail "debootstrap failed"; }
  [ -z "$(mounts_inside)" ] || fail "debootstrap left mounts: $(mounts_inside | tr '\n' ' ')"
  # The package lists and base .debs are stale by the next run anyway.
  rm -rf "$root"/var/lib/apt/lists/* "$root"/var/cache/apt/archives/*.deb
  tar -C "$root" --numeric-owner -I 'zstd -T0 -q' -cf "$tarball.$$" .
  mv "$tarball.$$" "$tarball"
  phase "minbase debootstrapped"
fi
echo "deb $mirror bookworm main" >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# apt and dpkg run without /proc in the chroot, so nothing is mounted.
cp "$deb" "$root/tmp/"
# An array, not a function: started in the background it is then the
# program itself, so killing $! ends it.
in_root=(chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive)
# shellcheck disable=SC2016 # $1 is expanded by the chroot's shell
"${in_root[@]}" sh -c 'apt-get update -qq && cd /tmp && apt-get install -y --no-install-recommends "./$1"' \
  sh "$(basename "$deb")" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log" >&2; fail "apt-get install in the chroot failed"; }
[ -x "$root/usr/bin/lumbrix" ] || fail "the package installed no /usr/bin/lumbrix"
phase "package installed"

start_xvfb "$work"
# The chroot has no /tmp/.X11-unix; it shares this network namespace, so
# the server's abstract socket is what the program connects to.
mkdir -m 700 "$root/tmp/home" "$root/tmp/runtime"
"${in_root[@]}" DISPLAY="$DISPLAY" HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/runtime \
  /usr/bin/lumbrix 2>"$work/stderr" &
app=$!
pids+=("$app")
find_window 60
phase "window shown"

stop_started
pids=()
cleanup
trap - EXIT
phase "cleaned up"
echo "clean system check passed ($((($(date +%s%N) - started) / 1000000000)) s)"
