# Sourced by the tests that install or package a build. Installing rewrites the build's list of
# installed files, which a user may still need to remove an earlier install: it is put back as
# it was when the test ends, and the test's own folder `$1` goes.
keep_install_manifest() {
  manifest=$build/install_manifest.txt saved=""
  scratch=$1
  if [ -f "$manifest" ]; then saved=$(mktemp) && cp -p "$manifest" "$saved"; fi
  trap restore_install_manifest EXIT
}
restore_install_manifest() {
  if [ -n "$saved" ]; then mv -f "$saved" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$scratch"
}
fail() { echo "FAIL: $*" >&2; exit 1; }
