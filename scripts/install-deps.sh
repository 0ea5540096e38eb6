#!/usr/bin/env bash
# Installs what building, running and testing Telimer needs on Debian 12, and only what is missing.
#   --windows   also what the Windows cross build and its tests under Wine need
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev   # widgets toolkit; its network module downloads
  libgtest-dev libbenchmark-dev               # tests and benchmarks
  qt6-base-private-dev                        # tests queue input as the window system does
  qt6-translations-l10n                       # Qt's own texts (context menus, dialogs) in Czech
  fonts-liberation2                           # metric-compatible stand-ins for MS Sans Serif / Courier New
  xvfb xauth x11-utils imagemagick            # headless runs and screenshots
  libx11-dev libxcb1-dev                      # the end-to-end test closes windows and the start-up benchmarks watch frames
  xdg-utils                                   # opening web addresses in the desktop's browser
  xdotool                                     # end-to-end tests click the real windows
  qt6-svg-dev                                 # the scalable icon, written from the window icon's drawing
  dpkg-dev file                               # the Debian package: dependencies by dpkg-shlibdeps, stripped-binary check
  desktop-file-utils appstream lintian        # validating the desktop entry, the metainfo and the package
  dbus at-spi2-core python3-pyatspi           # the accessibility test reads the windows through AT-SPI
  clang libclang-rt-dev                       # fuzz targets (libFuzzer, sanitizer runtimes)
  clang-format                                # the format check of the C++ sources (.clang-format)
  zlib1g-dev                                  # the fault matrix's test server builds gzip and PNG bombs
)
if [ "${1:-}" = --windows ]; then
  packages+=(
    g++-mingw-w64-x86-64-posix                # the Windows compiler, posix threads as Qt needs
    dpkg-dev                                  # apt-get source unpacks Qt's Debian source package
    wine wine64                               # runs the Windows tests and the program
    nsis                                      # makensis builds the installer: its Unicode target speaks Czech in full
    fonts-liberation2                         # the faces the Windows zip carries
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -q
  $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends "${missing[@]}"
fi
