#!/usr/bin/env bash
# Builds the Debian package from the build folder with CPack and checks it: the dependencies
# cover the libraries and the fonts, Qt's translations are only recommended, the binary is
# stripped and hardened, neither it nor the build tree's has a run path, the copyright and
# changelog are where Debian looks, and lintian finds no error.
#
# usage: package.sh <build folder> <application id>
set -euo pipefail

build=$1 id=$2
work=$(mktemp -d)
source "$(dirname "$0")/manifest.sh"
keep_install_manifest "$work"

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2
  fail "cpack did not build the package"
}
debs=("$work"/telimer_*.deb)
[ -f "${debs[0]}" ] || fail "no package was written"
deb=${debs[0]}

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6network6 fonts-liberation2 libqt6widgets6 libc6; do
  grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -qE "(^|, )qt6-translations-l10n( |,|$)" <<<"$(dpkg-deb -f "$deb" Recommends)" && \
  ! grep -q qt6-translations-l10n <<<"$depends" || fail "Qt's translations are not merely recommended"

dpkg-deb -x "$deb" "$work/root"
for file in usr/bin/telimer usr/share/doc/telimer/copyright usr/share/doc/telimer/changelog.Debian.gz \
  "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml"; do
  [ -f "$work/root/$file" ] || fail "the package lacks /$file"
done
file -b "$work/root/usr/bin/telimer" | grep -q ', stripped' || fail "the packaged binary is not stripped"
# An empty run path entry is the current folder, from which a planted library would load.
for binary in "$work/root/usr/bin/telimer" "$build/src/telimer"; do
  ! readelf -d "$binary" | grep -qE '\((RPATH|RUNPATH)\)' || fail "$binary has a run path"
done

version=$(dpkg-deb -f "$deb" Version)
zcat "$work/root/usr/share/doc/telimer/changelog.Debian.gz" | head -n 1 | grep -qF "telimer ($version)" ||
  fail "the changelog's latest entry is not version $version"

# Every tag is shown, for the record; only errors fail. Lintian also notes a run as root.
status=0
out=$(lintian --fail-on error --pedantic "$deb" 2>&1) || status=$?
grep -v '^running with root privileges' <<<"$out" || true
[ "$status" -eq 0 ] || fail "lintian reports errors"
! grep -E 'hardening-no-(bindnow|fortify-functions|relro)' <<<"$out" || fail "the binary lacks the distribution's hardening"
echo "package $(basename "$deb") checked"
