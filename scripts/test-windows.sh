#!/usr/bin/env bash
# Runs the Windows build (scripts/build-windows.sh) under Wine on a virtual X server with a fresh
# Wine prefix: every Windows unit test executable, then an end-to-end start of telimer.exe from
# the portable folder against a local server that plays the maker's (through the proxy setting):
# the banner shows and its files appear, the main window "Telimer" follows, the help window shows
# the program's icon, and closing the main window ends the program with status 0 and no file
# left; then the installer, step by step. Ends with "N passed, M failed".
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

if [ "${1:-}" != --inside ]; then
  exec xvfb-run -a --server-args="-screen 0 1280x800x24 -noreset" bash "$0" --inside "$@"
fi
shift

cache=${TELIMER_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/telimer}
qt_prefix=$cache/qt-6.4.2-mingw64
out=$repo/build-windows
win=$out/win
host=$out/host
shots=$out/screenshots
dist=$(find "$out" -maxdepth 1 -type d -name 'telimer-*-win64' | head -n 1)
if [ -z "$dist" ] || [ ! -f "$dist/telimer.exe" ]; then
  echo "no Windows build yet: run bash scripts/build-windows.sh first" >&2
  exit 1
fi

work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installer prompts in a fresh prefix: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
app_pid="" server_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
gcc_dlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
export WINEPATH="$(windows_path "$qt_prefix/bin");$(windows_path "$gcc_dlls");$(windows_path /usr/x86_64-w64-mingw32/lib)"

echo "preparing a fresh Wine prefix"
wineboot -i >/dev/null 2>&1
# Wine has neither "MS Sans Serif" nor "Courier New", which every Windows has; their
# metric-compatible stand-ins take the names, so the windows are laid out as on Windows.
for face in "MS Sans Serif=Liberation Sans" "Courier New=Liberation Mono"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /d "${face#*=}" /f >/dev/null 2>&1
done

# The user's Internet settings as Windows keeps them (what the proxy dialog writes): a direct
# connection, or the proxy HOST:PORT given. Wine's WinHTTP, and through it Qt, read this value.
set_proxy() {
  local flags=01000000 server=${1:-} hex=""
  [ -z "$server" ] || flags=03000000
  hex=$(printf '%s' "$server" | od -An -tx1 | tr -d ' \n')
  local length
  length=$(printf '%08x' "${#server}" | sed 's/\(..\)\(..\)\(..\)\(..\)/\4\3\2\1/')
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Connections' \
    /v DefaultConnectionSettings /t REG_BINARY /d "4600000000000000${flags}${length}${hex}0000000000000000" /f >/dev/null 2>&1
}
set_proxy
wineserver -w

passed=0 failed=0

# One test executable: its GoogleTest summary lines give the counts; no summary is one failure.
# With a filter, the chosen tests must run here: a skip is a failure.
run_unit_tests() {
  local exe=$1 locale=$2 filter=${3:-} log
  log=$work/$(basename "$exe")-$locale.log
  echo "== $(basename "$exe") ($locale${filter:+, $filter})"
  # Widget tests use the platform's own windows on the virtual screen: Qt for Windows built
  # without FreeType has no offscreen platform. (Wine keeps QT_* variables from Windows programs.)
  LC_ALL=$locale timeout 600 wine "$exe" ${filter:+"--gtest_filter=$filter"} >"$log" 2>&1 || true
  local ok bad
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -n 1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:.*/\1/p' "$log" | tail -n 1)
  if [ -z "$ok" ] && [ -z "$bad" ]; then
    echo "no test summary from $(basename "$exe"):"
    tail -n 20 "$log"
    failed=$((failed + 1))
    return
  fi
  grep -E '^\[  FAILED  \]|cases:' "$log" || true
  if [ -n "$filter" ] && grep -q '^\[  SKIPPED \]' "$log"; then
    echo "   skipped here, where it must run"
    bad=$((${bad:-0} + 1))
  fi
  passed=$((passed + ${ok:-0}))
  failed=$((failed + ${bad:-0}))
  echo "   ${ok:-0} passed, ${bad:-0} failed"
}

# Nothing here may reach the real user's desktop: Wine's menu builder would turn the installer's
# shortcut into a desktop entry in the home folder.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe="

# Qt's project set-up puts every executable of a Windows build in the top build folder.
for exe in model_tests resources_tests online_tests windows_tests; do
  run_unit_tests "$win/$exe.exe" C.UTF-8
