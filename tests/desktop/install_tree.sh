#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what lands there: exactly the expected
# files, every icon at its folder's pixel size, and names that point at each other (the entry's
# icon and command exist, the metainfo launches the entry).
#
# usage: install_tree.sh <build folder> <application id> <icon size>...
set -euo pipefail

build=$1 id=$2
shift 2
sizes=("$@")

prefix=$(mktemp -d)
source "$(dirname "$0")/manifest.sh"
keep_install_manifest "$prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/telimer
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
  share/man/man1/telimer.1.gz
  share/doc/telimer/copyright
  share/doc/telimer/changelog.Debian.gz
)
for size in "${sizes[@]}"; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
want=$(printf '%s\n' "${expected[@]}" | sort)
got=$(cd "$prefix" && find . -type f -printf '%P\n' | sort)
[ "$want" = "$got" ] || fail "installed files differ from the expected ones:
$(diff <(echo "$want") <(echo "$got"))"

for size in "${sizes[@]}"; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  actual=$(identify -format '%wx%h' "$png")
  [ "$actual" = "${size}x${size}" ] || fail "$png is $actual pixels"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"

entry="$prefix/share/applications/$id.desktop"
grep -qx "Icon=$id" "$entry" || fail "the desktop entry names another icon"
grep -qx "StartupNotify=true" "$entry" || fail "the desktop entry does not let the shell show the start"
grep -q "<developer id=\"${id%.*}\">" "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo names no developer by id"
command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$prefix/bin/$command" ] || fail "the desktop entry runs '$command', which is not installed"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo launches another desktop entry"
grep -q "<id>$id</id>" "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo has another id"

gzip -t "$prefix/share/man/man1/telimer.1.gz" "$prefix/share/doc/telimer/changelog.Debian.gz"
zcat "$prefix/share/man/man1/telimer.1.gz" | grep -q '^\.TH TELIMER 1 ' || fail "the manual page is not of section 1"
"$prefix/bin/telimer" --version >/dev/null || fail "the installed program does not answer --version"
echo "installed ${#expected[@]} files as expected"
