# A minimal Debian in a folder (debootstrap minbase), for the checks that
# need a clean system or another release: the clean-system check and CI's
# run on the newer release. Sourced after scripts/lib.sh; needs root.

# Prints the http(s) mirror this machine's apt uses for its own release, in
# either sources format; debootstrap takes any release from it.
apt_mirror() {
  local release f mirrors
  release=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mirrors=$(
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] && sed -E 's/\[[^]]*\]//' "$f" | awk -v r="$release" '$1 == "deb" && $3 == r { print $2 }'
    done
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] && awk -v RS= -v r="$release" '{
        t = u = s = ""; on = 1
        n = split($0, line, "\n")
        for (i = 1; i <= n; i++) {
          if (line[i] ~ /^Types:/) t = " " substr(line[i], 7) " "
          else if (line[i] ~ /^URIs:/) { split(substr(line[i], 6), w, " "); u = w[1] }
          else if (line[i] ~ /^Suites:/) s = " " substr(line[i], 8) " "
          else if (line[i] ~ /^Enabled: *no/) on = 0
        }
        if (on && t ~ / deb / && s ~ (" " r " ")) print u
      }' "$f"
    done
    true
  )
  grep -m1 -E '^https?://' <<<"$mirrors" ||
    { echo "no http(s) mirror for $release in this machine's apt sources" >&2; return 1; }
}

# Prints the mount points at or under FOLDER, deepest first.
mounts_under() {
  awk -v p="$(realpath "$1")/" 'index($5 "/", p) == 1 { print $5 }' /proc/self/mountinfo | sort -r
}

# minbase RELEASE ROOT: a fresh minbase of RELEASE in ROOT, with apt
# pointed at this machine's mirror. A finished tree is kept as a tarball:
# unpacking takes seconds where debootstrap takes a minute or more. Rebuilt
# once a month so it stays near the current point release.
minbase() {
  local release=$1 root=$2 mirror cache tarball
  need_packages debootstrap zstd
  mirror=$(apt_mirror)
  cache=${XDG_CACHE_HOME:-$HOME/.cache}/lumbrix-tests
  tarball=$cache/$release-minbase-$(dpkg --print-architecture).tar.zst
  mkdir -p "$root" "$cache"
  if [ -n "$(find "$tarball" -mtime -30 2>/dev/null)" ]; then
    tar -C "$root" --numeric-owner -I zstd -xf "$tarball"
  else
    debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
      { tail -n 30 "$root.debootstrap.log" >&2; echo "debootstrap $release failed" >&2; return 1; }
    rm "$root.debootstrap.log"
    [ -z "$(mounts_under "$root")" ] || { echo "debootstrap left mounts in $root" >&2; return 1; }
    # The package lists and base .debs are stale by the next run anyway.
    rm -rf "$root"/var/lib/apt/lists/* "$root"/var/cache/apt/archives/*.deb
    tar -C "$root" --numeric-owner -I 'zstd -T0 -q' -cf "$tarball.$$" .
    mv "$tarball.$$" "$tarball"
  fi
  echo "deb $mirror $release main" >"$root/etc/apt/sources.list"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  # The host's own certificate authorities, which ca-certificates adds to the
  # system's when it is installed: a network that inspects https (npm's
  # downloads) is trusted inside as outside.
  if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
    mkdir -p "$root/usr/local/share/ca-certificates"
    cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
  fi
}

# mount_system ROOT: what a whole test run needs beyond apt and dpkg: /proc,
# /sys, the host's devices and terminals, and a shared-memory folder of its
# own (Qt and Wine use it).
mount_system() {
  local root=$1
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
  mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
}

# release_root ROOT: ends every process whose root is ROOT (X servers, buses,
# Wine servers a run left behind), unmounts what is mounted under it and
# removes it. What cannot be unmounted is left in place and named, since
# rm -rf would reach through it into the host.
release_root() {
  local root p m
  root=$(realpath "$1" 2>/dev/null) || return 0
  local _
  for _ in 1 2 3 4 5; do
    local left=()
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && left+=("${p#/proc/}")
    done
    [ ${#left[@]} -eq 0 ] && break
    kill -9 "${left[@]}" 2>/dev/null || true
    sleep 0.2
  done
  for m in $(mounts_under "$root"); do umount "$m" 2>/dev/null || umount -l "$m" || true; done
  if [ -n "$(mounts_under "$root")" ]; then
    echo "still mounted, left in place: $(mounts_under "$root" | tr '\n' ' ')" >&2
    return 1
  fi
  rm -rf --one-file-system "$root"
}