done
# The result line in the user's regional settings: Wine takes a Czech LC_ALL for a Czech Windows.
run_unit_tests "$win/windows_tests.exe" cs_CZ.UTF-8 MainWindow.CzechLocaleWritesDecimalComma
# The platform's INI reader hands over code page 1250 bytes only on a Czech system.
run_unit_tests "$win/profile_oracle_tests.exe" cs_CZ.UTF-8
# Qt's own texts in Czech from what the portable folder carries: run from a copy of it, where Qt
# looks for them as it does for telimer.exe.
cp -r "$dist" "$work/czech"
cp "$win/look_tests.exe" "$work/czech/"
run_unit_tests "$work/czech/look_tests.exe" C.UTF-8 Look.QtTextsAreCzechWhateverTheLocale

# ------------------------------------------------------------------------------------------
# The download contract: one transfer per row against the loopback server, first directly, then
# through the proxy that the user's Internet settings name.
#   path  floor-window-ms  expected outcome
download_cases=(
  "/ok 5000 OK 5"
  "/atCap 5000 OK 4194304"
  "/overCap 5000 FAIL"
  "/overCapChunked 5000 FAIL"
  "/cutShort 5000 FAIL"
  "/stall 1000 FAIL"
  "/notFound 5000 FAIL"
  "/serverError 5000 FAIL"
  "/noContent 5000 FAIL"
  "/partial 5000 FAIL"
  "/late 5000 OK 4"
  "/toPath 5000 OK 5"
  "/rel/x 5000 OK 8"
  "/toAbsolute 5000 OK 5"
  "/toFtp 5000 FAIL"
  "/toFile 5000 FAIL"
  "/five0 5000 OK 4"
  "/six0 5000 FAIL"
  "/headerFlood 5000 FAIL"
  "/brokenChunk 5000 FAIL"
  "/twoLengths 5000 FAIL"
)
download_check() {
  echo "== download contract"
  coproc TRANSFER { exec "$host/tests/online/transfer_test_server" 2>"$work/transfer-server.log"; }
  local port row path window expected got
  read -r -t 10 port <&"${TRANSFER[0]}" || { echo "the transfer test server gave no port"; failed=$((failed + 1)); return; }
  for row in "${download_cases[@]}"; do
    read -r path window expected <<<"$row"
    got=$(timeout 60 wine "$win/transfer_probe.exe" "http://127.0.0.1:$port$path" "$window" 2>/dev/null | tr -d '\r' | tail -n 1)
    # A failure's byte count is whatever arrived before it; only the outcome counts.
    if [ "$got" = "$expected" ] || { [ "$expected" = FAIL ] && [[ $got == "FAIL "* ]]; }; then
      passed=$((passed + 1))
    else
      echo "   $path: expected $expected, got ${got:-nothing}"
      failed=$((failed + 1))
    fi
  done
  set_proxy "127.0.0.1:$port"
  got=$(timeout 60 wine "$win/transfer_probe.exe" "http://vexasoftware.example/rel/x" 2>/dev/null | tr -d '\r' | tail -n 1)
  if [ "$got" = "OK 8" ]; then passed=$((passed + 1)); else echo "   via proxy: got ${got:-nothing}"; failed=$((failed + 1)); fi
  set_proxy
  eval "exec ${TRANSFER[1]}>&-"
  wait "$TRANSFER_PID" 2>/dev/null || true
  echo "   $((${#download_cases[@]} + 1)) cases run"
}
download_check

# ------------------------------------------------------------------------------------------
echo "== end-to-end start of telimer.exe"

source tests/system/common.sh
icon_of() { xprop -id "$1" -notype _NET_WM_ICON; }
# The banner picture beside the program is the one the server sent, byte for byte.
has_served_banner() { cmp -s "$work/app/reklama.bmp" "$work/site/pic/reklama_telimer.bmp"; }
file_list() { (cd "$1" 2>/dev/null && find . -type f -printf '%P\n' | LC_ALL=C sort); }
# What lies in the program's folder besides what the portable folder brought.
files_beside_program() { comm -13 <(file_list "$dist") <(file_list "$work/app") | tr '\n' ' '; }

