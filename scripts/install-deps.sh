#!/usr/bin/env bash
# Installs what building, running and testing Telimer needs on Debian 12, and only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev   # widgets toolkit
  libcurl4-openssl-dev                        # downloads of the update descriptor and banner
  libgtest-dev libbenchmark-dev               # tests and benchmarks
  fonts-liberation2                           # metric-compatible stand-ins for MS Sans Serif / Courier New
  xvfb xauth x11-utils imagemagick            # headless runs and screenshots
  libx11-dev libxcb1-dev                      # the end-to-end test closes windows and the start-up benchmarks watch frames
  xdg-utils                                   # opening web addresses in the desktop's browser
  xdotool                                     # end-to-end tests click the real windows
  zlib1g-dev                                  # the fault matrix's test server builds gzip and PNG bombs
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
