#!/usr/bin/env bash
# Cross-builds Telimer for 64-bit Windows: installs what is missing, builds Qt for
# Windows once from Debian's own source (reused from the cache folder afterwards),
# then telimer.exe, its tests, the portable zip and the installer beside it.
#   --qt-only   stop after Qt is installed
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

qt_version=6.4.2
cache=${TELIMER_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/telimer}
qt_prefix=$cache/qt-$qt_version-mingw64
toolchain=$repo/cmake/mingw-w64-x86_64.cmake
jobs=${JOBS:-$(nproc)}

say() { printf '[build-windows %(%H:%M:%S)T] %s\n' -1 "$*"; }

install_missing() {
  bash scripts/install-deps.sh --windows
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  # Qt's source comes from the Debian suite this machine already uses, so both builds see one Qt.
  local srclist=/etc/apt/sources.list.d/telimer-deb-src.sources
  if ! qt_ready && [ ! -f "$srclist" ]; then
    local sources=/etc/apt/sources.list.d/debian.sources uris suite
    uris=$(awk '/^URIs:/ {print $2; exit}' "$sources" 2>/dev/null || true)
    suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
    say "adding a deb-src entry for $suite in $srclist"
    printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "${uris:-http://deb.debian.org/debian}" "$suite" | $sudo tee "$srclist" >/dev/null
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 update -q
  fi
}

# Only what Telimer uses: Windows draws text itself (no FreeType/HarfBuzz), banners are BMP,
# downloads are plain HTTP (network without TLS). Debian's source lacks the graphics-tablet header
# the Windows platform plugin includes, so tablet events go; with OpenGL off the plugin needs
# dynamic GL off too.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_network=ON -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF -DFEATURE_sql=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no
  -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_freetype=OFF -DFEATURE_harfbuzz=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF
  -DFEATURE_testlib=ON -DFEATURE_widgets=ON -DFEATURE_gui=ON
)
# A cached Qt (or a build cut short) made with other options is built again.
qt_stamp=$(printf '%s\n' "$qt_version" "${qt_options[@]}" | sha256sum | cut -c1-16)

qt_ready() {
  [ -f "$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" ] && [ "$(cat "$qt_prefix/telimer-options" 2>/dev/null)" = "$qt_stamp" ]
}

build_qt() {
  if qt_ready; then
    say "Qt $qt_version for Windows already in $qt_prefix"
    return
  fi
  local src=$cache/qt6-base-src build=$cache/qt6-base-build
  if [ -d "$qt_prefix" ]; then
    say "the cached Qt in $qt_prefix was built with other options: building it again"
    rm -rf "$qt_prefix" "$win"
  fi
  if [ ! -d "$src/qtbase-src" ]; then
    say "fetching Debian's qt6-base source"
    rm -rf "$src"; mkdir -p "$src"
    (cd "$src" && apt-get source -q qt6-base >/dev/null)
    mv "$src"/qt6-base-*/ "$src/qtbase-src"
    grep -q "^qt6-base ($qt_version" "$src/qtbase-src/debian/changelog" \
      || { say "Debian's qt6-base is not $qt_version"; exit 1; }
  fi
  # A build cut short (a closed session, say) goes on where it stopped, if its options still hold.
  [ "$(cat "$build/telimer-options" 2>/dev/null)" = "$qt_stamp" ] || rm -rf "$build"
  if [ ! -f "$build/build.ninja" ]; then
    say "configuring Qt (the first build takes about 20 minutes on two quiet cores)"
    cmake -S "$src/qtbase-src" -B "$build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_options[@]}" >"$cache/qt-configure.log" 2>&1 \
      || { tail -40 "$cache/qt-configure.log"; exit 1; }
    echo "$qt_stamp" >"$build/telimer-options"
  fi
  say "building Qt with $jobs jobs (ninja prints [done/total])"
  cmake --build "$build" --parallel "$jobs"
  say "installing Qt into $qt_prefix"
  cmake --install "$build" >/dev/null
  # Where the source is, for the licence note the program carries.
  dpkg-parsechangelog -l "$src/qtbase-src/debian/changelog" -S Version >"$qt_prefix/debian-source-version"
  echo "$qt_stamp" >"$qt_prefix/telimer-options"
  # The build folder is about 1.5 GB and never needed again.
  rm -rf "$build" "$src"
  say "Qt done: $(du -sh "$qt_prefix" | cut -f1)"
}

out=$repo/build-windows
host=$out/host     # tools that run here: the icon renderer and the end-to-end helpers
win=$out/win
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

build_host_tools() {
  say "building the tools for this machine in $host"
  [ -f "$host/CMakeCache.txt" ] || cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTELIMER_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
  cmake --build "$host" --parallel "$jobs" --target write_icon_file fake_maker_server transfer_test_server close_window
}

build_telimer() {
  say "building telimer.exe and its tests in $win"
  [ -f "$win/CMakeCache.txt" ] || cmake -S . -B "$win" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DTELIMER_BUILD_BENCH=OFF \
    -DTELIMER_HOST_ICON_TOOL="$host/src/resources/write_icon_file" "${launcher[@]}" >/dev/null
  cmake --build "$win" --parallel "$jobs"
}

# Where the DLLs a Windows binary names are found; the system's own are in none of these.
dll_dirs=("$qt_prefix/bin" "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
  /usr/x86_64-w64-mingw32/lib)

