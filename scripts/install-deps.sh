#!/usr/bin/env bash
# Installs what building, running and testing Telimer needs on Debian 12, and only what is missing.
#   --windows   also what the Windows cross build and its tests under Wine need
set -euo pipefail

# Each line's comment is its packages' reason: the README's dependency table is written from
# these lines (scripts/dependency-table.sh), and a test fails when the two differ.
packages=(
  build-essential cmake ninja-build pkg-config # compiler and build system (ninja-build optional: `scripts/build.sh` falls back to make)
  qt6-base-dev qt6-base-dev-tools libgl-dev    # the windows, controls, painting of the pictures, locale of displayed numbers; its network module's sockets carry the downloads of the update descriptor and the banner without blocking the painting thread, on Linux and Windows alike; with Qt's build tools (moc) and the OpenGL headers its CMake files ask for
  libgtest-dev libbenchmark-dev                # the tests, and the benchmarks in `bench/`
  qt6-base-private-dev                         # a test queues keys as the window system does, to prove that a download holds them back and then delivers them
  qt6-translations-l10n                        # Qt's own texts (the boxes' right-click menu, standard dialogs) in Czech like the rest of the program, whatever the system language
  fonts-liberation2                            # metric-compatible stand-ins for MS Sans Serif and Courier New, so the layouts in twips hold
  xvfb xauth x11-utils imagemagick             # headless runs and screenshots
  libx11-dev libxcb1-dev                       # the end-to-end test closes windows as a window manager does, and the start-up benchmarks watch for frames
  xdg-utils                                    # opening web addresses with the desktop's browser
  xdotool                                      # the end-to-end test clicks the real windows
  qt6-svg-dev                                  # the scalable icon, written by the same painting calls as the window icon
  dpkg-dev file                                # the Debian package: its library dependencies (`dpkg-shlibdeps`), the check that its binary is stripped
  desktop-file-utils appstream lintian         # the tests that validate the desktop entry, the metainfo and the package
  dbus at-spi2-core python3-pyatspi            # the accessibility test: a private D-Bus session with its own AT-SPI bus, read from Python as a screen reader reads the windows
  clang libclang-rt-dev                        # the fuzz targets in `fuzz/` (libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer)
  clang-format                                 # the format check (`scripts/check-format.sh`, run by CI; `--fix` formats) that keeps every C++ file as `.clang-format` says
  zlib1g-dev                                   # the fault matrix's test server compresses its gzip and PNG bombs
)
if [ "${1:-}" = --windows ]; then
  packages+=(
    g++-mingw-w64-x86-64-posix                 # the cross compiler, with the posix thread model Qt needs
    dpkg-dev                                   # unpacking Qt's Debian source package (`apt-get source`)
    wine wine64                                # running the Windows tests and the program
    nsis                                       # makensis builds the installer: its Unicode target speaks Czech in full
    fonts-liberation2                          # the faces the Windows zip carries
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
