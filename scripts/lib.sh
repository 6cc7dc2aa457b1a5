# Shared by the scripts: install Debian packages that are missing, once.
# Sourced, not run.

# Installs each named package that is not installed yet (needs root and apt).
need_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if ! command -v apt-get >/dev/null; then
    echo "Please install: ${missing[*]}" >&2
    return 1
  fi
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing ${missing[*]}" >&2
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# Generates a locale for the tests that check locale independence.
need_locale() {
  local name=$1
  locale -a 2>/dev/null | grep -qix "${name/UTF-8/utf8}" && return 0
  need_packages locales
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" sed -i "s/^# *\(${name} UTF-8\)/\1/" /etc/locale.gen
  grep -q "^${name} UTF-8" /etc/locale.gen || echo "${name} UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo[@]}" locale-gen >/dev/null
}

# What building the program itself needs.
# fast_float and {fmt} read and write numbers, header only.
# The box font's condensed face comes with fonts-dejavu-extra. Qt's
# translation tools (lupdate, lrelease and their CMake functions) and Python
# turn translations/*.ts into the program's texts.
BUILD_PACKAGES=(cmake ninja-build g++ libfast-float-dev libfmt-dev qt6-base-dev qt6-tools-dev
  qt6-l10n-tools python3
  fonts-dejavu-core fonts-dejavu-extra)
# What the tests need beyond the build: GoogleTest, a real X display with
# tools to drive it and read its clipboard, tools that read icon files and
# Windows resources, for the install test validators, dpkg-shlibdeps (which
# runs file), lintian and hardening-check (devscripts), the SVG loader through
# which appstream-compose 1.0 (Debian 13) reads the scalable icon, what the
# benchmarks build with, a private desktop with accessibility on (session
# bus, accessibility bus, window manager, the Python bindings that ask it),
# and a headless Wayland session with XWayland and Qt's Wayland platform, and
# Qt's own translations, so that the window's menus are tested in other
# languages.
TEST_PACKAGES=(libgtest-dev locales xvfb xauth xdotool xclip x11-utils
  python3 icoutils binutils-mingw-w64-x86-64 cpp
  desktop-file-utils appstream appstream-compose librsvg2-common dpkg-dev file
  lintian devscripts
  libbenchmark-dev libx11-dev
  dbus-daemon dbus-bin at-spi2-core gir1.2-atspi-2.0 python3-pyatspi openbox
  weston xwayland qt6-wayland imagemagick qt6-translations-l10n)
# What the Windows cross build and its tests need beyond those: the MinGW-w64
# compiler (POSIX threads), GoogleTest's sources to build for Windows, Wine
# to run the programs, and NSIS for the installer.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix googletest wine64 nsis)
# What the reproducibility check needs beyond scripts/package: git, to clone
# the commit twice (a minimal system has none), and diffoscope, to show what
# differs inside two builds of a package.
REPRODUCIBLE_PACKAGES=(git diffoscope-minimal)
# What building the web page needs: emscripten (its JavaScript optimizer
# reads JavaScript with acorn, run by node), the headers of the number
# libraries the core reads and writes numbers with, and Python, which turns
# translations/*.ts and the icons into the page's files.
WEB_PACKAGES=(emscripten node-acorn nodejs cmake ninja-build python3 libfast-float-dev libfmt-dev)
# What the web tests need beyond that: GoogleTest's sources to build for
# WebAssembly, npm for the tests' own packages (only where node came without
# it: a nodejs that carries npm conflicts with Debian's) and the certificates
# it fetches them with (a minimal system has none), the browsers with a
# font (none of them brings one), and a private X display with xdpyinfo for
# WebKit, which has no headless mode; for Orca over the page in Firefox, the
# private desktop of the window's Orca test, xdotool and Orca itself.
WEB_TEST_PACKAGES=(googletest $(command -v npm >/dev/null || echo npm) ca-certificates
  chromium firefox-esr fonts-dejavu-core xvfb x11-utils webkit2gtk-driver
  dbus-daemon dbus-bin at-spi2-core gir1.2-atspi-2.0 python3-pyatspi openbox xdotool orca)