# Copies into $1 every DLL the other arguments need, directly or through each other.
copy_needed_dlls() {
  local into=$1 seen=" " binary dll dir
  shift
  local queue=("$@")
  while ((${#queue[@]})); do
    binary=${queue[0]}
    queue=("${queue[@]:1}")
    for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | awk '/DLL Name:/ {print $3}'); do
      [[ $seen == *" ${dll,,} "* ]] && continue
      seen+="${dll,,} "
      for dir in "${dll_dirs[@]}"; do
        if [ -f "$dir/$dll" ]; then
          cp "$dir/$dll" "$into/"
          queue+=("$dir/$dll")
          break
        fi
      done
    done
  done
}

gather_portable_folder() {
  local version name dist
  version=$(sed -n 's/.* FileVersion\[\] = "\(.*\)";$/\1/p' "$win/generated/BuildInfo.h")
  name=telimer-$version-win64
  dist=$out/$name
  say "gathering $dist"
  rm -rf "$dist" "$out/$name.zip"
  mkdir -p "$dist/platforms" "$dist/styles"
  cp "$win/telimer.exe" "$dist/"
  cp "$qt_prefix/plugins/platforms/qwindows.dll" "$dist/platforms/"
  cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$dist/styles/"
  copy_needed_dlls "$dist" "$dist/telimer.exe" "$dist/platforms/qwindows.dll" "$dist/styles/qwindowsvistastyle.dll"
  # The metric-compatible faces, for a Windows that lacks the ones the windows name, with
  # their licence; the program loads them from here.
  mkdir -p "$dist/fonts"
  cp /usr/share/fonts/truetype/liberation2/Liberation{Sans,Mono}-{Regular,Bold}.ttf "$dist/fonts/"
  cp /usr/share/doc/fonts-liberation2/copyright "$dist/fonts/LICENSE-Liberation.txt"
  # Qt's own texts in Czech (the boxes' context menu, standard dialogs); Qt looks in translations/
  # beside the executable when its libraries lie there too.
  mkdir -p "$dist/translations"
  cp /usr/share/qt6/translations/qtbase_cs.qm "$dist/translations/"
  # The program's licence, and Qt's with where its source is (a Qt cached before the note was
  # kept was built from the Debian source of the Qt installed here).
  local qt_source
  qt_source=$(cat "$qt_prefix/debian-source-version" 2>/dev/null || dpkg-query -W -f='${source:Version}' libqt6core6)
  cp LICENSE "$dist/LICENSE.txt"
  { sed "s/@QT_DEBIAN_VERSION@/$qt_source/g" src/desktop/LICENSE-Qt.txt.in; cat /usr/share/common-licenses/LGPL-3; } \
    >"$dist/LICENSE-Qt.txt"
  # Debian's MinGW runtime DLLs carry their symbol tables and debug sections (libstdc++ alone 23 MB).
  find "$dist" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
  (cd "$out" && cmake -E tar cf "$name.zip" --format=zip "$name")
  say "$out/$name.zip: $(du -h "$out/$name.zip" | cut -f1), $(find "$dist" -type f | wc -l) files"
  build_installer "$dist" "$name"
}

# The installer beside the zip (src/desktop/telimer.nsi.in), installing the same folder. What it
# installs and what its uninstaller removes come from one listing of that folder, written here;
# setup.nsi names both, so that scripts/test-windows.sh can build another version from it.
build_installer() {
  local dist=$1 name=$2 dir=$out/installer file folder last="" inside
  say "building $out/$name-setup.exe"
  rm -rf "$dir"
  mkdir -p "$dir"
  while IFS= read -r file; do
    folder=$(dirname "$file")
    [ "$folder" = . ] && inside="" || inside="\\${folder//\//\\}"
    [ "$folder" = "$last" ] || printf 'SetOutPath "$INSTDIR%s"\n' "$inside" >&3
    last=$folder
    printf 'File "%s"\n' "$dist/$file" >&3
    printf 'Delete "$INSTDIR\\%s"\n' "${file//\//\\}" >&4
  done 3>"$dir/files.nsh" 4>"$dir/unfiles.nsh" < <(cd "$dist" && find . -type f -printf '%P\n' | LC_ALL=C sort)
  # Then the folders once empty, the innermost first.
  (cd "$dist" && find . -mindepth 1 -type d -printf '%P\n' | LC_ALL=C sort -r) | while IFS= read -r folder; do
    printf 'RMDir "$INSTDIR\\%s"\n' "${folder//\//\\}"
  done >>"$dir/unfiles.nsh"
  printf '!define FILES "%s"\n!define UNFILES "%s"\n!ifndef OUTFILE\n  !define OUTFILE "%s"\n!endif\n!include /CHARSET=UTF8 "%s"\n' \
    "$dir/files.nsh" "$dir/unfiles.nsh" "$out/$name-setup.exe" "$win/generated/telimer.nsi" >"$dir/setup.nsi"
  makensis -V2 "$dir/setup.nsi"
  say "$out/$name-setup.exe: $(du -h "$out/$name-setup.exe" | cut -f1)"
}

install_missing
mkdir -p "$cache"
build_qt
[ "${1:-}" = --qt-only ] && exit 0
build_host_tools
build_telimer
gather_portable_folder
