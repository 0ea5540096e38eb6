#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) into build-fuzz/ and runs every one in turn.
#   fuzz/run.sh [SECONDS | -runs=N] [other libFuzzer flags] [fuzz_TARGET ...]
# SECONDS per target (default 30). The working corpus grows in build-fuzz/corpus/<target>,
# seeded from fuzz/corpus/<target>; what a target finds lands in build-fuzz/findings/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD

flags=()
targets=()
for arg in "$@"; do
  case "$arg" in
    ''|*[!0-9]*) [[ "$arg" == -* ]] && flags+=("$arg") || targets+=("$arg") ;;
    *) flags+=("-max_total_time=$arg") ;;
  esac
done
[[ " ${flags[*]-} " == *" -max_total_time="* || " ${flags[*]-} " == *" -runs="* ]] || flags+=(-max_total_time=30)

configure=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTELIMER_FUZZ=ON)
command -v ninja >/dev/null 2>&1 && configure+=(-G Ninja)
command -v ccache >/dev/null 2>&1 && configure+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  cmake -S . -B build-fuzz "${configure[@]}"
fi
cmake --build build-fuzz --parallel "$(nproc)"

if [ ${#targets[@]} -eq 0 ]; then
  for file in fuzz/fuzz_*.cpp; do
    targets+=("$(basename "$file" .cpp)")
  done
fi

# Undefined behaviour and leaks are findings too; leaks of the system's libraries are not ours.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$source/tests/lsan.supp:print_suppressions=0}"

# Per target: its dictionary, and for the banner the memory bounds: one allocation beyond what a
# 4096 x 4096 picture needs, or a process that grows past the second figure, is a finding.
declare -A extra=(
  [fuzz_profile]="-dict=$source/fuzz/profile.dict"
  [fuzz_profile_roundtrip]="-dict=$source/fuzz/profile.dict"
  [fuzz_banner]="-malloc_limit_mb=80 -rss_limit_mb=1024 -max_len=65536"
)

failed=()
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  corpus=build-fuzz/corpus/$name
  findings=build-fuzz/findings/$name
  mkdir -p "$corpus" "$findings"
  echo "== $target ${flags[*]}"
  # shellcheck disable=SC2086 # the extra flags are words
  if ! "build-fuzz/fuzz/$target" "${flags[@]}" ${extra[$target]-} -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$name"; then
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]} (see build-fuzz/findings/)" >&2
  exit 1
fi