end_to_end() {
  # As on a Windows that lacks the faces the windows name: the program has only what it carries.
  wine reg delete 'HKCU\Software\Wine\Fonts\Replacements' /f >/dev/null 2>&1 || true
  wineserver -w
  mkdir -p "$shots" "$work/site/pic"
  rm -f "$shots"/*.png
  cp -r "$dist" "$work/app"
  # Left by a run that ended abnormally: the new download takes its place.
  printf 'stale' >"$work/app/reklama.bmp"
  printf '[Update]\r\n58211=Je k dispozici nová verze 1.2;vexa.example/telimer;1;http://www.vexa.example/akce\r\n' \
    >"$work/site/update.txt"
  convert -size 468x60 xc:'#1f5fbf' -fill '#ffd800' -draw 'rectangle 8,8 180,51' \
    BMP3:"$work/site/pic/reklama_telimer.bmp"

  coproc SERVER { exec "$host/tests/online/fake_maker_server" "$work/site" 2>"$work/server.log"; }
  server_pid=$SERVER_PID
  local port
  read -r -t 10 port <&"${SERVER[0]}" || { echo "the fake maker's server gave no port"; return 1; }

  local started=$SECONDS
  # The proxy as a Windows user sets it; Wine takes a Czech LC_ALL for a Czech Windows, whether
  # or not this machine has that locale (env: bash would warn when it has not).
  set_proxy "127.0.0.1:$port"
  (cd "$work/app" && exec env LC_ALL=cs_CZ.UTF-8 wine telimer.exe >"$work/program.log" 2>&1) &
  app_pid=$!
  wait_for 90 window_shown Form6 || { echo "no banner window"; return 1; }
  wait_for 20 has_served_banner || { echo "no downloaded reklama.bmp beside the program while the banner shows"; return 1; }
  import -window root "$shots/1-banner.png"
  wait_for 30 window_shown Telimer || { echo "the main window did not follow the banner"; return 1; }
  echo "   main window $((SECONDS - started)) s after start"
  wait_for 10 window_gone Form6 || { echo "the banner stayed after the hand-over"; return 1; }
  sleep 1
  import -window root "$shots/2-main-window.png"
  # The three boxes, inside their borders (client pixels), must hold digits in a legible face.
  local main box ink
  main=$(visible_window Telimer)
  import -window "$main" "$work/main.png"
  for box in 53x15+106+34 53x15+106+66 53x15+106+98; do
    ink=$(convert "$work/main.png" -crop "$box" +repage -colorspace gray -threshold 40% \
      -format '%[fx:round(w*h*(1-mean))]' info: 2>/dev/null)
    ((${ink:-0} >= 15)) || { echo "the box at $box shows ${ink:-no} dark pixels: no digits?"; return 1; }
  done
  local left
  left=$(files_beside_program)
  [ -z "$left" ] || { echo "files left beside the program after the banner: $left"; return 1; }

  # The help window sets no icon of its own: it shows the one Qt's platform takes from the
  # executable, the same as the main window's. (Wine gives X the title without diacritics.)
  click_at "$main" 56 312
  wait_for 10 window_shown Napoveda || { echo "the help button opened no help window"; return 1; }
  local help
  help=$(visible_window Napoveda)
  [[ "$(icon_of "$help")" == "$(icon_of "$main")" && "$(icon_of "$main")" == *"Icon (32 x 32)"* ]] \
    || { echo "the help window shows another icon than the main window"; return 1; }
  "$host/tests/system/close_window" "$help"
  wait_for 10 window_gone Napoveda || { echo "the help window did not close"; return 1; }

  "$host/tests/system/close_window" "$(visible_window Telimer)"
  wait_for 20 program_ended || { echo "the program did not end when its main window closed"; return 1; }
  local status=0
  wait "$app_pid" || status=$?
  app_pid=""
  ((status == 0)) || { echo "the program ended with status $status"; return 1; }
  left=$(files_beside_program)
  [ -z "$left" ] || { echo "files left beside the program at the end: $left"; return 1; }

  eval "exec ${SERVER[1]}>&-"
  wait "$server_pid" 2>/dev/null || true
  server_pid=""
  grep -qE '^GET http://[^/]+/pic/reklama_telimer.bmp$' "$work/server.log" \
    || { echo "the banner was not fetched through the proxy"; return 1; }
  echo "   screenshots in $shots"
}

if end_to_end; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  echo "--- program output"
  cat "$work/program.log" 2>/dev/null || true
  # A program left running would hold up every later wait for Wine's processes.
  wineserver -k
  app_pid=""
fi

# ------------------------------------------------------------------------------------------
# The installer as a Windows user and an administrator meet it, in this fresh prefix: one step a
# row, an action with its argument, then what must hold afterwards.
#   step                 action               argument  check
installer_steps=(
  "install-silently      setup_ends_with      current:0 installed current"
  "start-from-shortcut   start_from_shortcut  -         installed current"
  "upgrade-in-place      setup_ends_with      newer:0   installed newer"
  "downgrade-refused     setup_ends_with      current:2 installed newer"
  "uninstall-quietly     uninstall            -         only_user_file_left"
)
version=$(sed -n 's/.*FileVersion\[\] = "\(.*\)";/\1/p' "$win/generated/BuildInfo.h")
app_id=$(sed -n 's/.*ApplicationId\[\] = "\(.*\)";/\1/p' "$win/generated/BuildInfo.h")
declare -A setup_version=([current]=$version [newer]=${version%.*}.9999)
declare -A setup_file=([current]=$(ls "$out"/telimer-*-win64-setup.exe 2>/dev/null | head -n 1) [newer]=$work/newer-setup.exe)
entry="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app_id"
profile=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}
installed_folder=$profile/AppData/Local/Programs/Telimer
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Telimer.lnk"
user_file="moje poznámky.txt"

entry_value() { wine reg query "$entry" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
fail_step() { echo "   $*"; return 1; }
# WHICH:STATUS. The uninstaller hands over to a copy of itself, so every Wine process is waited for.
setup_ends_with() {
  local status=0
  timeout 120 wine "${setup_file[${1%:*}]}" /S >/dev/null 2>&1 || status=$?
  wineserver -w
  ((status == ${1#*:})) || fail_step "the ${1%:*} installer ended with status $status"
}
# As Apps & features runs it for an administrator, with a file of the user's in the folder.
uninstall() {
  local program
  program=$(entry_value QuietUninstallString | sed -n 's/^"\([^"]*\)" \/S$/\1/p')
  [ -n "$program" ] || fail_step "no quiet uninstall command" || return
  printf 'mé' >"$installed_folder/$user_file"
  timeout 120 wine "$program" /S >/dev/null 2>&1 || true
  wineserver -w
}
start_from_shortcut() {
  local target
  target=$(strings "$shortcut" 2>/dev/null | grep -i -m 1 '^[A-Z]:\\.*\\telimer\.exe$')
  [ "$target" = "$(entry_value InstallLocation)\\telimer.exe" ] || fail_step "the shortcut leads to ${target:-nothing}" || return
  wine "$target" >/dev/null 2>&1 &
  app_pid=$!
  wait_for 90 window_shown Telimer || fail_step "no main window from the shortcut's target" || return
  "$host/tests/system/close_window" "$(visible_window Telimer)"
  wait_for 20 program_ended || fail_step "the installed program did not end" || return
  app_pid=""
}
# The entry Apps & features shows, the shortcut, and exactly the portable folder's files.
installed() {
  local name
  for name in DisplayName Publisher DisplayIcon URLInfoAbout EstimatedSize UninstallString; do
    [ -n "$(entry_value "$name")" ] || fail_step "the entry has no $name" || return
  done
  [ "$(entry_value DisplayVersion)" = "${setup_version[$1]}" ] || fail_step "the entry names another version" || return
  [ -f "$shortcut" ] || fail_step "no Start-menu shortcut" || return
  diff <( (file_list "$dist"; echo uninstall.exe) | LC_ALL=C sort) <(file_list "$installed_folder") >&2
}
# Nothing of the program's: no shortcut, no entry, and in its folder the user's file alone.
only_user_file_left() {
  [ ! -e "$shortcut" ] || fail_step "the shortcut is left" || return
  ! wine reg query "$entry" >/dev/null 2>&1 || fail_step "the Apps & features entry is left" || return
  [ "$(file_list "$installed_folder")" = "$user_file" ] || fail_step "left: $(file_list "$installed_folder" | tr '\n' ' ')"
}

echo "== installer"
makensis -V1 -DVERSION="${setup_version[newer]}" -DOUTFILE="${setup_file[newer]}" "$out/installer/setup.nsi" >/dev/null || true
for row in "${installer_steps[@]}"; do
  read -r step action argument check <<<"$row"
  if "$action" "$argument" && $check; then
    passed=$((passed + 1)) && echo "   $step: ok"
  else
    failed=$((failed + 1)) && echo "   $step: FAILED"
  fi
done

echo "$passed passed, $failed failed"
((failed == 0))
